#include "PantallaVirtual.h"
#include "ProgramaEnPrueba.h"

#include "desktop/Twips.h"
#include "support/ServidorPrueba.h"

#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// Generous bounds: the program runs under the sanitizers on a busy machine.
constexpr int Espera = 20000;

const QString VentanaPrincipal = "^Trebolero 4\\.0 - bY Orbelan$";
const QString CajaMensaje = "^Trebolero$";
const QString Editor = "^Configuraci";
const QString Web = "http://127.0.0.1/trebolero-web";

QByteArray Ini(const QByteArray &combinaciones, quint16 puerto = 9)
{
    return combinaciones + "[DataSource]\nRDFData=http://127.0.0.1:" + QByteArray::number(puerto)
        + "/sorteos.rdf\nWeb=" + Web.toLatin1() + "\n[Copyright]\nAutor=Orbelan\nDate=2005/12\n";
}

const QByteArray DosApuestas = "[Combinaciones]\nTotal=2\nC1=03-15-20-38-44-E2-5\n"
                               "C2=01-02-03-04-05-E10-12\n";

const QByteArray Feed
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\n"
      "         xmlns=\"http://purl.org/rss/1.0/\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
      "  <channel rdf:about=\"http://127.0.0.1/\"><title>Sorteos</title></channel>\n"
      "  <item><title>Bonoloto</title><dc:subject>01-02-03-04-05-E1-2</dc:subject>\n"
      "    <dc:date>2005-12-01</dc:date></item>\n"
      "  <item><title>Euromillon 2005-12-02</title><dc:subject>03-15-22-38-49-E2-7</dc:subject>\n"
      "    <dc:date>2005-12-02T21:30:00+01:00</dc:date></item>\n"
      "</rdf:RDF>\n";

// The fields of a mailto address, each decoded: a recipient or a header
// smuggled in through the date would show up beside the subject and body.
QStringList CamposMail(const QString &direccion)
{
    QStringList campos;
    if (direccion.startsWith("mailto:?"))
        for (const QString &campo : direccion.mid(8).split('&'))
            campos << QUrl::fromPercentEncoding(campo.toLatin1());
    return campos;
}

} // namespace

class TstE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void comprobarYEnviarPorMail();
    void mensajeSeCierraConEnter_data();
    void mensajeSeCierraConEnter();
    void editorGuardaApuestaNueva();
    void descargaDelServidorLocal();
    void servidorMudoNoCongela();
    void descargaSinModuloDeRed();

private:
    // Starts the program with `ini`; the id of its main window, focused.
    QString Arrancar(const QByteArray &ini, bool conModuloRed = true);
    // Key combinations in xdotool's names, apart by blanks.
    bool Teclas(const QString &teclas) const
    {
        return pantalla->Xdotool(QStringList {"key", "--delay", "30"} + teclas.split(' '));
    }
    bool Escribir(const QString &texto) const
    {
        return pantalla->Xdotool({"type", "--delay", "30", texto});
    }
    bool Enfocar(const QString &ventana) const
    {
        return pantalla->Xdotool({"windowfocus", "--sync", ventana});
    }
    // Waits for a message box and closes it with Enter.
    bool AceptarMensaje() const;
    // Alt+W until the web address comes through: proves the window takes
    // input again (a download in progress drops it).
    bool EsperarQueResponda(const QString &ventana);
    // The fields of the results mail, after Alt+M.
    QStringList EnviarPorMail();
    // Closes the main window as its title bar would; the program must end
    // cleanly, sanitizers and leak check included.
    void Cerrar(const QString &ventana);

    std::unique_ptr<PantallaVirtual> pantalla;
    std::unique_ptr<ProgramaEnPrueba> programa;
};

void TstE2e::initTestCase()
{
    for (const QString herramienta : {"Xvfb", "xdotool"})
        if (QStandardPaths::findExecutable(herramienta).isEmpty())
            QFAIL(qPrintable("Falta " + herramienta + ": instálalo con `make deps-test`"));
    pantalla = std::make_unique<PantallaVirtual>();
    QString error;
    QVERIFY2(pantalla->Arrancar(error), qPrintable(error));
}

void TstE2e::cleanup()
{
    if (programa && QTest::currentTestFailed())
        qWarning("Salida de error de Trebolero:\n%s", qPrintable(programa->Informe()));
    programa.reset();
}

