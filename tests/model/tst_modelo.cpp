#include "model/Apuestas.h"

#include <QTest>

Q_DECLARE_METATYPE(Euromillon)
Q_DECLARE_METATYPE(DocumentoIni)

class TstModelo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A bet's stored text read over a record of 9s, so that a field left as it
    // was shows, and written back. Its hits count each value once, 0 never,
    // numbers apart from stars, and both ways round.
    void apuesta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<Euromillon>("leida");
        QTest::addColumn<QString>("escrita");
        QTest::addColumn<bool>("valida");
        QTest::addColumn<Euromillon>("sorteo");
        QTest::addColumn<QString>("aciertos");
        QTest::addColumn<QString>("premio");
        // The text written back is the one read, unless given.
        const auto fila
            = [](const char *nombre, const QString &texto, Euromillon leida, bool valida,
                 const QString &aciertos, const QString &premio, const QString &escrita = {},
                 Euromillon sorteo = {3, 17, 22, 41, 50, 2, 8}) {
                  QTest::newRow(nombre) << texto << leida << (escrita.isEmpty() ? texto : escrita)
                                        << valida << sorteo << aciertos << premio;
              };
        fila("guardada", "03-17-22-41-50-E2-8", {3, 17, 22, 41, 50, 2, 8}, true, "5+2",
             "Premio de 1.ª categoría: 5 números y 2 estrellas");
        fila("desordenada", "50-41-22-17-03-E8-1", {50, 41, 22, 17, 3, 8, 1}, true, "5+1",
             "Premio de 2.ª categoría: 5 números y 1 estrella");
        fila("límites, una cifra", "1-2-4-22-50-E1-12", {1, 2, 4, 22, 50, 1, 12}, true, "2+0",
             "Premio de 13.ª categoría: 2 números y 0 estrellas", "01-02-04-22-50-E1-12");
        fila("estrella 13 igual a un número", "03-17-22-01-04-E13-3", {3, 17, 22, 1, 4, 13, 3},
             false, "3+0", "Premio de 10.ª categoría: 3 números y 0 estrellas");
        fila("números repetidos", "03-03-03-09-10-E2-8", {3, 3, 3, 9, 10, 2, 8}, false, "1+2",
             "Premio de 11.ª categoría: 1 número y 2 estrellas");
        fila("número 51", "01-17-22-41-51-E2-5", {1, 17, 22, 41, 51, 2, 5}, false, "3+1",
             "Premio de 9.ª categoría: 3 números y 1 estrella");
        fila("sin estrellas", "03-17-22-41-50", {3, 17, 22, 41, 50, 9, 9}, false, "5+0",
             "Premio de 3.ª categoría: 5 números y 0 estrellas", "03-17-22-41-50-E9-9");
        fila("estrellas sin E", "03-17-22-41-1-2-8", {3, 17, 22, 41, 1, -8, 9}, false, "4+0",
             "Premio de 7.ª categoría: 4 números y 0 estrellas", "03-17-22-41-01-E-8-9");
        fila("decimal y letra", "2.-17-22-41-50-E1x-8", {9, 17, 22, 41, 50, 9, 8}, true, "4+1",
             "Premio de 5.ª categoría: 4 números y 1 estrella", "09-17-22-41-50-E9-8");
        fila("nueva contra ceros", "00-00-00-00-00-E0-0", {}, false, "0+0", {}, {}, {});
    }

    void apuesta()
    {
        QFETCH(QString, texto);
        QFETCH(Euromillon, leida);
        QFETCH(Euromillon, sorteo);
        Euromillon combinacion {9, 9, 9, 9, 9, 9, 9};
        CadenaAEuromillon(texto, combinacion);
        QCOMPARE(combinacion, leida);
        QTEST(EuromillonACadena(leida), "escrita");
        QTEST(ApuestaValida(leida), "valida");
        const Aciertos aciertos = ContarAciertos(sorteo, leida);
        QCOMPARE(ContarAciertos(leida, sorteo), aciertos);
        QTEST(aciertos.Texto(), "aciertos");
        QTEST(TextoPremio(aciertos), "premio");
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
