#pragma once

#include "desktop/Escritorio.h"
#include "settings/modINIer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A desktop for tests: records messages, addresses and the clipboard instead
// of showing or opening them, and refuses addresses when told to. It installs
// itself while it lives.
struct EscritorioGrabador final : Escritorio
{
    EscritorioGrabador() { Escritorio::Instalar(this); }
    ~EscritorioGrabador() override { Escritorio::Instalar(nullptr); }

    void MostrarMensaje(QWidget *, const QString &texto) override { mensajes << texto; }
    bool AbrirDireccion(const QString &direccion) override
    {
        direcciones << direccion;
        return !rechazarDirecciones;
    }
    void CopiarAlPortapapeles(const QString &texto) override { portapapeles = texto; }

    QStringList mensajes, direcciones;
    QString portapapeles;
    bool rechazarDirecciones = false;
};

// A scratch program folder with a recording desktop, so the code under test
// reads and writes `<nombre>.ini` there.
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
