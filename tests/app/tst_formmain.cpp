#include "app/MarcoGrupo.h"
#include "support/VentanaPrueba.h"

#include <QMessageBox>
#include <QPixmapCache>
#include <QTest>

class TstFormMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cargaLista_data();
    void cargaLista();
    void controles();
    void iconoInstalado();
    void marcoDeGrupo();
    void fuentes();
};

// The rows listed at the start, each as its number and the seven values, and
// the file after the start: the authorship keys written, every other byte kept.
void TstFormMain::cargaLista_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<QByteArray>("despues");
    const QByteArray autor = "[Copyright]\nAutor=Orbelan\nDate=2005/12\n";
    const auto fila = [&](const QByteArray &nombre, const QByteArray &antes,
                          const QStringList &filas, const QByteArray &despues = {}) {
        QTest::newRow(nombre.constData())
            << antes << filas << (despues.isNull() ? antes + autor : despues);
    };
    const QByteArray comun = "; Mis apuestas\r\n[Combinaciones]\r\n  total =  1\r\n"
                             "C1 = 03-17-22-41-50-E2-8\r\n\r\n[Copyright]\r\n";
    fila("primer arranque", {}, {}, autor);
    fila("conserva el fichero", comun + "Date=1999\r\n# otro comentario\r\n",
         {"1 3 17 22 41 50 2 8"}, comun + "Date=2005/12\r\n# otro comentario\r\nAutor=Orbelan\r\n");

    const QByteArray c = "[Combinaciones]\n",
                     dos = "C1=5-12-23-34-45-E2-9\nC2=03-17-22-41-50-E2-8\n";
    const QString uno = "1 5 12 23 34 45 2 9";
    fila("two stored", c + "Total=2\n" + dos, {uno, "2 3 17 22 41 50 2 8"});
    fila("key missing shows zeros", c + "Total=2\nC1=5-12-23-34-45-E2-9\n",
         {uno, "2 0 0 0 0 0 0 0"});
    fila("key beyond Total not listed", c + "Total=1\n" + dos, {uno});
    // Long enough to be read on another core while the window is built.
    const QByteArray largo = "; " + QByteArray(64 * 1024, 'x') + '\n' + autor + c;
    fila("long file read ahead", largo + "Total=2\n" + dos, {uno, "2 3 17 22 41 50 2 8"},
         largo + "Total=2\n" + dos);
    fila("no Total", c + dos, {});
    for (const QByteArray total : {"abc", "1.5", "-1", "0", "32769"})
        fila("Total=" + total, c + "Total=" + total + "\n" + dos, {});
}

void TstFormMain::cargaLista()
{
    QFETCH(QByteArray, antes);
    QFETCH(QStringList, filas);
    QFETCH(QByteArray, despues);
    ProgramaPrueba programa(antes);
    const ModeloResultado &modelo = Modelo(programa.ventana);
    QStringList listadas;
    for (int fila = 1; fila <= modelo.NumeroFilas(); ++fila) {
        QStringList textos {modelo.index(fila - 1, 0).data().toString()};
        for (int j = 1; j <= 7; ++j)
            textos << modelo.SubElemento(fila, j).value_or(QStringLiteral("<none>"));
        QVERIFY(!modelo.SubElemento(fila, 8));
        listadas << textos.join(' ');
    }
    QCOMPARE(listadas, filas);
    QCOMPARE(programa.entorno.LeerIni(), despues);
}

// The window's size and the order Tab takes through its controls.
void TstFormMain::controles()
{
    ProgramaPrueba programa;
    FormMain &ventana = programa.ventana;
    QVERIFY(Activar(ventana));
    QCOMPARE(ventana.size(), QSize(291, 273));
    const QStringList orden = QStringLiteral("btnDescargar cmdComprobar cmdViaMail cmdConfigurar "
                                             "cmdWeb btnAbout txtFecha %1 %2 %3 %4 %5 %6 %7 "
                                             "lstResultado lbEmail btnDescargar")
                                  .arg(NombreCaja(1), NombreCaja(2), NombreCaja(3), NombreCaja(4),
                                       NombreCaja(5), NombreCaja(6), NombreCaja(7))
                                  .split(' ');
    for (const QString &nombre : orden) {
        QCOMPARE(NombreDelFoco(), nombre);
        Teclear("\t");
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

// Fusion draws the group box frame from the pixmap read at start: Qt finds it
// in its cache under the key it computes itself, so it never reads the file.
void TstFormMain::marcoDeGrupo()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPixmapCache::clear();
    const QPixmap leido = PrecargarMarcoGrupo();
    QVERIFY(!leido.isNull());
    QCOMPARE(QPixmap(ImagenMarcoGrupo).cacheKey(), leido.cacheKey());
    QCOMPARE(leido.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             QImage(ImagenMarcoGrupo).convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

// The controls take an unshaped 8-point font, the application's too, so the
// boxes lay out their text in it from the start; messages, tooltips and menus
// keep the desktop's font, shaped.
void TstFormMain::fuentes()
{
    const QFont escritorio = QApplication::font();
    PrepararAplicacion(*qApp);
    EntornoPrueba entorno;
    FormMain ventana;
    QMessageBox mensaje(&ventana);
    mensaje.ensurePolished();
    const QFont controles = Caja(ventana, 1)->font();
    QCOMPARE(controles.pointSize(), 8);
    QVERIFY(controles.styleStrategy() & QFont::PreferNoShaping);
    QCOMPARE(QApplication::font(), controles);
    QCOMPARE(ventana.font(), controles);
    QCOMPARE(mensaje.font(), escritorio);
    for (const char *clase : {"QTipLabel", "QMenu"})
        QCOMPARE(QApplication::font(clase), escritorio);
}

QTEST_MAIN(TstFormMain)
#include "tst_formmain.moc"
