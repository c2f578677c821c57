#include "support/VentanaPrueba.h"

#include <QTest>

namespace {

// The focus as the number of a draw box, 0 for "Comprobar", -1 for anything else.
int Foco()
{
    const QString nombre = NombreDelFoco();
    for (int i = 1; i <= 7; ++i)
        if (nombre == NombreCaja(i))
            return i;
    return nombre == "cmdComprobar" ? 0 : -1;
}

} // namespace

// Typing the draw into the result boxes, and the program writing it there.
class TestEntradaSorteo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reglasDeTecleo_data();
    void reglasDeTecleo();
    void mostrarSorteo_data();
    void mostrarSorteo();
};

// Boxes by number: 1 to 5 the numbers, 6 and 7 the stars; 0 is "Comprobar".
void TestEntradaSorteo::reglasDeTecleo_data()
{
    QTest::addColumn<int>("caja");
    QTest::addColumn<QString>("previo");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("foco");
    const auto fila = [](const char *nombre, int caja, const char *previo, const char *teclas,
                         const char *texto, int foco) {
        QTest::newRow(nombre) << caja << QString(previo) << QString::fromUtf8(teclas)
                              << QString(texto) << foco;
    };
    fila("una cifra se queda", 1, "", "7", "7", 1);
    fila("dos cifras avanzan", 1, "", "07", "07", 2);
    fila("número 5 a estrella 1", 5, "", "47", "47", 6);
    fila("estrella de una cifra se queda", 6, "", "7", "7", 6);
    fila("estrella 1 a estrella 2", 6, "", "10", "10", 7);
    fila("estrella 2 a Comprobar", 7, "", "07", "07", 0);
    fila("de corrido, estrellas 10 y 12", 1, "", "01020304051012", "01", 0);
    fila("sin tercer carácter", 2, "12", "»3", "12", 2);
    fila("vaciar no avanza", 6, "12", "\b", "", 6);
    fila("la selección se reemplaza y avanza", 4, "12", "34", "34", 5);
}

void TestEntradaSorteo::reglasDeTecleo()
{
    QFETCH(int, caja);
    QFETCH(QString, previo);
    QFETCH(QString, teclas);
    QFETCH(QString, texto);
    QFETCH(int, foco);
    ProgramaPrueba programa;
    QVERIFY(Activar(programa.ventana));
    Caja(programa.ventana, caja)->setText(previo);
    // Reach the box with Tab from the date box, as the keyboard user does.
    Caja(programa.ventana, 8)->setFocus();
    Teclear(QString(caja, u'\t'));
    QCOMPARE(Foco(), caja);
    QCOMPARE(Caja(programa.ventana, caja)->selectedText(), previo);
    Teclear(teclas);
    QCOMPARE(Caja(programa.ventana, caja)->text(), texto);
    QCOMPARE(Foco(), foco);
}

// The texts shown, and the boxes the focus passes through while the draw is
// written; the date stays.
void TestEntradaSorteo::mostrarSorteo_data()
{
    QTest::addColumn<Euromillon>("sorteo");
    QTest::addColumn<QString>("textos");
    QTest::addColumn<QList<int>>("focos");
    QTest::newRow("ejemplo") << Euromillon {3, 14, 25, 36, 47, 2, 9} << "3 14 25 36 47 2 9"
                             << QList<int> {3, 4, 5, 6, 7, 0};
    QTest::newRow("todo ceros") << Euromillon {} << "0 0 0 0 0 0 0" << QList<int> {7, 0};
    QTest::newRow("negativos de una cifra")
        << Euromillon {-5, 7, 8, 9, 10, -3, 4} << "-5 7 8 9 10 -3 4" << QList<int> {2, 6, 7, 0};
}

void TestEntradaSorteo::mostrarSorteo()
{
    QFETCH(Euromillon, sorteo);
    QFETCH(QString, textos);
    QFETCH(QList<int>, focos);
    ProgramaPrueba programa;
    QVERIFY(Activar(programa.ventana));
    Caja(programa.ventana, 8)->setText("13/02/2026");
    QList<int> recorrido;
    connect(qApp, &QApplication::focusChanged, this, [&] { recorrido << Foco(); });
    programa.ventana.MostrarSorteo(sorteo);
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    QStringList mostrados;
    for (int i = 1; i <= 8; ++i)
        mostrados << Caja(programa.ventana, i)->text();
    QCOMPARE(mostrados.join(' '), textos + " 13/02/2026");
    QCOMPARE(recorrido, focos);
}

QTEST_MAIN(TestEntradaSorteo)
#include "tst_entradasorteo.moc"
