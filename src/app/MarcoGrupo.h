#pragma once

#include <QPixmap>

// The picture that the Fusion style draws every group box frame from.
extern const QString ImagenMarcoGrupo;

// With the Fusion style, reads ImagenMarcoGrupo as PNG and puts it into Qt's
// pixmap cache, where the style looks first; the read pixmap, or a null one
// with any other style. Left to the style, the read would not name the format,
// and Qt would load every image format plugin to ask each whether it reads
// the file: a cost at every start.
QPixmap PrecargarMarcoGrupo();
