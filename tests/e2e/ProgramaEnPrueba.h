#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// A copy of the built program in a scratch folder with its settings file,
// run on a virtual X server. A stand-in `xdg-open`, first on the program's
// PATH, records every address the program hands to the desktop.
class ProgramaEnPrueba
{
public:
    explicit ProgramaEnPrueba(QString display);
    ~ProgramaEnPrueba();
    ProgramaEnPrueba(const ProgramaEnPrueba &) = delete;
    ProgramaEnPrueba &operator=(const ProgramaEnPrueba &) = delete;

    // Copies the program, with its download module unless told otherwise, and
    // writes `ini` as its settings file.
    bool Preparar(const QByteArray &ini, QString &error, bool conModuloRed = true);
    bool Arrancar(QString &error);

    QByteArray LeerIni() const;
    // Whether the settings file holds `contenido` within `ms`.
    bool EsperarIni(const QByteArray &contenido, int ms) const;

    // The addresses handed to the desktop so far, in order.
    QStringList Direcciones() const;
    // The first address beginning with `inicio` handed over after the first
    // `previas`, once there is one.
    std::optional<QString> EsperarDireccion(qsizetype previas, const QString &inicio, int ms) const;

    // Whether the program is still running, with nothing reported by the
    // sanitizers so far.
    bool Vivo() const;
    // Waits for the program to end after its main window was asked to close;
    // true when it ended by itself with status 0 (no leak, no sanitizer report).
    bool EsperarFin(int ms);
    // What the program wrote to its standard error.
    QString Informe();

private:
    QString Ruta(const QString &nombre) const;

    QString display;
    QTemporaryDir carpeta;
    QProcess proceso;
    QByteArray errores;
};
