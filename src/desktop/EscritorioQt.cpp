#include "desktop/EscritorioQt.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {
Escritorio *instalado = nullptr;
}

Escritorio &Escritorio::Actual()
{
    static EscritorioQt real;
    return instalado ? *instalado : real;
}

void Escritorio::Instalar(Escritorio *escritorio)
{
    instalado = escritorio;
}

void EscritorioQt::MostrarMensaje(QWidget *propietario, const QString &texto)
{
    QMessageBox caja(QMessageBox::NoIcon, QString::fromLatin1(Titulo), texto, QMessageBox::Ok,
                     propietario);
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    caja.setWindowModality(Qt::WindowModal);
    caja.exec();
}

#ifdef Q_OS_LINUX
// xdg-open tells by its exit status whether a handler took the address, which
// Qt's own opening does not pass on. A mail program may keep it running for
// hours, so it runs on its own and is only heard of when it ends; its output
// goes where the program's goes.
void EscritorioQt::AbrirDireccion(const QString &direccion, std::function<void()> siFalla)
{
    auto *abridor = new QProcess(QCoreApplication::instance());
    abridor->setProcessChannelMode(QProcess::ForwardedChannels);
    abridor->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(abridor, &QProcess::errorOccurred, abridor,
                     [abridor, siFalla](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         siFalla();
                         abridor->deleteLater();
                     });
    QObject::connect(abridor, &QProcess::finished, abridor,
                     [abridor, siFalla](int estado, QProcess::ExitStatus salida) {
                         if (salida != QProcess::NormalExit || estado != 0)
                             siFalla();
                         abridor->deleteLater();
                     });
    abridor->start(QStringLiteral("xdg-open"), {direccion});
}
#else
void EscritorioQt::AbrirDireccion(const QString &direccion, std::function<void()> siFalla)
{
    if (!QDesktopServices::openUrl(QUrl::fromEncoded(direccion.toUtf8(), QUrl::TolerantMode)))
        QTimer::singleShot(0, QCoreApplication::instance(), std::move(siFalla));
}
#endif

void EscritorioQt::CopiarAlPortapapeles(const QString &texto)
{
    QGuiApplication::clipboard()->setText(texto);
}
