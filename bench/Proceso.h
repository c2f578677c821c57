#pragma once

#include <QString>

// One whole run of a program: from its start to its exit.
struct Ejecucion
{
    bool correcta = false; // it exited normally with status 0
    double ms = 0;
    long picoKiB = 0; // its peak resident memory
};

// Runs `programa` without arguments, with its output thrown away, and waits
// for it.
Ejecucion Ejecutar(const QString &programa);
