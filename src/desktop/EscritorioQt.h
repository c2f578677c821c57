#pragma once

#include "desktop/Escritorio.h"

// The real desktop: QMessageBox, QDesktopServices and the clipboard.
class EscritorioQt final : public Escritorio
{
public:
    void MostrarMensaje(QWidget *propietario, const QString &texto) override;
    bool AbrirDireccion(const QString &direccion) override;
    void CopiarAlPortapapeles(const QString &texto) override;
};
