#include "settings/modINIer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString carpetaFijada;
QString nombreFijado;

// Whether a file can be read: a missing one can, as empty; anything but a
// plain file (a FIFO would hang the read) cannot.
bool Legible(const QFileInfo &info)
{
    return !info.exists() || (info.isFile() && info.isReadable());
}

// The file's bytes: empty when it does not exist, nothing when it cannot be
// read.
std::optional<QByteArray> LeerBytes(const QString &ruta)
{
    const QFileInfo info(ruta);
    if (!info.exists())
        return QByteArray();
    QFile archivo(ruta);
    if (!Legible(info) || !archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// Writes a new file beside the old one and renames it over it, so the file is
// either all old or all new. Unbuffered, because a short write into a full
// disk is then seen here instead of being lost inside the buffer's flush.
bool Guardar(const QString &ruta, const QByteArray &bytes)
{
    QSaveFile archivo(ruta);
    return archivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && archivo.write(bytes) == bytes.size() && archivo.commit();
}

// A file marked read-only stays so, even for a user whom permissions do not
// stop.
bool SoloLectura(const QString &ruta)
{
    const QFileInfo info(ruta);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

} // namespace

void FijarProgramaINI(const QString &carpeta, const QString &nombre)
{
    carpetaFijada = carpeta;
    nombreFijado = nombre;
}

QString RutaINI()
{
    if (!carpetaFijada.isEmpty())
        return QDir(carpetaFijada).filePath(nombreFijado + QStringLiteral(".ini"));
    const QFileInfo programa(QCoreApplication::applicationFilePath());
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(programa.completeBaseName() + QStringLiteral(".ini"));
}

DocumentoIni LeerDocumentoINI()
{
    return DocumentoIni(LeerBytes(RutaINI()).value_or(QByteArray()));
}

bool INILegible()
{
    return Legible(QFileInfo(RutaINI()));
}

QString LeerINI(QStringView seccion, QStringView clave)
{
    return LeerDocumentoINI().Leer(seccion, clave);
}

bool EscribirINI(const QString &seccion, const QString &clave, const QString &valor)
{
    return EscribirINI(seccion, {{clave, valor}});
}

bool EscribirINI(const QString &seccion, const QList<std::pair<QString, QString>> &valores)
{
    const QString ruta = RutaINI();
    const std::optional<QByteArray> bytes = LeerBytes(ruta);
    if (!bytes || SoloLectura(ruta))
        return false;
    DocumentoIni documento(*bytes);
    for (const auto &[clave, valor] : valores) {
        // A value that already reads back as given (the authorship keys at
        // every start) keeps its line as it is.
        if (!valor.isEmpty() && documento.Leer(seccion, clave) == valor)
            continue;
        std::optional<DocumentoIni> editado = documento.Escribir(seccion, clave, valor);
        if (!editado)
            return false;
        documento = std::move(*editado);
    }
    return documento.Contenido() == *bytes || Guardar(ruta, documento.Contenido());
}
