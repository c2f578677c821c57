#include "feed/LecturaFeed.h"

bool EsSorteoEuromillon(const QString &texto)
{
    return QStringView(texto).trimmed().startsWith(QLatin1String("Euromillon"));
}

SorteoDelFeed LeerSorteoDelFeed(const QDomElement &raiz)
{
    SorteoDelFeed leido;
    for (QDomElement hijo = raiz.firstChildElement(); !hijo.isNull();
         hijo = hijo.nextSiblingElement()) {
        if (hijo.tagName() != QLatin1String("item") || !EsSorteoEuromillon(hijo.text()))
            continue;
        for (QDomElement dato = hijo.firstChildElement(); !dato.isNull();
             dato = dato.nextSiblingElement()) {
            if (dato.tagName() == QLatin1String("dc:subject"))
                leido.combinaciones.append(dato.text());
            else if (dato.tagName() == QLatin1String("dc:date"))
                leido.fecha = dato.text();
        }
    }
    return leido;
}
