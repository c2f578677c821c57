#include "model/modTypeEuromillon.h"

#include <algorithm>
#include <limits>

namespace {

// Every hit text that wins a prize, best tier first.
constexpr std::array<std::u16string_view, 13> CategoriasPremiadas = {
    u"5+2", u"5+1", u"5+0", u"4+2", u"4+1", u"3+2", u"4+0",
    u"2+2", u"3+1", u"3+0", u"1+2", u"2+1", u"2+0",
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

// "1 número" or "3 números": the count as the hit text writes it, and its noun.
QString Cantidad(QChar cuenta, const QString &singular)
{
    return QString(cuenta) + u' ' + singular + QLatin1StringView(cuenta == u'1' ? "" : "s");
}

} // namespace

std::optional<qint64> ConvertirEntero(QStringView texto)
{
    const QStringView recortado = texto.trimmed();
    const bool signo = recortado.startsWith(u'-') || recortado.startsWith(u'+');
    const QStringView cifras = recortado.sliced(signo ? 1 : 0);
    // Qt would also take digit group separators; a stored count has none.
    const bool soloCifras = !cifras.isEmpty()
        && std::ranges::all_of(cifras, [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool cabe = false;
    const qint64 valor = recortado.toLongLong(&cabe, 10);
    return soloCifras && cabe ? std::optional(valor) : std::nullopt;
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

QString ContarAciertos(const Euromillon &sorteo, const Euromillon &apuesta)
{
    const int numeros = ValoresComunes(apuesta.Numeros(), sorteo.Numeros());
    const int estrellas = ValoresComunes(apuesta.Estrellas(), sorteo.Estrellas());
    return QString::number(numeros) + u'+' + QString::number(estrellas);
}

int CategoriaPremio(QStringView aciertos)
{
    const auto categoria = std::ranges::find(CategoriasPremiadas, aciertos);
    return categoria == CategoriasPremiadas.end()
        ? 0
        : int(categoria - CategoriasPremiadas.begin()) + 1;
}

QString TextoPremio(QStringView aciertos)
{
    const int categoria = CategoriaPremio(aciertos);
    if (categoria == 0)
        return {};
    // Every winning hit text is one digit, "+", one digit.
    return QStringLiteral("Premio de %1.ª categoría: %2 y %3")
        .arg(QString::number(categoria), Cantidad(aciertos.front(), QStringLiteral("número")),
             Cantidad(aciertos.back(), QStringLiteral("estrella")));
}
