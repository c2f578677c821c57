// The combination parser against a literal reading of the text form: each
// field takes its piece's number or, when the piece does not convert, keeps
// the value it had. The first byte picks how the rest is read: even, UTF-8;
// odd, UTF-16 little-endian.

#include "Exigir.h"

#include "model/modTypeEuromillon.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const bool utf16 = tamano > 0 && datos[0] % 2 == 1;
    QStringDecoder decodificar(utf16 ? QStringConverter::Utf16LE : QStringConverter::Utf8);
    const QString texto = decodificar(QByteArrayView(datos, qsizetype(tamano)).sliced(tamano > 0));
    // Character p counted from 1; the empty text past the end.
    const auto caracter = [&](qsizetype p) {
        return texto.mid(p - 1, p <= texto.size());
    };
    Euromillon antes, esperado;
    qsizetype p = 0;
    for (int campo = 1; campo <= 7; ++campo) {
        antes.Campo(campo) = esperado.Campo(campo) = std::int16_t(-1000 - campo);
        QString pieza = caracter(++p);
        if (caracter(p + 1) != u"-")
            pieza += caracter(++p);
        bool numero = false;
        const int valor = pieza.trimmed().toInt(&numero);
        if (numero)
            esperado.Campo(campo) = std::int16_t(valor);
        p += campo == 5 ? 2 : 1;
    }
    Euromillon leido = antes;
    CadenaAEuromillon(texto, leido);
    Exigir(leido == esperado, "cada campo toma su trozo o conserva su valor");
    return 0;
}
