#pragma once

#include "desktop/Escritorio.h"

#include <QStringList>

// A desktop for tests: records messages, addresses and the clipboard instead
// of showing or opening them, and refuses addresses when told to. It installs
// itself while it lives.
struct EscritorioGrabador final : Escritorio
{
    EscritorioGrabador() { Escritorio::Instalar(this); }
    ~EscritorioGrabador() override { Escritorio::Instalar(nullptr); }

    void MostrarMensaje(QWidget *, const QString &texto) override { mensajes << texto; }
    bool AbrirDireccion(const QString &direccion) override
    {
        direcciones << direccion;
        return !rechazarDirecciones;
    }
    void CopiarAlPortapapeles(const QString &texto) override { portapapeles = texto; }

    QStringList mensajes, direcciones;
    QString portapapeles;
    bool rechazarDirecciones = false;
};
