#include "app/FormMain.h"
#include "support/EscritorioGrabador.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
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

    QTemporaryDir carpeta;
    EscritorioGrabador escritorio(carpeta.path());
    QFile ini(carpeta.filePath(QStringLiteral("Trebolero.ini")));
    if (!ini.open(QIODevice::WriteOnly)
        || ini.write("[Combinaciones]\nTotal=5\n"
                     "C1=03-17-22-41-50-E2-8\n"
                     "C2=05-12-23-34-45-E3-11\n"
                     "C3=07-14-21-28-35-E10-12\n"
                     "C4=01-09-23-40-47-E5-6\n"
                     "C5=05-12-23-38-20-E3-10\n")
            < 0)
        return 1;
    ini.close();

    FormMain ventana;
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    if (!QTest::qWaitForWindowActive(&ventana))
        return 1;
    ventana.findChild<QLineEdit *>(QStringLiteral("txtFecha"))
        ->setText(QStringLiteral("13/02/2026"));
    QTest::mouseClick(ventana.findChild<QLineEdit *>(QStringLiteral("txtEuromillonNumero(1)")),
                      Qt::LeftButton);
    for (const char tecla : QByteArrayLiteral("05122338440310"))
        QTest::keyClick(QApplication::focusWidget(), tecla);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    return ventana.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
