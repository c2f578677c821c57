#include "support/VentanaPrueba.h"

#include <QTest>

namespace {

QByteArray Ini(const QStringList &apuestas)
{
    QByteArray ini = "[Combinaciones]\nTotal=" + QByteArray::number(apuestas.size()) + '\n';
    for (int i = 0; i < apuestas.size(); ++i)
        ini += 'C' + QByteArray::number(i + 1) + '=' + apuestas[i].toLatin1() + '\n';
    return ini;
}

// The rows as "number N1 .. N5 E1 E2 hits", a bold row marked "*", and "?"
// when its tooltip and accessible description are not its prize tier.
QStringList Filas(const QAbstractItemModel &lista)
{
    QStringList filas;
    for (int fila = 0; fila < lista.rowCount(); ++fila) {
        QStringList textos;
        for (int columna = 0; columna < lista.columnCount(); ++columna)
            textos << lista.index(fila, columna).data().toString();
        const QModelIndex res = lista.index(fila, 8);
        const QString premio = TextoPremio(textos.last());
        const bool tier = res.data(Qt::ToolTipRole).toString() == premio
            && res.data(Qt::AccessibleDescriptionRole).toString() == premio;
        const bool negrita = lista.index(fila, 0).data(Qt::FontRole).value<QFont>().bold();
        filas << (tier ? "" : "?") + QString(negrita ? "*" : "") + textos.join(' ').trimmed();
    }
    return filas;
}

} // namespace

class TstFormMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cargaLista_data();
    void cargaLista();
    void comprobar_data();
    void comprobar();
    void tabulacion();
};

// The rows listed at the start, and the file after it: the authorship keys
// written, every other byte kept.
void TstFormMain::cargaLista_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<QByteArray>("despues");
    const QByteArray autor = "[Copyright]\nAutor=Orbelan\nDate=2005/12\n";
    const QByteArray comun = "; Mis apuestas\r\n[Combinaciones]\r\n  total =  1\r\n"
                             "C1 = 03-17-22-41-50-E2-8\r\n\r\n[Copyright]\r\n";
    QTest::newRow("primer arranque") << QByteArray() << QStringList() << autor;
    QTest::newRow("conserva el fichero") << comun + "Date=1999\r\n# otro\r\n"
                                         << QStringList {"1 3 17 22 41 50 2 8"}
                                         << comun + "Date=2005/12\r\n# otro\r\nAutor=Orbelan\r\n";
    const QByteArray c = "[Combinaciones]\n",
                     dos = "C1=5-12-23-34-45-E2-9\nC2=03-17-22-41-50-E2-8\n";
    const QStringList filas {"1 5 12 23 34 45 2 9", "2 3 17 22 41 50 2 8"};
    const auto fila
        = [&](const QByteArray &total, const QByteArray &claves, const QStringList &filas) {
              QTest::addRow("Total=%s, %d claves", total.constData(), int(claves.count('=')))
                  << c + "Total=" + total + '\n' + claves << filas
                  << c + "Total=" + total + '\n' + claves + autor;
          };
    fila("2", dos, filas);
    fila("2", "C1=5-12-23-34-45-E2-9\n", {filas[0], "2 0 0 0 0 0 0 0"});
    fila("1", dos, {filas[0]});
    for (const QByteArray total : {"", "abc", "1.5", "-1", "0", "32769"})
        fila(total, dos, {});
}

void TstFormMain::cargaLista()
{
    QFETCH(QByteArray, antes);
    ProgramaPrueba programa(antes);
    QTEST(Filas(Modelo(programa.ventana)), "filas");
    QTEST(programa.entorno.LeerIni(), "despues");
}

// Each run of keys is typed from a click on the first box, which selects its
// text, and followed by "Comprobar", unless it ends with Enter. Before the
// last check the file may be rewritten by hand.
void TstFormMain::comprobar_data()
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
    const QString sinSorteo = "No hay conbinación premiada! Descargala o introducela";
    const QStringList una = {"01-02-03-04-05-E1-2"};
    const QString todas = "*1 1 2 3 4 5 1 2 5+2";
    fila("número vacío antes que lista vacía", {}, {"\t020304051\t2"}, sinSorteo, {});
    fila("número vacío", una, {"010203\t051\t2"}, sinSorteo, {"1 1 2 3 4 5 1 2"});
    fila("lista vacía", {}, {"01020304050102"},
         "No hay resultados! Edita el fichero de configuración", {});
    fila("en orden y de dos cifras",
         {"03-17-22-41-50-E2-8", "3-14-25-36-47-E2-9", "01-02-03-04-05-E10-1"}, {"03142536470210"},
         "", {"1 3 17 22 41 50 2 8 1+1", "*2 3 14 25 36 47 2 9 5+1", "3 1 2 3 4 5 10 1 1+1"});
    fila("estrellas vacías valen 0", una, {"0102034050"}, "", {"*1 1 2 3 4 5 1 2 3+0"});
    fila("con el teclado hasta el resultado", una, {"01020304050102\r"}, "", {todas});
    fila("campos ilegibles guardan el valor anterior", una, {"01020304050102", "11x\t131415\b\t\b"},
         "", {"*1 1 2 3 4 5 1 2 1+2"});
    fila("relee el fichero", una, {"01020304050102", ""}, "",
         {"*1 1 2 3 40 50 2 9 3+1", "*2 1 2 3 4 5 10 12 5+0"},
         Ini({"01-02-03-40-50-E2-9", "1-2-3-4-5-E10-12"}));
    fila("total ilegible vacía la lista", una, {"01020304050102", ""}, "", {},
         "[Combinaciones]\nTotal=uno\n");
}

void TstFormMain::comprobar()
{
    QFETCH(QStringList, apuestas);
    QFETCH(QStringList, pasos);
    QFETCH(QByteArray, reescrito);
    ProgramaPrueba programa(Ini(apuestas));
    FormMain &ventana = programa.ventana;
    QVERIFY(Activar(ventana));
    for (const QString &teclas : pasos) {
        if (&teclas == &pasos.last() && !reescrito.isNull())
            programa.entorno.EscribirIni(reescrito);
        QTest::mouseClick(Caja(ventana, 1), Qt::LeftButton);
        Teclear(teclas);
        if (!teclas.endsWith('\r'))
            QTest::mouseClick(ventana.findChild<QWidget *>("cmdComprobar"), Qt::LeftButton);
    }
    QTEST(programa.entorno.escritorio.mensajes.join(""), "mensaje");
    QTEST(Filas(Modelo(ventana)), "resultados");
}

// Tab stops once at every control, the list included, and Shift+Tab walks back.
void TstFormMain::tabulacion()
{
    ProgramaPrueba programa(Ini({"01-02-03-04-05-E1-2", "01-02-03-04-05-E1-2"}));
    QVERIFY(Activar(programa.ventana));
    QStringList orden = QString("btnDescargar cmdComprobar cmdViaMail cmdConfigurar cmdWeb "
                                "btnAbout txtFecha")
                            .split(' ');
    for (int i = 1; i <= 7; ++i)
        orden << NombreCaja(i);
    orden << "lstResultado"
          << "lbEmail"
          << "btnDescargar";
    for (const bool atras : {false, true}) {
        QStringList recorrido {NombreDelFoco()};
        for (qsizetype i = 1; i < orden.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            atras ? Qt::ShiftModifier : Qt::NoModifier);
            recorrido << NombreDelFoco();
        }
        QCOMPARE(recorrido, orden);
        std::ranges::reverse(orden);
    }
}

QTEST_MAIN(TstFormMain)
#include "tst_formmain.moc"
