#include "model/modTypeEuromillon.h"

#include <QTest>

// The text form is checked by the replay of the fuzz seeds; these are the
// model's other rules.
class TstEuromillon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversiones();
    void aciertos();
    void premios();
};

// Numbers as the boxes give them (-1: none), and the padding of the mail.
void TstEuromillon::conversiones()
{
    for (const auto &[texto, valor] : {std::pair {u"  -7 ", -7},
                                       {u"+5", 5},
                                       {u"-32768", -32768},
                                       {u"32768", -1},
                                       {u" ", -1},
                                       {u"-", -1},
                                       {u"2.5", -1},
                                       {u"1 2", -1},
                                       {u"1,000", -1},
                                       {u"99999999999999999999", -1}})
        QCOMPARE(ConvertirEntero16(texto).value_or(-1), valor);
    for (const auto &[texto, esperado] :
         {std::pair {"7", "07"}, {"12", "12"}, {"", ""}, {"123", "123"}})
        QCOMPARE(DosDigitos(texto), esperado);
}

// Each value counts once, zeros and negatives never; counted both ways round.
void TstEuromillon::aciertos()
{
    const Euromillon sorteo {3, 15, 22, 38, 49, 2, 7};
    const struct
    {
        Euromillon a, b;
        const char *esperado;
    } casos[] = {
        {sorteo, {3, 15, 20, 38, 44, 2, 5}, "3+1"},
        {{5, 4, 3, 2, 1, 1, 2}, {1, 2, 3, 4, 5, 2, 1}, "5+2"},
        {sorteo, {1, 4, 5, 6, 8, 3, 15}, "0+0"},
        {{7, 7, 20, 30, 40, 1, 2}, {7, 1, 2, 3, 4, 5, 6}, "1+0"},
        {{1, 2, 3, 4, 5, 3, 5}, {6, 7, 8, 9, 10, 3, 3}, "0+1"},
        {{}, {}, "0+0"},
        {{-1, 2, 3, 4, 5, -8, 1}, {-1, 6, 7, 8, 9, -8, 2}, "0+0"},
    };
    for (const auto &[a, b, esperado] : casos) {
        QCOMPARE(ContarAciertos(a, b), esperado);
        QCOMPARE(ContarAciertos(b, a), esperado);
    }
}

// The thirteen tiers in the game's order, and their text.
void TstEuromillon::premios()
{
    const QStringList orden
        = QString("5+2 5+1 5+0 4+2 4+1 3+2 4+0 2+2 3+1 3+0 1+2 2+1 2+0").split(' ');
    for (int numeros = 0; numeros <= 5; ++numeros)
        for (int estrellas = 0; estrellas <= 3; ++estrellas) {
            const QString texto = QStringLiteral("%1+%2").arg(numeros).arg(estrellas);
            QCOMPARE(CategoriaPremio(texto), orden.indexOf(texto) + 1);
        }
    for (const auto &[aciertos, texto] :
         {std::pair {u"5+2", "1.ª categoría: 5 números y 2 estrellas"},
          {u"3+1", "9.ª categoría: 3 números y 1 estrella"},
          {u"1+2", "11.ª categoría: 1 número y 2 estrellas"},
          {u"2+0", "13.ª categoría: 2 números y 0 estrellas"}})
        QCOMPARE(TextoPremio(aciertos), "Premio de " + QString::fromUtf8(texto));
    for (const char16_t *perdedor : {u"1+1", u"", u" 5+2"})
        QCOMPARE(TextoPremio(perdedor), QString());
}

QTEST_APPLESS_MAIN(TstEuromillon)
#include "tst_euromillon.moc"
