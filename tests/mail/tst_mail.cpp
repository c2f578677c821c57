#include "mail/ComponerMail.h"
#include "support/VentanaPrueba.h"

#include <QPushButton>
#include <QTest>
#include <QUrlQuery>

namespace {

// A date from the feed that tries to add a recipient, a header, a second body
// and a fragment, with characters from outside ASCII.
const QString Fecha = QString::fromUtf8("2005-12-02&cc=x@y#%0d%0aBcc: x?a&body=b+ ü\"");
const QString Cabecera = "\r\n\r\nNúmeros premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\nResultados:\r\n";

} // namespace

// The results mail, the web page and the mail to the author.
class TstMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cuerpo();
    void codificacion();
    void comandos_data();
    void comandos();
};

// Rows and numbers, not stars, get two digits at least; no date, no brackets.
void TstMail::cuerpo()
{
    const std::array<QString, 7> sorteo {"3", "15", "22", "38", "49", "2", "7"};
    QCOMPARE(ComponerCuerpo("", sorteo, {}), "Resultados del Euromillón" + Cabecera);
    QCOMPARE(ComponerCuerpo("x", sorteo,
                            {{9, {1, 2, 3, 4, 5, 6, 7}, "5+2"},
                             {12, {10, 2, 30, 4, 50, 1, 12}, "2+0"},
                             {100, {44, 45, 46, 47, 48, 9, 10}, "0+0"}}),
             "Resultados del Euromillón (x)" + Cabecera
                 + "09: 01,02,03,04,05 - 6,7 -> 5+2\r\n12: 10,02,30,04,50 - 1,12 -> 2+0\r\n"
                   "100: 44,45,46,47,48 - 9,10 -> 0+0\r\n");
}

void TstMail::codificacion()
{
    for (const auto &[texto, codificado] :
         {std::pair {u"aZ09-._~!$'()*,;:@", "aZ09-._~!$'()*,;:@"},
          {u"&=?#/+% ", "%26%3D%3F%23%2F%2B%25%20"},
          {u"ó€", "%C3%B3%E2%82%AC"},
          {u"a\r\nb\nc\rd\r\r\n", "a%0D%0Ab%0D%0Ac%0D%0Ad%0D%0A%0D%0A"}})
        QCOMPARE(CodificarMailto(QString::fromUtf16(texto)), QByteArray(codificado));
}

// With the draw 3 15 22 38 49 2 7 and the date typed in and, unless said,
// checked: a mail address is given by the body it decodes to.
void TstMail::comandos_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("comprobar");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("rechazar");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QStringList>("direcciones");
    QTest::addColumn<QString>("portapapeles");
    const auto fila = [](const char *nombre, const QByteArray &ini, const char *control,
                         bool rechazar, const QString &mensaje, const QStringList &direcciones,
                         const QString &portapapeles = {}, bool comprobar = true) {
        QTest::newRow(nombre) << ini << comprobar << QString(control) << rechazar << mensaje
                              << direcciones << portapapeles;
    };
    const QByteArray dos
        = "[Combinaciones]\nTotal=2\nC1=03-15-20-38-44-E2-5\nC2=07-10-12-31-2-E11-1\n"
          "[DataSource]\nWeb=http://127.0.0.1:8/a b?x=1&y=%20\n";
    const QString cuerpo = "Resultados del Euromillón (" + Fecha + ")" + Cabecera
        + "01: 03,15,20,38,44 - 2,5 -> 3+1\r\n";
    const QString fila2 = "02: 07,10,12,31,02 - 11,1 -> 0+0\r\n";
    const QString copiado = "No se ha podido abrir el programa de correo con los resultados. Se "
                            "han copiado al portapapeles: pégalos en un mensaje nuevo.";
    fila("mail sin comprobar", dos, "cmdViaMail", false,
         "Has de comprobar el resultado de los premios antes de poder enviarlo por email!", {}, {},
         false);
    fila("mail", dos, "cmdViaMail", false, "", {cuerpo + fila2});
    fila("mail rechazado", dos, "cmdViaMail", true, copiado, {cuerpo + fila2},
         "Trebolero\n" + cuerpo + fila2);
    QByteArray largo = "[Combinaciones]\nTotal=2000\n";
    QString lineas;
    for (int i = 1; i <= 2000; ++i) {
        largo += "C" + QByteArray::number(i) + "=03-15-22-38-49-E2-7\n";
        lineas += DosDigitos(QString::number(i)) + ": 03,15,22,38,49 - 2,7 -> 5+2\r\n";
    }
    fila("mail demasiado largo", largo, "cmdViaMail", false, copiado, {},
         "Trebolero\nResultados del Euromillón (" + Fecha + ")" + Cabecera + lineas);
    fila("web rechazada", dos, "cmdWeb", true, "No se ha podido abrir la página web.",
         {"http://127.0.0.1:8/a b?x=1&y=%20"});
    fila("web sin clave", "[Copyright]\nWeb=http://127.0.0.1/\n", "cmdWeb", true, "", {}, {},
         false);
    const QString autor = "mailto:orbelan@example.com?subject=Trebolero";
    fila("correo del autor rechazado", dos, "lbEmail", true,
         "No se ha podido abrir el programa de correo.", {autor});
    fila("acerca de", dos, "btnAbout", true,
         "Trebolero 4.0, comprobador de apuestas del Euromillón, por Orbelan\r\n"
         "   La descarga automática suele funcionar a partir del sabado al mediodía",
         {});
}

// Each command pressed from the keyboard.
void TstMail::comandos()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, comprobar);
    QFETCH(QString, control);
    QFETCH(bool, rechazar);
    ProgramaPrueba programa(ini);
    EscritorioGrabador &escritorio = programa.entorno.escritorio;
    escritorio.rechazarDirecciones = rechazar;
    QVERIFY(Activar(programa.ventana));
    EscribirCajas(programa.ventana, QString("3 15 22 38 49 2 7").split(' ') << Fecha);
    if (comprobar)
        programa.ventana.findChild<QPushButton *>("cmdComprobar")->click();
    programa.ventana.findChild<QWidget *>(control)->setFocus();
    Teclear(" ");

    QTEST(escritorio.mensajes.join(""), "mensaje");
    QStringList abiertas;
    for (const QString &direccion : escritorio.direcciones) {
        // Read back as a mail program reads it: a subject and a body, no more.
        const QUrlQuery consulta(QUrl(direccion, QUrl::StrictMode));
        const bool resultados = direccion.startsWith("mailto:?");
        QVERIFY(!resultados || consulta.queryItems().size() == 2);
        QVERIFY(!resultados || consulta.queryItemValue("subject") == "Trebolero");
        abiertas << (resultados ? consulta.queryItemValue("body", QUrl::FullyDecoded) : direccion);
    }
    QTEST(abiertas, "direcciones");
    QTEST(escritorio.portapapeles, "portapapeles");
}

QTEST_MAIN(TstMail)
#include "tst_mail.moc"
