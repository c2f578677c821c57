#include "model/Apuestas.h"

#include <QTest>

Q_DECLARE_METATYPE(DocumentoIni)

class TstModelo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A bet's stored text read over a record of 9s, so that a field left as it
    // was shows in the text written back (the one read, unless given). Its
    // hits against the draw, and its prize tier (0 for none), count each value
    // once and numbers apart from stars, both ways round, and 0 never.
    void apuesta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("escrita");
        QTest::addColumn<bool>("valida");
        QTest::addColumn<QString>("aciertos");
        const auto fila = [](const char *nombre, const QString &texto, bool valida,
                             const QString &aciertos, const QString &escrita = {}) {
            QTest::newRow(nombre) << texto << (escrita.isEmpty() ? texto : escrita) << valida
                                  << aciertos;
        };
        fila("desordenada", "50-41-22-17-03-E8-2", true, "5+2 1");
        fila("límites, una cifra", "1-2-4-22-50-E1-12", true, "2+0 13", "01-02-04-22-50-E1-12");
        fila("estrella 13 igual a un número", "03-17-22-01-04-E13-3", false, "3+0 10");
        fila("números repetidos", "03-03-03-09-10-E2-8", false, "1+2 11");
        fila("sin estrellas", "03-17-22-41-50", false, "5+0 3", "03-17-22-41-50-E9-9");
        fila("número 51", "01-17-22-41-51-E2-5", false, "3+1 9");
        fila("estrellas sin E", "03-17-22-41-1-2-8", false, "4+0 7", "03-17-22-41-01-E-8-9");
        fila("decimal y letra", "2.-17-22-41-50-E1x-8", true, "4+1 5", "09-17-22-41-50-E9-8");
        fila("nueva", "00-00-00-00-00-E0-0", false, "0+0 0");
        fila("una y una", "03-01-04-05-06-E2-1", true, "1+1 0");
    }

    void apuesta()
    {
        QFETCH(QString, texto);
        QFETCH(QString, escrita);
        Euromillon leida {9, 9, 9, 9, 9, 9, 9}, releida;
        CadenaAEuromillon(texto, leida);
        QCOMPARE(EuromillonACadena(leida), escrita);
        CadenaAEuromillon(escrita, releida);
        QCOMPARE(releida, leida);
        QTEST(ApuestaValida(leida), "valida");
        const Euromillon sorteo {3, 17, 22, 41, 50, 2, 8};
        const Aciertos aciertos = ContarAciertos(sorteo, leida);
        QCOMPARE(ContarAciertos(leida, sorteo), aciertos);
        QCOMPARE(ContarAciertos({}, leida), Aciertos());
        QTEST(aciertos.Texto() + u' ' + QString::number(CategoriaPremio(aciertos)), "aciertos");
    }

    // The prize text at the edges of the tiers and of the plural.
    void premio()
    {
        QCOMPARE(TextoPremio({5, 2}), "Premio de 1.ª categoría: 5 números y 2 estrellas");
        QCOMPARE(TextoPremio({1, 2}), "Premio de 11.ª categoría: 1 número y 2 estrellas");
        QCOMPARE(TextoPremio({2, 1}), "Premio de 12.ª categoría: 2 números y 1 estrella");
        QCOMPARE(TextoPremio({1, 1}), "");
    }

    // One count for every reader of the list, and the bets up to it. A
    // repeated key reads as its first line, and "C02" is not bet 2.
    void lista_data()
    {
        QTest::addColumn<DocumentoIni>("ini");
        QTest::addColumn<int>("total");
        const auto lista = [](const QByteArray &total) {
            return DocumentoIni("[Combinaciones]\nTotal=" + total
                                + "\nC1=1-2-3-4-5-E1-2\nc3=07-08-09-10-11-E3-4\nC4=9-9-9-9-9-E9-9\n"
                                  "c1=50-49-48-47-46-E12-11\nC02=1-1-1-1-1-E1-1\n");
        };
        QTest::newRow("sin fichero") << DocumentoIni() << 0;
        QTest::newRow("vacío") << lista("") << 0;
        QTest::newRow("3") << lista("3") << 3;
        QTest::newRow("32768") << lista("32768") << 32767;
        QTest::newRow("32769") << lista("32769") << -1;
        QTest::newRow("abc") << lista("abc") << -1;
        QTest::newRow("-1") << lista("-1") << -1;
    }

    void lista()
    {
        QFETCH(DocumentoIni, ini);
        QFETCH(int, total);
        QCOMPARE(LeerTotal(ini).value_or(-1), total);
        const std::vector<Euromillon> apuestas = LeerApuestas(ini);
        QCOMPARE(int(apuestas.size()), std::max(total, 0));
        const Euromillon primeras[] = {{1, 2, 3, 4, 5, 1, 2}, {}, {7, 8, 9, 10, 11, 3, 4}};
        for (int n = 1; n <= std::min(total, 3); ++n) {
            QCOMPARE(apuestas[std::size_t(n) - 1], primeras[n - 1]);
            QCOMPARE(LeerApuesta(ini, n), primeras[n - 1]);
        }
    }
};

QTEST_APPLESS_MAIN(TstModelo)
#include "tst_modelo.moc"
