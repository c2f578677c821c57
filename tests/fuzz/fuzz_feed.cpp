// The feed walk over any bytes taken as the loaded document: no fault, a
// bounded run (the parse refuses what would blow up), and the same draw texts
// and date as a literal walk of the child lists by index.
//
// Input: the document's bytes.

#include "Exigir.h"

#include "feed/CargadorXml.h"
#include "feed/LecturaFeed.h"
#include "model/modTypeEuromillon.h"

#include <cstdint>

namespace {

SorteoDelFeed RecorridoPorIndices(const QDomElement &raiz)
{
    SorteoDelFeed leido;
    const QDomNodeList hijos = raiz.childNodes();
    for (int i = 0; i < hijos.length(); ++i) {
        const QDomElement hijo = hijos.item(i).toElement();
        if (hijo.isNull() || hijo.tagName() != u"item" || !EsSorteoEuromillon(hijo.text()))
            continue;
        const QDomNodeList datos = hijo.childNodes();
        for (int j = 0; j < datos.length(); ++j) {
            const QDomElement dato = datos.item(j).toElement();
            if (dato.tagName() == u"dc:subject")
                leido.combinaciones.append(dato.text());
            else if (dato.tagName() == u"dc:date")
                leido.fecha = dato.text();
        }
    }
    return leido;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    CargadorXml cargador;
    const bool cargado = cargador.CargarDatos(
        QByteArray(reinterpret_cast<const char *>(datos), qsizetype(tamano)));
    const QDomElement raiz = cargador.ElementoDocumento();
    Exigir(cargado != raiz.isNull(), "un documento cargado tiene raíz, uno fallido no");

    const SorteoDelFeed leido = LeerSorteoDelFeed(raiz);
    const SorteoDelFeed esperado = RecorridoPorIndices(raiz);
    Exigir(leido.combinaciones == esperado.combinaciones, "los mismos sorteos, en orden");
    Exigir(leido.fecha == esperado.fecha, "la misma fecha");
    Exigir(cargado || (leido.combinaciones.isEmpty() && !leido.fecha),
           "un documento fallido no da nada");

    Euromillon sorteo;
    for (const QString &combinacion : leido.combinaciones)
        CadenaAEuromillon(combinacion, sorteo);
    return 0;
}
