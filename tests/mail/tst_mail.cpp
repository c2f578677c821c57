#include "mail/ComponerMail.h"
#include "support/VentanaPrueba.h"

#include <QTest>
#include <QUrlQuery>

namespace {

// A date from the feed that tries to add a recipient, a header, a second body
// and a fragment, with characters from outside ASCII.
const QString Fecha = QString::fromUtf8("2005-12-02&cc=x@y#%0d%0aBcc: x?a&body=b+ ü\"");

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

// The results mail: its commands in the main window, its body and how it is
// put into a mailto address.
class TstMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comandos_data();
    void comandos();
    void cuerpo_data();
    void cuerpo();
    void codificacion_data();
    void codificacion();
};

// The list holds rows of "N1 .. N5 E1 E2 [hits]", as a check leaves them, and
// the boxes hold 3 15 22 38 49 2 7 and a date from the feed, which can hold
// anything and must arrive as text. A mail address is given by the body it
// decodes to.
void TstMail::comandos_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QStringList>("direcciones");
    const auto fila
        = [](const char *nombre, const QByteArray &ini, const QStringList &filas,
             const char *control, const QString &mensaje, const QStringList &direcciones = {}) {
              QTest::newRow(nombre) << ini << filas << QString(control) << mensaje << direcciones;
          };

    const QString rechazo
        = "Has de comprobar el resultado de los premios antes de poder enviarlo por email!";
    const QString apuesta = "3 15 20 38 44 2 5";
    const QStringList sinComprobar {apuesta, apuesta};
    fila("mail sin comprobar", {}, sinComprobar, "cmdViaMail", rechazo);
    fila("mail, fila 1 vacía", {}, {apuesta + " ", apuesta + " 1+0"}, "cmdViaMail", rechazo);
    fila("acerca de", {}, sinComprobar, "btnAbout",
         "Trebolero 4.0, comprobador de apuestas del Euromillón, por Orbelan\r\n"
         "   La descarga automática suele funcionar a partir del sabado al mediodía");
    fila("correo del autor", {}, sinComprobar, "lbEmail", "",
         {"mailto:orbelan@example.com?subject=Trebolero"});
    fila("web sin clave",
         "[DataSource]\nRDFData=http://127.0.0.1/r\n[Copyright]\nWeb=http://127.0.0.1/\n",
         sinComprobar, "cmdWeb", "", {""});
    fila("web tal cual", "[DataSource]\nWeb=http://127.0.0.1:8/a b?x=1&y=%20\n", sinComprobar,
         "cmdWeb", "", {"http://127.0.0.1:8/a b?x=1&y=%20"});

    // Row 2 has no result; the stored count is read at the click.
    const QStringList comprobadas {apuesta + " 3+1", "1 2 3 4 5 6 7", "7 10 12 31 2 11 1 1+0"};
    const QString cuerpo = "Resultados del Euromillón (" + Fecha
        + ")\r\n\r\n"
          "Números premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\nResultados:\r\n"
          "01: 03,15,20,38,44 - 2,5 -> 3+1\r\n";
    const QString fila3 = "03: 07,10,12,31,02 - 11,1 -> 1+0\r\n";
    fila("mail, Total 1", "[Combinaciones]\nTotal=1\n", comprobadas, "cmdViaMail", "", {cuerpo});
    fila("mail, Total ilegible", "[Combinaciones]\nTotal=tres\n", comprobadas, "cmdViaMail", "",
         {cuerpo + fila3});
    fila("mail, Total enorme", "[Combinaciones]\nTotal=9000000000000000000\n", comprobadas,
         "cmdViaMail", "", {cuerpo + fila3});
}

