#pragma once

#include "support/EscritorioGrabador.h"

#include <QByteArray>
#include <QTemporaryDir>

// A scratch program folder with a recording desktop pointed at it, so the
// code under test reads and writes `Trebolero.ini` there.
class EntornoPrueba
{
public:
    EntornoPrueba();

    QString RutaIni() const;
    void EscribirIni(const QByteArray &contenido) const;
    QByteArray LeerIni() const;
    bool ExisteIni() const;

    QTemporaryDir carpeta;
    EscritorioGrabador escritorio;
};
