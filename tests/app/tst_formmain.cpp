#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "desktop/EscritorioQt.h"
#include "support/VentanaPrueba.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>
#include <QUrl>

namespace {

// What the desktop was given: the addresses (a results mail by its body, read
// back from its encoding, which nothing follows) and the clipboard.
QStringList Legible(const EscritorioGrabador &escritorio)
{
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
    return salida;
}

} // namespace

class TstFormMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The file holds the first of `ficheros` at the start. The keys are typed
    // from a click on the first draw box, which selects its text; "|" writes
    // the next of `ficheros`, when there is one, and clicks that box again; "!"
    // makes every opener started so far fail. Rows read "number N1 .. N5 E1
    // E2 hits", with "* " in front when bold; the desktop gives the addresses
    // (a results mail by its body), the clipboard and the messages.
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
        const QString fecha = "2005-12-02& to=x@y.z?cc=w#%0d%0a+b";
        // Dates that make the results address 8,000 and 8,001 characters long.
        const QString cabe = "a" + QString(2576, u'%'), noCabe = "a" + cabe;
        const QByteArray apuestas = ini({"03-15-20-38-44-E2-5", "07-10-12-31-2-E11-1"});
        const QString sorteo = "03152238490207\r";
        const QStringList comprobadas {"* 1 3 15 20 38 44 2 5 3+1", "2 7 10 12 31 2 11 1 0+0"};
        const QString lineas
            = "\r\n\r\nNúmeros premiados:\r\n03,15,22,38,49 - 02,07\r\n\r\nResultados:"
              "\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n02: 07,10,12,31,02 - 11,1 -> 0+0\r\n";
        const QString pegadas = QString(lineas).replace("\r\n", "\n");
        const QString copiado = " Se han copiado al portapapeles: pégalos en un mensaje nuevo.";
        const QString sinCorreo
            = "No se ha podido abrir el programa de correo con los resultados." + copiado;
        const QString sinComprobar
            = "Has de comprobar el resultado de los premios antes de poder enviarlo por email!";
        const QString sinSorteo = "No hay conbinación premiada! Descargala o introducela";
        // clang-format off
        fila("sin fichero", {}, "", {});
        fila("faltan claves", {"[Combinaciones]\nTotal=2\nC1=5-12-23-34-45-E2-9\n"}, "", {"1 5 12 23 34 45 2 9", "2 0 0 0 0 0 0 0"});
        fila("sobran claves", {"[Combinaciones]\nTotal=1\n" + dos}, "", {"1 5 12 23 34 45 2 9"});
        for (const QByteArray total : {"", "1.5", "-1"})
            fila("Total=" + total, {"[Combinaciones]\nTotal=" + total + '\n' + dos}, "", {});
        fila("número vacío antes que lista vacía", {ini({})}, "010203\t051\t2C", {}, {sinSorteo});
        fila("lista vacía", {ini({})}, "01020304050102C", {}, {"No hay resultados! Edita el fichero de configuración"});
        // Hits: any order, each value once, never 0 nor negative, numbers apart from stars.
        fila("aciertos", {ini({"38-22-03-41-50-E7-2", "03-03-03-03-03-E0-7", "-1-07-00-01-02-E3-0"})}, "-10303223807C", {"* 1 38 22 3 41 50 7 2 3+1", "2 3 3 3 3 3 0 7 1+1", "3 -1 7 0 1 2 3 0 0+0"});
        // The check takes the boxes as they stand: a letter or an empty box matches nothing.
        fila("casillas ilegibles no aciertan", {ini(una)}, "01020304050102C|\tx\t\t\t\t\b\t\bC", {"* 1 1 2 3 4 5 1 2 4+0"});
        fila("relee el fichero", {ini(una), ini({"01-02-03-40-50-E2-9", "1-2-3-4-5-E10-12"})}, "01020304050102C|C", {"* 1 1 2 3 40 50 2 9 3+1", "* 2 1 2 3 4 5 10 12 5+0"});
        // The settings file is its own feed; each draw is read over the one before, field by field.
        const QByteArray feed = "<r>\n[DataSource]\nRDFData=Trebolero.ini\n[Copyright]\nAutor=Orbelan\nDate=2005/12\n[Combinaciones]\nTotal=1\nC1=01-02-03-04-05-E1-2\n"
            "<item><title>Euromillon</title><dc:subject>1-2-8-9-6-E1-4</dc:subject></item><item><title>Euromillon</title><dc:subject>10-x-3-4-5-Ex-9</dc:subject></item></r>";
        fila("Esc descarga", {feed}, "\x1b" "C", {"* 1 1 2 3 4 5 1 2 4+1"});
        fila("Enter en una casilla no descarga", {feed}, "0102\rC", {"1 1 2 3 4 5 1 2"}, {sinSorteo});
        // Results go with the draw beside them.
        fila("una descarga quita los aciertos", {feed}, "01020304050102C|DM", {"1 1 2 3 4 5 1 2"}, {sinComprobar});
        fila("un cambio quita los aciertos", {ini(una)}, "01020304050102C|\t5M", {"1 1 2 3 4 5 1 2"}, {sinComprobar});
        fila("mail sin comprobar", {apuestas}, "M", {"1 3 15 20 38 44 2 5", "2 7 10 12 31 2 11 1"}, {sinComprobar});
        fila("mail con la fecha cambiada", {apuestas}, sorteo + "|\v" + fecha + "M", comprobadas, {"Resultados del Euromillón (" + fecha + ")" + lineas});
        fila("mail sin programa de correo", {apuestas}, sorteo + "M!", comprobadas, {"Resultados del Euromillón" + lineas, "Trebolero\nResultados del Euromillón" + pegadas, sinCorreo});
        fila("mail de 8000 caracteres", {apuestas}, "\v" + cabe + "\t" + sorteo + "M", comprobadas, {"Resultados del Euromillón (" + cabe + ")" + lineas});
        fila("mail de 8001 caracteres", {apuestas}, "\v" + noCabe + "\t" + sorteo + "M", comprobadas, {"Trebolero\nResultados del Euromillón (" + noCabe + ")" + pegadas, "Los resultados son demasiado largos para una dirección de correo." + copiado});
        fila("web sin navegador", {ini({})}, "W!", {}, {web, "No se ha podido abrir la página web."});
        fila("web sin clave", {"[Copyright]\nWeb=http://127.0.0.1/\n"}, "W!", {});
        fila("correo del autor sin programa", {ini({})}, QString(8, u'\t') + " !", {}, {"mailto:orbelan@example.com?subject=Trebolero", "No se ha podido abrir el programa de correo."});
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
        ModeloResultado &lista = *ventana.findChild<ModeloResultado *>();
        const QAbstractItemModelTester probador(
            &lista, QAbstractItemModelTester::FailureReportingMode::QtTest);
        EscritorioGrabador &escritorio = entorno.escritorio;
        QVERIFY(Activar(ventana));
        const auto primeraCaja = [&] {
            QTest::mouseClick(ventana.findChild<QLineEdit *>("txtEuromillonNumero(1)"),
                              Qt::LeftButton);
        };
        primeraCaja();
        qsizetype fichero = 0;
        for (const QChar tecla : teclas) {
            if (tecla == u'|') {
                if (++fichero < ficheros.size())
                    entorno.EscribirIni(ficheros[fichero]);
                primeraCaja();
            } else if (tecla == u'!') {
                escritorio.Fallar();
            } else {
                Teclear(tecla);
            }
        }
        QStringList filas;
        for (int fila = 0; fila < lista.rowCount(); ++fila) {
            QStringList textos {lista.index(fila, 8).data(Qt::FontRole).value<QFont>().bold() ? "*"
                                                                                              : ""};
            for (int columna = 0; columna < 9; ++columna)
                textos << lista.index(fila, columna).data().toString();
            filas << textos.join(u' ').trimmed();
        }
        QTEST(filas, "filas");
        QTEST(Legible(escritorio) + escritorio.mensajes, "escritorio");
    }

    // The same count of bets in the list, the check and the mail, whatever
    // "Total" holds; the file always holds 32768 bets.
    void total_data()
    {
        QTest::addColumn<QByteArray>("total");
        QTest::addColumn<int>("apuestas");
        QTest::newRow("0") << QByteArray("0") << 0;
        QTest::newRow("1") << QByteArray("1") << 1;
        QTest::newRow("32767") << QByteArray("32767") << 32767;
        QTest::newRow("32768") << QByteArray("32768") << 32767;
        QTest::newRow("32769") << QByteArray("32769") << 0;
        QTest::newRow("abc") << QByteArray("abc") << 0;
    }

    void total()
    {
        QFETCH(QByteArray, total);
        QFETCH(int, apuestas);
        EntornoPrueba entorno;
        QByteArray ini = "[Combinaciones]\nTotal=" + total + '\n';
        for (int n = 1; n <= 32768; ++n)
            ini += 'C' + QByteArray::number(n) + "=01-02-03-04-05-E1-2\n";
        entorno.EscribirIni(ini);
        FormMain ventana;
        const ModeloResultado &lista = *ventana.findChild<ModeloResultado *>();
        QCOMPARE(lista.rowCount(), apuestas);
        QVERIFY(!lista.data({}, Qt::DisplayRole).isValid());
        QVERIFY(Activar(ventana));
        QTest::mouseClick(ventana.findChild<QLineEdit *>("txtEuromillonNumero(1)"), Qt::LeftButton);
        Teclear("01020304050102CM");
        int comprobadas = 0;
        for (int fila = 0; fila < lista.rowCount(); ++fila)
            comprobadas += lista.index(fila, 8).data() == "5+2";
        QCOMPARE(comprobadas, apuestas);
        const QStringList salida = Legible(entorno.escritorio);
        QCOMPARE(salida.isEmpty() ? 0 : salida.first().count("5+2"), apuestas);
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
        ventana.findChild<ModeloResultado *>()->FijarAciertos(std::vector<Aciertos>(9, Aciertos {5, 2}));
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

    // What a screen reader is given: the author's address as a link named by
    // its text that can be pressed, the About button described, the list
    // described with named columns, a winning row's prize tier.
    void accesibilidad()
    {
        EntornoPrueba entorno;
        entorno.EscribirIni("[Combinaciones]\nTotal=1\nC1=03-15-20-38-44-E2-5\n");
        FormMain ventana;
        QVERIFY(Activar(ventana));
        QTest::mouseClick(ventana.findChild<QLineEdit *>("txtEuromillonNumero(1)"), Qt::LeftButton);
        Teclear("03152238490207\r");
        QAccessibleInterface *correo
            = QAccessible::queryAccessibleInterface(ventana.findChild<QWidget *>("lbEmail"));
        QCOMPARE(correo->role(), QAccessible::Link);
        QCOMPARE(correo->text(QAccessible::Name), "orbelan@example.com");
        QCOMPARE(correo->text(QAccessible::Description), "Email del autor");
        correo->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(entorno.escritorio.direcciones, {"mailto:orbelan@example.com?subject=Trebolero"});
        QCOMPARE(ventana.findChild<QWidget *>("btnAbout")->accessibleDescription(),
                 "Acerca de Trebolero");
        const auto *lista = ventana.findChild<QTableView *>("lstResultado");
        QVERIFY(!lista->accessibleDescription().isEmpty());
        QStringList columnas;
        for (int columna = 0; columna < 9; ++columna)
            columnas << lista->model()
                            ->headerData(columna, Qt::Horizontal, Qt::AccessibleTextRole)
                            .toString();
        QCOMPARE(columnas.join(u','),
                 "Apuesta,Número 1,Número 2,Número 3,Número 4,Número 5,"
                 "Estrella 1,Estrella 2,Aciertos");
        QCOMPARE(lista->model()->index(0, 8).data(Qt::ToolTipRole),
                 "Premio de 9.ª categoría: 3 números y 1 estrella");
    }

    // The real desktop runs the first xdg-open on PATH with the address and
    // hears of a failure only when it cannot start or ends badly; it returns
    // at once, while the opener may still run.
    void abridor_data()
    {
        QTest::addColumn<QByteArray>("guion");
        QTest::addColumn<bool>("falla");
        QTest::newRow("termina bien") << QByteArray("[ \"$1\" = 'mailto:?body=a%20b' ]") << false;
        QTest::newRow("termina con 3") << QByteArray("exit 3") << true;
        QTest::newRow("no está") << QByteArray() << true;
        QTest::newRow("sigue abierto hasta que lo matan")
            << QByteArray("exec /bin/sleep 600") << true;
    }

    void abridor()
    {
        QFETCH(QByteArray, guion);
        QTemporaryDir carpeta;
        if (!guion.isEmpty()) {
            QFile abridor(carpeta.filePath("xdg-open"));
            QVERIFY(abridor.open(QIODevice::WriteOnly));
            abridor.write("#!/bin/sh\n" + guion + '\n');
            abridor.close();
            QVERIFY(abridor.setPermissions(abridor.permissions() | QFile::ExeOwner));
        }
        const QByteArray ruta = qgetenv("PATH");
        qputenv("PATH", carpeta.path().toLocal8Bit());
        bool fallado = false;
        EscritorioQt().AbrirDireccion("mailto:?body=a%20b", [&] { fallado = true; });
        qputenv("PATH", ruta);
        const auto abridores = [] {
            return qApp->findChildren<QProcess *>();
        };
        if (guion.startsWith("exec")) {
            QTRY_COMPARE(abridores().value(0)->state(), QProcess::Running);
            QVERIFY(!fallado);
            abridores().value(0)->kill();
        }
        QTRY_VERIFY(abridores().isEmpty());
        QTEST(fallado, "falla");
    }

    // A settings file that cannot be used is named once at the start.
    void ilegible_data()
    {
        QTest::addColumn<qint64>("tamano"); // of a file of zeros; a folder in its place when 0
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("carpeta") << qint64(0)
                                 << "No se ha podido leer el fichero de configuración.";
        QTest::newRow("17 MiB") << qint64(17 << 20)
                                << "El fichero de configuración es demasiado grande.";
    }

    void ilegible()
    {
        QFETCH(qint64, tamano);
        QFETCH(QString, mensaje);
        EntornoPrueba entorno;
        QFile archivo(entorno.RutaIni());
        QVERIFY(tamano ? archivo.open(QIODevice::WriteOnly) && archivo.resize(tamano)
                       : QDir().mkdir(entorno.RutaIni()));
        FormMain ventana;
        QCOMPARE(entorno.escritorio.mensajes, {mensaje});
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
