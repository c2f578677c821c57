#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "support/VentanaPrueba.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QUrl>

class TstFormMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The file holds the first of `ficheros` at the start, and the i-th one, when
    // there is one, from run i of the keys on. Each run, apart by "|", is typed
    // from a click on the first draw box, which selects its text; a leading "!"
    // makes the desktop refuse every address. Rows read "number N1 .. N5 E1 E2
    // hits", with "* " in front when bold; the desktop gives the addresses (a
    // results mail by its body), the clipboard and the messages.
    void usos_data()
    {
        QTest::addColumn<QByteArrayList>("ficheros");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QStringList>("escritorio");
        const auto fila
            = [](const QByteArray &nombre, const QByteArrayList &ficheros, const QString &teclas,
                 const QStringList &filas, const QStringList &escritorio = {}) {
                  QTest::newRow(nombre) << ficheros << teclas << filas << escritorio;
              };
        const QString web = "http://127.0.0.1:8/a b?x=1&y=%20";
        const auto ini = [&](const QStringList &apuestas) {
            QByteArray texto = "[DataSource]\nWeb=" + web.toLatin1()
                + "\n[Combinaciones]\nTotal=" + QByteArray::number(apuestas.size()) + '\n';
            for (int i = 0; i < apuestas.size(); ++i)
                texto += 'C' + QByteArray::number(i + 1) + '=' + apuestas[i].toLatin1() + '\n';
            return texto;
        };
        const QByteArray dos = "C1=5-12-23-34-45-E2-9\nC2=03-17-22-41-50-E2-8\n";
        const QStringList una = {"01-02-03-04-05-E1-2"};
        // A date that tries to add a header, a recipient and a fragment to the mail.
        const QString fecha = "2005-12-02& to=x@y.z?cc=w#%0d%0a+b", largo(11000, u'%');
        const QByteArray apuestas = ini({"03-15-20-38-44-E2-5", "07-10-12-31-2-E11-1"});
        const QString sorteo = "03152238490207\r";
        const QStringList comprobadas {"* 1 3 15 20 38 44 2 5 3+1", "2 7 10 12 31 2 11 1 0+0"};
        const QString lineas
            = "\r\n\r\nNúmeros premiados:\r\n03,15,22,38,49 - 02,07\r\n\r\nResultados:"
              "\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n02: 07,10,12,31,02 - 11,1 -> 0+0\r\n";
        const QString copiado
            = "No se ha podido abrir el programa de correo con los resultados. Se "
              "han copiado al portapapeles: pégalos en un mensaje nuevo.";
        // clang-format off
        fila("sin fichero", {}, "", {});
        fila("faltan claves", {"[Combinaciones]\nTotal=2\nC1=5-12-23-34-45-E2-9\n"}, "", {"1 5 12 23 34 45 2 9", "2 0 0 0 0 0 0 0"});
        fila("sobran claves", {"[Combinaciones]\nTotal=1\n" + dos}, "", {"1 5 12 23 34 45 2 9"});
        for (const QByteArray total : {"", "abc", "1.5", "-1", "32769"})
            fila("Total=" + total, {"[Combinaciones]\nTotal=" + total + '\n' + dos}, "", {});
        fila("número vacío antes que lista vacía", {ini({})}, "010203\t051\t2C", {}, {"No hay conbinación premiada! Descargala o introducela"});
        fila("lista vacía", {ini({})}, "01020304050102C", {}, {"No hay resultados! Edita el fichero de configuración"});
        // Hits: any order, each value once, never 0 nor negative, numbers apart from stars.
        fila("aciertos", {ini({"38-22-03-41-50-E7-2", "03-03-03-03-03-E0-7", "-1-07-00-01-02-E3-0"})}, "-10303223807C", {"* 1 38 22 3 41 50 7 2 3+1", "2 3 3 3 3 3 0 7 1+1", "3 -1 7 0 1 2 3 0 0+0"});
        fila("campos ilegibles guardan el valor anterior", {ini(una)}, "01020304050102C|11x\t131415\b\t\bC", {"* 1 1 2 3 4 5 1 2 1+2"});
        fila("relee el fichero", {ini(una), ini({"01-02-03-40-50-E2-9", "1-2-3-4-5-E10-12"})}, "01020304050102C|C", {"* 1 1 2 3 40 50 2 9 3+1", "* 2 1 2 3 4 5 10 12 5+0"});
        // The settings file is its own feed; each draw is read over the one before, field by field.
        const QByteArray feed = "<r>\n[DataSource]\nRDFData=Trebolero.ini\n[Copyright]\nAutor=Orbelan\nDate=2005/12\n[Combinaciones]\nTotal=1\nC1=01-02-03-04-05-E1-2\n"
            "<item><title>Euromillon</title><dc:subject>1-2-8-9-6-E1-4</dc:subject></item><item><title>Euromillon</title><dc:subject>10-x-3-4-5-Ex-9</dc:subject></item></r>";
        fila("descarga", {feed}, "DC", {"* 1 1 2 3 4 5 1 2 4+1"});
        fila("mail sin comprobar", {apuestas}, "M", {"1 3 15 20 38 44 2 5", "2 7 10 12 31 2 11 1"}, {"Has de comprobar el resultado de los premios antes de poder enviarlo por email!"});
        fila("mail", {apuestas}, "\v" + fecha + "\t" + sorteo + "M", comprobadas, {"Resultados del Euromillón (" + fecha + ")" + lineas});
        fila("mail sin fecha rechazado", {apuestas}, "!" + sorteo + "M", comprobadas, {"Resultados del Euromillón" + lineas, "Trebolero\nResultados del Euromillón" + lineas, copiado});
        fila("mail demasiado largo", {apuestas}, "\v" + largo + "\t" + sorteo + "M", comprobadas, {"Trebolero\nResultados del Euromillón (" + largo + ")" + lineas, copiado});
        fila("web rechazada", {ini({})}, "!W", {}, {web, "No se ha podido abrir la página web."});
        fila("web sin clave", {"[Copyright]\nWeb=http://127.0.0.1/\n"}, "!W", {});
        fila("correo del autor rechazado", {ini({})}, "!" + QString(8, u'\t') + u' ', {}, {"mailto:orbelan@example.com?subject=Trebolero", "No se ha podido abrir el programa de correo."});
        // clang-format on
    }

    void usos()
    {
        QFETCH(QByteArrayList, ficheros);
        QFETCH(QString, teclas);
        EntornoPrueba entorno;
        if (!ficheros.isEmpty())
            entorno.EscribirIni(ficheros[0]);
        FormMain ventana;
        EscritorioGrabador &escritorio = entorno.escritorio;
        escritorio.rechazarDirecciones = teclas.startsWith(u'!');
        QVERIFY(Activar(ventana));
        const QStringList tramos = teclas.sliced(escritorio.rechazarDirecciones).split(u'|');
        for (qsizetype i = 0; i < tramos.size(); ++i) {
            if (i > 0 && i < ficheros.size())
                entorno.EscribirIni(ficheros[i]);
            QTest::mouseClick(ventana.findChild<QLineEdit *>("txtEuromillonNumero(1)"),
                              Qt::LeftButton);
            Teclear(tramos[i]);
        }
        // A winning row shows its tier as tooltip and accessible description.
        const ModeloResultado &lista = *ventana.findChild<ModeloResultado *>();
        QStringList filas;
        for (int fila = 0; fila < lista.rowCount(); ++fila) {
            const QModelIndex res = lista.index(fila, 8);
            QCOMPARE(res.data(Qt::ToolTipRole).toString(), TextoPremio(res.data().toString()));
            QCOMPARE(res.data(Qt::AccessibleDescriptionRole), res.data(Qt::ToolTipRole));
            QStringList textos {res.data(Qt::FontRole).value<QFont>().bold() ? "*" : ""};
            for (int columna = 0; columna < 9; ++columna)
                textos << lista.index(fila, columna).data().toString();
            filas << textos.join(u' ').trimmed();
        }
        QTEST(filas, "filas");
        // A results mail is read back from its encoded body, which nothing follows.
        const QRegularExpression mail(
            "^mailto:\\?subject=Trebolero&body=((?:[-\\w.~!$'()*,;:@]|%[0-9A-F]{2})*)$");
        QStringList salida;
        for (const QString &direccion : escritorio.direcciones) {
            const QRegularExpressionMatch cuerpo = mail.match(direccion);
            salida << (cuerpo.hasMatch() ? QUrl::fromPercentEncoding(cuerpo.captured(1).toLatin1())
                                         : direccion);
        }
        if (!escritorio.portapapeles.isNull())
            salida << escritorio.portapapeles;
        QTEST(salida + escritorio.mensajes, "escritorio");
    }

    // The tiers' numbers in the game's order and their text.
    void premios()
    {
        for (const auto &[aciertos, texto] :
             {std::pair {u"5+2", "Premio de 1.ª categoría: 5 números y 2 estrellas"},
              {u"4+0", "Premio de 7.ª categoría: 4 números y 0 estrellas"},
              {u"3+1", "Premio de 9.ª categoría: 3 números y 1 estrella"},
              {u"1+2", "Premio de 11.ª categoría: 1 número y 2 estrellas"},
              {u"2+0", "Premio de 13.ª categoría: 2 números y 0 estrellas"},
              {u"1+1", ""}})
            QCOMPARE(TextoPremio(aciertos), QString::fromUtf8(texto));
    }

    void medidas_data()
    {
        QTest::addColumn<int>("puntos");
        for (const int puntos : {8, 10, 14, 24})
            QTest::addRow("%d puntos", puntos) << puntos;
    }

    // With the desktop's font at any size nothing is cut: the date box holds a
    // date with its time zone, each column of the list its header, two-digit
    // values and a bold "5+2", side by side with no horizontal scroll bar and
    // filling the list's width; six rows show, and the window grows with the font.
    void medidas()
    {
        QFETCH(int, puntos);
        EntornoPrueba entorno;
        QByteArray ini = "[Combinaciones]\nTotal=9\n";
        for (int i = 1; i <= 9; ++i)
            ini += QByteArray("C%1=10-20-30-40-50-E11-12\n").replace("%1", QByteArray::number(i));
        entorno.EscribirIni(ini);
        const int ancho8 = AnchoConFuente<FormMain>(8);
        const FuenteEscritorio fuente(puntos);
        FormMain ventana;
        ventana.findChild<ModeloResultado *>()->FijarAciertos(std::vector<QString>(9, "5+2"));
        ComprobarNadaCortado(ventana, {{"txtFecha", "2026-12-04T21:00:00+01:00"}, {"", "-10"}});
        QVERIFY(ventana.width() * 8 * 4 >= ancho8 * puntos * 3);
        const auto *tabla = ventana.findChild<QTableView *>("lstResultado");
        const QAbstractItemView *lista = tabla;
        const QHeaderView *cabecera = tabla->horizontalHeader();
        QVERIFY(!lista->horizontalScrollBar()->isVisible()
                && lista->verticalScrollBar()->isVisible());
        QCOMPARE(cabecera->length(), lista->viewport()->width());
        for (int columna = 0; columna < 9; ++columna)
            QVERIFY(cabecera->sectionSize(columna) >= std::max(lista->sizeHintForColumn(columna),
                                                               cabecera->sectionSizeHint(columna)));
        QVERIFY(lista->viewport()->height() >= 6 * lista->sizeHintForRow(0));
    }

    // A settings file that cannot be read (here a folder) is named at the start.
    void ilegible()
    {
        EntornoPrueba entorno;
        QVERIFY(QDir().mkdir(entorno.RutaIni()));
        FormMain ventana;
        QCOMPARE(entorno.escritorio.mensajes,
                 {"No se ha podido leer el fichero de configuración."});
    }

    // Tab stops once at every control, the list included, and Shift+Tab walks back.
    void tabulacion()
    {
        RecorrerTabulacion<FormMain>(
            "[Combinaciones]\nTotal=2\n",
            "btnDescargar cmdComprobar cmdViaMail cmdConfigurar cmdWeb btnAbout txtFecha Numero(1) "
            "Numero(2) Numero(3) Numero(4) Numero(5) Estrella(1) Estrella(2) lstResultado lbEmail "
            "btnDescargar",
            "^txtEuromillon");
    }
};

QTEST_MAIN(TstFormMain)
#include "tst_formmain.moc"
