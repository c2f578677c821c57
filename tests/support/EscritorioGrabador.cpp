#include "support/EscritorioGrabador.h"

EscritorioGrabador::EscritorioGrabador(QString carpeta, QString nombre)
    : carpeta(std::move(carpeta))
    , nombre(std::move(nombre))
{
    Escritorio::Instalar(this);
}

EscritorioGrabador::~EscritorioGrabador()
{
    Escritorio::Instalar(nullptr);
}

void EscritorioGrabador::MostrarMensaje(QWidget *propietario, const QString &texto)
{
    mensajes << texto;
    propietarios << propietario;
}

void EscritorioGrabador::AbrirDireccion(const QString &direccion)
{
    direcciones << direccion;
}
