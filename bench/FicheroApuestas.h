#pragma once

#include "model/modTypeEuromillon.h"

#include <QByteArray>

#include <vector>

// A settings file as a player keeps it: comments, the feed's section and
// `total` stored combinations, with the combinations it holds.
struct FicheroApuestas
{
    QByteArray texto;
    std::vector<Euromillon> apuestas;
};

// Always the same file for the same `total`, so runs compare.
FicheroApuestas GenerarFichero(int total);
