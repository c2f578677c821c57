#include "TecladoPrueba.h"
#include "app/FormMain.h"
#include "support/EntornoPrueba.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

const QString SinSorteo = QStringLiteral("No hay conbinación premiada! Descargala o introducela");
const QString SinApuestas = QStringLiteral("No hay resultados! Edita el fichero de configuración");

QByteArray Ini(const QStringList &apuestas)
{
    QByteArray ini = "[Combinaciones]\nTotal=" + QByteArray::number(apuestas.size()) + '\n';
    for (int i = 0; i < apuestas.size(); ++i)
        ini += 'C' + QByteArray::number(i + 1) + '=' + apuestas[i].toLatin1() + '\n';
    return ini;
}

} // namespace

// The check of the bets against the draw typed into the boxes.
class TestComprobar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void mensajes_data();
    void mensajes();
    void resultados_data();
    void resultados();
    void tecladoHastaElResultado();
    void camposIlegiblesGuardanElValorAnterior();
    void cadaComprobacionReleeElFichero();
    void totalIlegibleAlComprobar();

private:
    void Abrir(const QByteArray &ini);
    // Clicks each box and types its text; an empty text clears the box.
    void Introducir(const QStringList &textos);
    void Comprobar() { QTest::mouseClick(Control("cmdComprobar"), Qt::LeftButton); }
    QWidget *Control(const QString &nombre) const { return ventana->findChild<QWidget *>(nombre); }
    QAbstractItemModel *Lista() const
    {
        return ventana->findChild<QTreeView *>("lstResultado")->model();
    }
    QStringList Resultados() const;

    std::unique_ptr<EntornoPrueba> entorno;
    std::unique_ptr<FormMain> ventana;
};

void TestComprobar::Abrir(const QByteArray &ini)
{
    entorno = std::make_unique<EntornoPrueba>();
    entorno->EscribirIni(ini);
    ventana = std::make_unique<FormMain>();
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
}

void TestComprobar::cleanup()
{
    ventana.reset();
    entorno.reset();
}

void TestComprobar::Introducir(const QStringList &textos)
{
    for (int i = 1; i <= 7; ++i) {
        const QString nombre = i <= 5 ? QStringLiteral("txtEuromillonNumero(%1)").arg(i)
                                      : QStringLiteral("txtEuromillonEstrella(%1)").arg(i - 5);
        // A click that brings the focus selects the whole text.
        QTest::mouseClick(Control("txtFecha"), Qt::LeftButton);
        QTest::mouseClick(Control(nombre), Qt::LeftButton);
        const QString texto = textos[i - 1];
        Teclear(texto.isEmpty() ? QStringLiteral("\b") : texto);
        QCOMPARE(qobject_cast<QLineEdit *>(Control(nombre))->text(), texto);
    }
}

QStringList TestComprobar::Resultados() const
{
    QStringList resultados;
    for (int fila = 0; fila < Lista()->rowCount(); ++fila)
        resultados << Lista()->index(fila, 8).data().toString();
    return resultados;
}

void TestComprobar::mensajes_data()
{
    QTest::addColumn<QStringList>("apuestas");
    QTest::addColumn<QStringList>("cajas");
    QTest::addColumn<QString>("mensaje");
    const QStringList unaApuesta = { "01-02-03-04-05-E1-2" };
    QTest::newRow("número vacío") << unaApuesta
                                  << QStringList { "01", "02", "03", "", "05", "1", "2" }
                                  << SinSorteo;
    QTest::newRow("número vacío y lista vacía")
        << QStringList {} << QStringList { "", "02", "03", "04", "05", "1", "2" } << SinSorteo;
    QTest::newRow("lista vacía") << QStringList {}
                                 << QStringList { "01", "02", "03", "04", "05", "1", "2" }
                                 << SinApuestas;
}

void TestComprobar::mensajes()
{
    QFETCH(QStringList, apuestas);
    QFETCH(QStringList, cajas);
    QFETCH(QString, mensaje);
    Abrir(Ini(apuestas));
    Introducir(cajas);
    Comprobar();
    QCOMPARE(entorno->escritorio.mensajes, QStringList { mensaje });
    QCOMPARE(entorno->escritorio.propietarios.value(0), ventana.get());
    // Nothing is taken or rebuilt.
    QCOMPARE(ventana->SorteoActual(), Euromillon {});
    QCOMPARE(Resultados(), QStringList(apuestas.size(), QString()));
}

