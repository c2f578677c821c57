#pragma once

#include <QtGlobal>

// Stops the run on a broken property, so that libFuzzer keeps the input as a
// crash and the replay of the seeds fails.
inline void Exigir(bool cumple, const char *propiedad)
{
    if (!cumple)
        qFatal("Propiedad incumplida: %s", propiedad);
}
