#include "editor/FormConfiguracion.h"
#include "settings/modINIer.h"
#include "support/VentanaPrueba.h"

#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The editor's boxes, joined by commas: the total, the index, the seven values.
QString Cajas(const QWidget &editor)
{
    QStringList textos;
    for (int i = -1; i <= 7; ++i) {
        const QString nombre = i == -1 ? QStringLiteral("txtCombinaciones")
            : i == 0                   ? QStringLiteral("txtConfigActual")
                                       : NombreCaja(i, QStringLiteral("txtEuromillonConfig"));
        textos << editor.findChild<QLineEdit *>(nombre)->text();
    }
    return textos.join(QLatin1Char(','));
}

// Opens the editor with the main window's "Con&figurar", runs `pasos` in it
// and closes it from its title bar, as the user would.
void Editar(FormMain &principal, const std::function<void(FormConfiguracion &)> &pasos)
{
    QVERIFY(Activar(principal));
    bool abierto = false;
    auto *espera = new QTimer(&principal);
    QObject::connect(espera, &QTimer::timeout, &principal, [&] {
        auto *editor = qobject_cast<FormConfiguracion *>(QApplication::activeModalWidget());
        if (!editor)
            return;
        espera->stop();
        abierto = true;
        QApplication::setActiveWindow(editor);
        if (QTest::qWaitForWindowActive(editor))
            pasos(*editor);
        editor->close();
    });
    espera->start(10);
    QTest::keyClick(principal.windowHandle(), 'f', Qt::AltModifier);
    QTRY_VERIFY(abierto);
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

} // namespace

class TstFormConfiguracion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comandos_data();
    void comandos();
    void totalCambiadoAMano();
    void escrituraFallida();
    void avanceYTabulacion();
    void cierreRecargaLista();
};

void TstFormConfiguracion::comandos_data()
{
    QTest::addColumn<QByteArray>("combinaciones");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("cajas");
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<QString>("mensaje");

    const QByteArray tres
        = "Total=3\nC1=03-17-22-41-50-E2-8\nC2=1-2-3-4-5-E6-7\nC3=10-20-30-40-49-E11-12\n";
    const QString todas = "03-17-22-41-50-E2-8,1-2-3-4-5-E6-7,10-20-30-40-49-E11-12";
    const QString c1 = "3,17,22,41,50,2,8", c2 = "1,2,3,4,5,6,7", ceros = "0,0,0,0,0,0,0";
    const QString sin;
    // Upper case is Alt with the letter: Anterior, Siguiente, Insertar, Eliminar, Guardar.
    // clang-format off
    QTest::newRow("previous at 1") << tres << "A" << "3,1," + c1 << "3," + todas << sin;
    QTest::newRow("next stops at total") << tres << "SSS" << "3,3,10,20,30,40,49,11,12" << "3" << sin;
    QTest::newRow("next then previous") << tres << "SSA" << "3,2," + c2 << "3" << sin;
    QTest::newRow("total 0 shows C1") << "Total=0\nC1=1-2-3-4-5-E6-7\n"_ba << "S" << "0,1," + c2
        << "0" << sin;
    QTest::newRow("insert with no total") << QByteArray() << "I" << "1,1," + ceros
        << "1,00-00-00-00-00-E0-0" << sin;
    QTest::newRow("remove then insert restores") << tres << "SEI" << "3,2," + c2 << "3," + todas << sin;
    QTest::newRow("remove the last shown") << tres << "SSE" << "2,2," + c2 << "2," + todas << sin;
    QTest::newRow("remove keeps what was typed") << tres << "S\t9E" << "2,2,9,2,3,4,5,6,7" << "2" << sin;
    QTest::newRow("remove at total 0") << "Total=0\n"_ba << "E" << "0,1," + ceros << "0" << sin;
    QTest::newRow("save pads numbers only") << "Total=2\n"_ba << "S\t3\t172241502\t8G" << "2,2," + c1
        << "2,,03-17-22-41-50-E2-8" << sin;
    QTest::newRow("save empty and letters") << "Total=2\n"_ba << "S\t3\t17\b\t4150x\t8G"
        << "2,2,3,17,,41,50,x,8" << "2,,03-17--41-50-Ex-8" << sin;
    QTest::newRow("save the only one removed") << "Total=1\nC1=1-2-3-4-5-E6-7\n"_ba << "EG"
        << "0,0," + ceros << "0,1-2-3-4-5-E6-7"
        << "No hay ninguna combinación que guardar. Inserta una con «Insertar Al Final».";
    QTest::newRow("insert at the limit") << "Total=32767\n"_ba << "I" << "32767,1," + ceros
        << "32767" << "No caben más combinaciones.";
    // clang-format on
    // Not a number, out of range, negative, fractional: each command refuses.
    const char *totales[] = {"abc", "-2", "99999", "-2", "1.5", "-2"};
    for (int i = 0; i < 6; ++i)
        QTest::addRow("%c with total %s", "IIEESS"[i], totales[i])
            << "Total="_ba + totales[i] + "\n"
            << QString(QLatin1Char("IIEESS"[i])) << totales[i] + (",1," + ceros)
            << QString(totales[i])
            << "El número de combinaciones guardado no es válido. Corrige el fichero de "
               "configuración.";
}

