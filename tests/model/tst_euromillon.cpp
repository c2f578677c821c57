#include "model/modTypeEuromillon.h"

#include <QTest>

class TstEuromillon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parser();
    void textoNumero_data();
    void textoNumero();
    void conversion_data();
    void conversion();
    void aciertos_data();
    void aciertos();
    void premios();
};

// Text after the second star is ignored. Every other form of the text is
// read by the seed replay of the fuzz target, against its own literal reading.
void TstEuromillon::parser()
{
    Euromillon combinacion {9, 9, 9, 9, 9, 9, 9};
    CadenaAEuromillon(QStringLiteral("03-17-22-41-50-E10-12 y algo más"), combinacion);
    QCOMPARE(combinacion, Euromillon({3, 17, 22, 41, 50, 10, 12}));
}

void TstEuromillon::textoNumero_data()
{
    QTest::addColumn<int>("valor");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("zero") << 0 << QStringLiteral("0");
    QTest::newRow("one digit") << 7 << QStringLiteral("7");
    QTest::newRow("last shared") << 99 << QStringLiteral("99");
    QTest::newRow("first not shared") << 100 << QStringLiteral("100");
    QTest::newRow("negative") << -1 << QStringLiteral("-1");
    QTest::newRow("16-bit limit") << -32768 << QStringLiteral("-32768");
    QTest::newRow("int limit") << int(0x80000000) << QStringLiteral("-2147483648");
}

void TstEuromillon::textoNumero()
{
    QFETCH(int, valor);
    QFETCH(QString, esperado);
    QCOMPARE(TextoNumero(valor), esperado);
    // A shared text stays as it was when a copy of it is changed.
    QString copia = TextoNumero(valor);
    copia.append(u'x');
    QCOMPARE(TextoNumero(valor), esperado);
    // The settings key of a combination numbers it the same way, copied or not.
    const ClaveCombinacion clave(valor);
    const ClaveCombinacion copiaClave = clave;
    QCOMPARE(copiaClave.Texto(), u'C' + esperado);
}

// A value that does not convert reads as -1.
void TstEuromillon::conversion_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("valor");
    for (const auto &[texto, valor] :
         {std::pair {"  -7 ", -7}, {"+5", 5}, {"32767", 32767}, {"-32768", -32768}})
        QTest::newRow(texto) << QString::fromLatin1(texto) << valor;
    for (const char *texto : {"32768", "99999999999999999999999", " ", "-", "2.5", "1 2"})
        QTest::newRow(texto) << QString::fromLatin1(texto) << -1;
}

void TstEuromillon::conversion()
{
    QFETCH(QString, texto);
    QFETCH(int, valor);
    QCOMPARE(ConvertirEntero16(texto).value_or(-1), valor);
}

// Counted both ways round: the count is symmetric.
void TstEuromillon::aciertos_data()
{
    QTest::addColumn<Euromillon>("sorteo");
    QTest::addColumn<Euromillon>("apuesta");
    QTest::addColumn<QString>("esperado");
    const auto fila = [](const char *nombre, const Euromillon &sorteo, const Euromillon &apuesta,
                         const char *esperado) {
        QTest::newRow(nombre) << sorteo << apuesta << QString::fromLatin1(esperado);
    };
    const Euromillon sorteo {3, 15, 22, 38, 49, 2, 7};
    fila("worked example", sorteo, {3, 15, 20, 38, 44, 2, 5}, "3+1");
    fila("order plays no part", {5, 4, 3, 2, 1, 1, 2}, {1, 2, 3, 4, 5, 2, 1}, "5+2");
    fila("a star equal to a number counts nothing", sorteo, {1, 4, 5, 6, 8, 3, 15}, "0+0");
    fila("repeated draw number counts once", {7, 7, 20, 30, 40, 1, 2}, {7, 1, 2, 3, 4, 5, 6},
         "1+0");
    fila("repeated bet stars count once", {1, 2, 3, 4, 5, 3, 5}, {6, 7, 8, 9, 10, 3, 3}, "0+1");
    fila("all zeros hit nothing", {}, {}, "0+0");
    fila("negative values never count", {-1, 2, 3, 4, 5, -8, 1}, {-1, 6, 7, 8, 9, -8, 2}, "0+0");
}

void TstEuromillon::aciertos()
{
    QFETCH(Euromillon, sorteo);
    QFETCH(Euromillon, apuesta);
    QFETCH(QString, esperado);
    QCOMPARE(ContarAciertos(sorteo, apuesta), esperado);
    QCOMPARE(ContarAciertos(apuesta, sorteo), esperado);
}

// Every hit text up to 5+3 wins exactly when it is a prize tier; nothing
// else wins.
void TstEuromillon::premios()
{
    const QStringList premiados
        = QString("5+2 5+1 5+0 4+2 4+1 3+2 4+0 2+2 3+1 3+0 1+2 2+1 2+0").split(' ');
    for (int numeros = 0; numeros <= 5; ++numeros) {
        for (int estrellas = 0; estrellas <= 3; ++estrellas) {
            const QString texto = QStringLiteral("%1+%2").arg(numeros).arg(estrellas);
            QVERIFY2(EsPremio(texto) == premiados.contains(texto), qPrintable(texto));
        }
    }
    QVERIFY(!EsPremio(QString()));
    QVERIFY(!EsPremio(u" 5+2"));
}

QTEST_APPLESS_MAIN(TstEuromillon)
#include "tst_euromillon.moc"
