#pragma once

class QApplication;

// Gives the application Qt's own texts in Spanish, the program's name, version
// and icon.
void PrepararAplicacion(QApplication &aplicacion);