QString TstE2e::Arrancar(const QByteArray &ini, bool conModuloRed)
{
    programa = std::make_unique<ProgramaEnPrueba>();
    QString error;
    if (!programa->Arrancar(pantalla->Display(), ini, conModuloRed, error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    const auto ventana = pantalla->EsperarVentana(VentanaPrincipal, Espera);
    return ventana && Enfocar(*ventana) ? *ventana : QString();
}

bool TstE2e::AceptarMensaje() const
{
    const auto mensaje = pantalla->EsperarVentana(CajaMensaje, Espera);
    return mensaje && Enfocar(*mensaje) && Teclas("Return")
        && pantalla->EsperarSinVentana(CajaMensaje, Espera);
}

bool TstE2e::EsperarQueResponda(const QString &ventana)
{
    const qsizetype previas = programa->Direcciones().size();
    return Enfocar(ventana)
        && QTest::qWaitFor(
               [&] { return Teclas("alt+w") && programa->EsperarDireccion(previas, 1000) == Web; },
               2 * Espera);
}

QStringList TstE2e::EnviarPorMail()
{
    const qsizetype previas = programa->Direcciones().size();
    return Teclas("alt+m") ? CamposMail(programa->EsperarDireccion(previas, Espera))
                           : QStringList();
}

void TstE2e::Cerrar(const QString &ventana)
{
    QVERIFY2(programa->Vivo(), qPrintable(programa->Informe()));
    QVERIFY(pantalla->PedirCierre(ventana));
    QVERIFY2(programa->EsperarFin(Espera), qPrintable(programa->Informe()));
}

void TstE2e::comprobarYEnviarPorMail()
{
    const QByteArray ini = Ini(DosApuestas);
    const QString ventana = Arrancar(ini);
    QVERIFY(!ventana.isEmpty());

    // From Descargar, six tabs reach the date; the boxes then advance by
    // themselves, and the second star hands the focus to Comprobar. The date
    // tries to add a recipient and a header to the mail.
    const QString fecha = "2005-12-02 & to=x@y.z?cc=w";
    QVERIFY(Teclas("Tab Tab Tab Tab Tab Tab"));
    QVERIFY(Escribir(fecha));
    QVERIFY(Teclas("Tab"));
    QVERIFY(Escribir("03152238490207"));
    QVERIFY(Teclas("Return"));

    QCOMPARE(EnviarPorMail(),
             QStringList({"subject=Trebolero",
                          "body=Resultados del Euromillón (" + fecha
                              + ")\r\n\r\nNúmeros premiados:\r\n03,15,22,38,49 - 02,07\r\n\r\n"
                                "Resultados:\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n"
                                "02: 01,02,03,04,05 - 10,12 -> 1+0\r\n"}));
    Cerrar(ventana);
    QCOMPARE(programa->LeerIni(), ini);
}

void TstE2e::mensajeSeCierraConEnter_data()
{
    QTest::addColumn<QString>("teclas");
    // Focus starts on Descargar, first in the tab order.
    QTest::newRow("comprobar sin sorteo") << "Tab Return";
    QTest::newRow("mail sin comprobar") << "alt+m";
    QTest::newRow("acerca de") << "Tab Tab Tab Tab Tab Return";
}

void TstE2e::mensajeSeCierraConEnter()
{
    QFETCH(QString, teclas);
    const QString ventana = Arrancar(Ini(DosApuestas));
    QVERIFY(!ventana.isEmpty());
    QVERIFY(Teclas(teclas));
    QVERIFY(AceptarMensaje());
    // The main window is free again, and nothing was handed to the desktop.
    QVERIFY(programa->Direcciones().isEmpty());
    QVERIFY(EsperarQueResponda(ventana));
    Cerrar(ventana);
}

void TstE2e::editorGuardaApuestaNueva()
{
    const QString ventana = Arrancar(Ini(DosApuestas));
    QVERIFY(!ventana.isEmpty());
    QVERIFY(Teclas("alt+f"));
    const auto editor = pantalla->EsperarVentana(Editor, Espera);
    QVERIFY(editor && Enfocar(*editor));

    const QByteArray tres = QByteArray(DosApuestas).replace("Total=2", "Total=3");
    QVERIFY(Teclas("alt+i"));
    QTRY_COMPARE_WITH_TIMEOUT(programa->LeerIni(), Ini(tres + "C3=00-00-00-00-00-E0-0\n"), Espera);

    // Two clicks on Siguiente show the new combination; a click into the
    // first number box and Ctrl+A, then the whole bet as a run of keys ends
    // on Guardar.
    const QPoint siguiente = TwipsRect(120 + 2040, 960 + 240, 1335, 375).center();
    const QPoint numero1 = TwipsRect(120 + 240, 960 + 840, 495, 375).center();
    for (const QPoint punto : {siguiente, siguiente, numero1})
        QVERIFY(pantalla->Xdotool({"mousemove", "--window", *editor, QString::number(punto.x()),
                                   QString::number(punto.y()), "click", "1"}));
    QVERIFY(Teclas("ctrl+a"));
    QVERIFY(Escribir("05091327400311"));
    QVERIFY(Teclas("Return"));
    const QByteArray guardada = Ini(tres + "C3=05-09-13-27-40-E03-11\n");
    QTRY_COMPARE_WITH_TIMEOUT(programa->LeerIni(), guardada, Espera);
    QVERIFY(Teclas("Escape"));
    QVERIFY(pantalla->EsperarSinVentana(Editor, Espera));

    // The main window lists the new bet: a check and the mail show it.
    QVERIFY(Enfocar(ventana));
    QVERIFY(Teclas("Tab Tab Tab Tab Tab Tab Tab"));
    QVERIFY(Escribir("05091327400311"));
    QVERIFY(Teclas("Return"));
    const QStringList campos = EnviarPorMail();
    QCOMPARE(campos.size(), 2);
    QVERIFY2(campos[1].endsWith("\r\n03: 05,09,13,27,40 - 3,11 -> 5+2\r\n"), qPrintable(campos[1]));
    Cerrar(ventana);
    QCOMPARE(programa->LeerIni(), guardada);
}

void TstE2e::descargaDelServidorLocal()
{
    ServidorPrueba servidor;
    servidor.respuestas["/sorteos.rdf"] = Http("200 OK", Feed);
    const QString ventana = Arrancar(Ini(DosApuestas, servidor.serverPort()));
    QVERIFY(!ventana.isEmpty());

    QVERIFY(Teclas("alt+d"));
    QTRY_COMPARE_WITH_TIMEOUT(servidor.peticiones, QStringList {"GET /sorteos.rdf HTTP/1.1"},
                              Espera);
    QVERIFY(EsperarQueResponda(ventana));
    // The download leaves the focus on Comprobar.
    QVERIFY(Teclas("Return"));
    QCOMPARE(EnviarPorMail().value(1),
             "body=Resultados del Euromillón (2005-12-02T21:30:00+01:00)\r\n\r\n"
             "Números premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\n"
             "Resultados:\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n"
             "02: 01,02,03,04,05 - 10,12 -> 1+0\r\n");
    Cerrar(ventana);
}

void TstE2e::servidorMudoNoCongela()
{
    ServidorPrueba servidor;
    const QString ventana = Arrancar(Ini(DosApuestas, servidor.serverPort()));
    QVERIFY(!ventana.isEmpty());

    QVERIFY(Teclas("alt+d"));
    QTRY_COMPARE_WITH_TIMEOUT(servidor.peticiones.size(), 1, Espera);
    // Keys pressed while the download waits do nothing: a message box opened
    // now could never be closed, since the wait drops all input.
    QVERIFY(Teclas("alt+c alt+f"));
    // The download gives up by itself; the boxes are still empty, so the
    // check asks for a draw, and Enter closes its message.
    QVERIFY(EsperarQueResponda(ventana));
    QVERIFY(Teclas("alt+c"));
    QVERIFY(AceptarMensaje());
    QVERIFY(pantalla->EsperarSinVentana(Editor, Espera));
    Cerrar(ventana);
}

// Without its download module the program runs all the same: a download
// fails as an unreachable server would, quietly, asking nothing of the server.
void TstE2e::descargaSinModuloDeRed()
{
    ServidorPrueba servidor;
    servidor.respuestas["/sorteos.rdf"] = Http("200 OK", Feed);
    const QString ventana = Arrancar(Ini(DosApuestas, servidor.serverPort()), false);
    QVERIFY(!ventana.isEmpty());
    QVERIFY(Teclas("alt+d"));
    QVERIFY(EsperarQueResponda(ventana));
    QVERIFY(servidor.peticiones.isEmpty());
    Cerrar(ventana);
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
