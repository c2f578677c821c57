#include "desktop/EscritorioQt.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
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

void EscritorioQt::AbrirDireccion(const QString &direccion)
{
    if (direccion.isEmpty())
        return;
    // The address is already encoded: hand its bytes over as they stand.
    QDesktopServices::openUrl(QUrl::fromEncoded(direccion.toUtf8(), QUrl::TolerantMode));
}
