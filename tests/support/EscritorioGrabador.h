#pragma once

#include "desktop/Escritorio.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// A desktop for tests: records messages and addresses instead of showing or
// opening them, and reports a program folder and name chosen by the test.
// It installs itself while it lives.
class EscritorioGrabador final : public Escritorio
{
public:
    EscritorioGrabador(QString carpeta, QString nombre = QStringLiteral("Trebolero"))
        : carpeta(std::move(carpeta))
        , nombre(std::move(nombre))
    {
        Escritorio::Instalar(this);
    }
    ~EscritorioGrabador() override { Escritorio::Instalar(nullptr); }

    void MostrarMensaje(QWidget *propietario, const QString &texto) override
    {
        mensajes << texto;
        propietarios << propietario;
    }
    void AbrirDireccion(const QString &direccion) override { direcciones << direccion; }
    QString CarpetaPrograma() const override { return carpeta; }
    QString NombrePrograma() const override { return nombre; }

    QStringList mensajes;
    QList<QPointer<QWidget>> propietarios;
    QStringList direcciones;

private:
    QString carpeta;
    QString nombre;
};
