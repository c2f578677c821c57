#pragma once

#include "desktop/Escritorio.h"

// The real desktop: QMessageBox, the desktop's opener and the clipboard.
class EscritorioQt final : public Escritorio
{
public:
    void MostrarMensaje(QWidget *propietario, const QString &texto) override;
    void AbrirDireccion(const QString &direccion, std::function<void()> siFalla) override;
    void CopiarAlPortapapeles(const QString &texto) override;
};
