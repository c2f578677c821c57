#pragma once

#include "desktop/Escritorio.h"
#include "settings/modINIer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>
#include <vector>

// A desktop for tests: records messages, addresses and the clipboard instead
// of showing or opening them. Every address counts as opened until the test
// runs its failure callback (`Fallar`), as an opener that ends badly would.
// It installs itself while it lives.
struct EscritorioGrabador final : Escritorio
{
    EscritorioGrabador() { Escritorio::Instalar(this); }
    ~EscritorioGrabador() override { Escritorio::Instalar(nullptr); }

    void MostrarMensaje(QWidget *, const QString &texto) override { mensajes << texto; }
    void AbrirDireccion(const QString &direccion, std::function<void()> siFalla) override
    {
        direcciones << direccion;
        fallos.push_back(std::move(siFalla));
    }
    void CopiarAlPortapapeles(const QString &texto) override { portapapeles = texto; }

    // Makes every opener started so far fail.
    void Fallar()
    {
        for (const auto &siFalla : std::exchange(fallos, {}))
            siFalla();
    }

    QStringList mensajes, direcciones;
    QString portapapeles;
    std::vector<std::function<void()>> fallos;
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