// Each command pressed from the keyboard; none touches the list or the file.
void TstMail::comandos()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, filas);
    QFETCH(QString, control);
    QFETCH(QString, mensaje);
    QFETCH(QStringList, direcciones);
    ProgramaPrueba programa;
    FormMain &ventana = programa.ventana;
    const EscritorioGrabador &escritorio = programa.entorno.escritorio;
    QVERIFY(Activar(ventana));
    if (!ini.isEmpty())
        programa.entorno.EscribirIni(ini);
    const QByteArray contenido = programa.entorno.LeerIni();
    ModeloResultado &modelo = Modelo(ventana);
    modelo.EliminarFilas();
    for (const QString &textos : filas) {
        modelo.AgregarFila(QString::number(modelo.NumeroFilas() + 1));
        for (const QString &texto : textos.split(' '))
            QVERIFY(modelo.AgregarSubElemento(modelo.NumeroFilas(), texto));
    }
    EscribirCajas(ventana, QString("3 15 22 38 49 2 7").split(' ') << Fecha);

    ventana.findChild<QWidget *>(control)->setFocus();
    Teclear(" ");

    QCOMPARE(escritorio.mensajes.join(""), mensaje);
    for (const QWidget *propietario : escritorio.propietarios)
        QCOMPARE(propietario, &ventana);
    QStringList abiertas;
    for (const QString &direccion : escritorio.direcciones) {
        if (!direccion.startsWith("mailto:?")) {
            abiertas << direccion;
            continue;
        }
        // Read back as a mail program reads it: a subject and a body, no more.
        const QUrlQuery consulta(QUrl(direccion, QUrl::StrictMode));
        QCOMPARE(consulta.queryItems().size(), 2);
        QCOMPARE(consulta.queryItemValue("subject", QUrl::FullyDecoded), "Trebolero");
        abiertas << consulta.queryItemValue("body", QUrl::FullyDecoded);
    }
    QCOMPARE(abiertas, direcciones);
    QCOMPARE(modelo.NumeroFilas(), filas.size());
    QCOMPARE(programa.entorno.LeerIni(), contenido);
}

void TstMail::cuerpo_data()
{
    QTest::addColumn<QString>("fecha");
    QTest::addColumn<QString>("sorteo");
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("sin fecha") << ""
                               << "3 15 22 38 49 2 7" << QStringList {"1 3 15 20 38 44 2 5 3+1"}
                               << "Resultados del Euromillón\r\n\r\nNúmeros premiados:\r\n"
                                  "3,15,22,38,49 - 2,7\r\n\r\nResultados:\r\n"
                                  "01: 03,15,20,38,44 - 2,5 -> 3+1\r\n";
    QTest::newRow("filas 9, 12 y 100")
        << "x"
        << "1 2 3 4 5 6 7"
        << QStringList {"9 1 2 3 4 5 6 7 5+2", "12 10 2 30 4 50 1 12 2+0",
                        "100 44 45 46 47 48 9 10 0+0"}
        << "Resultados del Euromillón (x)\r\n\r\nNúmeros premiados:\r\n1,2,3,4,5 - 6,7\r\n\r\n"
           "Resultados:\r\n09: 01,02,03,04,05 - 6,7 -> 5+2\r\n"
           "12: 10,02,30,04,50 - 1,12 -> 2+0\r\n100: 44,45,46,47,48 - 9,10 -> 0+0\r\n";
}

void TstMail::cuerpo()
{
    QFETCH(QString, fecha);
    QFETCH(QString, sorteo);
    QFETCH(QStringList, filas);
    QFETCH(QString, esperado);
    std::array<QString, 7> numeros;
    std::ranges::copy(sorteo.split(' '), numeros.begin());
    QCOMPARE(ComponerCuerpo(fecha, numeros, Lineas(filas)), esperado);
}

void TstMail::codificacion_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("codificado");

    QTest::newRow("permitidos") << "aZ09-._~!$'()*,;:@" << QByteArray("aZ09-._~!$'()*,;:@");
    QTest::newRow("separadores") << "&=?#/+% " << QByteArray("%26%3D%3F%23%2F%2B%25%20");
    QTest::newRow("UTF-8") << "ó€" << QByteArray("%C3%B3%E2%82%AC");
    QTest::newRow("saltos") << "a\r\nb\nc\rd\r\r\n"
                            << QByteArray("a%0D%0Ab%0D%0Ac%0D%0Ad%0D%0A%0D%0A");
}

void TstMail::codificacion()
{
    QFETCH(QString, texto);
    QFETCH(QByteArray, codificado);
    QCOMPARE(CodificarMailto(texto), codificado);
}

QTEST_MAIN(TstMail)
#include "tst_mail.moc"
