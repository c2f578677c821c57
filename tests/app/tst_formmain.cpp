#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "support/EntornoPrueba.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

// The texts of row `fila`: its number and the seven values.
QStringList TextosFila(const ModeloResultado &modelo, int fila)
{
    QStringList textos{modelo.data(modelo.index(fila - 1, 0), Qt::DisplayRole).toString()};
    for (int j = 1; j <= 7; ++j)
        textos << modelo.SubElemento(fila, j).value_or(QStringLiteral("<none>"));
    return textos;
}

const ModeloResultado &Modelo(const FormMain &ventana)
{
    const auto *lista = ventana.findChild<QTreeView *>(QStringLiteral("lstResultado"));
    return *qobject_cast<const ModeloResultado *>(lista->model());
}

} // namespace

class TstFormMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void primerArranque();
    void conservaElFichero();
    void cargaLista_data();
    void cargaLista();
    void controles();
    void ordenTabulacion();
    void iconoInstalado();
};

void TstFormMain::primerArranque()
{
    EntornoPrueba entorno;
    FormMain ventana;
    QCOMPARE(ventana.windowTitle(), QStringLiteral("Trebolero 4.0 - bY Orbelan"));
    QCOMPARE(Modelo(ventana).NumeroFilas(), 0);
    QCOMPARE(entorno.LeerIni(), QByteArray("[Copyright]\nAutor=Orbelan\nDate=2005/12\n"));
}

void TstFormMain::conservaElFichero()
{
    EntornoPrueba entorno;
    const QByteArray original = "; Mis apuestas\r\n"
                                "[Combinaciones]\r\n"
                                "  total =  1\r\n"
                                "C1 = 03-17-22-41-50-E2-8\r\n"
                                "\r\n"
                                "[Copyright]\r\n"
                                "Date=1999\r\n"
                                "# otro comentario\r\n";
    entorno.EscribirIni(original);
    FormMain ventana;
    QCOMPARE(Modelo(ventana).NumeroFilas(), 1);
    QCOMPARE(entorno.LeerIni(), QByteArray("; Mis apuestas\r\n"
                                           "[Combinaciones]\r\n"
                                           "  total =  1\r\n"
                                           "C1 = 03-17-22-41-50-E2-8\r\n"
                                           "\r\n"
                                           "[Copyright]\r\n"
                                           "Date=2005/12\r\n"
                                           "# otro comentario\r\n"
                                           "Autor=Orbelan\r\n"));
}

void TstFormMain::cargaLista_data()
{
    QTest::addColumn<QByteArray>("combinaciones");
    QTest::addColumn<QList<QStringList>>("filas");

    const QStringList fila1{"1", "5", "12", "23", "34", "45", "2", "9"};
    const QStringList fila2{"2", "3", "17", "22", "41", "50", "2", "8"};
    const QStringList vacia2{"2", "0", "0", "0", "0", "0", "0", "0"};
    const QByteArray dos = "C1=5-12-23-34-45-E2-9\nC2=03-17-22-41-50-E2-8\n";

    QTest::newRow("two stored") << "Total=2\n" + dos << QList<QStringList>{fila1, fila2};
    QTest::newRow("no Total") << dos << QList<QStringList>{};
    QTest::newRow("Total not a number") << "Total=abc\n" + dos << QList<QStringList>{};
    QTest::newRow("fractional Total") << "Total=1.5\n" + dos << QList<QStringList>{};
    QTest::newRow("negative Total") << "Total=-1\n" + dos << QList<QStringList>{};
    QTest::newRow("Total 0") << "Total=0\n" + dos << QList<QStringList>{};
    QTest::newRow("key missing shows zeros")
        << QByteArray("Total=2\nC1=5-12-23-34-45-E2-9\n") << QList<QStringList>{fila1, vacia2};
    QTest::newRow("key beyond Total not listed")
        << "Total=1\n" + dos << QList<QStringList>{fila1};
    QTest::newRow("Total too large for the list")
        << "Total=32769\n" + dos << QList<QStringList>{};
}

void TstFormMain::cargaLista()
{
    QFETCH(QByteArray, combinaciones);
    QFETCH(QList<QStringList>, filas);
    EntornoPrueba entorno;
    entorno.EscribirIni("[Combinaciones]\n" + combinaciones);
    FormMain ventana;
    const ModeloResultado &modelo = Modelo(ventana);
    QCOMPARE(modelo.NumeroFilas(), filas.size());
    for (int fila = 1; fila <= filas.size(); ++fila) {
        QCOMPARE(TextosFila(modelo, fila), filas[fila - 1]);
        QVERIFY(!modelo.SubElemento(fila, 8));
    }
}

void TstFormMain::controles()
{
    EntornoPrueba entorno;
    FormMain ventana;
    const QStringList nombres{"framResultado", "txtFecha",      "btnDescargar", "cmdComprobar",
                              "cmdViaMail",    "lstResultado",  "cmdConfigurar", "cmdWeb",
                              "btnAbout",      "lbEmail"};
    for (const QString &nombre : nombres)
        QVERIFY2(ventana.findChild<QWidget *>(nombre), qPrintable(nombre));
    for (int i = 1; i <= 5; ++i) {
        auto *caja = ventana.findChild<QLineEdit *>(QStringLiteral("txtEuromillonNumero(%1)").arg(i));
        QVERIFY(caja);
        QCOMPARE(caja->toolTip(), QStringLiteral("Número %1").arg(i));
    }
    for (int i = 1; i <= 2; ++i)
        QVERIFY(ventana.findChild<QLineEdit *>(QStringLiteral("txtEuromillonEstrella(%1)").arg(i)));
    QCOMPARE(ventana.size(), QSize(291, 273));
    QCOMPARE(ventana.findChild<QPushButton *>(QStringLiteral("cmdViaMail"))->text(),
             QStringLiteral("Vía &Mail"));
}

void TstFormMain::ordenTabulacion()
{
    EntornoPrueba entorno;
    FormMain ventana;
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    QVERIFY(QTest::qWaitForWindowActive(&ventana));

    const QStringList orden{"btnDescargar",
                            "cmdComprobar",
                            "cmdViaMail",
                            "cmdConfigurar",
                            "cmdWeb",
                            "btnAbout",
                            "txtFecha",
                            "txtEuromillonNumero(1)",
                            "txtEuromillonNumero(2)",
                            "txtEuromillonNumero(3)",
                            "txtEuromillonNumero(4)",
                            "txtEuromillonNumero(5)",
                            "txtEuromillonEstrella(1)",
                            "txtEuromillonEstrella(2)",
                            "lstResultado",
                            "lbEmail",
                            "btnDescargar"};
    for (const QString &nombre : orden) {
        QCOMPARE(QApplication::focusWidget()->objectName(), nombre);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

// The window shows the same picture as the icon installed with the desktop
// entry.
void TstFormMain::iconoInstalado()
{
    EntornoPrueba entorno;
    FormMain ventana;
    const QImage instalado(QFINDTESTDATA("../../src/app/trebolero.png"));
    QCOMPARE(instalado.size(), QSize(32, 32));
    const QImage mostrado = ventana.windowIcon().pixmap(32, 32).toImage();
    QCOMPARE(mostrado.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             instalado.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QTEST_MAIN(TstFormMain)
#include "tst_formmain.moc"
