#include "support/VentanaPrueba.h"

#include <QTest>
#include <QUrlQuery>

class TstComandosMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comandos_data();
    void comandos();
};

// The list holds rows of "N1 .. N5 E1 E2 [hits]", as a check leaves them, and
// the boxes hold 3 15 22 38 49 2 7 and a hostile date. A mail address is
// given by the body it decodes to.
void TstComandosMail::comandos_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("filas");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QStringList>("direcciones");
    const auto fila
        = [](const char *nombre, const QByteArray &ini, const QStringList &filas,
             const char *control, const QString &mensaje, const QStringList &direcciones = {}) {
              QTest::newRow(nombre) << ini << filas << QString(control) << mensaje << direcciones;
          };

    const QString rechazo
        = "Has de comprobar el resultado de los premios antes de poder enviarlo por email!";
    const QString apuesta = "3 15 20 38 44 2 5";
    const QStringList sinComprobar {apuesta, apuesta};
    fila("mail sin comprobar", {}, sinComprobar, "cmdViaMail", rechazo);
    fila("mail, fila 1 vacía", {}, {apuesta + " ", apuesta + " 1+0"}, "cmdViaMail", rechazo);
    fila("acerca de", {}, sinComprobar, "btnAbout",
         "Trebolero 4.0, comprobador de apuestas del Euromillón, por Orbelan\r\n"
         "   La descarga automática suele funcionar a partir del sabado al mediodía");
    fila("correo del autor", {}, sinComprobar, "lbEmail", "",
         {"mailto:orbelan@example.com?subject=Trebolero"});
    fila("web sin clave",
         "[DataSource]\nRDFData=http://127.0.0.1/r\n[Copyright]\nWeb=http://127.0.0.1/\n",
         sinComprobar, "cmdWeb", "", {""});
    fila("web tal cual", "[DataSource]\nWeb=http://127.0.0.1:8/a b?x=1&y=%20\n", sinComprobar,
         "cmdWeb", "", {"http://127.0.0.1:8/a b?x=1&y=%20"});

    // Row 2 has no result; the stored count is read at the click.
    const QStringList comprobadas {apuesta + " 3+1", "1 2 3 4 5 6 7", "7 10 12 31 2 11 1 1+0"};
    const QString cuerpo = "Resultados del Euromillón (2005-12-02&cc=x@y)\r\n\r\n"
                           "Números premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\nResultados:\r\n"
                           "01: 03,15,20,38,44 - 2,5 -> 3+1\r\n";
    const QString fila3 = "03: 07,10,12,31,02 - 11,1 -> 1+0\r\n";
    fila("mail, Total 1", "[Combinaciones]\nTotal=1\n", comprobadas, "cmdViaMail", "", {cuerpo});
    fila("mail, Total ilegible", "[Combinaciones]\nTotal=tres\n", comprobadas, "cmdViaMail", "",
         {cuerpo + fila3});
    fila("mail, Total enorme", "[Combinaciones]\nTotal=9000000000000000000\n", comprobadas,
         "cmdViaMail", "", {cuerpo + fila3});
}

// Each command pressed from the keyboard; none touches the list or the file.
void TstComandosMail::comandos()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, filas);
    QFETCH(QString, control);
    QFETCH(QString, mensaje);
    QFETCH(QStringList, direcciones);
    ProgramaPrueba programa;
    FormMain &ventana = programa.ventana;
    const EscritorioGrabador &escritorio = programa.entorno.escritorio;
    QVERIFY(Activar(ventana));
    if (!ini.isEmpty())
        programa.entorno.EscribirIni(ini);
    const QByteArray contenido = programa.entorno.LeerIni();
    ModeloResultado &modelo = Modelo(ventana);
    modelo.EliminarFilas();
    for (const QString &textos : filas) {
        modelo.AgregarFila(QString::number(modelo.NumeroFilas() + 1));
        for (const QString &texto : textos.split(' '))
            QVERIFY(modelo.AgregarSubElemento(modelo.NumeroFilas(), texto));
    }
    const QStringList cajas = QString("3 15 22 38 49 2 7 2005-12-02&cc=x@y").split(' ');
    for (int i = 1; i <= 8; ++i)
        Caja(ventana, i)->setText(cajas[i - 1]);

    ventana.findChild<QWidget *>(control)->setFocus();
    Teclear(" ");

    QCOMPARE(escritorio.mensajes.join(""), mensaje);
    for (const QWidget *propietario : escritorio.propietarios)
        QCOMPARE(propietario, &ventana);
    QStringList abiertas;
    for (const QString &direccion : escritorio.direcciones) {
        if (!direccion.startsWith("mailto:?")) {
            abiertas << direccion;
            continue;
        }
        // Read back as a mail program reads it: a subject and a body, no more.
        const QUrlQuery consulta(QUrl(direccion, QUrl::StrictMode));
        QCOMPARE(consulta.queryItems().size(), 2);
        QCOMPARE(consulta.queryItemValue("subject", QUrl::FullyDecoded), "Trebolero");
        abiertas << consulta.queryItemValue("body", QUrl::FullyDecoded);
    }
    QCOMPARE(abiertas, direcciones);
    QCOMPARE(modelo.NumeroFilas(), filas.size());
    QCOMPARE(programa.entorno.LeerIni(), contenido);
}

QTEST_MAIN(TstComandosMail)
#include "tst_comandosmail.moc"
