#pragma once

#include "desktop/Escritorio.h"

// The real desktop: QMessageBox, QDesktopServices and QCoreApplication.
class EscritorioQt final : public Escritorio
{
public:
    void MostrarMensaje(QWidget *propietario, const QString &texto) override;
    void AbrirDireccion(const QString &direccion) override;
};
