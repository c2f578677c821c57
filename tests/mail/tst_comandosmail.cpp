#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "support/EntornoPrueba.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QUrlQuery>

namespace {

const QString Rechazo = QStringLiteral(
    "Has de comprobar el resultado de los premios antes de poder enviarlo por email!");

ModeloResultado &Modelo(FormMain &ventana)
{
    auto *lista = ventana.findChild<QTreeView *>(QStringLiteral("lstResultado"));
    return *qobject_cast<ModeloResultado *>(lista->model());
}

// Replaces the list with rows of sub-items {N1..N5, E1, E2[, Res]}, as a
// check leaves them.
void LlenarLista(FormMain &ventana, const QList<QStringList> &filas)
{
    ModeloResultado &modelo = Modelo(ventana);
    modelo.EliminarFilas();
    for (const QStringList &textos : filas) {
        modelo.AgregarFila(QString::number(modelo.NumeroFilas() + 1));
        for (const QString &texto : textos)
            QVERIFY(modelo.AgregarSubElemento(modelo.NumeroFilas(), texto));
    }
}

void Activar(FormMain &ventana)
{
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
}

} // namespace

class TstComandosMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comandos_data();
    void comandos();
    void envio_data();
    void envio();
};

void TstComandosMail::comandos_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QList<QStringList>>("filas");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("mensajes");
    QTest::addColumn<QStringList>("direcciones");

    const QStringList apuesta { "3", "15", "20", "38", "44", "2", "5" };
    const QList<QStringList> sinComprobar { apuesta, apuesta };
    QTest::newRow("mail, lista vacía") << QByteArray() << QList<QStringList> {} << "cmdViaMail"
                                       << QStringList { Rechazo } << QStringList {};
    QTest::newRow("mail sin comprobar") << QByteArray() << sinComprobar << "cmdViaMail"
                                        << QStringList { Rechazo } << QStringList {};
    QTest::newRow("mail, fila 1 vacía")
        << QByteArray() << QList<QStringList> { apuesta + QStringList { "" }, apuesta + QStringList { "1+0" } }
        << "cmdViaMail" << QStringList { Rechazo } << QStringList {};
    QTest::newRow("acerca de")
        << QByteArray() << sinComprobar << "btnAbout"
        << QStringList { "Trebolero 4.0, comprobador de apuestas del Euromillón, por Orbelan\r\n"
                         "   La descarga automática suele funcionar a partir del sabado al "
                         "mediodía" }
        << QStringList {};
    QTest::newRow("correo del autor")
        << QByteArray() << sinComprobar << "lbEmail" << QStringList {}
        << QStringList { "mailto:orbelan@example.com?subject=Trebolero" };
    QTest::newRow("web sin fichero")
        << QByteArray() << sinComprobar << "cmdWeb" << QStringList {} << QStringList { "" };
    QTest::newRow("web sin clave")
        << QByteArray("[DataSource]\nRDFData=http://127.0.0.1/r\n"
                      "[Copyright]\nWeb=http://127.0.0.1/\n")
        << sinComprobar << "cmdWeb" << QStringList {} << QStringList { "" };
    QTest::newRow("web tal cual") << QByteArray(
        "[DataSource]\nWeb=http://127.0.0.1:8/a b?x=1&y=%20\n")
                                  << sinComprobar << "cmdWeb" << QStringList {}
                                  << QStringList { "http://127.0.0.1:8/a b?x=1&y=%20" };
}

// Each command pressed from the keyboard; none touches the list or the file.
void TstComandosMail::comandos()
{
    QFETCH(QByteArray, ini);
    QFETCH(QList<QStringList>, filas);
    QFETCH(QString, control);
    QFETCH(QStringList, mensajes);
    QFETCH(QStringList, direcciones);
    EntornoPrueba entorno;
    FormMain ventana;
    Activar(ventana);
    if (!ini.isEmpty())
        entorno.EscribirIni(ini);
    const QByteArray contenido = entorno.LeerIni();
    LlenarLista(ventana, filas);

    auto *pulsado = ventana.findChild<QWidget *>(control);
    pulsado->setFocus();
    QTest::keyClick(pulsado, Qt::Key_Space);

    QCOMPARE(entorno.escritorio.mensajes, mensajes);
    for (const QWidget *propietario : entorno.escritorio.propietarios)
        QCOMPARE(propietario, &ventana);
    QCOMPARE(entorno.escritorio.direcciones, direcciones);
    QCOMPARE(Modelo(ventana).NumeroFilas(), filas.size());
    QCOMPARE(entorno.LeerIni(), contenido);
}

// Three rows after a check, row 2 without its result; the stored count is
// read at the click.
void TstComandosMail::envio_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("lineas");

    const QString fila1 = "01: 03,15,20,38,44 - 2,5 -> 3+1";
    const QString fila3 = "03: 07,10,12,31,02 - 11,1 -> 1+0";
    QTest::newRow("Total 1") << QByteArray("Total=1\n") << QStringList { fila1 };
    QTest::newRow("Total ilegible") << QByteArray("Total=tres\n") << QStringList { fila1, fila3 };
    QTest::newRow("Total enorme") << QByteArray("Total=9000000000000000000\n")
                                  << QStringList { fila1, fila3 };
}

void TstComandosMail::envio()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, lineas);
    EntornoPrueba entorno;
    FormMain ventana;
    Activar(ventana);
    entorno.EscribirIni("[Combinaciones]\n" + ini);
    LlenarLista(ventana,
                { { "3", "15", "20", "38", "44", "2", "5", "3+1" },
                  { "1", "2", "3", "4", "5", "6", "7" },
                  { "7", "10", "12", "31", "2", "11", "1", "1+0" } });
    const QStringList textos { "3", "15", "22", "38", "49", "2", "7" };
    for (int i = 1; i <= 7; ++i)
        ventana
            .findChild<QLineEdit *>(i <= 5 ? QStringLiteral("txtEuromillonNumero(%1)").arg(i)
                                           : QStringLiteral("txtEuromillonEstrella(%1)").arg(i - 5))
            ->setText(textos[i - 1]);
    ventana.findChild<QLineEdit *>(QStringLiteral("txtFecha"))->setText("2005-12-02&cc=x@y");

    // The access key presses the button after a short animation.
    QTest::keyClick(&ventana, Qt::Key_M, Qt::AltModifier);
    QTRY_COMPARE(entorno.escritorio.direcciones.size(), 1);
    QVERIFY(entorno.escritorio.mensajes.isEmpty());

    // Read back as a mail program reads a mailto address.
    const QUrl url(entorno.escritorio.direcciones[0], QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QVERIFY(url.path().isEmpty());
    const QUrlQuery consulta(url);
    QCOMPARE(consulta.queryItems().size(), 2);
    QCOMPARE(consulta.queryItemValue("subject", QUrl::FullyDecoded), QStringLiteral("Trebolero"));
    QString cuerpo = "Resultados del Euromillón (2005-12-02&cc=x@y)\r\n\r\n"
                     "Números premiados:\r\n3,15,22,38,49 - 2,7\r\n\r\nResultados:\r\n";
    for (const QString &linea : lineas)
        cuerpo += linea + "\r\n";
    QCOMPARE(consulta.queryItemValue("body", QUrl::FullyDecoded), cuerpo);
}

QTEST_MAIN(TstComandosMail)
#include "tst_comandosmail.moc"
