#include "editor/FormConfiguracion.h"
#include "support/VentanaPrueba.h"

// The editor opened on a scratch settings file; an upper-case key in the
// tables is Alt with that letter (Anterior, Siguiente, Insertar, Eliminar, Guardar).
class TstFormConfiguracion : public QObject
{
    Q_OBJECT

    const QByteArray s = "[Combinaciones]\n";

private Q_SLOTS:
    void comandos_data()
    {
        QTest::addColumn<QByteArray>("inicial");
        QTest::addColumn<QByteArray>("aMano"); // written once the editor is open, unless empty
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("pantalla");
        QTest::addColumn<QByteArray>("fichero");
        // clang-format off
        const QByteArray tres = s + "Total=3\nC1=03-17-22-41-50-E2-8\nC2=1-2-3-4-5-E6-7\nC3=10-20-30-40-49-E11-12\n";
        const QString c2 = "1,2,3,4,5,6,7";
        const QString ceros = "0,0,0,0,0,0,0";
        const QString mal = ";El número de combinaciones guardado no es válido. Corrige el fichero de configuración.";
        const QString imposible = ";Una apuesta tiene cinco números distintos del 1 al 50 y dos estrellas distintas del 1 al 12.";
        const QString insertaAntes = ";No hay ninguna combinación que guardar. Inserta una con «Insertar Al Final».";
        const QByteArray cinco = s + "Total=5\nC4=4-5-6-7-8-E9-1\nC5=1-2-3-4-5-E6-7\n";
        QTest::newRow("navigate, remove, insert restores") << tres << QByteArray() << "ASSSSASEI" << "3,2," + c2 << tres;
        QTest::newRow("remove at 0, insert") << s + "Total=0\n" << QByteArray() << "EI" << "1,1," + ceros << s + "Total=1\nC1=00-00-00-00-00-E0-0\n";
        QTest::newRow("enter, advance, save") << tres << QByteArray() << "\t\r07172241500712\r" << "3,1,07,17,22,41,50,07,12" << QByteArray(tres).replace("03-17-22-41-50-E2-8", "07-17-22-41-50-E7-12");
        // Only a bet that can win is stored.
        QTest::newRow("save refuses a letter, an empty box") << s + "Total=2\n" << QByteArray() << "S\t3\t17\b\t4150x\t8G" << "2,2,3,17,,41,50,x,8" + imposible << s + "Total=2\n";
        QTest::newRow("save refuses number 51") << tres << QByteArray() << "\t51G" << "3,1,51,17,22,41,50,2,8" + imposible << tres;
        QTest::newRow("save refuses a repeated number") << tres << QByteArray() << "\t17G" << "3,1,17,17,22,41,50,2,8" + imposible << tres;
        QTest::newRow("save refuses star 13") << tres << QByteArray() << "\t\t\t\t\t\t13G" << "3,1,3,17,22,41,50,13,8" + imposible << tres;
        QTest::newRow("save refuses a repeated star") << tres << QByteArray() << "\t\t\t\t\t\t08G" << "3,1,3,17,22,41,50,08,8" + imposible << tres;
        QTest::newRow("save index 0") << s + "Total=1\n" << QByteArray() << "EG" << "0,0," + ceros + insertaAntes << s + "Total=0\n";
        QTest::newRow("save above the total") << s << QByteArray() << "\t01020304050102G" << "0,1,01,02,03,04,05,01,02" + insertaAntes << s;
        QTest::newRow("full") << s + "Total=32767\n" << QByteArray() << "I" << "32767,1," + ceros + ";No caben más combinaciones." << s + "Total=32767\n";
        QTest::newRow("32768 counts as full") << s + "Total=32768\n" << QByteArray() << "SIE" << "32766,2," + ceros + ";No caben más combinaciones." << s + "Total=32766\n";
        QTest::newRow("32769 is no count") << s + "Total=32769\n" << QByteArray() << "SIE" << "32769,1," + ceros + mal + mal + mal << s + "Total=32769\n";
        QTest::newRow("no number") << s + "Total=abc\n" << QByteArray() << "IE" << "abc,1," + ceros + mal + mal << s + "Total=abc\n";
        QTest::newRow("hand edit, next, remove") << tres << cinco << "SSSE" << "4,4,4,5,6,7,8,9,1" << QByteArray(cinco).replace("=5", "=4");
        QTest::newRow("hand edit, insert") << tres << cinco << "I" << "6,1,3,17,22,41,50,2,8" << QByteArray(cinco).replace("=5", "=6") + "C6=00-00-00-00-00-E0-0\n";
        // clang-format on
    }

    // Compares the boxes (total, index, the seven values) and the messages
    // shown, then the file's bytes.
    void comandos()
    {
        QFETCH(QByteArray, inicial);
        QFETCH(QString, teclas);
        EntornoPrueba entorno;
        entorno.EscribirIni(inicial);
        FormConfiguracion editor(nullptr);
        QVERIFY(Activar(editor));
        QFETCH(QByteArray, aMano);
        if (!aMano.isEmpty())
            entorno.EscribirIni(aMano);
        Teclear(teclas);
        QStringList pantalla; // in the window's order: total, index, numbers, stars
        for (const QLineEdit *caja : editor.findChildren<QLineEdit *>(QRegularExpression("^txt")))
            pantalla << caja->text();
        QTEST((QStringList {pantalla.join(',')} + entorno.registro).join(';'), "pantalla");
        QTEST(entorno.LeerIni(), "fichero");
    }

    // Tab and Shift+Tab each stop once at every control, in the window's order;
    // full boxes passed on the way back do not send the focus forward again.
    // The boxes hold the largest count and signed two-digit values.
    void ventana()
    {
        ComprobarVentana<FormConfiguracion>(
            s + "Total=1\nC1=3-17-22-41-50-E12-8\n",
            "Siguiente Numero(1) Numero(2) Numero(3) Numero(4) Numero(5) Estrella(1) "
            "Estrella(2) Guardar ConfigActual Combinaciones Insertar Eliminar "
            "Anterior Siguiente",
            "", "Combinaciones|ConfigActual", "32767");
    }
};

QTEST_MAIN(TstFormConfiguracion)
#include "tst_formconfiguracion.moc"
