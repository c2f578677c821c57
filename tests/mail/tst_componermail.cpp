#include "mail/ComponerMail.h"

#include <QTest>

namespace {

// Rows as "number N1 .. N5 E1 E2 hits".
std::vector<LineaResultado> Lineas(const QStringList &filas)
{
    std::vector<LineaResultado> lineas;
    for (const QString &fila : filas) {
        const QStringList campos = fila.split(' ');
        LineaResultado linea {campos[0].toInt(), {}, campos[8]};
        std::copy(campos.begin() + 1, campos.begin() + 8, linea.valores.begin());
        lineas.push_back(linea);
    }
    return lineas;
}

} // namespace

class TstComponerMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void direccion_data();
    void direccion();
    void codificacion_data();
    void codificacion();
};

// Each body is composed, put into the address and read back as a mail program
// would: the address must hold exactly the subject and the body, and decode to
// the expected text.
void TstComponerMail::direccion_data()
{
    QTest::addColumn<QString>("fecha");
    QTest::addColumn<QString>("sorteo");
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<QString>("esperado");

    const QString tipico = "3 15 22 38 49 2 7";
    const QStringList fila1 {"1 3 15 20 38 44 2 5 3+1"};
    const QString resto = "\r\n\r\nNúmeros premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\n"
                          "Resultados:\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n";

    QTest::newRow("ejemplo") << "2005-12-02" << tipico << fila1
                             << "Resultados del Euromillón (2005-12-02)" + resto;
    QTest::newRow("sin fecha") << "" << tipico << fila1 << "Resultados del Euromillón" + resto;
    QTest::newRow("filas 9, 12 y 100")
        << "x"
        << "1 2 3 4 5 6 7"
        << QStringList {"9 1 2 3 4 5 6 7 5+2", "12 10 2 30 4 50 1 12 2+0",
                        "100 44 45 46 47 48 9 10 0+0"}
        << "Resultados del Euromillón (x)\r\n\r\nNúmeros premiados:\r\n1,2,3,4,5 - 6,7\r\n\r\n"
           "Resultados:\r\n09: 01,02,03,04,05 - 6,7 -> 5+2\r\n"
           "12: 10,02,30,04,50 - 1,12 -> 2+0\r\n100: 44,45,46,47,48 - 9,10 -> 0+0\r\n";

    // A date from the feed can hold anything; it must arrive as text.
    for (const char *fecha : {"&cc=x@y", "#", "%", "?", "a&body=b", "%0d%0aBcc: x@y", "+ ü \""}) {
        const QString hostil = QString::fromUtf8(fecha);
        QTest::newRow(fecha) << hostil << tipico << fila1
                             << "Resultados del Euromillón (" + hostil + ")" + resto;
    }
}

void TstComponerMail::direccion()
{
    QFETCH(QString, fecha);
    QFETCH(QString, sorteo);
    QFETCH(QStringList, filas);
    QFETCH(QString, esperado);

    std::array<QString, 7> numeros;
    std::ranges::copy(sorteo.split(' '), numeros.begin());
    const QString direccion
        = DireccionMail(AsuntoResultados(), ComponerCuerpo(fecha, numeros, Lineas(filas)));

    QVERIFY(direccion.startsWith(QStringLiteral("mailto:?")));
    const QStringList campos = direccion.mid(8).split(QLatin1Char('&'));
    QCOMPARE(campos.size(), 2);
    QVERIFY(campos[0].startsWith(QStringLiteral("subject=")));
    QVERIFY(campos[1].startsWith(QStringLiteral("body=")));
    const auto decodificar = [](const QString &campo) {
        return QString::fromUtf8(
            QByteArray::fromPercentEncoding(campo.section(QLatin1Char('='), 1).toLatin1()));
    };
    QCOMPARE(decodificar(campos[0]), QStringLiteral("Trebolero"));
    QCOMPARE(decodificar(campos[1]), esperado);
}

void TstComponerMail::codificacion_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("codificado");

    QTest::newRow("permitidos") << "aZ09-._~!$'()*,;:@" << QByteArray("aZ09-._~!$'()*,;:@");
    QTest::newRow("separadores") << "&=?#/+% " << QByteArray("%26%3D%3F%23%2F%2B%25%20");
    QTest::newRow("UTF-8") << "ó€" << QByteArray("%C3%B3%E2%82%AC");
    QTest::newRow("saltos") << "a\r\nb\nc\rd\r\r\n"
                            << QByteArray("a%0D%0Ab%0D%0Ac%0D%0Ad%0D%0A%0D%0A");
}

void TstComponerMail::codificacion()
{
    QFETCH(QString, texto);
    QFETCH(QByteArray, codificado);
    QCOMPARE(CodificarMailto(texto), codificado);
}

QTEST_APPLESS_MAIN(TstComponerMail)
#include "tst_componermail.moc"
