#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// One combination: a stored bet or a draw. Values are kept as written,
// unsorted and unchecked; a new record is all zeros.
struct Euromillon
{
    std::int16_t Numero1 = 0;
    std::int16_t Numero2 = 0;
    std::int16_t Numero3 = 0;
    std::int16_t Numero4 = 0;
    std::int16_t Numero5 = 0;
    std::int16_t Estrella1 = 0;
    std::int16_t Estrella2 = 0;

    std::array<std::int16_t, 5> Numeros() const
    {
        return {Numero1, Numero2, Numero3, Numero4, Numero5};
    }
    std::array<std::int16_t, 2> Estrellas() const { return {Estrella1, Estrella2}; }

    // Field 1..7 in record order (numbers, then stars).
    std::int16_t &Campo(int indice)
    {
        Q_ASSERT_X(indice >= 1 && indice <= 7, "Euromillon::Campo", "field outside 1..7");
        std::int16_t *const campos[]
            = {&Numero1, &Numero2, &Numero3, &Numero4, &Numero5, &Estrella1, &Estrella2};
        return *campos[indice - 1];
    }
    std::int16_t Campo(int indice) const { return const_cast<Euromillon *>(this)->Campo(indice); }

    friend bool operator==(const Euromillon &, const Euromillon &) = default;
};

// Reads a whole number in the signed 16-bit range: blanks around it, an
// optional sign and decimal digits, nothing else.
std::optional<std::int16_t> ConvertirEntero16(QStringView texto);

// The same syntax without the 16-bit limit (a 64-bit range), for counts read
// from the settings file that the callers bound themselves.
std::optional<qint64> ConvertirEntero(QStringView texto);

// Parses the stored text form (03-17-22-41-50-E2-8) into `combinacion`. A
// field whose piece is missing or does not convert keeps its former value.
void CadenaAEuromillon(QStringView texto, Euromillon &combinacion);

// The stored text form of `combinacion`, which CadenaAEuromillon reads back:
// the numbers in two digits, the stars as they are (03-17-22-41-50-E2-8).
QString EuromillonACadena(const Euromillon &combinacion);

// Whether a bet can win: five different numbers from 1 to 50 and two
// different stars from 1 to 12.
bool ApuestaValida(const Euromillon &apuesta);

// "0" in front of a text of exactly one character; any other text unchanged.
QString DosDigitos(const QString &texto);

// How many numbers and how many stars of a bet came up in the draw.
struct Aciertos
{
    int numeros = 0;
    int estrellas = 0;

    // The hit text, such as "3+1".
    QString Texto() const;

    friend bool operator==(const Aciertos &, const Aciertos &) = default;
};

// The hits of a bet against the draw: how many distinct values of 1 or more
// the two records share among their numbers, and among their stars.
// Symmetric in its arguments.
Aciertos ContarAciertos(const Euromillon &sorteo, const Euromillon &apuesta);

// The prize tier of a hit count, 1 (5+2) to 13 (2+0), or 0 when it wins none.
int CategoriaPremio(Aciertos aciertos);

// "Premio de 9.ª categoría: 3 números y 1 estrella" for a winning hit count;
// the empty text for any other.
QString TextoPremio(Aciertos aciertos);
