#include "PantallaVirtual.h"
#include "ProgramaEnPrueba.h"
#include "ServidorFeed.h"

#include "desktop/Twips.h"

#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// Generous bounds: the program runs under the sanitizers on a busy machine.
constexpr int Espera = 20000;

const QString VentanaPrincipal = QStringLiteral("^Trebolero 4\\.0 - bY Orbelan$");
const QString CajaMensaje = QStringLiteral("^Trebolero$");
const QString Editor = QStringLiteral("^Configuraci");
const QString Web = QStringLiteral("http://127.0.0.1/trebolero-web");

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

// The subject and the body of a mailto address, decoded. Any other field
// (a recipient, a header smuggled in through the date) shows up as a third.
QList<std::pair<QString, QString>> CamposMail(const QString &direccion)
{
    const QString prefijo = QStringLiteral("mailto:?");
    if (!direccion.startsWith(prefijo))
        return {};
    QList<std::pair<QString, QString>> campos;
    for (const QString &campo : direccion.mid(prefijo.size()).split(QLatin1Char('&'))) {
        const qsizetype igual = campo.indexOf(QLatin1Char('='));
        campos.append(
            {campo.left(igual), QUrl::fromPercentEncoding(campo.mid(igual + 1).toLatin1())});
    }
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
    // Alt+W until the web address comes through: proves the window takes
    // input again (a download in progress drops it).
    bool EsperarQueResponda(const QString &ventana);
    // The address of the results mail, after Alt+M.
    QString EnviarPorMail();
    // Closes the main window as its title bar would; the program must end
    // cleanly, sanitizers and leak check included.
    void Cerrar(const QString &ventana);

    std::unique_ptr<PantallaVirtual> pantalla;
    std::unique_ptr<ProgramaEnPrueba> programa;
};

