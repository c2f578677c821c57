#include "desktop/Boton.h"

#include <QPushButton>

QPushButton *CrearBoton(QWidget *contenedor, const char *nombre, const QString &texto,
                        const QRect &geometria)
{
    auto *boton = new QPushButton(texto, contenedor);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setGeometry(geometria);
    boton->setAutoDefault(true);
    return boton;
}
