#pragma once

#include "model/modTypeEuromillon.h"
#include "settings/DocumentoIni.h"

#include <QString>

#include <optional>
#include <vector>

// The stored list of bets in the settings file: section "Combinaciones", its
// count under "Total" and the bets under C1 up to C<Total>, each in the
// stored text form. Keys beyond the count stay in the file: a removed bet
// comes back with its text when the list grows again. The list, the check,
// the mail and the editor all read the list through these functions.

extern const QString SeccionApuestas;
extern const QString ClaveTotal;
// The text stored for a bet added at the end.
extern const QString ApuestaNueva;

// The list holds at most as many bets as a signed 16-bit counter can number.
constexpr int ApuestasMaximas = 32767;

// The key of stored bet `n`: "C<n>".
QString ClaveApuesta(int n);

// The number of stored bets: a missing or empty count is 0, and 32768 counts
// as the 32767 a list can hold; nothing when "Total" is not a whole number
// from 0 to 32768.
std::optional<int> LeerTotal(const DocumentoIni &ini);

// Every stored bet, in key order, read in one pass over the section; a
// missing or unreadable field is 0. None when the count is not valid.
std::vector<Euromillon> LeerApuestas(const DocumentoIni &ini);

// Stored bet `n`; a missing or unreadable field is 0.
Euromillon LeerApuesta(const DocumentoIni &ini, int n);
