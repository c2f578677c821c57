#include "feed/LecturaFeed.h"

namespace {

// Far beyond any draw or date, and short enough for a text box to lay out at
// once whatever the characters.
constexpr qsizetype LargoMaximo = 1000;

// Whether the text of an item is about a EuroMillions draw: it begins with
// "Euromillon", spelt exactly so; blanks before it do not count.
bool EsSorteoEuromillon(const QString &texto)
{
    return QStringView(texto).trimmed().startsWith(QLatin1String("Euromillon"));
}

} // namespace

SorteoDelFeed LeerSorteoDelFeed(const QDomElement &raiz)
{
    SorteoDelFeed leido;
    for (QDomElement hijo = raiz.firstChildElement(); !hijo.isNull();
         hijo = hijo.nextSiblingElement()) {
        if (hijo.tagName() != QLatin1String("item") || !EsSorteoEuromillon(hijo.text()))
            continue;
        for (QDomElement dato = hijo.firstChildElement(); !dato.isNull();
             dato = dato.nextSiblingElement()) {
            const QString texto = dato.text();
            if (texto.size() > LargoMaximo)
                continue;
            if (dato.tagName() == QLatin1String("dc:subject"))
                leido.combinaciones.append(texto);
            else if (dato.tagName() == QLatin1String("dc:date"))
                leido.fecha = texto;
        }
    }
    return leido;
}
