#include "support/VentanaPrueba.h"

#include <QSignalSpy>
#include <QTest>

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

// The hit column, each bold row marked "*" and a row bold in part "?".
QStringList Resultados(const ModeloResultado &lista)
{
    QStringList resultados;
    for (int fila = 0; fila < lista.rowCount(); ++fila) {
        int negritas = 0;
        for (int columna = 0; columna <= 8; ++columna)
            negritas += lista.index(fila, columna).data(Qt::FontRole).value<QFont>().bold();
        const QString marca = negritas == 9 ? "*" : negritas == 0 ? "" : "?";
        resultados << marca + lista.index(fila, 8).data().toString();
    }
    return resultados;
}

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

// Typing the draw into the result boxes, the program writing it there, and
// the check of the bets against it.
class TestComprobar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comprobar_data();
    void comprobar();
    void mostrarSorteo_data();
    void mostrarSorteo();
};

// Each run of keys is typed from a click on the first box, which selects its
// text, and followed by a click on "Comprobar", unless it ends with Enter.
// A box moves the focus on at its second character. Before the last check
// the file may be rewritten by hand.
void TestComprobar::comprobar_data()
{
    QTest::addColumn<QStringList>("apuestas");
    QTest::addColumn<QStringList>("pasos");
    QTest::addColumn<QByteArray>("reescrito");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QStringList>("resultados");
    const auto fila = [](const char *nombre, const QStringList &apuestas, const QStringList &pasos,
                         const QString &mensaje, const QStringList &resultados,
                         const QByteArray &reescrito = {}) {
        QTest::newRow(nombre) << apuestas << pasos << reescrito << mensaje << resultados;
    };
    const QStringList una = {"01-02-03-04-05-E1-2"};
    const QStringList ejemplo = {"01020304050102"};
    fila("número vacío antes que lista vacía", {}, {"\t020304051\t2"}, SinSorteo, {});
    fila("número vacío", una, {"010203\t051\t2"}, SinSorteo, {""});
    fila("lista vacía", {}, ejemplo, SinApuestas, {});
    fila("tres apuestas en orden",
         {"03-17-22-41-50-E2-8", "3-14-25-36-47-E2-9", "01-02-03-04-05-E1-11"}, {"03142536470209"},
         "", {"1+1", "*5+2", "1+0"});
    fila("estrellas 10 y 12", {"05-16-27-38-49-E10-12", "01-02-03-04-05-E10-1"}, {"16273344051210"},
         "", {"*3+2", "1+1"});
    fila("estrellas vacías valen 0", una, {"0102034050"}, "", {"*3+0"});
    fila("un blanco no es un número vacío", una, {"01 \t0304051\t2"}, "", {"*4+2"});
    fila("sin tercer carácter", una, {"01020304050102", "»3"}, "", {"*5+2"});
    fila("vaciar no avanza", una, {"01020304050102", "\b7"}, "", {"*4+2"});
    fila("con el teclado hasta el resultado", {"07-14-21-28-35-E3-11", "01-02-03-04-05-E6-7"},
         {"07142130400311\r"}, "", {"*3+2", "0+0"});
    // Draw 11, 2, 13, 14, 15, 1, 2: the unreadable boxes keep the former values.
    fila("campos ilegibles guardan el valor anterior", una, {"01020304050102", "11x\t131415\b\t\b"},
         "", {"*1+2"});
    fila("relee el fichero", una, {"01020304050102", ""}, "", {"*3+1", "*5+0"},
         Ini({"01-02-03-40-50-E2-9", "1-2-3-4-5-E10-12"}));
    fila("total ilegible vacía la lista", una, {"01020304050102", ""}, "", {},
         "[Combinaciones]\nTotal=uno\nC1=01-02-03-04-05-E1-2\n");
}

void TestComprobar::comprobar()
{
    QFETCH(QStringList, apuestas);
    QFETCH(QStringList, pasos);
    QFETCH(QByteArray, reescrito);
    QFETCH(QString, mensaje);
    QFETCH(QStringList, resultados);
    ProgramaPrueba programa(Ini(apuestas));
    FormMain &ventana = programa.ventana;
    QVERIFY(Activar(ventana));
    QSignalSpy insertadas(&Modelo(ventana), &QAbstractItemModel::rowsInserted);
    QSignalSpy cambiadas(&Modelo(ventana), &QAbstractItemModel::dataChanged);
    for (const QString &teclas : pasos) {
        insertadas.clear();
        cambiadas.clear();
        if (&teclas == &pasos.last() && !reescrito.isNull())
            programa.entorno.EscribirIni(reescrito);
        // A click that brings the focus selects the whole text.
        QTest::mouseClick(Caja(ventana, 1), Qt::LeftButton);
        Teclear(teclas);
        if (teclas.endsWith('\r'))
            QCOMPARE(NombreDelFoco(), "cmdComprobar");
        else
            QTest::mouseClick(ventana.findChild<QWidget *>("cmdComprobar"), Qt::LeftButton);
    }
    QCOMPARE(programa.entorno.escritorio.mensajes.join(""), mensaje);
    QCOMPARE(Resultados(Modelo(ventana)), resultados);
    // The views hear of a check as one insertion, whatever the rows and cells.
    QCOMPARE(insertadas.size(), int(mensaje.isEmpty() && !resultados.isEmpty()));
    QCOMPARE(cambiadas.size(), 0);
    if (!mensaje.isEmpty()) {
        // Nothing is taken.
        QCOMPARE(programa.entorno.escritorio.propietarios.value(0), &ventana);
        QCOMPARE(ventana.SorteoActual(), Euromillon {});
    }
}

// The texts shown, and the boxes the focus passes through while the draw is
// written; the date stays.
void TestComprobar::mostrarSorteo_data()
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

void TestComprobar::mostrarSorteo()
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
    QCOMPARE(TextosCajas(programa.ventana), textos + " 13/02/2026");
    QCOMPARE(recorrido, focos);
}

QTEST_MAIN(TestComprobar)
#include "tst_comprobar.moc"
