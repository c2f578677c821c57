#include "settings/modINIer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace {

QString carpetaFijada;
QString nombreFijado;

// How long a write waits for another one, of this or another copy of the
// program, to finish.
constexpr int EsperaCerrojo = 2000;

// The file as it is on disk now: empty when it does not exist, and a document
// that takes no writes when it cannot be read. A link counts as its target,
// and one that leads nowhere as a file that cannot be read; anything but a
// plain file (a FIFO would hang the read) cannot be read either. At most one
// byte over the size limit is ever read.
DocumentoIni LeerDocumento(const QString &ruta)
{
    const QFileInfo info(ruta);
    if (!info.exists() && !info.isSymLink())
        return DocumentoIni(QByteArray());
    if (!info.exists() || !info.isFile() || !info.isReadable())
        return DocumentoIni(EstadoINI::Ilegible);
    if (info.size() > DocumentoIni::TamanoMaximo)
        return DocumentoIni(EstadoINI::DemasiadoGrande);
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return DocumentoIni(EstadoINI::Ilegible);
    QByteArray bytes = archivo.read(DocumentoIni::TamanoMaximo + 1);
    if (archivo.error() != QFileDevice::NoError)
        return DocumentoIni(EstadoINI::Ilegible);
    return DocumentoIni(std::move(bytes));
}

// Writes a new file beside the old one and renames it over it, so the file is
// either all old or all new. Unbuffered, because a short write into a full
// disk is then seen here instead of being lost inside the buffer's flush. A
// link is written through: its target is replaced.
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
    return LeerDocumento(RutaINI());
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
    // Another copy of the program writing the same file at the same time
    // would otherwise start from the bytes before this write, and undo it.
    QLockFile cerrojo(ruta + QStringLiteral(".lock"));
    if (!cerrojo.tryLock(EsperaCerrojo))
        return false;
    const DocumentoIni original = LeerDocumento(ruta);
    if (original.Estado() != EstadoINI::Legible || SoloLectura(ruta))
        return false;
    DocumentoIni documento = original;
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
    return documento.Contenido() == original.Contenido() || Guardar(ruta, documento.Contenido());
}
