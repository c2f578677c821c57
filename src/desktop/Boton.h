#pragma once

#include <QString>

class QPushButton;
class QRect;
class QWidget;

// A push button named `nombre` at `geometria` inside `contenedor`. Enter on
// the focused button presses it, as Space does.
QPushButton *CrearBoton(QWidget *contenedor, const char *nombre, const QString &texto,
                        const QRect &geometria);
