#include "app/Aplicacion.h"
#include "app/FormMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The program takes no options: only the program's own name reaches Qt.
    int soloElNombre = argc > 0 ? 1 : 0;
    QApplication aplicacion(soloElNombre, argv);
    PrepararAplicacion(aplicacion);
    FormMain ventana;
    ventana.show();
    return aplicacion.exec();
}
