#pragma once

#include <QRect>

// Layouts are designed in twips; 15 twips make one logical pixel, so Qt scales
// them on high-density screens.
constexpr int Twips(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect TwipsRect(int izquierda, int arriba, int ancho, int alto)
{
    return QRect(Twips(izquierda), Twips(arriba), Twips(ancho), Twips(alto));
}
