#include "PrimerCuadro.h"

#include "app/Aplicacion.h"
#include "app/FormMain.h"

#include <QApplication>

// Trebolero's own start, as in its main(), ending after the first frame.
int main(int argc, char *argv[])
{
    int soloElNombre = argc > 0 ? 1 : 0;
    QApplication aplicacion(soloElNombre, argv);
    PrepararAplicacion(aplicacion);
    FormMain ventana;
    ventana.show();
    SalidaTrasPrimerCuadro salida(ventana);
    const int estado = aplicacion.exec();
    InformarPicoMemoria();
    return estado;
}
