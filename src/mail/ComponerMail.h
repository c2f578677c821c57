#pragma once

#include "model/modTypeEuromillon.h"

#include <QString>

#include <array>
#include <vector>

// One checked bet: its row number (from 1), the bet and its hits.
struct LineaResultado
{
    int fila = 0;
    Euromillon apuesta;
    Aciertos aciertos;
};

// The longest results address handed to the desktop: a mail program that is
// already running may take no more (claws-mail cuts at about 8,190).
constexpr qsizetype LargoMaximoMailto = 8000;

// The subject of the results mail.
QString AsuntoResultados();

// The body of the results mail, lines ended by "\n": the heading with the
// date in brackets when there is one, the draw as typed in the seven boxes
// (five numbers, two stars), and one line per bet in the order given.
QString ComponerCuerpo(const QString &fecha, const std::array<QString, 7> &sorteo,
                       const std::vector<LineaResultado> &lineas);

// "mailto:?subject=...&body=..." with no recipient. Both values are encoded
// as UTF-8, every byte other than ASCII letters, digits and -._~!$'()*,;:@ as
// %XX, and every line break (CR LF, CR or LF) as %0D%0A, so no text can end a
// value early nor add a header or a recipient.
QString DireccionMail(const QString &asunto, const QString &cuerpo);

// The results as pasted into a new message: the subject, then the body, with
// "\n" as the only line break.
QString TextoPortapapeles(const QString &asunto, const QString &cuerpo);
