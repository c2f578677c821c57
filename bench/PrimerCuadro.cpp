#include "PrimerCuadro.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

namespace {

// The window paints itself and then its children in one go; the quit is
// queued behind that, so it runs once the whole frame is done.
class VigiaPrimerCuadro : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint) {
            objeto->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void SalirTrasPrimerCuadro(QWidget &ventana)
{
    ventana.installEventFilter(new VigiaPrimerCuadro(&ventana));
}

void InformarPicoMemoria()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    QFile salida;
    if (!estado.open(QIODevice::ReadOnly) || !salida.open(stdout, QIODevice::WriteOnly))
        return;
    for (const QByteArray &linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            salida.write(linea + '\n');
    }
}
