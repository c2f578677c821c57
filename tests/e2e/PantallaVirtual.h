#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// A private X server (Xvfb) on a free display, and the xdotool commands that
// drive the windows on it with real key strokes and clicks. There is no
// window manager: the test gives the focus to each new window itself, as a
// window manager would, and asks windows to close as a title bar's close
// button does. Every wait has a deadline.
class PantallaVirtual
{
public:
    PantallaVirtual() = default;
    ~PantallaVirtual();
    PantallaVirtual(const PantallaVirtual &) = delete;
    PantallaVirtual &operator=(const PantallaVirtual &) = delete;

    // Starts the server; on failure `error` says why.
    bool Arrancar(QString &error);
    // ":N", the value of DISPLAY for the programs shown on this server.
    QString Display() const { return display; }

    // The id of a visible window whose name matches the regular expression
    // `patron`, once one shows up within `ms` milliseconds.
    std::optional<QString> EsperarVentana(const QString &patron, int ms) const;
    // Whether no visible window matches `patron` any more within `ms`.
    bool EsperarSinVentana(const QString &patron, int ms) const;

    bool Enfocar(const QString &ventana) const;
    // Key combinations in xdotool's names, pressed one after the other.
    bool Teclas(const QStringList &teclas) const;
    // Types `texto` character by character.
    bool Escribir(const QString &texto) const;
    // A left click at (x, y) pixels inside `ventana`.
    bool Pulsar(const QString &ventana, int x, int y) const;
    // Sends WM_DELETE_WINDOW, what the close button of a title bar sends.
    bool PedirCierre(const QString &ventana) const;

private:
    std::optional<QString> Xdotool(const QStringList &argumentos, int ms = 10000) const;

    QProcess xvfb;
    QString display;
};

// Runs `programa` to its end within `ms` milliseconds, keeping the caller's
// event loop turning; its output when it ended with status 0.
std::optional<QString> Ejecutar(const QString &programa, const QStringList &argumentos,
                                const QProcessEnvironment &entorno, int ms);
