#pragma once

#include "model/modTypeEuromillon.h"

#include <QString>

#include <array>
#include <vector>

// One checked bet: its row number (from 1), the bet and its hit text.
struct LineaResultado
{
    int fila = 0;
    Euromillon apuesta;
    QString aciertos;
};

// The subject of the results mail.
QString AsuntoResultados();

// The body of the results mail, lines ended by CR LF: the heading with the
// date in brackets when there is one, the draw as typed in the seven boxes
// (five numbers, two stars), and one line per bet in the order given.
QString ComponerCuerpo(const QString &fecha, const std::array<QString, 7> &sorteo,
                       const std::vector<LineaResultado> &lineas);

// Percent-encodes a header value of a mailto address: UTF-8, every byte other
// than ASCII letters, digits and -._~!$'()*,;:@ as %XX. Any line break (CR LF,
// a lone CR or a lone LF) becomes %0D%0A. The result cannot end the value
// early nor add a header or a recipient.
QByteArray CodificarMailto(const QString &texto);

// "mailto:?subject=...&body=..." with no recipient and both values encoded.
QString DireccionMail(const QString &asunto, const QString &cuerpo);