void TestComprobar::resultados_data()
{
    QTest::addColumn<QStringList>("apuestas");
    QTest::addColumn<QStringList>("cajas");
    QTest::addColumn<QStringList>("esperados");
    QTest::addColumn<QList<bool>>("negritas");
    QTest::newRow("tres apuestas en orden")
        << QStringList { "03-17-22-41-50-E2-8", "3-14-25-36-47-E2-9", "01-02-03-04-05-E1-11" }
        << QStringList { "03", "14", "25", "36", "47", "02", "09" }
        << QStringList { "1+1", "5+2", "1+0" } << QList<bool> { false, true, false };
    QTest::newRow("estrellas 10 y 12")
        << QStringList { "05-16-27-38-49-E10-12", "01-02-03-04-05-E10-1" }
        << QStringList { "16", "27", "33", "44", "05", "12", "10" } << QStringList { "3+2", "1+1" }
        << QList<bool> { true, false };
    QTest::newRow("estrellas vacías valen 0")
        << QStringList { "01-02-03-04-05-E1-2" }
        << QStringList { "01", "02", "03", "40", "50", "", "" } << QStringList { "3+0" }
        << QList<bool> { true };
    QTest::newRow("un blanco no es un número vacío")
        << QStringList { "01-02-03-04-05-E1-2" }
        << QStringList { "01", " ", "03", "04", "05", "1", "2" } << QStringList { "4+2" }
        << QList<bool> { true };
    QTest::newRow("premios y no premios")
        << QStringList { "01-02-10-11-12-E3-4", "01-10-11-12-13-E1-4", "10-11-12-13-14-E1-2",
                         "01-10-11-12-13-E1-2" }
        << QStringList { "01", "02", "03", "04", "05", "01", "02" }
        << QStringList { "2+0", "1+1", "0+2", "1+2" } << QList<bool> { true, false, false, true };
}

void TestComprobar::resultados()
{
    QFETCH(QStringList, apuestas);
    QFETCH(QStringList, cajas);
    QFETCH(QStringList, esperados);
    QFETCH(QList<bool>, negritas);
    Abrir(Ini(apuestas));
    Introducir(cajas);
    Comprobar();
    QCOMPARE(entorno->escritorio.mensajes, QStringList {});
    QCOMPARE(Resultados(), esperados);
    for (int fila = 0; fila < negritas.size(); ++fila) {
        for (int columna = 0; columna <= 8; ++columna) {
            const QFont fuente = Lista()->index(fila, columna).data(Qt::FontRole).value<QFont>();
            QCOMPARE(fuente.bold(), negritas[fila]);
        }
    }
}

void TestComprobar::tecladoHastaElResultado()
{
    Abrir(Ini({ "07-14-21-28-35-E3-11", "01-02-03-04-05-E6-7" }));
    QTest::mouseClick(Control("txtEuromillonNumero(1)"), Qt::LeftButton);
    Teclear("07142130400311");
    QCOMPARE(NombreDelFoco(), "cmdComprobar");
    Teclear("\r");
    QCOMPARE(Resultados(), (QStringList { "3+2", "0+0" }));
}

void TestComprobar::camposIlegiblesGuardanElValorAnterior()
{
    Abrir(Ini({ "01-02-03-04-05-E1-2" }));
    Introducir({ "01", "02", "03", "04", "05", "01", "02" });
    Comprobar();
    Introducir({ "11", "x", "13", "14", "15", "", "" });
    Comprobar();
    QCOMPARE(entorno->escritorio.mensajes, QStringList {});
    QCOMPARE(ventana->SorteoActual(), (Euromillon { 11, 2, 13, 14, 15, 1, 2 }));
    QCOMPARE(Resultados(), QStringList { "1+2" });
}

void TestComprobar::cadaComprobacionReleeElFichero()
{
    Abrir(Ini({ "01-02-03-04-05-E1-2", "01-02-30-40-50-E3-4", "10-20-30-40-50-E5-6" }));
    Introducir({ "01", "02", "03", "04", "05", "01", "02" });
    Comprobar();
    Comprobar();
    QCOMPARE(Resultados(), (QStringList { "5+2", "2+0", "0+0" }));
    entorno->EscribirIni(Ini({ "01-02-03-40-50-E2-9", "1-2-3-4-5-E10-12" }));
    Comprobar();
    QCOMPARE(Resultados(), (QStringList { "3+1", "5+0" }));
    QCOMPARE(Lista()->index(1, 6).data().toString(), "10");
}

void TestComprobar::totalIlegibleAlComprobar()
{
    Abrir(Ini({ "01-02-03-04-05-E1-2" }));
    entorno->EscribirIni("[Combinaciones]\nTotal=uno\nC1=01-02-03-04-05-E1-2\n");
    Introducir({ "01", "02", "03", "04", "05", "01", "02" });
    Comprobar();
    QCOMPARE(entorno->escritorio.mensajes, QStringList {});
    QCOMPARE(Lista()->rowCount(), 0);
    QCOMPARE(ventana->SorteoActual(), (Euromillon { 1, 2, 3, 4, 5, 1, 2 }));
}

QTEST_MAIN(TestComprobar)
#include "tst_comprobar.moc"
