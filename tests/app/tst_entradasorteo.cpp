#include "TecladoPrueba.h"
#include "app/FormMain.h"
#include "support/EntornoPrueba.h"

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
    void reglasDeTecleo_data();
    void reglasDeTecleo();
    void mostrarSorteo_data();
    void mostrarSorteo();

private:
    QLineEdit *Caja(const QString &nombre) const { return ventana->findChild<QLineEdit *>(nombre); }

    std::unique_ptr<EntornoPrueba> entorno;
    std::unique_ptr<FormMain> ventana;
};

namespace {
const QStringList Cajas = {
    "txtEuromillonNumero(1)",   "txtEuromillonNumero(2)", "txtEuromillonNumero(3)",
    "txtEuromillonNumero(4)",   "txtEuromillonNumero(5)", "txtEuromillonEstrella(1)",
    "txtEuromillonEstrella(2)",
};
} // namespace

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

void TestEntradaSorteo::reglasDeTecleo_data()
{
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("previo");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("foco");
    const auto fila = [](const char *nombre, const QString &caja, const QString &previo,
                         const QString &teclas, const QString &texto, const QString &foco) {
        QTest::newRow(nombre) << caja << previo << teclas << texto << foco;
    };
    fila("una cifra se queda", Cajas[0], "", "7", "7", Cajas[0]);
    fila("dos cifras avanzan", Cajas[0], "", "07", "07", Cajas[1]);
    fila("número 5 a estrella 1", Cajas[4], "", "47", "47", Cajas[5]);
    fila("estrella de una cifra se queda", Cajas[5], "", "7", "7", Cajas[5]);
    fila("estrella 1 a estrella 2", Cajas[5], "", "10", "10", Cajas[6]);
    fila("estrella 2 a Comprobar", Cajas[6], "", "07", "07", "cmdComprobar");
    fila("de corrido hasta Comprobar", Cajas[0], "", "03142536470209", "03", "cmdComprobar");
    fila("de corrido, estrellas 10 y 12", Cajas[0], "", "01020304051012", "01", "cmdComprobar");
    fila("sin tercer carácter", Cajas[1], "12", "»3", "12", Cajas[1]);
    fila("estrella sin tercer carácter", Cajas[6], "12", "»3", "12", Cajas[6]);
    fila("borrar uno no avanza", Cajas[2], "12", "»\b", "1", Cajas[2]);
    fila("vaciar no avanza", Cajas[5], "12", "\b", "", Cajas[5]);
    fila("la selección se reemplaza", Cajas[3], "12", "3", "3", Cajas[3]);
    fila("y la segunda cifra avanza", Cajas[3], "12", "34", "34", Cajas[4]);
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

QTEST_MAIN(TestEntradaSorteo)
#include "tst_entradasorteo.moc"
