#pragma once

#include <QIcon>

// The program's icon, a clover of 32 x 32 pixels.
QIcon IconoPrograma();
