#pragma once

#include <QDomElement>
#include <QStringList>

#include <optional>

// What a loaded result feed says about the EuroMillions draw. Only direct
// children of the document element named exactly "item" whose text begins
// with "Euromillon" count; within them, the direct children "dc:subject"
// (the draw, in the stored combination form) and "dc:date" (its date, never
// parsed). A subject or date longer than any real one counts as absent.
struct SorteoDelFeed
{
    // Every draw text, in document order: each is parsed over the previous
    // one, so the last wins field by field.
    QStringList combinaciones;
    // The last date found, if any.
    std::optional<QString> fecha;
};

// Walks the direct children of `raiz` and of its matching items.
SorteoDelFeed LeerSorteoDelFeed(const QDomElement &raiz);
