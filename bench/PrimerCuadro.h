#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>

// Quits the event loop once the window has painted its first frame: the quit
// is queued behind the painting of its children, so the whole frame is done.
class SalidaTrasPrimerCuadro : public QObject
{
public:
    explicit SalidaTrasPrimerCuadro(QWidget &ventana) { ventana.installEventFilter(this); }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint) {
            objeto->removeEventFilter(this);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

// Prints the process's peak resident memory as the line "VmHWM: <n> kB".
inline void InformarPicoMemoria()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            std::printf("%s\n", linea.constData());
    }
}
