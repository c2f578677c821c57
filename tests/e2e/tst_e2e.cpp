#include "support/EntornoPrueba.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <optional>

// The built program, copied alone into a scratch folder, on a private X
// server without a window manager, driven by xdotool; a stand-in xdg-open
// first on its PATH writes down the address it is given.
class TstE2e : public QObject
{
    Q_OBJECT
    EntornoPrueba entorno;
    const QTemporaryDir &carpeta = entorno.carpeta;
    QProcess xvfb, programa;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();

    // Runs xdotool on the private server: the first line of its output, or
    // nothing when it fails.
    std::optional<QString> Xdotool(const QStringList &argumentos)
    {
        QProcess xdotool;
        xdotool.setProcessEnvironment(variables);
        xdotool.start("xdotool", argumentos);
        if (!xdotool.waitForFinished(20000) || xdotool.exitCode() != 0)
            return {};
        return QString::fromUtf8(xdotool.readAllStandardOutput()).section('\n', 0, 0);
    }
    // The window whose name matches `patron`, once it shows.
    QString Ventana(const QString &patron)
    {
        return Xdotool({"search", "--sync", "--onlyvisible", "--name", patron}).value_or("");
    }
    // Focuses the window named by `patron` and presses `teclas`, xdotool key
    // names apart by blanks.
    void Pulsar(const QString &patron, const QString &teclas)
    {
        QVERIFY2(Xdotool({"windowfocus", "--sync", Ventana(patron)}), qPrintable(patron));
        QVERIFY(Xdotool(QStringList {"key", "--delay", "30"} + teclas.split(' ')));
    }
    // Sends WM_DELETE_WINDOW, what the close button of a title bar sends.
    void PedirCierre(uint32_t ventana)
    {
        xcb_connection_t *conexion = xcb_connect(qPrintable(variables.value("DISPLAY")), nullptr);
        const auto atomo = [conexion](const char *nombre) {
            const auto respuesta = xcb_intern_atom_reply(
                conexion, xcb_intern_atom(conexion, 0, std::strlen(nombre), nombre), nullptr);
            const xcb_atom_t atomo = respuesta ? respuesta->atom : 0;
            std::free(respuesta);
            return atomo;
        };
        xcb_client_message_event_t mensaje {XCB_CLIENT_MESSAGE,    32, 0, ventana,
                                            atomo("WM_PROTOCOLS"), {}};
        mensaje.data.data32[0] = atomo("WM_DELETE_WINDOW");
        xcb_send_event(conexion, 0, ventana, 0, reinterpret_cast<const char *>(&mensaje));
        xcb_flush(conexion);
        xcb_disconnect(conexion);
    }

private Q_SLOTS:
    void usoCompleto();
};

void TstE2e::usoCompleto()
{
    // -displayfd picks a free display and writes its number to our stdout.
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    const QByteArray ini
        = "[Combinaciones]\nTotal=2\nC1=03-15-20-38-44-E2-5\nC2=01-02-03-04-05-E10-12\n"
          "[Copyright]\nAutor=Orbelan\nDate=2005/12\n";
    QFile abridor(carpeta.filePath("xdg-open"));
    QVERIFY(QFile::copy(TREBOLERO_EJECUTABLE, carpeta.filePath("Trebolero"))
            && abridor.open(QIODevice::WriteOnly)
            && abridor.write("#!/bin/sh\nprintf %s \"$1\" > \"$0.txt\"\n") > 0
            && abridor.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    abridor.close();
    entorno.EscribirIni(ini);
    QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 20000);
    variables.insert("DISPLAY", ':' + xvfb.readLine().trimmed());
    variables.insert("QT_QPA_PLATFORM", "xcb");
    variables.insert("PATH", carpeta.path() + ':' + variables.value("PATH"));
    variables.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + carpeta.filePath("sin-bus"));
    programa.setProcessEnvironment(variables);
    programa.start(carpeta.filePath("Trebolero"));

    // From Descargar, seven tabs reach the first number; the boxes then
    // advance by themselves and the second star hands the focus to Comprobar.
    Pulsar("^Trebolero 4", "Tab Tab Tab Tab Tab Tab Tab 0 3 1 5 2 2 3 8 4 9 0 2 0 7 Return alt+m");
    QFile abierto(carpeta.filePath("xdg-open.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(abierto.size() > 0, 20000);
    QVERIFY(abierto.open(QIODevice::ReadOnly));
    const QString mail = QUrl::fromPercentEncoding(abierto.readAll());
    QVERIFY2(mail.contains("01: 03,15,20,38,44 - 2,5 -> 3+1\r\n02: 01,02,03,04,05 - 10,12 -> 1+0"),
             qPrintable(mail));

    // The editor opens on the first bet, with the focus on Siguiente.
    Pulsar("^Trebolero 4", "alt+f");
    Pulsar("^Configuraci", "Tab 0 5 0 9 1 3 2 7 4 0 0 3 1 1 Return");
    const QByteArray guardado
        = QByteArray(ini).replace("03-15-20-38-44-E2-5", "05-09-13-27-40-E03-11");
    QTRY_COMPARE_WITH_TIMEOUT(entorno.LeerIni(), guardado, 20000);
    Pulsar("^Configuraci", "Escape");

    PedirCierre(Ventana("^Trebolero 4").toUInt());
    QVERIFY(programa.waitForFinished(20000) && programa.exitStatus() == QProcess::NormalExit
            && programa.exitCode() == 0);
    xvfb.terminate();
    xvfb.waitForFinished();
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
