#include "model/modTypeEuromillon.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace {

// Every hit count that wins a prize, best tier first.
constexpr Aciertos CategoriasPremiadas[] = {
    {5, 2}, {5, 1}, {5, 0}, {4, 2}, {4, 1}, {3, 2}, {4, 0},
    {2, 2}, {3, 1}, {3, 0}, {1, 2}, {2, 1}, {2, 0},
};

// The piece of one field: one character, or two unless the second is "-".
// `posicion` counts the characters consumed so far.
QStringView Pieza(QStringView texto, qsizetype &posicion)
{
    const qsizetype inicio = posicion;
    if (inicio >= texto.size())
        return {};
    ++posicion;
    if (posicion < texto.size() && texto[posicion] != u'-')
        ++posicion;
    return texto.sliced(inicio, posicion - inicio);
}

template<std::size_t N>
int ValoresComunes(const std::array<std::int16_t, N> &a, const std::array<std::int16_t, N> &b)
{
    int comunes = 0;
    for (auto valor = a.begin(); valor != a.end(); ++valor) {
        const bool repetido = std::find(a.begin(), valor, *valor) != valor;
        if (*valor >= 1 && !repetido && std::ranges::find(b, *valor) != b.end())
            ++comunes;
    }
    return comunes;
}

// "1 número" or "3 números".
QString Cantidad(int cuenta, const QString &singular)
{
    return QString::number(cuenta) + u' ' + singular + QLatin1StringView(cuenta == 1 ? "" : "s");
}

template<std::size_t N> bool Distintos(const std::array<std::int16_t, N> &valores, int maximo)
{
    for (auto valor = valores.begin(); valor != valores.end(); ++valor) {
        if (*valor < 1 || *valor > maximo || std::find(valores.begin(), valor, *valor) != valor)
            return false;
    }
    return true;
}

} // namespace

std::optional<qint64> ConvertirEntero(QStringView texto)
{
    const QStringView recortado = texto.trimmed();
    const bool signo = recortado.startsWith(u'-') || recortado.startsWith(u'+');
    // Only ASCII digits after the sign: Qt's own conversion would also take
    // digit group separators, which a stored count never has.
    std::string ascii = recortado.startsWith(u'-') ? "-" : "";
    for (const QChar c : recortado.sliced(signo ? 1 : 0)) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        ascii += char(c.unicode());
    }
    qint64 valor = 0;
    const char *fin = ascii.data() + ascii.size();
    const auto [leido, error] = std::from_chars(ascii.data(), fin, valor);
    return error == std::errc() && leido == fin ? std::optional(valor) : std::nullopt;
}

std::optional<std::int16_t> ConvertirEntero16(QStringView texto)
{
    const auto valor = ConvertirEntero(texto);
    if (!valor || *valor < std::numeric_limits<std::int16_t>::min()
        || *valor > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(*valor);
}

void CadenaAEuromillon(QStringView texto, Euromillon &combinacion)
{
    qsizetype posicion = 0;
    for (int campo = 1; campo <= 7; ++campo) {
        if (const auto valor = ConvertirEntero16(Pieza(texto, posicion)))
            combinacion.Campo(campo) = *valor;
        // Skip the separator unseen; after the fifth number also the "E".
        posicion += campo == 5 ? 2 : 1;
    }
}

QString DosDigitos(const QString &texto)
{
    return texto.size() == 1 ? u'0' + texto : texto;
}

QString EuromillonACadena(const Euromillon &combinacion)
{
    QStringList numeros;
    for (const std::int16_t numero : combinacion.Numeros())
        numeros << DosDigitos(QString::number(numero));
    return numeros.join(u'-') + QStringLiteral("-E") + QString::number(combinacion.Estrella1) + u'-'
        + QString::number(combinacion.Estrella2);
}

bool ApuestaValida(const Euromillon &apuesta)
{
    return Distintos(apuesta.Numeros(), 50) && Distintos(apuesta.Estrellas(), 12);
}

QString Aciertos::Texto() const
{
    return QString::number(numeros) + u'+' + QString::number(estrellas);
}

Aciertos ContarAciertos(const Euromillon &sorteo, const Euromillon &apuesta)
{
    return {ValoresComunes(apuesta.Numeros(), sorteo.Numeros()),
            ValoresComunes(apuesta.Estrellas(), sorteo.Estrellas())};
}

int CategoriaPremio(Aciertos aciertos)
{
    const auto categoria = std::ranges::find(CategoriasPremiadas, aciertos);
    return categoria == std::end(CategoriasPremiadas)
        ? 0
        : int(categoria - std::begin(CategoriasPremiadas)) + 1;
}

QString TextoPremio(Aciertos aciertos)
{
    const int categoria = CategoriaPremio(aciertos);
    if (categoria == 0)
        return {};
    return QStringLiteral("Premio de %1.ª categoría: %2 y %3")
        .arg(QString::number(categoria), Cantidad(aciertos.numeros, QStringLiteral("número")),
             Cantidad(aciertos.estrellas, QStringLiteral("estrella")));
}
