#pragma once

#include "support/EscritorioGrabador.h"

#include <QByteArray>
#include <QTemporaryDir>

// A scratch program folder with a recording desktop pointed at it, so the
// code under test reads and writes `<nombre>.ini` there.
class EntornoPrueba
{
public:
    explicit EntornoPrueba(const QString &nombre = QStringLiteral("Trebolero"));

    QString RutaIni() const;
    void EscribirIni(const QByteArray &contenido) const;
    QByteArray LeerIni() const;
    bool ExisteIni() const;

    QTemporaryDir carpeta;
    EscritorioGrabador escritorio;
};
