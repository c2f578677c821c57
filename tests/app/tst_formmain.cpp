#include "app/FormMain.h"
#include "desktop/EscritorioQt.h"
#include "support/VentanaPrueba.h"

class TstFormMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The keys are typed from a click on the first draw box, which selects
    // its text; every opener fails on an address holding "falla". The list's
    // rows read "number N1 .. N5 E1 E2 hits", with "* " in front when bold,
    // followed by what the desktop was given.
    void usos_data()
    {
        QTest::addColumn<QByteArray>("fichero");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QStringList>("esperado");
        // clang-format off
        // 32768 bets that all win, read as far as "Total" says.
        QByteArray todas = "[Combinaciones]\nC32768=01-02-03-04-05-E1-2\n";
        QStringList filas;
        QString pegadasTodas = "Trebolero\nResultados del Euromillón\n\nNúmeros premiados:\n01,02,03,04,05 - 01,02\n\nResultados:\n";
        for (int n = 1; n < 32768; ++n) {
            todas += 'C' + QByteArray::number(n) + "=01-02-03-04-05-E1-2\n";
            filas << QString("* %1 1 2 3 4 5 1 2 5+2").arg(n);
            pegadasTodas += QString::number(n).rightJustified(2, u'0') + ": 01,02,03,04,05 - 1,2 -> 5+2\n";
        }
        const QByteArray web = "http://127.0.0.1:8/falla b?x=1&y=%20";
        const QByteArray cabecera = "[DataSource]\nWeb=" + web + "\n[Combinaciones]\n";
        const QByteArray vacia = cabecera + "Total=0\n";
        const QByteArray una = cabecera + "Total=1\nC1=01-02-03-04-05-E1-2\n";
        const QByteArray dos = cabecera + "Total=2\nC1=03-15-20-38-44-E2-5\nC2=07-10-12-31-2-E11-1\n";
        // A date that tries to add a header, a recipient and a fragment to the mail.
        const QString fecha = "2005-12-02& to=x@y.z?cc=w#%0d%0a+b";
        // Dates that make the results address 8,000 and 8,001 characters long.
        const QString cabe = "a" + QString(2576, u'%');
        const QString noCabe = "a" + cabe;
        // From Comprobar, where the draw leaves the focus, seven Tabs reach the second number.
        const QString alSegundo = QString(7, u'\t');
        const QString sorteo = "03152238490207\r";
        const QString sinSorteo = "No hay conbinación premiada! Descargala o introducela";
        const QStringList comprobadas {"* 1 3 15 20 38 44 2 5 3+1", "2 7 10 12 31 2 11 1 0+0"}, sinAciertos {"1 1 2 3 4 5 1 2"};
        const QString lineas = "\r\n\r\nNúmeros premiados:\r\n03,15,22,38,49 - 02,07\r\n\r\nResultados:\r\n01: 03,15,20,38,44 - 2,5 -> 3+1\r\n02: 07,10,12,31,02 - 11,1 -> 0+0\r\n";
        const QString pegadas = QString(lineas).replace("\r\n", "\n");
        const QString copiado = " Se han copiado al portapapeles: pégalos en un mensaje nuevo.";
        const QString sinComprobar = "Has de comprobar el resultado de los premios antes de poder enviarlo por email!";
        QTest::newRow("fichero ilegible") << QByteArray(1, '\0') << QString() << QStringList {"No se ha podido leer el fichero de configuración."};
        QTest::newRow("fichero de 17 MiB") << QByteArray(17 << 20, '\n') << QString() << QStringList {"El fichero de configuración es demasiado grande."};
        QTest::newRow("número vacío antes que lista vacía") << vacia << QString("010203\t051\t2C") << QStringList {sinSorteo};
        const QString todoAcertado = "01020304050102CM";
        const QString demasiadoLargos = "Los resultados son demasiado largos para una dirección de correo." + copiado;
        const QStringList ninguna {"No hay resultados! Edita el fichero de configuración", sinComprobar};
        QTest::newRow("Total=0") << todas + "Total=0\n" << todoAcertado << ninguna;
        QTest::newRow("Total=1") << todas + "Total=1\n" << todoAcertado << QStringList {"* 1 1 2 3 4 5 1 2 5+2", "Resultados del Euromillón\r\n\r\nNúmeros premiados:\r\n01,02,03,04,05 - 01,02\r\n\r\nResultados:\r\n01: 01,02,03,04,05 - 1,2 -> 5+2\r\n"};
        QTest::newRow("Total=32767") << todas + "Total=32767\n" << todoAcertado << filas + QStringList {pegadasTodas, demasiadoLargos};
        QTest::newRow("Total=32768") << todas + "Total=32768\n" << todoAcertado << filas + QStringList {pegadasTodas, demasiadoLargos};
        QTest::newRow("Total=32769") << todas + "Total=32769\n" << todoAcertado << ninguna;
        QTest::newRow("Total=abc") << todas + "Total=abc\n" << todoAcertado << ninguna;
        // The check takes the boxes as they stand: a letter or an empty box matches nothing.
        QTest::newRow("casillas ilegibles no aciertan") << una << "01020304050102C" + alSegundo + "x\t\t\t\t\b\t\bC" << QStringList {"* 1 1 2 3 4 5 1 2 4+0"};
        // The settings file is its own feed; each draw is read over the one before, field by field.
        const QByteArray feed = "<r>\n[DataSource]\nRDFData=Trebolero.ini\n[Copyright]\nAutor=Orbelan\nDate=2005/12\n[Combinaciones]\nTotal=1\nC1=01-02-03-04-05-E1-2\n"
            "<item><title>Euromillon</title><dc:subject>1-2-8-9-6-E1-4</dc:subject></item><item><title>Euromillon</title><dc:subject>10-x-3-4-5-Ex-9</dc:subject></item></r>";
        QTest::newRow("Esc descarga") << feed << QString("\x1b" "C") << QStringList {"* 1 1 2 3 4 5 1 2 4+1"};
        QTest::newRow("Enter en una casilla no descarga") << feed << QString("0102\rC") << sinAciertos + QStringList {sinSorteo};
        // Results go with the draw beside them, not with its date.
        QTest::newRow("una descarga quita los aciertos") << feed << QString("01020304050102CDM") << sinAciertos + QStringList {sinComprobar};
        QTest::newRow("un número cambiado quita los aciertos") << una << "01020304050102C" + alSegundo + "5M" << sinAciertos + QStringList {sinComprobar};
        QTest::newRow("una estrella cambiada quita los aciertos") << una << QString("01020304050102C\v\v\v\v3M") << sinAciertos + QStringList {sinComprobar};
        QTest::newRow("mail con la fecha cambiada") << dos << sorteo + "\t\t\t\t\t" + fecha + "M" << comprobadas + QStringList {"Resultados del Euromillón (" + fecha + ")" + lineas};
        QTest::newRow("mail sin programa de correo") << dos << sorteo + "\t\t\t\t\tfallaM" << comprobadas + QStringList {"Resultados del Euromillón (falla)" + lineas, "Trebolero\nResultados del Euromillón (falla)" + pegadas, "No se ha podido abrir el programa de correo con los resultados." + copiado};
        QTest::newRow("mail de 8000 caracteres") << dos << "\v" + cabe + "\t" + sorteo + "M" << comprobadas + QStringList {"Resultados del Euromillón (" + cabe + ")" + lineas};
        QTest::newRow("mail de 8001 caracteres") << dos << "\v" + noCabe + "\t" + sorteo + "M" << comprobadas + QStringList {"Trebolero\nResultados del Euromillón (" + noCabe + ")" + pegadas, demasiadoLargos};
        QTest::newRow("web sin navegador") << vacia << QString("W") << QStringList {web, "No se ha podido abrir la página web."};
        // clang-format on
    }

    void usos()
    {
        QFETCH(QByteArray, fichero);
        QFETCH(QString, teclas);
        EntornoPrueba entorno;
        entorno.EscribirIni(fichero);
        FormMain ventana;
        QAbstractItemModel &lista = *ventana.findChild<QTableView *>("lstResultado")->model();
        const QAbstractItemModelTester probador(&lista);
        QVERIFY(!lista.data({}).isValid());
        QVERIFY(Activar(ventana));
        QTest::mouseClick(ventana.findChild<QLineEdit *>("txtEuromillonNumero(1)"), Qt::LeftButton);
        Teclear(teclas);
        QStringList salida;
        for (int i = 0; i < lista.rowCount(); ++i) {
            QString fila = lista.index(i, 8).data(Qt::FontRole).value<QFont>().bold() ? "*" : "";
            for (int columna = 0; columna < 9; ++columna)
                fila += ' ' + lista.index(i, columna).data().toString();
            salida << fila.trimmed();
        }
        QFETCH(QStringList, esperado);
        QTRY_COMPARE(salida + entorno.registro, esperado);
    }

    // Nine bets, more than the list shows at once, the first with two-digit
    // values and, once checked, a bold "5+2"; the date box holds a date with
    // its time zone. Tab stops once at every control, the list included.
    void ventana()
    {
        ComprobarVentana<FormMain>(
            "[Combinaciones]\nTotal=9\nC1=10-20-30-40-50-E11-12\n",
            "Descargar Comprobar ViaMail Configurar Web About Fecha Numero(1) Numero(2) Numero(3) "
            "Numero(4) Numero(5) Estrella(1) Estrella(2) Resultado Email Descargar",
            QString(7, u'\t') + "10203040501112\r", "txtFecha", "2026-12-04T21:00:00+01:00");
    }

    // What a screen reader is given: the author's address as a link named by
    // its text that can be pressed, the About button described, the list
    // described with named columns.
    void accesibilidad()
    {
        EntornoPrueba entorno;
        FormMain ventana;
        QAccessibleInterface *correo
            = QAccessible::queryAccessibleInterface(ventana.findChild<QWidget *>("lbEmail"));
        QCOMPARE(correo->role(), QAccessible::Link);
        QCOMPARE(correo->text(QAccessible::Name), "orbelan@example.com");
        correo->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(entorno.registro, {"mailto:orbelan@example.com?subject=Trebolero"});
        const QTableView *lista = ventana.findChild<QTableView *>("lstResultado");
        QVERIFY(!lista->accessibleDescription().isEmpty());
        QStringList lector {ventana.findChild<QWidget *>("btnAbout")->accessibleDescription()};
        for (int i = 1; i < 9; ++i)
            lector
                << lista->model()->headerData(i, Qt::Horizontal, Qt::AccessibleTextRole).toString();
        QCOMPARE(lector.join(u','),
                 "Acerca de Trebolero,Número 1,Número 2,Número 3,Número 4,Número 5,"
                 "Estrella 1,Estrella 2,Aciertos");
    }

    // The real desktop runs the first xdg-open on PATH with the address and
    // hears of a failure only when it cannot start or ends badly; it returns
    // at once, while the opener may still run (until the test kills it).
    void abridor_data()
    {
        QTest::addColumn<QByteArray>("guion");
        QTest::addColumn<bool>("falla");
        QTest::newRow("termina bien") << QByteArray("[ \"$1\" = 'mailto:?body=a%20b' ]") << false;
        QTest::newRow("termina con 3") << QByteArray("exit 3") << true;
        QTest::newRow("sigue abierto") << QByteArray("exec /bin/sleep 600") << true;
    }

    void abridor()
    {
        QFETCH(QByteArray, guion);
        EntornoPrueba entorno;
        entorno.EscribirIni("#!/bin/sh\n" + guion + '\n', "xdg-open");
        const QString abridor = entorno.carpeta.filePath("xdg-open");
        QVERIFY(QFile::setPermissions(abridor, QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray ruta = qgetenv("PATH");
        qputenv("PATH", entorno.carpeta.path().toLocal8Bit());
        bool fallado = false;
        EscritorioQt().AbrirDireccion("mailto:?body=a%20b", [&] { fallado = true; });
        qputenv("PATH", ruta);
        if (guion.startsWith("exec")) {
            QTRY_COMPARE(qApp->findChild<QProcess *>()->state(), QProcess::Running);
            QVERIFY(!fallado);
            qApp->findChild<QProcess *>()->kill();
        }
        QTRY_VERIFY(!qApp->findChild<QProcess *>());
        QTEST(fallado, "falla");
    }
};

QTEST_MAIN(TstFormMain)
#include "tst_formmain.moc"
