#include "PrimerCuadro.h"

#include <QApplication>
#include <QWidget>

// The least a Qt Widgets program does: one empty window, ending after its
// first frame.
int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    QWidget ventana;
    ventana.show();
    SalirTrasPrimerCuadro(ventana);
    const int salida = aplicacion.exec();
    InformarPicoMemoria();
    return salida;
}
