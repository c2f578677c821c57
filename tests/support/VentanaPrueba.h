#pragma once

#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "support/EntornoPrueba.h"

#include <QLineEdit>

// Helpers for the tests that drive the windows as a user would.

// The name of draw box `i`: 1 to 5 the numbers, 6 and 7 the stars. The
// editor's boxes take the prefix "txtEuromillonConfig".
QString NombreCaja(int i, const QString &prefijo = QStringLiteral("txtEuromillon"));

// Box `i` of the main window: 1 to 7 as above, 8 the date.
QLineEdit *Caja(const QWidget &ventana, int i);

// The texts of boxes 1 to 8 of the main window, joined by blanks.
QString TextosCajas(const QWidget &ventana);
// Writes `textos` into boxes 1, 2, ... of the main window.
void EscribirCajas(const QWidget &ventana, const QStringList &textos);

ModeloResultado &Modelo(const FormMain &ventana);

// Shows the window and makes it the active one; false if it never becomes so.
[[nodiscard]] bool Activar(QWidget &ventana);

// Sends each character of `teclas` as one key press to whichever widget has
// the focus at that moment. "\t" is Tab, "\b" Backspace, "\r" Enter, "»"
// End, and an upper-case letter is Alt with that letter, which presses the
// button of that access key (waiting for its short animation).
void Teclear(const QString &teclas);

// The name of the widget with the focus, for readable failures.
QString NombreDelFoco();

// A program folder holding `ini` as its settings file (no file when `ini` is
// null), and the main window started on it.
class ProgramaPrueba
{
public:
    explicit ProgramaPrueba(const QByteArray &ini = {});

    EntornoPrueba entorno;

private:
    const bool escrito;

public:
    FormMain ventana;
};
