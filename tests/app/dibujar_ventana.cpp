#include "support/VentanaPrueba.h"

#include <QApplication>
#include <QTest>

// Renders the main window after a check into the PNG file named by its one
// argument, for the README: a handful of stored bets, one of them a winner,
// and a draw with its date typed in from the keyboard.
int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    if (argc != 2) {
        qCritical("uso: %s FICHERO.png", argv[0]);
        return 2;
    }
    QApplication::setStyle(QStringLiteral("Fusion"));
    PrepararAplicacion(aplicacion);

    ProgramaPrueba programa("[Combinaciones]\nTotal=5\n"
                            "C1=03-17-22-41-50-E2-8\n"
                            "C2=05-12-23-34-45-E3-11\n"
                            "C3=07-14-21-28-35-E10-12\n"
                            "C4=01-09-23-40-47-E5-6\n"
                            "C5=05-12-23-38-20-E3-10\n");
    if (!Activar(programa.ventana))
        return 1;
    Caja(programa.ventana, 8)->setText(QStringLiteral("13/02/2026"));
    QTest::mouseClick(Caja(programa.ventana, 1), Qt::LeftButton);
    Teclear(QStringLiteral("05122338440310\r"));
    return programa.ventana.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
