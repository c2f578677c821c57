#include "support/EntornoPrueba.h"

#include <QProcess>
#include <QTest>
#include <QUrl>

#include <xcb/xcb.h>

#include <cstring>
#include <optional>

// The built program, copied alone into a scratch folder, on the private X
// server the test runs on, without a window manager, driven by xdotool; the
// stand-in xdg-open beside this file comes first on its PATH.
class TstE2e : public QObject
{
    Q_OBJECT
    EntornoPrueba entorno;
    QProcess programa;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();

    // Runs xdotool on the private server: its output, or nothing when it fails.
    std::optional<QByteArray> Xdotool(const QString &ordenes)
    {
        QProcess xdotool;
        xdotool.setProcessEnvironment(variables);
        xdotool.start("xdotool", ordenes.split(' '));
        if (!xdotool.waitForFinished(20000) || xdotool.exitCode() != 0)
            return {};
        return xdotool.readAllStandardOutput();
    }
    // Focuses the window whose name starts with `nombre`, once it shows, and
    // types `teclas` (xdotool key names) as the keyboard does.
    bool Pulsar(const QString &nombre, const QString &teclas)
    {
        return bool(Xdotool("search --sync --onlyvisible --name ^" + nombre
                            + " windowfocus --sync key --window 0 --delay 30 " + teclas));
    }
    // Sends the main window WM_DELETE_WINDOW, what a title bar's close button sends.
    void PedirCierre()
    {
        const QByteArray ventana = Xdotool("search --onlyvisible --name ^Trebolero").value_or("");
        xcb_connection_t *x = xcb_connect(nullptr, nullptr);
        const auto atomo = [x](const char *nombre) {
            const QScopedPointer<xcb_intern_atom_reply_t, QScopedPointerPodDeleter> respuesta(
                xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(nombre), nombre),
                                      nullptr));
            return respuesta ? respuesta->atom : xcb_atom_t(0);
        };
        xcb_client_message_event_t mensaje {
            XCB_CLIENT_MESSAGE, 32, 0, ventana.split('\n')[0].toUInt(), atomo("WM_PROTOCOLS"), {}};
        mensaje.data.data32[0] = atomo("WM_DELETE_WINDOW");
        xcb_send_event(x, 0, mensaje.window, 0, reinterpret_cast<const char *>(&mensaje));
        xcb_flush(x);
        xcb_disconnect(x);
    }

private Q_SLOTS:
    void usoCompleto();
};

void TstE2e::usoCompleto()
{
    const QByteArray ini
        = "[Combinaciones]\nTotal=2\nC1=03-15-20-38-44-E2-5\nC2=01-02-03-04-05-E10-12\n";
    entorno.EscribirIni(ini);
    QVERIFY(QFile::copy(TREBOLERO_EJECUTABLE, entorno.carpeta.filePath("Trebolero")));
    variables.insert("QT_QPA_PLATFORM", "xcb");
    variables.insert("PATH", TREBOLERO_ABRIDOR ":" + variables.value("PATH"));
    variables.insert("DBUS_SESSION_BUS_ADDRESS",
                     "unix:path=" + entorno.carpeta.filePath("sin-bus"));
    programa.setProcessEnvironment(variables);
    programa.setWorkingDirectory(entorno.carpeta.path());
    programa.start(entorno.carpeta.filePath("Trebolero"));

    // From Descargar, seven tabs reach the first number; the boxes then
    // advance by themselves and the second star hands the focus to Comprobar.
    QVERIFY(Pulsar("Trebolero",
                   "Tab Tab Tab Tab Tab Tab Tab 0 3 1 5 2 2 3 8 4 9 0 2 0 7 Return alt+m"));
    QFile abierto(entorno.carpeta.filePath("xdg-open.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(abierto.size() > 0, 20000);
    QVERIFY(abierto.open(QIODevice::ReadOnly));
    const QString mail = QUrl::fromPercentEncoding(abierto.readAll());
    QVERIFY2(mail.contains("01: 03,15,20,38,44 - 2,5 -> 3+1\r\n02: 01,02,03,04,05 - 10,12 -> 1+0"),
             qPrintable(mail));

    // The editor opens on the first bet, with the focus on Siguiente.
    QVERIFY(Pulsar("Trebolero", "alt+f"));
    QVERIFY(Pulsar("Configuraci", "Tab 0 5 0 9 1 3 2 7 4 0 0 3 1 1 Return"));
    // The start has added the authorship keys the file lacked.
    QTRY_COMPARE_WITH_TIMEOUT(
        entorno.LeerIni(),
        QByteArray(ini).replace("03-15-20-38-44-E2-5", "05-09-13-27-40-E3-11")
            + "[Copyright]\nAutor=Orbelan\nDate=2005/12\n",
        20000);
    QVERIFY(Pulsar("Configuraci", "Escape"));

    PedirCierre();
    QVERIFY(programa.waitForFinished(20000) && programa.exitStatus() == QProcess::NormalExit
            && programa.exitCode() == 0);
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
