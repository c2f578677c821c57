#pragma once

#include "settings/modINIer.h"
#include "support/EscritorioGrabador.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A scratch program folder with a recording desktop pointed at it, so the
// code under test reads and writes `<nombre>.ini` there.
struct EntornoPrueba
{
    EntornoPrueba() { FijarProgramaINI(carpeta.path(), nombre); }
    ~EntornoPrueba() { FijarProgramaINI({}, {}); }

    QString RutaIni() const { return carpeta.filePath(nombre + ".ini"); }
    void EscribirIni(const QByteArray &bytes) const
    {
        QFile archivo(RutaIni());
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(bytes) == bytes.size());
    }
    // The file's bytes, or nothing when it cannot be read.
    QByteArray LeerIni() const
    {
        QFile archivo(RutaIni());
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
    }

    QTemporaryDir carpeta;
    const QString nombre = QStringLiteral("Trebolero");
    EscritorioGrabador escritorio;
};
