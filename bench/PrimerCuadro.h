#pragma once

class QWidget;

// Ends the application's event loop once `ventana` has painted its first
// frame, so a whole start-up can be timed from outside the process.
void SalirTrasPrimerCuadro(QWidget &ventana);
