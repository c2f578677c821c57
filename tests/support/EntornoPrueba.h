#pragma once

#include "desktop/Escritorio.h"
#include "settings/modINIer.h"

#include <QtTest>

// A desktop for tests: records in `registro`, in turn, the messages, the
// addresses (a results mail by its body, read back from its encoding, which
// nothing follows) and the texts put on the clipboard, instead of showing or
// opening them. Every address counts as opened but one holding "falla", whose
// opener ends badly, heard of from the event loop.
// It installs itself while it lives.
struct EscritorioGrabador : Escritorio
{
    EscritorioGrabador() { Escritorio::Instalar(this); }
    ~EscritorioGrabador() override { Escritorio::Instalar(nullptr); }

    void MostrarMensaje(QWidget *, const QString &texto) override { registro << texto; }
    void AbrirDireccion(const QString &direccion, std::function<void()> siFalla) override
    {
        const QRegularExpression mail(
            "^mailto:\\?subject=Trebolero&body=((?:[-\\w.~!$'()*,;:@]|%[0-9A-F]{2})*)$");
        const QString cuerpo = mail.match(direccion).captured(1);
        registro << (cuerpo.isEmpty() ? direccion : QUrl::fromPercentEncoding(cuerpo.toLatin1()));
        if (direccion.contains("falla"))
            QTimer::singleShot(0, std::move(siFalla));
    }
    void CopiarAlPortapapeles(const QString &texto) override { registro << texto; }

    QStringList registro;
};

// A scratch program folder, so the code under test reads and writes
// `Trebolero.ini` there, and a recording desktop.
struct EntornoPrueba final : EscritorioGrabador
{
    EntornoPrueba() { FijarProgramaINI(carpeta.path(), "Trebolero"); }
    ~EntornoPrueba() { FijarProgramaINI({}, {}); }

    QString RutaIni() const { return carpeta.filePath("Trebolero.ini"); }
    // Writes the settings file, or the file `nombre` beside it.
    void EscribirIni(const QByteArray &bytes, const QString &nombre = "Trebolero.ini") const
    {
        QFile archivo(carpeta.filePath(nombre));
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(bytes) == bytes.size());
    }
    // The file's bytes, or nothing when it cannot be read.
    QByteArray LeerIni() const
    {
        QFile archivo(RutaIni());
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
    }

    QTemporaryDir carpeta;
};
