#pragma once

#include <QString>

#include <initializer_list>

class CajaTexto;
class QHBoxLayout;
class QPushButton;
class QWidget;

// The widest value a number or star box shows: two digits and a sign.
inline const QString MuestraValor = QStringLiteral("-00");

// A push button named `nombre` in `contenedor`, at its natural size. Enter on
// the focused button presses it, as Space does.
QPushButton *CrearBoton(QWidget *contenedor, const char *nombre, const QString &texto);

// A text box named `nombre` in `contenedor`, as wide as `muestra`, its widest
// expected text, in the box's own font, with a character to spare.
CajaTexto *CrearCaja(QWidget *contenedor, const QString &nombre, const QString &muestra);

// A row of `controles`, left to right; the buttons among them share the width
// that the others leave.
QHBoxLayout *CrearFila(std::initializer_list<QWidget *> controles);
