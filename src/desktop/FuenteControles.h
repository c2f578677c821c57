#pragma once

#include <QApplication>
#include <QFont>

// The font both windows are laid out for: the desktop's own at 8 points. Each
// window sets it on itself and its controls inherit it; message boxes,
// tooltips and menus keep the desktop's size.
inline QFont FuenteControles()
{
    QFont fuente = QApplication::font();
    fuente.setPointSize(8);
    return fuente;
}
