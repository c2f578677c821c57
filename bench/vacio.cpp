#include "PrimerCuadro.h"

#include <QApplication>

// The least a Qt Widgets program does: one empty window, ending after its
// first frame.
int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    QWidget ventana;
    ventana.show();
    SalidaTrasPrimerCuadro salida(ventana);
    const int estado = aplicacion.exec();
    InformarPicoMemoria();
    return estado;
}
