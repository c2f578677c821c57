#pragma once

class QWidget;

// Ends the application's event loop once `ventana` has painted its first
// frame, so a whole start-up can be timed from outside the process.
void SalirTrasPrimerCuadro(QWidget &ventana);

// Writes the process's peak resident memory to standard output as the line
// "VmHWM: <n> kB". A child's rusage cannot give it: a child started with
// posix_spawn carries its parent's peak across the exec.
void InformarPicoMemoria();
