// The settings text under arbitrary bytes and a run of writes: no fault, the
// written key reads back its value (line breaks as blanks), every key listed
// in its section reads as listed, and every key named before reads as it did.
//
// Input: texts, each a length byte and its bytes: the file as it is stored,
// then section, key and value (UTF-8) of each write.

#include "settings/DocumentoIni.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    std::size_t posicion = 0;
    const auto texto = [&] {
        const std::size_t largo
            = posicion < tamano ? std::min<std::size_t>(datos[posicion], tamano - posicion - 1) : 0;
        posicion += largo + 1;
        return QByteArray(reinterpret_cast<const char *>(datos + posicion - largo),
                          qsizetype(largo));
    };
    DocumentoIni documento(texto());
    QList<std::pair<QString, QString>> nombrados;
    while (posicion < tamano) {
        const QString seccion(texto()), clave(texto()), valor(texto());
        nombrados.append({seccion, clave});
        const std::optional<DocumentoIni> nuevo = documento.Escribir(seccion, clave, valor);
        if (!nuevo)
            continue;
        // A broken property stops the run, so libFuzzer keeps the input as a
        // crash and the replay of the seeds fails.
        if (nuevo->Leer(seccion, clave) != QString(valor).replace(u'\r', u' ').replace(u'\n', u' '))
            qFatal("la clave escrita no se lee con su valor");
        for (const auto &[nombre, leido] : nuevo->Seccion(seccion))
            if (nuevo->Leer(seccion, nombre) != leido)
                qFatal("la sección no da el valor de una clave");
        for (const auto &[otraSeccion, otraClave] : std::as_const(nombrados))
            if (nuevo->Leer(otraSeccion, otraClave) != documento.Leer(otraSeccion, otraClave)
                && nuevo->Leer(seccion, clave) != nuevo->Leer(otraSeccion, otraClave))
                qFatal("otra clave ha cambiado");
        documento = *nuevo;
    }
    return 0;
}
