// The combination parser against a literal reading of the text form: any text
// parses without a fault, and each field either takes its piece's number or,
// when the piece does not convert, keeps the value it had.
//
// Input: the first byte picks the decoding of the rest (even: UTF-8, odd:
// UTF-16 in little-endian pairs), so every UTF-16 code unit can be reached.

#include "Exigir.h"

#include "model/modTypeEuromillon.h"

#include <cstdint>

namespace {

// The character at `posicion`, counted from 1; the empty text past the end.
QStringView Caracter(QStringView texto, qsizetype posicion)
{
    return posicion <= texto.size() ? texto.sliced(posicion - 1, 1) : QStringView();
}

// An optional sign and digits, blanks around them ignored. Pieces hold at
// most two characters, so the value always fits.
std::optional<std::int16_t> Numero(const QString &pieza)
{
    const QString recortada = pieza.trimmed();
    const bool signo = recortada.startsWith(u'-') || recortada.startsWith(u'+');
    const QStringView digitos = QStringView(recortada).sliced(signo ? 1 : 0);
    if (digitos.isEmpty())
        return std::nullopt;
    for (const QChar c : digitos) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int valor = digitos.toInt();
    return std::int16_t(recortada.startsWith(u'-') ? -valor : valor);
}

Euromillon Esperado(QStringView texto, Euromillon combinacion)
{
    qsizetype p = 0;
    for (int campo = 1; campo <= 7; ++campo) {
        QString pieza = Caracter(texto, p + 1).toString();
        ++p;
        if (Caracter(texto, p + 1) != u"-") {
            pieza += Caracter(texto, p + 1);
            ++p;
        }
        if (const auto valor = Numero(pieza))
            combinacion.Campo(campo) = *valor;
        p += campo == 5 ? 2 : 1;
    }
    return combinacion;
}

QString Texto(const std::uint8_t *datos, std::size_t tamano)
{
    if (tamano == 0)
        return {};
    const auto *resto = reinterpret_cast<const char *>(datos + 1);
    const auto largo = qsizetype(tamano - 1);
    if (datos[0] % 2 == 0)
        return QString::fromUtf8(resto, largo);
    QString texto(largo / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i)
        texto[i]
            = QChar(char16_t(std::uint8_t(resto[2 * i]) | std::uint8_t(resto[2 * i + 1]) << 8));
    return texto;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QString texto = Texto(datos, tamano);
    const QString copia = texto;

    // Values no piece of two characters can produce, so a field left alone
    // shows.
    Euromillon antes;
    for (int campo = 1; campo <= 7; ++campo)
        antes.Campo(campo) = std::int16_t(-1000 - campo);

    Euromillon leido = antes;
    CadenaAEuromillon(texto, leido);
    Exigir(leido == Esperado(texto, antes), "cada campo toma su trozo o conserva su valor");
    Exigir(texto == copia, "el texto no cambia");

    // Parsing again over the result changes nothing: every field that reads
    // takes the same value, every other keeps it.
    Euromillon otraVez = leido;
    CadenaAEuromillon(texto, otraVez);
    Exigir(otraVez == leido, "leer dos veces da lo mismo");
    return 0;
}
