#include "TecladoPrueba.h"
#include "app/FormMain.h"
#include "support/EntornoPrueba.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Euromillon)

// Typing the draw into the result boxes, and the program writing it there.
class TestEntradaSorteo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sorteoDeCorrido_data();
    void sorteoDeCorrido();
    void reglasDeTecleo_data();
    void reglasDeTecleo();
    void mostrarSorteo_data();
    void mostrarSorteo();
    void nombresAccesibles();

private:
    QLineEdit *Caja(const QString &nombre) const { return ventana->findChild<QLineEdit *>(nombre); }

    std::unique_ptr<EntornoPrueba> entorno;
    std::unique_ptr<FormMain> ventana;
};

const QStringList Cajas = {
    "txtEuromillonNumero(1)",   "txtEuromillonNumero(2)", "txtEuromillonNumero(3)",
    "txtEuromillonNumero(4)",   "txtEuromillonNumero(5)", "txtEuromillonEstrella(1)",
    "txtEuromillonEstrella(2)",
};

void TestEntradaSorteo::init()
{
    entorno = std::make_unique<EntornoPrueba>();
    ventana = std::make_unique<FormMain>();
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
}

void TestEntradaSorteo::cleanup()
{
    ventana.reset();
    entorno.reset();
}

void TestEntradaSorteo::sorteoDeCorrido_data()
{
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QStringList>("textos");
    QTest::newRow("estrellas de una cifra")
        << "03142536470209" << QStringList { "03", "14", "25", "36", "47", "02", "09" };
    QTest::newRow("estrellas 10 y 12")
        << "01020304051012" << QStringList { "01", "02", "03", "04", "05", "10", "12" };
}

void TestEntradaSorteo::sorteoDeCorrido()
{
    QFETCH(QString, teclas);
    QFETCH(QStringList, textos);
    QTest::mouseClick(Caja(Cajas[0]), Qt::LeftButton);
    Teclear(teclas);
    QCOMPARE(NombreDelFoco(), "cmdComprobar");
    for (int i = 0; i < Cajas.size(); ++i)
        QCOMPARE(Caja(Cajas[i])->text(), textos[i]);
}

void TestEntradaSorteo::reglasDeTecleo_data()
{
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("previo");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("foco");
    QTest::newRow("una cifra se queda") << Cajas[0] << ""
                                        << "7"
                                        << "7" << Cajas[0];
    QTest::newRow("dos cifras avanzan") << Cajas[0] << ""
                                        << "07"
                                        << "07" << Cajas[1];
    QTest::newRow("número 5 a estrella 1") << Cajas[4] << ""
                                           << "47"
                                           << "47" << Cajas[5];
    QTest::newRow("estrella de una cifra se queda") << Cajas[5] << ""
                                                    << "7"
                                                    << "7" << Cajas[5];
    QTest::newRow("estrella 1 a estrella 2") << Cajas[5] << ""
                                             << "10"
                                             << "10" << Cajas[6];
    QTest::newRow("estrella 2 a Comprobar") << Cajas[6] << ""
                                            << "07"
                                            << "07"
                                            << "cmdComprobar";
    QTest::newRow("sin tercer carácter") << Cajas[1] << "12"
                                         << "»3"
                                         << "12" << Cajas[1];
    QTest::newRow("estrella sin tercer carácter") << Cajas[6] << "12"
                                                  << "»3"
                                                  << "12" << Cajas[6];
    QTest::newRow("borrar uno no avanza") << Cajas[2] << "12"
                                          << "»\b"
                                          << "1" << Cajas[2];
    QTest::newRow("vaciar no avanza") << Cajas[5] << "12"
                                      << "\b"
                                      << "" << Cajas[5];
    QTest::newRow("la selección se reemplaza") << Cajas[3] << "12"
                                               << "3"
                                               << "3" << Cajas[3];
    QTest::newRow("y la segunda cifra avanza") << Cajas[3] << "12"
                                               << "34"
                                               << "34" << Cajas[4];
}

void TestEntradaSorteo::reglasDeTecleo()
{
    QFETCH(QString, caja);
    QFETCH(QString, previo);
    QFETCH(QString, teclas);
    QFETCH(QString, texto);
    QFETCH(QString, foco);
    Caja(caja)->setText(previo);
    // Reach the box with Tab from the date box, as the keyboard user does.
    Caja("txtFecha")->setFocus();
    for (int i = 0; i < Cajas.size() && NombreDelFoco() != caja; ++i)
        Teclear("\t");
    QCOMPARE(NombreDelFoco(), caja);
    QCOMPARE(Caja(caja)->selectedText(), previo);
    Teclear(teclas);
    QCOMPARE(Caja(caja)->text(), texto);
    QCOMPARE(NombreDelFoco(), foco);
}

void TestEntradaSorteo::mostrarSorteo_data()
{
    QTest::addColumn<Euromillon>("sorteo");
    QTest::addColumn<QStringList>("textos");
    QTest::addColumn<QStringList>("focos");
    QTest::newRow("ejemplo") << Euromillon { 3, 14, 25, 36, 47, 2, 9 }
                             << QStringList { "3", "14", "25", "36", "47", "2", "9" }
                             << Cajas.mid(2) + QStringList { "cmdComprobar" };
    QTest::newRow("todo ceros") << Euromillon {} << QStringList(7, "0")
                                << QStringList { Cajas[6], "cmdComprobar" };
    QTest::newRow("estrellas 10 y 12") << Euromillon { 1, 2, 3, 4, 5, 10, 12 }
                                       << QStringList { "1", "2", "3", "4", "5", "10", "12" }
                                       << QStringList { Cajas[6], "cmdComprobar" };
    QTest::newRow("negativos de una cifra")
        << Euromillon { -5, 7, 8, 9, 10, -3, 4 }
        << QStringList { "-5", "7", "8", "9", "10", "-3", "4" }
        << QStringList { Cajas[1], Cajas[5], Cajas[6], "cmdComprobar" };
}

void TestEntradaSorteo::mostrarSorteo()
{
    QFETCH(Euromillon, sorteo);
    QFETCH(QStringList, textos);
    QFETCH(QStringList, focos);
    Caja("txtFecha")->setText("13/02/2026");
    QStringList recorrido;
    connect(qApp, &QApplication::focusChanged, this,
            [&recorrido](QWidget *, QWidget *ahora) { recorrido << ahora->objectName(); });
    ventana->MostrarSorteo(sorteo);
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    for (int i = 0; i < Cajas.size(); ++i)
        QCOMPARE(Caja(Cajas[i])->text(), textos[i]);
    QCOMPARE(recorrido, focos);
    QCOMPARE(Caja("txtFecha")->text(), "13/02/2026");
}

void TestEntradaSorteo::nombresAccesibles()
{
    const QList<std::pair<QString, QString>> esperados = {
        { "txtEuromillonNumero(1)", "Número 1" },
        { "txtEuromillonEstrella(2)", "Estrella 2" },
        { "txtFecha", "Fecha en la que se realizó el sorteo" },
        { "lstResultado", "Apuestas" },
    };
    for (const auto &[nombre, texto] : esperados) {
        QWidget *control = ventana->findChild<QWidget *>(nombre);
        QAccessibleInterface *interfaz = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(interfaz, qPrintable(nombre));
        QCOMPARE(interfaz->text(QAccessible::Name), texto);
    }
}

QTEST_MAIN(TestEntradaSorteo)
#include "tst_entradasorteo.moc"
