#pragma once

#include "desktop/Escritorio.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// A desktop for tests: records messages, addresses and the clipboard instead
// of showing or opening them, and refuses addresses when told to. It installs
// itself while it lives.
class EscritorioGrabador final : public Escritorio
{
public:
    EscritorioGrabador() { Escritorio::Instalar(this); }
    ~EscritorioGrabador() override { Escritorio::Instalar(nullptr); }

    void MostrarMensaje(QWidget *propietario, const QString &texto) override
    {
        mensajes << texto;
        propietarios << propietario;
    }
    bool AbrirDireccion(const QString &direccion) override
    {
        direcciones << direccion;
        return !rechazarDirecciones;
    }
    void CopiarAlPortapapeles(const QString &texto) override { portapapeles = texto; }

    QStringList mensajes;
    QList<QPointer<QWidget>> propietarios;
    QStringList direcciones;
    QString portapapeles;
    bool rechazarDirecciones = false;
};
