#include "ProgramaEnPrueba.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// The stand-in for the desktop's opener: one address a line.
constexpr char OpenerFalso[] = "#!/bin/sh\n"
                               "printf '%s\\n' \"$1\" >> '%1'\n";

bool EscribirArchivo(const QString &ruta, const QByteArray &contenido)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::WriteOnly) && archivo.write(contenido) == contenido.size();
}

} // namespace

ProgramaEnPrueba::ProgramaEnPrueba(QString display)
    : display(std::move(display))
{}

ProgramaEnPrueba::~ProgramaEnPrueba()
{
    if (proceso.state() != QProcess::NotRunning) {
        proceso.kill();
        proceso.waitForFinished();
    }
}

QString ProgramaEnPrueba::Ruta(const QString &nombre) const
{
    return carpeta.filePath(nombre);
}

bool ProgramaEnPrueba::Preparar(const QByteArray &ini, QString &error, bool conModuloRed)
{
    const QString programa = Ruta(QStringLiteral("programa/Trebolero"));
    const QString moduloRed = QStringLiteral(TREBOLERO_MODULO_RED);
    const QString opener = Ruta(QStringLiteral("bin/xdg-open"));
    const bool hecho = carpeta.isValid() && QDir(carpeta.path()).mkpath(QStringLiteral("programa"))
        && QDir(carpeta.path()).mkpath(QStringLiteral("bin"))
        && QDir(carpeta.path()).mkpath(QStringLiteral("runtime"))
        && QFile::copy(QStringLiteral(TREBOLERO_EJECUTABLE), programa)
        && (!conModuloRed
            || QFile::copy(moduloRed,
                           Ruta(QStringLiteral("programa/")) + QFileInfo(moduloRed).fileName()))
        && EscribirArchivo(Ruta(QStringLiteral("programa/Trebolero.ini")), ini)
        && EscribirArchivo(opener,
                           QString::fromLatin1(OpenerFalso)
                               .arg(Ruta(QStringLiteral("direcciones.txt")))
                               .toUtf8())
        && QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
        && QFile::setPermissions(Ruta(QStringLiteral("runtime")),
                                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!hecho)
        error = QStringLiteral("No se pudo preparar la carpeta ") + carpeta.path();
    return hecho;
}

bool ProgramaEnPrueba::Arrancar(QString &error)
{
    // The sanitizer settings come from the test's own environment; the rest
    // is a plain X session with nothing of the caller's desktop.
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE",
                                 "DESKTOP_SESSION", "http_proxy", "https_proxy", "all_proxy",
                                 "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "BROWSER"})
        entorno.remove(QString::fromLatin1(variable));
    entorno.insert(QStringLiteral("DISPLAY"), display);
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    entorno.insert(QStringLiteral("PATH"),
                   Ruta(QStringLiteral("bin")) + QLatin1Char(':')
                       + entorno.value(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin")));
    entorno.insert(QStringLiteral("HOME"), carpeta.path());
    entorno.insert(QStringLiteral("XDG_RUNTIME_DIR"), Ruta(QStringLiteral("runtime")));
    entorno.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    // No session bus: nothing may start one on the program's behalf.
    entorno.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + Ruta(QStringLiteral("sin-bus")));
    proceso.setProcessEnvironment(entorno);
    proceso.setWorkingDirectory(carpeta.path());
    proceso.setProgram(Ruta(QStringLiteral("programa/Trebolero")));
    proceso.start();
    if (!proceso.waitForStarted(20000)) {
        error = QStringLiteral("Trebolero no arranca: ") + proceso.errorString();
        return false;
    }
    return true;
}

QByteArray ProgramaEnPrueba::LeerIni() const
{
    QFile archivo(Ruta(QStringLiteral("programa/Trebolero.ini")));
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

bool ProgramaEnPrueba::EsperarIni(const QByteArray &contenido, int ms) const
{
    return QTest::qWaitFor([&] { return LeerIni() == contenido; }, ms);
}

QStringList ProgramaEnPrueba::Direcciones() const
{
    QFile archivo(Ruta(QStringLiteral("direcciones.txt")));
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    // Only whole lines: the stand-in may be half way through its write.
    QByteArray contenido = archivo.readAll();
    contenido.truncate(contenido.lastIndexOf('\n') + 1);
    return QString::fromUtf8(contenido).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::optional<QString> ProgramaEnPrueba::EsperarDireccion(qsizetype previas, const QString &inicio,
                                                          int ms) const
{
    std::optional<QString> encontrada;
    [[maybe_unused]] const bool llego = QTest::qWaitFor(
        [&] {
            const QStringList direcciones = Direcciones();
            for (qsizetype i = previas; i < direcciones.size() && !encontrada; ++i)
                if (direcciones[i].startsWith(inicio))
                    encontrada = direcciones[i];
            return encontrada.has_value();
        },
        ms);
    return encontrada;
}

bool ProgramaEnPrueba::Vivo() const
{
    return proceso.state() == QProcess::Running;
}

bool ProgramaEnPrueba::EsperarFin(int ms)
{
    if (!QTest::qWaitFor([&] { return proceso.state() == QProcess::NotRunning; }, ms))
        return false;
    return proceso.exitStatus() == QProcess::NormalExit && proceso.exitCode() == 0;
}

QString ProgramaEnPrueba::Informe()
{
    errores += proceso.readAllStandardError();
    return QString::fromLocal8Bit(errores);
}
