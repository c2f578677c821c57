#pragma once

#include "settings/DocumentoIni.h"

#include <QList>
#include <QString>

#include <utility>

// The settings file: `<program folder>/<program name>.ini`, read and written
// one key at a time with the rules of DocumentoIni. Every call reads the file
// as it is on disk now.

// The path of the settings file: `<folder>/<name>.ini`, from the running
// executable unless FijarProgramaINI chose another.
QString RutaINI();
// For tests: the folder and program name the settings file is found by; an
// empty folder goes back to the executable's own.
void FijarProgramaINI(const QString &carpeta, const QString &nombre);

// The settings file as it is on disk now, read once for a command that looks
// up many keys: empty when it is missing, and empty with its Estado() saying
// why when it cannot be read or is too large.
DocumentoIni LeerDocumentoINI();

// The value of `clave` in `seccion`, or the empty text when the file, the
// section or the key is missing.
QString LeerINI(QStringView seccion, QStringView clave);
inline QString LeerINI(const QString &seccion, const QString &clave)
{
    return LeerINI(QStringView(seccion), QStringView(clave));
}

// Stores `valor` under `clave` in `seccion`, creating the key, the section or
// the file as needed and leaving every other byte of the file as it was. The
// file is replaced whole, never left half written, while a lock file beside it
// keeps other writers out. Returns whether the file now holds the value: false
// when another write holds the lock for 2 s, the folder is missing or cannot
// be written, the file is read-only, cannot be read, is too large or cannot be
// saved, or the value cannot be stored as given (see DocumentoIni::Escribir).
[[nodiscard]] bool EscribirINI(const QString &seccion, const QString &clave, const QString &valor);

// Stores each value under its key in `seccion`, in order, as the call above
// does one, and replaces the file once for all of them: it gets them all or
// none.
[[nodiscard]] bool EscribirINI(const QString &seccion,
                               const QList<std::pair<QString, QString>> &valores);
