#pragma once

#include "settings/DocumentoIni.h"

#include <QList>
#include <QString>

#include <functional>
#include <utility>

// The settings file: `<program folder>/<program name>.ini`, read and written
// one key at a time with the rules of DocumentoIni. Every call sees the file as
// it is on disk now; a run of calls on an unchanged file parses it only once.

// The value of `clave` in `seccion`, or the empty text when the file, the
// section or the key is missing.
QString LeerINI(QStringView seccion, QStringView clave);
inline QString LeerINI(const QString &seccion, const QString &clave)
{
    return LeerINI(QStringView(seccion), QStringView(clave));
}
// The same into `valor`, reusing its memory, for a load of thousands of keys.
void LeerINI(QStringView seccion, QStringView clave, QString &valor);

// Stores `valor` under `clave` in `seccion`, creating the key, the section or
// the file as needed and leaving every other byte of the file as it was. The
// file is replaced whole, never left half written. Returns whether the file now
// holds the value: false when the folder is missing or cannot be written, the
// file cannot be read or saved, or the value cannot be stored as given (see
// DocumentoIni::Escribir).
[[nodiscard]] bool EscribirINI(const QString &seccion, const QString &clave, const QString &valor);

// Stores each value under its key in `seccion`, in order, as the call above
// does one, and replaces the file once for all of them: it gets them all or
// none. One replacement saves the wait for the disk that each one costs.
[[nodiscard]] bool EscribirINI(const QString &seccion,
                               const QList<std::pair<QString, QString>> &valores);

// Values stored together under one section, in order.
struct EscrituraINI
{
    QString seccion;
    QList<std::pair<QString, QString>> valores;

    friend bool operator==(const EscrituraINI &, const EscrituraINI &) = default;
};

// Stores values that every start writes again, as the call above does, except
// that a file that does not exist yet is created without waiting for the disk:
// a crash can then lose only these values, which the next start writes again.
// The wait is most of what the first start spends on the file.
[[nodiscard]] bool EscribirINIAlArrancar(const EscrituraINI &escritura);

// LeerINI's reads, for work on the settings file done on another thread: they
// read the file as that thread read it.
using LectorINI = std::function<void(QStringView seccion, QStringView clave, QString &valor)>;

// Starts reading and parsing the settings file on another thread, so that the
// first read after it finds the work done; a window with a long list of bets
// calls it before it builds its controls. `trabajo`, when given, runs there
// too, on the file as it will read once `previa` is stored, for a start that
// stores values before it reads anything; the file with those values is then
// made there as well, for the write of `previa` to take. A small file is left
// to the first read, and no work is done for it. Reads see the file as it is
// on disk all the same: the read made ahead stands only while the file is
// unchanged.
void AdelantarLecturaINI(std::function<void(const LectorINI &)> trabajo = {},
                         const EscrituraINI &previa = {});

// Whether the reads of the settings file see now the very bytes that the work
// given to AdelantarLecturaINI read, so that what it found is what those
// reads would find; false when no such work ran. Waits for the work to end.
bool LecturaAdelantadaVigente();

// The path of the settings file: `<folder>/<name>.ini`, from the running
// executable unless FijarProgramaINI chose another.
QString RutaINI();
// For tests: the folder and program name the settings file is found by; an
// empty folder goes back to the executable's own.
void FijarProgramaINI(const QString &carpeta, const QString &nombre);
// The settings file as it is on disk now, read once for a command that looks
// up many keys (empty when it is missing or cannot be read).
DocumentoIni LeerDocumentoINI();

// While one of these lives, the reads of the settings file form one look at
// it: the first read checks the file on disk, as every read does, and the
// reads after it see that same state of the file without going back to the
// disk, which at thousands of keys costs more than everything else a command
// does. A command that reads many keys opens one for its whole run, so a
// change made on disk is seen whole by the next command and never half-way
// through one. Writes always go to the file on disk; what they write is seen
// by the reads after them. They nest; only the outermost one counts.
class VistazoINI
{
public:
    VistazoINI();
    ~VistazoINI();
    VistazoINI(const VistazoINI &) = delete;
    VistazoINI &operator=(const VistazoINI &) = delete;
};
