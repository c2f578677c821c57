#pragma once

#include <QString>

// One whole run of a program: from its start to its exit.
struct Ejecucion
{
    bool correcta = false; // it exited normally with status 0
    double ms = 0;
    long picoKiB = 0; // its peak resident memory, as it reported it
};

// Runs `programa` without arguments and waits for it. Its standard output
// is read for the line "VmHWM: <n> kB"; everything else it writes is dropped.
Ejecucion Ejecutar(const QString &programa);
