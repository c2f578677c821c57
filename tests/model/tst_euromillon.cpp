#include "model/modTypeEuromillon.h"

#include <QTest>

namespace {

Euromillon Combinacion(std::array<std::int16_t, 7> v)
{
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

// A record whose fields all hold a marker, to see which ones a parse left alone.
constexpr std::int16_t Marca = 99;
const Euromillon Marcado = Combinacion({Marca, Marca, Marca, Marca, Marca, Marca, Marca});

} // namespace

class TstEuromillon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parser_data();
    void parser();
    void dosDigitos_data();
    void dosDigitos();
    void textoNumero_data();
    void textoNumero();
    void conversion_data();
    void conversion();
    void aciertos_data();
    void aciertos();
    void premios_data();
    void premios();
};

void TstEuromillon::parser_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<Euromillon>("esperado");

    const auto m = Marca;
    QTest::newRow("placeholder") << QStringLiteral("00-00-00-00-00-E0-0") << Combinacion({0, 0, 0, 0, 0, 0, 0});
    QTest::newRow("saved form") << QStringLiteral("03-17-22-41-50-E2-8") << Combinacion({3, 17, 22, 41, 50, 2, 8});
    QTest::newRow("one-character first number")
        << QStringLiteral("3-17-22-41-50-E2-8") << Combinacion({3, 17, 22, 41, 50, 2, 8});
    QTest::newRow("two-character stars")
        << QStringLiteral("03-17-22-41-50-E02-08") << Combinacion({3, 17, 22, 41, 50, 2, 8});
    QTest::newRow("stars of today's game")
        << QStringLiteral("03-17-22-41-50-E10-12") << Combinacion({3, 17, 22, 41, 50, 10, 12});
    QTest::newRow("all one character") << QStringLiteral("1-2-3-4-5-E1-2") << Combinacion({1, 2, 3, 4, 5, 1, 2});
    QTest::newRow("empty text keeps everything") << QStringLiteral("") << Marcado;
    QTest::newRow("no stars") << QStringLiteral("03-17-22-41-50") << Combinacion({3, 17, 22, 41, 50, m, m});
    QTest::newRow("no E: the star reads a sign")
        << QStringLiteral("03-17-22-41-50-2-8") << Combinacion({3, 17, 22, 41, 50, -8, m});
    QTest::newRow("letter keeps its field")
        << QStringLiteral("03-1x-22-41-50-E2-8") << Combinacion({3, m, 22, 41, 50, 2, 8});
    QTest::newRow("decimal point is not a number")
        << QStringLiteral("03-.5-22-41-50-E2-8") << Combinacion({3, m, 22, 41, 50, 2, 8});
    QTest::newRow("blank around a digit") << QStringLiteral(" 3-17-22-41-50-E2-8") << Combinacion({3, 17, 22, 41, 50, 2, 8});
    QTest::newRow("text after the second star ignored")
        << QStringLiteral("03-17-22-41-50-E2-8 extra") << Combinacion({3, 17, 22, 41, 50, 2, 8});
    QTest::newRow("non-ASCII digits are not numbers")
        << QStringLiteral("٣٣-17-22-41-50-E2-8") << Combinacion({m, 17, 22, 41, 50, 2, 8});
}

void TstEuromillon::parser()
{
    QFETCH(QString, texto);
    QFETCH(Euromillon, esperado);
    Euromillon combinacion = Marcado;
    CadenaAEuromillon(texto, combinacion);
    QCOMPARE(combinacion, esperado);
}

void TstEuromillon::dosDigitos_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("one digit") << QStringLiteral("7") << QStringLiteral("07");
    QTest::newRow("two digits") << QStringLiteral("12") << QStringLiteral("12");
    QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("");
    QTest::newRow("three") << QStringLiteral("123") << QStringLiteral("123");
    QTest::newRow("one letter") << QStringLiteral("x") << QStringLiteral("0x");
}

void TstEuromillon::dosDigitos()
{
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    QCOMPARE(DosDigitos(texto), esperado);
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
}

void TstEuromillon::conversion_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<int>("valor");
    QTest::newRow("plain") << QStringLiteral("42") << true << 42;
    QTest::newRow("blanks and sign") << QStringLiteral("  -7 ") << true << -7;
    QTest::newRow("plus sign") << QStringLiteral("+5") << true << 5;
    QTest::newRow("largest") << QStringLiteral("32767") << true << 32767;
    QTest::newRow("smallest") << QStringLiteral("-32768") << true << -32768;
    QTest::newRow("too large") << QStringLiteral("32768") << false << 0;
    QTest::newRow("huge") << QStringLiteral("99999999999999999999999") << false << 0;
    QTest::newRow("empty") << QStringLiteral("") << false << 0;
    QTest::newRow("blank") << QStringLiteral(" ") << false << 0;
    QTest::newRow("sign alone") << QStringLiteral("-") << false << 0;
    QTest::newRow("fraction") << QStringLiteral("2.5") << false << 0;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << false << 0;
    QTest::newRow("currency") << QStringLiteral("$5") << false << 0;
    QTest::newRow("hex") << QStringLiteral("0x1") << false << 0;
}