// Runs the keys, then compares the boxes, "Total" and C1, C2, ... in the
// file, and the message shown.
void TstFormConfiguracion::comandos()
{
    QFETCH(QByteArray, combinaciones);
    QFETCH(QString, teclas);
    QFETCH(QString, cajas);
    QFETCH(QString, fichero);
    QFETCH(QString, mensaje);
    ProgramaPrueba programa("[Combinaciones]\n" + combinaciones);
    Editar(programa.ventana, [&](FormConfiguracion &editor) {
        Teclear(teclas);
        QCOMPARE(Cajas(editor), cajas);
    });
    QStringList guardado {LeerINI("Combinaciones", "Total")};
    for (int i = 1; i <= fichero.count(QLatin1Char(',')); ++i)
        guardado << LeerINI("Combinaciones", QStringLiteral("C%1").arg(i));
    QCOMPARE(guardado.join(QLatin1Char(',')), fichero);
    QVERIFY(LeerINI("Combinaciones", "C0").isEmpty());
    QCOMPARE(programa.entorno.escritorio.mensajes.join(QString()), mensaje);
}

// "Siguiente" is bounded by the file, not the box; "Guardar" writes the key
// shown even when the file's total no longer reaches it.
void TstFormConfiguracion::totalCambiadoAMano()
{
    ProgramaPrueba programa("[Combinaciones]\nTotal=3\n");
    Editar(programa.ventana, [&](FormConfiguracion &editor) {
        Teclear("SS");
        programa.entorno.EscribirIni("[Combinaciones]\nTotal=5\nC4=1-2-3-4-5-E6-7\n");
        Teclear("S");
        QCOMPARE(Cajas(editor), QStringLiteral("3,4,1,2,3,4,5,6,7"));
        programa.entorno.EscribirIni("[Combinaciones]\nTotal=2\n");
        Teclear("G");
    });
    QCOMPARE(LeerINI("Combinaciones", "C4"), QStringLiteral("01-02-03-04-05-E6-7"));
}

// A write that cannot be made is reported, and the window keeps showing what
// the file holds.
void TstFormConfiguracion::escrituraFallida()
{
    ProgramaPrueba programa("[Combinaciones]\nTotal=2\nC1=03-17-22-41-50-E2-8\n");
    EntornoPrueba &entorno = programa.entorno;
    const QByteArray contenido = entorno.LeerIni();
    Editar(programa.ventana, [&](FormConfiguracion &editor) {
        const QString antes = Cajas(editor);
        // A program folder below a regular file cannot hold a file.
        FijarProgramaINI(entorno.RutaIni(), entorno.nombre);
        Teclear("IEG");
        FijarProgramaINI(entorno.carpeta.path(), entorno.nombre);
        QCOMPARE(entorno.escritorio.mensajes,
                 QStringList(3, "No se ha podido guardar el fichero de configuración."));
        QCOMPARE(Cajas(editor), antes);
    });
    QCOMPARE(entorno.LeerIni(), contenido);
}

// A combination typed as a run of keys lands the focus on "Guardar"; going
// back through full boxes with Shift+Tab does not bounce, an arrow key does.
void TstFormConfiguracion::avanceYTabulacion()
{
    ProgramaPrueba programa("[Combinaciones]\nTotal=1\nC1=3-17-22-41-50-E2-8\n");
    Editar(programa.ventana, [&](FormConfiguracion &editor) {
        QCOMPARE(NombreDelFoco(), QStringLiteral("cmdSiguiente"));
        // Enter in a box presses nothing: no button is the default.
        Teclear("\t\r");
        QCOMPARE(LeerINI("Combinaciones", "C1"), QStringLiteral("3-17-22-41-50-E2-8"));
        // One digit stays in its box, a second moves on; a star may be "0" then "07".
        Teclear("07172241500712\r");
        QCOMPARE(LeerINI("Combinaciones", "C1"), QStringLiteral("07-17-22-41-50-E07-12"));

        QStringList orden;
        for (int i = 0; i < 16; ++i) {
            QTest::keyClick(editor.windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
            orden << NombreDelFoco().remove("txtEuromillonConfig").remove("cmd").remove("txt");
        }
        QCOMPARE(orden.join(' '),
                 QStringLiteral("Estrella(2) Estrella(1) Numero(5) Numero(4) Numero(3) Numero(2) "
                                "Numero(1) Siguiente Anterior Eliminar Insertar Combinaciones "
                                "ConfigActual Guardar Estrella(2) Estrella(1)"));
        QTest::keyClick(editor.windowHandle(), Qt::Key_Right);
        QCOMPARE(NombreDelFoco(), QStringLiteral("txtEuromillonConfigEstrella(2)"));
    });
}

// The editor opens over the main window with its font; closing it empties
// the main list, results included, and lists again what the file holds.
void TstFormConfiguracion::cierreRecargaLista()
{
    ProgramaPrueba programa("[Combinaciones]\nTotal=1\nC1=03-17-22-41-50-E2-8\n");
    FormMain &principal = programa.ventana;
    ModeloResultado &modelo = Modelo(principal);
    QVERIFY(modelo.AgregarSubElemento(1, "5+2"));
    Editar(principal, [&](FormConfiguracion &editor) {
        QCOMPARE(editor.parentWidget(), &principal);
        QCOMPARE(editor.pos(), principal.pos());
        QCOMPARE(editor.font(), principal.font());
        Teclear("I");
    });
    QCOMPARE(modelo.NumeroFilas(), 2);
    QCOMPARE(modelo.SubElemento(1, 1).value_or(""), QStringLiteral("3"));
    QVERIFY(!modelo.SubElemento(1, 8));
}

QTEST_MAIN(TstFormConfiguracion)
#include "tst_formconfiguracion.moc"
