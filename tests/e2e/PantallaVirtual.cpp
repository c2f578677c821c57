#include "PantallaVirtual.h"

#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int ArranqueXvfb = 20000;

struct LiberarConC
{
    void operator()(void *puntero) const { std::free(puntero); }
};

xcb_atom_t Atomo(xcb_connection_t *conexion, const char *nombre)
{
    const auto peticion
        = xcb_intern_atom(conexion, 0, static_cast<uint16_t>(std::strlen(nombre)), nombre);
    const std::unique_ptr<xcb_intern_atom_reply_t, LiberarConC> respuesta(
        xcb_intern_atom_reply(conexion, peticion, nullptr));
    return respuesta ? respuesta->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

std::optional<QString> Ejecutar(const QString &programa, const QStringList &argumentos,
                                const QProcessEnvironment &entorno, int ms)
{
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(programa, argumentos);
    const bool termino = proceso.waitForStarted(ms)
        && QTest::qWaitFor([&] { return proceso.state() == QProcess::NotRunning; }, ms);
    if (!termino) {
        proceso.kill();
        proceso.waitForFinished();
        return std::nullopt;
    }
    if (proceso.exitStatus() != QProcess::NormalExit || proceso.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

PantallaVirtual::~PantallaVirtual()
{
    if (xvfb.state() == QProcess::NotRunning)
        return;
    xvfb.terminate();
    if (!xvfb.waitForFinished(5000)) {
        xvfb.kill();
        xvfb.waitForFinished();
    }
}

bool PantallaVirtual::Arrancar(QString &error)
{
    // -displayfd picks a free display number and writes it to the given
    // descriptor, here the server's standard output.
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    if (!xvfb.waitForStarted(ArranqueXvfb)) {
        error = QStringLiteral("Xvfb no arranca: ") + xvfb.errorString();
        return false;
    }
    QByteArray numero;
    const bool leido = QTest::qWaitFor(
        [&] {
            numero += xvfb.readAllStandardOutput();
            return numero.contains('\n') || xvfb.state() == QProcess::NotRunning;
        },
        ArranqueXvfb);
    if (!leido || !numero.contains('\n')) {
        error = QStringLiteral("Xvfb no dio su número de pantalla: ")
            + QString::fromLocal8Bit(xvfb.readAllStandardError());
        return false;
    }
    display = QLatin1Char(':') + QString::fromLatin1(numero.trimmed());
    return true;
}

std::optional<QString> PantallaVirtual::Xdotool(const QStringList &argumentos, int ms) const
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("DISPLAY"), display);
    return Ejecutar(QStringLiteral("xdotool"), argumentos, entorno, ms);
}

std::optional<QString> PantallaVirtual::EsperarVentana(const QString &patron, int ms) const
{
    const auto ventanas
        = Xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                   QStringLiteral("--onlyvisible"), QStringLiteral("--name"), patron},
                  ms);
    if (!ventanas)
        return std::nullopt;
    const QStringList ids = ventanas->split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return ids.isEmpty() ? std::nullopt : std::optional(ids.first());
}

bool PantallaVirtual::EsperarSinVentana(const QString &patron, int ms) const
{
    // Without --sync, search ends at once and fails when nothing matches.
    return QTest::qWaitFor(
        [&] {
            return !Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), patron});
        },
        ms);
}

bool PantallaVirtual::Enfocar(const QString &ventana) const
{
    return Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), ventana}).has_value();
}

bool PantallaVirtual::Teclas(const QStringList &teclas) const
{
    return Xdotool(
               QStringList {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")}
               + teclas)
        .has_value();
}

bool PantallaVirtual::Escribir(const QString &texto) const
{
    return Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), texto})
        .has_value();
}

bool PantallaVirtual::Pulsar(const QString &ventana, int x, int y) const
{
    return Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), ventana,
                    QString::number(x), QString::number(y), QStringLiteral("click"),
                    QStringLiteral("1")})
        .has_value();
}

bool PantallaVirtual::PedirCierre(const QString &ventana) const
{
    bool convertido = false;
    const auto id = static_cast<xcb_window_t>(ventana.toUInt(&convertido));
    if (!convertido)
        return false;
    xcb_connection_t *conexion = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(conexion)) {
        xcb_disconnect(conexion);
        return false;
    }
    xcb_client_message_event_t mensaje {};
    mensaje.response_type = XCB_CLIENT_MESSAGE;
    mensaje.format = 32;
    mensaje.window = id;
    mensaje.type = Atomo(conexion, "WM_PROTOCOLS");
    mensaje.data.data32[0] = Atomo(conexion, "WM_DELETE_WINDOW");
    mensaje.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t envio = xcb_send_event_checked(
        conexion, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&mensaje));
    const std::unique_ptr<xcb_generic_error_t, LiberarConC> fallo(
        xcb_request_check(conexion, envio));
    xcb_disconnect(conexion);
    return !fallo && mensaje.type != XCB_ATOM_NONE;
}
