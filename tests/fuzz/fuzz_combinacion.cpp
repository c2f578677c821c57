// The combination parser against a literal reading of the text form: each
// field takes its piece's number or, when the piece does not convert, keeps
// its value. An odd first byte reads the rest as UTF-16 little-endian.

#include "Exigir.h"

#include "model/modTypeEuromillon.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArrayView bytes(datos, qsizetype(tamano));
    const bool utf16 = !bytes.isEmpty() && bytes[0] % 2 != 0;
    const QString texto = QStringDecoder(utf16 ? QStringConverter::Utf16LE : QStringConverter::Utf8)
                              .decode(bytes.sliced(!bytes.isEmpty()));
    Euromillon antes, esperado;
    qsizetype p = 0;
    for (int campo = 1; campo <= 7; ++campo) {
        antes.Campo(campo) = esperado.Campo(campo) = std::int16_t(-1000 - campo);
        // One character, or two unless the second is "-"; then a separator, or "-E".
        const qsizetype largo = texto.mid(p + 1, 1) == u"-" ? 1 : 2;
        bool numero = false;
        const int valor = texto.mid(p, largo).trimmed().toInt(&numero);
        if (numero)
            esperado.Campo(campo) = std::int16_t(valor);
        p += largo + (campo == 5 ? 2 : 1);
    }
    CadenaAEuromillon(texto, antes);
    Exigir(antes == esperado, "cada campo toma su trozo o conserva su valor");
    return 0;
}
