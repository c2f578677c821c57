#include "PantallaVirtual.h"

#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

PantallaVirtual::~PantallaVirtual()
{
    xvfb.terminate();
    if (!xvfb.waitForFinished(5000))
        xvfb.kill();
    xvfb.waitForFinished();
}

bool PantallaVirtual::Arrancar(QString &error)
{
    // -displayfd picks a free display number and writes it to the given
    // descriptor, here the server's standard output.
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    QByteArray numero;
    const bool listo = QTest::qWaitFor(
        [&] {
            numero += xvfb.readAllStandardOutput();
            return numero.contains('\n') || xvfb.state() == QProcess::NotRunning;
        },
        20000);
    if (!listo || !numero.contains('\n')) {
        error = "Xvfb no dio su número de pantalla: " + xvfb.errorString() + '\n'
            + QString::fromLocal8Bit(xvfb.readAllStandardError());
        return false;
    }
    display = ':' + QString::fromLatin1(numero.trimmed());
    return true;
}

bool PantallaVirtual::Xdotool(const QStringList &argumentos, QString *salida, int ms) const
{
    QProcess xdotool;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert("DISPLAY", display);
    xdotool.setProcessEnvironment(entorno);
    xdotool.start("xdotool", argumentos);
    if (!QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, ms)) {
        xdotool.kill();
        xdotool.waitForFinished();
        return false;
    }
    if (salida)
        *salida = QString::fromUtf8(xdotool.readAllStandardOutput());
    // A program that failed to start or crashed leaves an error behind.
    return xdotool.error() == QProcess::UnknownError && xdotool.exitCode() == 0;
}

std::optional<QString> PantallaVirtual::EsperarVentana(const QString &patron, int ms) const
{
    QString ids;
    if (!Xdotool({"search", "--sync", "--onlyvisible", "--name", patron}, &ids, ms)
        || ids.trimmed().isEmpty())
        return std::nullopt;
    return ids.section('\n', 0, 0);
}

bool PantallaVirtual::EsperarSinVentana(const QString &patron, int ms) const
{
    // Without --sync, search ends at once and fails when nothing matches.
    return QTest::qWaitFor(
        [&] {
            return !Xdotool({"search", "--onlyvisible", "--name", patron});
        },
        ms);
}

bool PantallaVirtual::PedirCierre(const QString &ventana) const
{
    // On a failed connection every request fails too, and the atoms are none.
    xcb_connection_t *conexion = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const auto atomo = [conexion](const char *nombre) {
        xcb_intern_atom_reply_t *respuesta = xcb_intern_atom_reply(
            conexion, xcb_intern_atom(conexion, 0, uint16_t(std::strlen(nombre)), nombre), nullptr);
        const xcb_atom_t leido = respuesta ? respuesta->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(respuesta);
        return leido;
    };
    xcb_client_message_event_t mensaje {};
    mensaje.response_type = XCB_CLIENT_MESSAGE;
    mensaje.format = 32;
    mensaje.window = ventana.toUInt();
    mensaje.type = atomo("WM_PROTOCOLS");
    mensaje.data.data32[0] = atomo("WM_DELETE_WINDOW");
    mensaje.data.data32[1] = XCB_CURRENT_TIME;
    xcb_generic_error_t *fallo = xcb_request_check(
        conexion,
        xcb_send_event_checked(conexion, 0, mensaje.window, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char *>(&mensaje)));
    const bool enviado = !fallo && mensaje.window != 0 && mensaje.type != XCB_ATOM_NONE;
    std::free(fallo);
    xcb_disconnect(conexion);
    return enviado;
}
