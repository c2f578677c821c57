#include "desktop/EscritorioQt.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
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

bool EscritorioQt::AbrirDireccion(const QString &direccion)
{
    return QDesktopServices::openUrl(QUrl::fromEncoded(direccion.toUtf8(), QUrl::TolerantMode));
}

void EscritorioQt::CopiarAlPortapapeles(const QString &texto)
{
    QGuiApplication::clipboard()->setText(texto);
}
