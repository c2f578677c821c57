#include "model/modTypeEuromillon.h"

#include <algorithm>
#include <limits>

namespace {

// Every hit text that wins a prize, best tier first.
constexpr std::array<const char16_t *, 13> CategoriasPremiadas = {
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

bool EsDigito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A piece of one or two digits, the form every stored field takes, is read
// directly; anything else goes through the general rules. A whole file of
// bets is read this way at every load.
std::optional<std::int16_t> ValorDePieza(QStringView pieza)
{
    if (pieza.size() == 1 && EsDigito(pieza[0]))
        return std::int16_t(pieza[0].unicode() - u'0');
    if (pieza.size() == 2 && EsDigito(pieza[0]) && EsDigito(pieza[1]))
        return std::int16_t((pieza[0].unicode() - u'0') * 10 + pieza[1].unicode() - u'0');
    return ConvertirEntero16(pieza);
}

template<std::size_t N>
int ValoresComunes(const std::array<std::int16_t, N> &a, const std::array<std::int16_t, N> &b)
{
    int comunes = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const auto valor = a[i];
        const bool repetido = std::find(a.begin(), a.begin() + i, valor) != a.begin() + i;
        if (valor >= 1 && !repetido && std::find(b.begin(), b.end(), valor) != b.end())
            ++comunes;
    }
    return comunes;
}

} // namespace

std::optional<qint64> ConvertirEntero(QStringView texto)
{
    const QStringView recortado = texto.trimmed();
    if (recortado.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    const bool negativo = recortado[0] == u'-';
    if (negativo || recortado[0] == u'+')
        ++i;
    if (i == recortado.size())
        return std::nullopt;
    qint64 valor = 0;
    for (; i < recortado.size(); ++i) {
        const char16_t c = recortado[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digito = c - u'0';
        constexpr qint64 maximo = std::numeric_limits<qint64>::max();
        if (valor > maximo / 10 || (valor == maximo / 10 && digito > maximo % 10))
            return std::nullopt;
        valor = valor * 10 + digito;
    }
    return negativo ? -valor : valor;
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
        if (const auto valor = ValorDePieza(Pieza(texto, posicion)))
            combinacion.Campo(campo) = *valor;
        // Skip the separator unseen; after the fifth number also the "E".
        posicion += campo == 5 ? 2 : 1;
    }
}

ClaveCombinacion::ClaveCombinacion(int n)
    : inicio(qsizetype(texto.size()))
{
    // Written from its last digit back, as QString::number would write it.
    quint32 resto = n < 0 ? 0u - quint32(n) : quint32(n);
    do {
        texto[std::size_t(--inicio)] = char16_t(u'0' + resto % 10);
        resto /= 10;
    } while (resto > 0);
    if (n < 0)
        texto[std::size_t(--inicio)] = u'-';
    texto[std::size_t(--inicio)] = u'C';
}

QString TextoNumero(int valor)
{
    static const auto compartidos = [] {
        std::array<QString, 100> textos;
        for (int i = 0; i < int(textos.size()); ++i)
            textos[std::size_t(i)] = QString::number(i);
        return textos;
    }();
    if (valor >= 0 && valor < int(compartidos.size()))
        return compartidos[std::size_t(valor)];
    return QString::number(valor);
}

QString DosDigitos(const QString &texto)
{
    return texto.size() == 1 ? QLatin1Char('0') + texto : texto;
}

QString ContarAciertos(const Euromillon &sorteo, const Euromillon &apuesta)
{
    const int numeros = ValoresComunes(apuesta.Numeros(), sorteo.Numeros());
    const int estrellas = ValoresComunes(apuesta.Estrellas(), sorteo.Estrellas());
    return QString::number(numeros) + QLatin1Char('+') + QString::number(estrellas);
}

bool EsPremio(QStringView textoAciertos)
{
    return std::any_of(CategoriasPremiadas.begin(), CategoriasPremiadas.end(),
                       [&](const char16_t *categoria) { return textoAciertos == categoria; });
}
