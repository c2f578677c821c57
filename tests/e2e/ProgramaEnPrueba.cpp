#include "ProgramaEnPrueba.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

bool EscribirArchivo(const QString &ruta, const QByteArray &contenido)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::WriteOnly) && archivo.write(contenido) == contenido.size();
}

} // namespace

ProgramaEnPrueba::~ProgramaEnPrueba()
{
    proceso.kill();
    proceso.waitForFinished();
}

bool ProgramaEnPrueba::Arrancar(const QString &display, const QByteArray &ini, bool conModuloRed,
                                QString &error)
{
    const QDir dir(carpeta.path());
    const QString modulo = QStringLiteral(TREBOLERO_MODULO_RED);
    // The stand-in for the desktop's opener: one address a line.
    const QByteArray opener = "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '"
        + dir.filePath("direcciones.txt").toUtf8() + "'\n";
    const auto privado = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const bool hecho = carpeta.isValid() && dir.mkpath("programa") && dir.mkpath("bin")
        && dir.mkpath("runtime") && QFile::setPermissions(dir.filePath("runtime"), privado)
        && QFile::copy(TREBOLERO_EJECUTABLE, dir.filePath("programa/Trebolero"))
        && (!conModuloRed
            || QFile::copy(modulo, dir.filePath("programa/" + QFileInfo(modulo).fileName())))
        && EscribirArchivo(dir.filePath("programa/Trebolero.ini"), ini)
        && EscribirArchivo(dir.filePath("bin/xdg-open"), opener)
        && QFile::setPermissions(dir.filePath("bin/xdg-open"), privado);
    if (!hecho) {
        error = "No se pudo preparar la carpeta " + carpeta.path();
        return false;
    }

    // The sanitizer settings come from the test's own environment; the rest
    // is a plain X session with nothing of the caller's desktop.
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE",
                                 "DESKTOP_SESSION", "http_proxy", "https_proxy", "all_proxy",
                                 "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "BROWSER"})
        entorno.remove(variable);
    entorno.insert("DISPLAY", display);
    entorno.insert("QT_QPA_PLATFORM", "xcb");
    entorno.insert("PATH", dir.filePath("bin") + ':' + entorno.value("PATH", "/usr/bin:/bin"));
    entorno.insert("HOME", carpeta.path());
    entorno.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
    entorno.insert("LANG", "C.UTF-8");
    // No session bus: nothing may start one on the program's behalf.
    entorno.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.filePath("sin-bus"));
    proceso.setProcessEnvironment(entorno);
    proceso.setWorkingDirectory(carpeta.path());
    proceso.start(dir.filePath("programa/Trebolero"));
    if (!proceso.waitForStarted(20000)) {
        error = "Trebolero no arranca: " + proceso.errorString();
        return false;
    }
    return true;
}

QByteArray ProgramaEnPrueba::LeerIni() const
{
    QFile archivo(carpeta.filePath("programa/Trebolero.ini"));
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

QStringList ProgramaEnPrueba::Direcciones() const
{
    QFile archivo(carpeta.filePath("direcciones.txt"));
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    // Only whole lines: the stand-in may be half way through its write.
    QByteArray contenido = archivo.readAll();
    contenido.truncate(contenido.lastIndexOf('\n') + 1);
    return QString::fromUtf8(contenido).split('\n', Qt::SkipEmptyParts);
}

QString ProgramaEnPrueba::EsperarDireccion(qsizetype previas, int ms) const
{
    return QTest::qWaitFor([&] { return Direcciones().size() > previas; }, ms)
        ? Direcciones().value(previas)
        : QString();
}

bool ProgramaEnPrueba::EsperarFin(int ms)
{
    return QTest::qWaitFor([&] { return proceso.state() == QProcess::NotRunning; }, ms)
        && proceso.exitStatus() == QProcess::NormalExit && proceso.exitCode() == 0;
}

QString ProgramaEnPrueba::Informe()
{
    errores += proceso.readAllStandardError();
    return QString::fromLocal8Bit(errores);
}
