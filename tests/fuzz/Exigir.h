#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run on a broken property, so that libFuzzer keeps the input as a
// crash and the replay of the seeds fails.
inline void Exigir(bool cumple, const char *propiedad)
{
    if (cumple)
        return;
    std::fprintf(stderr, "Propiedad incumplida: %s\n", propiedad);
    std::abort();
}