void TstE2e::initTestCase()
{
    for (const char *herramienta : {"Xvfb", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(herramienta)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("Falta %1: instálalo con `make deps-test`")
                                 .arg(QString::fromLatin1(herramienta))));
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
    programa = std::make_unique<ProgramaEnPrueba>(pantalla->Display());
    QString error;
    if (!programa->Preparar(ini, error, conModuloRed) || !programa->Arrancar(error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    const auto ventana = pantalla->EsperarVentana(VentanaPrincipal, Espera);
    if (!ventana || !pantalla->Enfocar(*ventana))
        return {};
    return *ventana;
}

bool TstE2e::EsperarQueResponda(const QString &ventana)
{
    const qsizetype previas = programa->Direcciones().size();
    return pantalla->Enfocar(ventana)
        && QTest::qWaitFor(
               [&] {
                   return pantalla->Teclas({QStringLiteral("alt+w")})
                       && programa->EsperarDireccion(previas, Web, 1000) == Web;
               },
               2 * Espera);
}

QString TstE2e::EnviarPorMail()
{
    const qsizetype previas = programa->Direcciones().size();
    if (!pantalla->Teclas({QStringLiteral("alt+m")}))
        return {};
    return programa->EsperarDireccion(previas, QStringLiteral("mailto:"), Espera)
        .value_or(QString());
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
    const QString fecha = QStringLiteral("2005-12-02 & to=x@y.z?cc=w");
    QVERIFY(pantalla->Teclas(QStringList(6, QStringLiteral("Tab"))));
    QVERIFY(pantalla->Escribir(fecha));
    QVERIFY(pantalla->Teclas({QStringLiteral("Tab")}));
    QVERIFY(pantalla->Escribir(QStringLiteral("03152238490207")));
    QVERIFY(pantalla->Teclas({QStringLiteral("Return")}));

    const QString direccion = EnviarPorMail();
    const QString cuerpo = QStringLiteral("Resultados del Euromillón (") + fecha
        + QStringLiteral(")\r\n\r\nNúmeros premiados:\r\n03,15,22,38,49 - 02,07\r\n\r\n"
                         "Resultados:\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n"
                         "02: 01,02,03,04,05 - 10,12 -> 1+0\r\n");
    const QList<std::pair<QString, QString>> esperado = {
        {QStringLiteral("subject"), QStringLiteral("Trebolero")}, {QStringLiteral("body"), cuerpo}};
    QCOMPARE(CamposMail(direccion), esperado);

    Cerrar(ventana);
    QCOMPARE(programa->LeerIni(), ini);
}

void TstE2e::mensajeSeCierraConEnter_data()
{
    QTest::addColumn<QStringList>("teclas");
    // Focus starts on Descargar, first in the tab order.
    QTest::newRow("comprobar sin sorteo")
        << QStringList {QStringLiteral("Tab"), QStringLiteral("Return")};
    QTest::newRow("mail sin comprobar") << QStringList {QStringLiteral("alt+m")};
    QTest::newRow("acerca de") << (QStringList(5, QStringLiteral("Tab"))
                                   << QStringLiteral("Return"));
}

void TstE2e::mensajeSeCierraConEnter()
{
    QFETCH(QStringList, teclas);
    const QString ventana = Arrancar(Ini(DosApuestas));
    QVERIFY(!ventana.isEmpty());

    QVERIFY(pantalla->Teclas(teclas));
    const auto mensaje = pantalla->EsperarVentana(CajaMensaje, Espera);
    QVERIFY(mensaje);
    QVERIFY(pantalla->Enfocar(*mensaje));
    QVERIFY(pantalla->Teclas({QStringLiteral("Return")}));
    QVERIFY(pantalla->EsperarSinVentana(CajaMensaje, Espera));

    // The main window is free again, and nothing was handed to the desktop.
    QVERIFY(programa->Direcciones().isEmpty());
    QVERIFY(EsperarQueResponda(ventana));
    Cerrar(ventana);
}

void TstE2e::editorGuardaApuestaNueva()
{
    const QByteArray ini = Ini(DosApuestas);
    const QString ventana = Arrancar(ini);
    QVERIFY(!ventana.isEmpty());

    QVERIFY(pantalla->Teclas({QStringLiteral("alt+f")}));
    const auto editor = pantalla->EsperarVentana(Editor, Espera);
    QVERIFY(editor);
    QVERIFY(pantalla->Enfocar(*editor));

    const QByteArray tresApuestas = QByteArray(DosApuestas).replace("Total=2", "Total=3");
    const QByteArray insertada = Ini(tresApuestas + "C3=00-00-00-00-00-E0-0\n");
    QVERIFY(pantalla->Teclas({QStringLiteral("alt+i")}));
    QVERIFY2(programa->EsperarIni(insertada, Espera), programa->LeerIni().constData());

    // Two clicks on Siguiente show the new combination; a click into the
    // first number box and Ctrl+A, then the whole bet as a run of keys ends
    // on Guardar.
    const QPoint siguiente = TwipsRect(120 + 2040, 960 + 240, 1335, 375).center();
    const QPoint numero1 = TwipsRect(120 + 240, 960 + 840, 495, 375).center();
    QVERIFY(pantalla->Pulsar(*editor, siguiente.x(), siguiente.y()));
    QVERIFY(pantalla->Pulsar(*editor, siguiente.x(), siguiente.y()));
    QVERIFY(pantalla->Pulsar(*editor, numero1.x(), numero1.y()));
    QVERIFY(pantalla->Teclas({QStringLiteral("ctrl+a")}));
    QVERIFY(pantalla->Escribir(QStringLiteral("05091327400311")));
    QVERIFY(pantalla->Teclas({QStringLiteral("Return")}));

    const QByteArray guardada = Ini(tresApuestas + "C3=05-09-13-27-40-E03-11\n");
    QVERIFY2(programa->EsperarIni(guardada, Espera), programa->LeerIni().constData());

    QVERIFY(pantalla->Teclas({QStringLiteral("Escape")}));
    QVERIFY(pantalla->EsperarSinVentana(Editor, Espera));

    // The main window lists the new bet: a check and the mail show it.
    QVERIFY(pantalla->Enfocar(ventana));
    QVERIFY(pantalla->Teclas(QStringList(7, QStringLiteral("Tab"))));
    QVERIFY(pantalla->Escribir(QStringLiteral("05091327400311")));
    QVERIFY(pantalla->Teclas({QStringLiteral("Return")}));
    const auto campos = CamposMail(EnviarPorMail());
    QCOMPARE(campos.size(), 2);
    QVERIFY2(campos[1].second.endsWith(QStringLiteral("\r\n03: 05,09,13,27,40 - 3,11 -> 5+2\r\n")),
             qPrintable(campos[1].second));

    Cerrar(ventana);
    QCOMPARE(programa->LeerIni(), guardada);
}

void TstE2e::descargaDelServidorLocal()
{
    ServidorFeed servidor(Feed);
    QVERIFY(servidor.Escuchar());
    const QString ventana = Arrancar(Ini(DosApuestas, servidor.Puerto()));
    QVERIFY(!ventana.isEmpty());

    QVERIFY(pantalla->Teclas({QStringLiteral("alt+d")}));
    QTRY_COMPARE_WITH_TIMEOUT(servidor.Peticiones(),
                              QStringList {QStringLiteral("GET /sorteos.rdf HTTP/1.1")}, Espera);
    QVERIFY(EsperarQueResponda(ventana));

    // The download leaves the focus on Comprobar.
    QVERIFY(pantalla->Teclas({QStringLiteral("Return")}));
    const auto campos = CamposMail(EnviarPorMail());
    QCOMPARE(campos.size(), 2);
    QCOMPARE(campos[1].second,
             QStringLiteral("Resultados del Euromillón (2005-12-02T21:30:00+01:00)\r\n\r\n"
                            "Números premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\n"
                            "Resultados:\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n"
                            "02: 01,02,03,04,05 - 10,12 -> 1+0\r\n"));
    Cerrar(ventana);
}

void TstE2e::servidorMudoNoCongela()
{
    ServidorFeed servidor(Feed, true);
    QVERIFY(servidor.Escuchar());
    const QString ventana = Arrancar(Ini(DosApuestas, servidor.Puerto()));
    QVERIFY(!ventana.isEmpty());

    QVERIFY(pantalla->Teclas({QStringLiteral("alt+d")}));
    QTRY_COMPARE_WITH_TIMEOUT(servidor.Peticiones().size(), 1, Espera);
    // Keys pressed while the download waits do nothing: a message box opened
    // now could never be closed, since the wait drops all input.
    QVERIFY(pantalla->Teclas({QStringLiteral("alt+c"), QStringLiteral("alt+f")}));
    // The download gives up by itself; the boxes are still empty, so the
    // check asks for a draw, and Enter closes its message.
    QVERIFY(EsperarQueResponda(ventana));
    QVERIFY(pantalla->Teclas({QStringLiteral("alt+c")}));
    const auto mensaje = pantalla->EsperarVentana(CajaMensaje, Espera);
    QVERIFY(mensaje);
    QVERIFY(pantalla->Enfocar(*mensaje));
    QVERIFY(pantalla->Teclas({QStringLiteral("Return")}));
    QVERIFY(pantalla->EsperarSinVentana(CajaMensaje, Espera));
    QVERIFY(pantalla->EsperarSinVentana(Editor, Espera));
    Cerrar(ventana);
}

// Without its download module the program runs all the same: a download
// fails as an unreachable server would, quietly, asking nothing of the server.
void TstE2e::descargaSinModuloDeRed()
{
    ServidorFeed servidor(Feed);
    QVERIFY(servidor.Escuchar());
    const QString ventana = Arrancar(Ini(DosApuestas, servidor.Puerto()), false);
    QVERIFY(!ventana.isEmpty());

    QVERIFY(pantalla->Teclas({QStringLiteral("alt+d")}));
    QVERIFY(EsperarQueResponda(ventana));
    QVERIFY(servidor.Peticiones().isEmpty());
    Cerrar(ventana);
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