void TstEuromillon::conversion()
{
    QFETCH(QString, texto);
    QFETCH(bool, valido);
    QFETCH(int, valor);
    const auto convertido = ConvertirEntero16(texto);
    QCOMPARE(convertido.has_value(), valido);
    if (valido)
        QCOMPARE(*convertido, valor);
}

void TstEuromillon::aciertos_data()
{
    QTest::addColumn<Euromillon>("sorteo");
    QTest::addColumn<Euromillon>("apuesta");
    QTest::addColumn<QString>("esperado");

    const Euromillon sorteo = Combinacion({3, 15, 22, 38, 49, 2, 7});
    QTest::newRow("all hit") << sorteo << sorteo << QStringLiteral("5+2");
    QTest::newRow("nothing") << sorteo << Combinacion({1, 4, 5, 6, 8, 1, 3}) << QStringLiteral("0+0");
    QTest::newRow("worked example")
        << sorteo << Combinacion({3, 15, 20, 38, 44, 2, 5}) << QStringLiteral("3+1");
    QTest::newRow("order plays no part")
        << Combinacion({5, 4, 3, 2, 1, 1, 2}) << Combinacion({1, 2, 3, 4, 5, 2, 1}) << QStringLiteral("5+2");
    QTest::newRow("a star equal to a number counts nothing")
        << sorteo << Combinacion({1, 4, 5, 6, 8, 3, 15}) << QStringLiteral("0+0");
    QTest::newRow("stars of today's game")
        << Combinacion({1, 2, 3, 4, 5, 10, 12}) << Combinacion({6, 7, 8, 9, 11, 12, 10}) << QStringLiteral("0+2");
    QTest::newRow("repeated draw number counts once")
        << Combinacion({7, 7, 20, 30, 40, 1, 2}) << Combinacion({7, 1, 2, 3, 4, 5, 6}) << QStringLiteral("1+0");
    QTest::newRow("repeated bet stars count once")
        << Combinacion({1, 2, 3, 4, 5, 3, 5}) << Combinacion({6, 7, 8, 9, 10, 3, 3}) << QStringLiteral("0+1");
    QTest::newRow("all zeros hit nothing")
        << Combinacion({0, 0, 0, 0, 0, 0, 0}) << Combinacion({0, 0, 0, 0, 0, 0, 0}) << QStringLiteral("0+0");
    QTest::newRow("empty star boxes against the placeholder")
        << Combinacion({3, 15, 22, 38, 49, 0, 0}) << Combinacion({0, 0, 0, 0, 0, 0, 0}) << QStringLiteral("0+0");
    QTest::newRow("negative values never count")
        << Combinacion({-1, 2, 3, 4, 5, -8, 1}) << Combinacion({-1, 6, 7, 8, 9, -8, 2}) << QStringLiteral("0+0");
}

void TstEuromillon::aciertos()
{
    QFETCH(Euromillon, sorteo);
    QFETCH(Euromillon, apuesta);
    QFETCH(QString, esperado);
    QCOMPARE(ContarAciertos(sorteo, apuesta), esperado);
    QCOMPARE(ContarAciertos(apuesta, sorteo), esperado);
}

void TstEuromillon::premios_data()
{
    QTest::addColumn<QString>("aciertos");
    QTest::addColumn<bool>("premio");
    for (const char *texto : {"5+2", "5+1", "5+0", "4+2", "4+1", "3+2", "4+0", "2+2", "3+1",
                              "3+0", "1+2", "2+1", "2+0"})
        QTest::newRow(texto) << QString::fromLatin1(texto) << true;
    for (const char *texto : {"0+0", "0+1", "0+2", "1+0", "1+1", "", "5+3", " 5+2"})
        QTest::newRow(texto) << QString::fromLatin1(texto) << false;
}

void TstEuromillon::premios()
{
    QFETCH(QString, aciertos);
    QFETCH(bool, premio);
    QCOMPARE(EsPremio(aciertos), premio);
}

QTEST_APPLESS_MAIN(TstEuromillon)
#include "tst_euromillon.moc"
