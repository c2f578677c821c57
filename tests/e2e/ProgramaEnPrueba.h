#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A copy of the built program in a scratch folder with its settings file,
// run on a virtual X server. A stand-in `xdg-open`, first on the program's
// PATH, records every address the program hands to the desktop.
class ProgramaEnPrueba
{
public:
    ~ProgramaEnPrueba();

    // Copies the program, with its download module unless told otherwise,
    // writes `ini` as its settings file and starts it on `display`.
    bool Arrancar(const QString &display, const QByteArray &ini, bool conModuloRed, QString &error);

    QByteArray LeerIni() const;
    // The addresses handed to the desktop so far, in order.
    QStringList Direcciones() const;
    // The address handed over after the first `previas`, once there is one
    // within `ms`; empty when none came.
    QString EsperarDireccion(qsizetype previas, int ms) const;

    // Whether the program is still running.
    bool Vivo() const { return proceso.state() == QProcess::Running; }
    // Waits for the program to end after its main window was asked to close;
    // true when it ended by itself with status 0 (no leak, no sanitizer report).
    bool EsperarFin(int ms);
    // What the program wrote to its standard error.
    QString Informe();

private:
    QTemporaryDir carpeta;
    QProcess proceso;
    QByteArray errores;
};
