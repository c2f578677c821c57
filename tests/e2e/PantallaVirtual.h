#pragma once

#include <QProcess>
#include <QStringList>

#include <optional>

// A private X server (Xvfb) on a free display, and xdotool to drive the
// windows on it with real key strokes and clicks. There is no window
// manager: the test gives the focus to each new window itself, as a window
// manager would, and asks windows to close as a title bar's close button
// does. Every wait has a deadline.
class PantallaVirtual
{
public:
    ~PantallaVirtual();

    // Starts the server; on failure `error` says why.
    bool Arrancar(QString &error);
    // ":N", the value of DISPLAY for the programs shown on this server.
    QString Display() const { return display; }

    // Runs xdotool against this server, keeping the caller's event loop
    // turning; true when it ends with status 0 within `ms` milliseconds,
    // its output then in `salida` if given.
    bool Xdotool(const QStringList &argumentos, QString *salida = nullptr, int ms = 10000) const;
    // The id of a visible window whose name matches the regular expression
    // `patron`, once one shows up within `ms` milliseconds.
    std::optional<QString> EsperarVentana(const QString &patron, int ms) const;
    // Whether no visible window matches `patron` any more within `ms`.
    bool EsperarSinVentana(const QString &patron, int ms) const;
    // Sends WM_DELETE_WINDOW, what the close button of a title bar sends.
    bool PedirCierre(const QString &ventana) const;

private:
    QProcess xvfb;
    QString display;
};
