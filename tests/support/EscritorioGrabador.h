#pragma once

#include "desktop/Escritorio.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// A desktop for tests: records messages and addresses instead of showing or
// opening them. It installs itself while it lives.
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
    void AbrirDireccion(const QString &direccion) override { direcciones << direccion; }

    QStringList mensajes;
    QList<QPointer<QWidget>> propietarios;
    QStringList direcciones;
};
