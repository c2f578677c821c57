#include "model/Apuestas.h"

#include <QTest>

Q_DECLARE_METATYPE(Euromillon)
Q_DECLARE_METATYPE(Aciertos)
Q_DECLARE_METATYPE(DocumentoIni)

namespace {

Euromillon Combinacion(std::array<std::int16_t, 7> campos)
{
    Euromillon combinacion;
    for (int i = 1; i <= 7; ++i)
        combinacion.Campo(i) = campos[std::size_t(i - 1)];
    return combinacion;
}

DocumentoIni Lista(const QByteArray &total, const QByteArray &claves = {})
{
    return DocumentoIni("[Combinaciones]\nTotal=" + total + '\n' + claves);
}

} // namespace

class TstModelo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The stored text read over a record of 9s, so a field left as it was shows.
    void cadena_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<Euromillon>("leida");
        QTest::newRow("guardada") << "03-17-22-41-50-E2-8"
                                  << Combinacion({3, 17, 22, 41, 50, 2, 8});
        QTest::newRow("una cifra")
            << "3-17-22-41-50-E2-8" << Combinacion({3, 17, 22, 41, 50, 2, 8});
        QTest::newRow("estrellas de dos")
            << "1-2-3-4-5-E10-12" << Combinacion({1, 2, 3, 4, 5, 10, 12});
        QTest::newRow("vacía") << "" << Combinacion({9, 9, 9, 9, 9, 9, 9});
        QTest::newRow("sin estrellas")
            << "03-17-22-41-50" << Combinacion({3, 17, 22, 41, 50, 9, 9});
        QTest::newRow("sin E") << "03-17-22-41-50-2-8" << Combinacion({3, 17, 22, 41, 50, -8, 9});
        QTest::newRow("letra") << "03-1x-22-41-50-E2-8" << Combinacion({3, 9, 22, 41, 50, 2, 8});
        QTest::newRow("decimal") << "2.-17-22-41-50-E2-8" << Combinacion({9, 17, 22, 41, 50, 2, 8});
    }

    void cadena()
    {
        QFETCH(QString, texto);
        QFETCH(Euromillon, leida);
        Euromillon combinacion = Combinacion({9, 9, 9, 9, 9, 9, 9});
        CadenaAEuromillon(texto, combinacion);
        QCOMPARE(combinacion, leida);
    }

    // What is written reads back as the same record.
    void escrita_data()
    {
        QTest::addColumn<Euromillon>("combinacion");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cifras") << Combinacion({3, 17, 22, 41, 50, 2, 8}) << "03-17-22-41-50-E2-8";
        QTest::newRow("estrellas de dos")
            << Combinacion({1, 2, 3, 4, 5, 10, 12}) << "01-02-03-04-05-E10-12";
        QTest::newRow("nueva") << Euromillon() << "00-00-00-00-00-E0-0";
    }

    void escrita()
    {
        QFETCH(Euromillon, combinacion);
        QTEST(EuromillonACadena(combinacion), "texto");
        Euromillon leida;
        CadenaAEuromillon(EuromillonACadena(combinacion), leida);
        QCOMPARE(leida, combinacion);
    }

    // Each value counts once, 0 never, numbers apart from stars; both ways round.
    void aciertos_data()
    {
        QTest::addColumn<Euromillon>("apuesta");
        QTest::addColumn<Euromillon>("sorteo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("categoria");
        QTest::addColumn<QString>("premio");
        const Euromillon sorteo = Combinacion({3, 17, 22, 41, 50, 2, 8});
        QTest::newRow("todo") << sorteo << sorteo << "5+2" << 1
                              << "Premio de 1.ª categoría: 5 números y 2 estrellas";
        QTest::newRow("desordenada") << Combinacion({50, 41, 22, 17, 3, 8, 1}) << sorteo << "5+1"
                                     << 2 << "Premio de 2.ª categoría: 5 números y 1 estrella";
        QTest::newRow("cuatro sin estrellas")
            << Combinacion({3, 17, 22, 41, 1, 3, 4}) << sorteo << "4+0" << 7
            << "Premio de 7.ª categoría: 4 números y 0 estrellas";
        QTest::newRow("estrella igual a un número")
            << Combinacion({3, 17, 22, 1, 4, 17, 5}) << sorteo << "3+0" << 10
            << "Premio de 10.ª categoría: 3 números y 0 estrellas";
        QTest::newRow("repetidos")
            << Combinacion({3, 3, 3, 9, 10, 2, 2}) << sorteo << "1+1" << 0 << "";
        QTest::newRow("ceros") << Euromillon() << Euromillon() << "0+0" << 0 << "";
        QTest::newRow("dos y cero") << Combinacion({3, 17, 1, 4, 5, 6, 7}) << sorteo << "2+0" << 13
                                    << "Premio de 13.ª categoría: 2 números y 0 estrellas";
    }

    void aciertos()
    {
        QFETCH(Euromillon, apuesta);
        QFETCH(Euromillon, sorteo);
        const Aciertos aciertos = ContarAciertos(sorteo, apuesta);
        QCOMPARE(ContarAciertos(apuesta, sorteo), aciertos);
        QTEST(aciertos.Texto(), "texto");
        QTEST(CategoriaPremio(aciertos), "categoria");
        QTEST(TextoPremio(aciertos), "premio");
    }

    void valida_data()
    {
        QTest::addColumn<Euromillon>("apuesta");
        QTest::addColumn<bool>("valida");
        QTest::newRow("límites") << Combinacion({1, 2, 3, 4, 50, 1, 12}) << true;
        QTest::newRow("número 0") << Combinacion({0, 2, 3, 4, 5, 1, 2}) << false;
        QTest::newRow("número 51") << Combinacion({1, 2, 3, 4, 51, 1, 2}) << false;
        QTest::newRow("números repetidos") << Combinacion({1, 2, 3, 4, 1, 1, 2}) << false;
        QTest::newRow("estrella 13") << Combinacion({1, 2, 3, 4, 5, 1, 13}) << false;
        QTest::newRow("estrellas repetidas") << Combinacion({1, 2, 3, 4, 5, 7, 7}) << false;
        QTest::newRow("estrella negativa") << Combinacion({1, 2, 3, 4, 5, -1, 2}) << false;
    }

    void valida()
    {
        QFETCH(Euromillon, apuesta);
        QTEST(ApuestaValida(apuesta), "valida");
    }

    // One count for every reader of the list, and the bets up to it.
    void lista_data()
    {
        QTest::addColumn<DocumentoIni>("ini");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("leidas");
        // A repeated key reads as its first line, and "C02" is not bet 2.
        const QByteArray claves = "C1=1-2-3-4-5-E1-2\nc3=07-08-09-10-11-E3-4\nC4=9-9-9-9-9-E9-9\n"
                                  "c1=50-49-48-47-46-E12-11\nC02=1-1-1-1-1-E1-1\n";
        QTest::newRow("sin fichero") << DocumentoIni() << 0 << 0;
        QTest::newRow("vacío") << Lista("") << 0 << 0;
        QTest::newRow("0") << Lista("0", claves) << 0 << 0;
        QTest::newRow("3") << Lista("3", claves) << 3 << 3;
        QTest::newRow("32767") << Lista("32767") << 32767 << 32767;
        QTest::newRow("32768") << Lista("32768") << 32767 << 32767;
        QTest::newRow("32769") << Lista("32769", claves) << -1 << 0;
        QTest::newRow("abc") << Lista("abc", claves) << -1 << 0;
        QTest::newRow("-1") << Lista("-1", claves) << -1 << 0;
        QTest::newRow("1.5") << Lista("1.5", claves) << -1 << 0;
    }

    void lista()
    {
        QFETCH(DocumentoIni, ini);
        QTEST(LeerTotal(ini).value_or(-1), "total");
        const std::vector<Euromillon> apuestas = LeerApuestas(ini);
        QTEST(int(apuestas.size()), "leidas");
        if (apuestas.size() == 3) {
            QCOMPARE(apuestas[0], Combinacion({1, 2, 3, 4, 5, 1, 2}));
            QCOMPARE(apuestas[1], Euromillon());
            QCOMPARE(apuestas[2], Combinacion({7, 8, 9, 10, 11, 3, 4}));
            for (int n = 1; n <= 3; ++n)
                QCOMPARE(LeerApuesta(ini, n), apuestas[std::size_t(n) - 1]);
            QCOMPARE(LeerApuesta(ini, 4), Combinacion({9, 9, 9, 9, 9, 9, 9}));
        }
    }
};

QTEST_APPLESS_MAIN(TstModelo)
#include "tst_modelo.moc"
