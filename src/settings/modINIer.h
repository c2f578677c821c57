#pragma once

#include <QString>

// The settings file: `<program folder>/<program name>.ini`, read and written
// one key at a time. Every call sees the file as it is on disk now.

// The value of `clave` in `seccion`, or the empty text when the file, the
// section or the key is missing.
QString LeerINI(const QString &seccion, const QString &clave);

// Stores `valor` under `clave` in `seccion`, creating the key, the section or
// the file as needed and leaving every other byte of the file as it was.
// Returns whether the file now holds the value.
[[nodiscard]] bool EscribirINI(const QString &seccion, const QString &clave, const QString &valor);

// The path of the settings file, built from the program's folder and name.
QString RutaINI();
