#pragma once

#include <QString>

#include <functional>

class QWidget;

// Everything the program asks of the desktop: message boxes, handing an
// address to the user's browser or mail program, the clipboard, and the
// program's own facts.
// Tests install a recorder in place of the real desktop.
class Escritorio
{
public:
    virtual ~Escritorio() = default;

    // A modal box over `propietario` with the text, a single "Aceptar" button,
    // no icon and the title "Trebolero"; returns when the user closes it.
    virtual void MostrarMensaje(QWidget *propietario, const QString &texto) = 0;

    // Hands the already encoded address to the desktop's handler for its
    // scheme without waiting for it. `siFalla` runs later, from the event
    // loop, when the handler cannot be started or ends with a failure.
    virtual void AbrirDireccion(const QString &direccion, std::function<void()> siFalla) = 0;

    // Puts `texto` on the clipboard.
    virtual void CopiarAlPortapapeles(const QString &texto) = 0;

    static constexpr auto Titulo = "Trebolero";

    // The desktop in use; the real one unless a test installed another.
    static Escritorio &Actual();

    // Installs `escritorio` (not owned) in place of the real desktop; nullptr
    // goes back to the real one.
    static void Instalar(Escritorio *escritorio);
};
