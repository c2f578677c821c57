#include "app/FormMain.h"
#include "feed/CargadorXml.h"
#include "support/EntornoPrueba.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace std::chrono_literals;
using Respuestas = QMap<QString, QByteArray>;

namespace {

// A loopback HTTP server: a request for a known path gets its canned bytes
// and the connection is closed; any other path gets no answer at all.
class Servidor : public QTcpServer
{
public:
    Servidor()
    {
        QVERIFY(listen(QHostAddress::LocalHost));
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *conexion = nextPendingConnection())
                connect(conexion, &QTcpSocket::readyRead, this,
                        [this, conexion] { Atender(conexion); });
        });
    }
    QString Url(const QString &ruta) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(ruta);
    }

    Respuestas respuestas;
    QStringList peticiones;

private:
    // The whole request is read first: closing with unread data resets.
    void Atender(QTcpSocket *conexion)
    {
        const QByteArray peticion = conexion->property("leido").toByteArray() + conexion->readAll();
        conexion->setProperty("leido", peticion);
        if (!peticion.endsWith("\r\n\r\n"))
            return;
        peticiones << QString::fromLatin1(peticion.split(' ').value(1));
        if (!respuestas.contains(peticiones.last()))
            return;
        conexion->write(respuestas.value(peticiones.last()));
        conexion->disconnectFromHost();
    }
};

// An answer whose body ends where the server closes the connection.
QByteArray Http(const QByteArray &estado, const QByteArray &cuerpo, const QByteArray &cabecera = {})
{
    return "HTTP/1.1 " + estado + "\r\nConnection: close\r\n" + cabecera + "\r\n" + cuerpo;
}

QByteArray Item(const QByteArray &titulo, const QByteArray &sujeto, const QByteArray &fecha = {})
{
    QByteArray item
        = "<item>\n  <title>" + titulo + "</title>\n  <link>http://example.com/</link>\n";
    if (!sujeto.isEmpty())
        item += "  <dc:subject>" + sujeto + "</dc:subject>\n";
    if (!fecha.isEmpty())
        item += "  <dc:date>" + fecha + "</dc:date>\n";
    return item + "</item>\n";
}

// An RSS 1.0 feed: the channel, then the items beside it.
QByteArray Feed(const QByteArray &items, const QByteArray &dtd = {}, const QByteArray &canal = {})
{
    return "<?xml version=\"1.0\"?>\n" + dtd
        + "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
          "xmlns=\"http://purl.org/rss/1.0/\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
          "<channel rdf:about=\"http://example.com/\"><title>Sorteos</title>"
        + canal + "</channel>\n" + items + "</rdf:RDF>\n";
}

const QByteArray Juegos = Item("La Primitiva", "01-02-03-04-05-E0-0", "2024-05-09")
    + Item("Euromillones del viernes", "03-17-22-41-50-E2-8", "2024-05-10T21:00:00+02:00")
    + Item("Bonoloto", "06-07-08-09-10-E1-1", "2024-05-11");

// The seven boxes and the date: as the user typed them, and as downloaded.
const QStringList Tecleado {"1", "2", "3", "4", "5", "6", "7", "antes"};
const QStringList Descargado {"3", "17", "22", "41", "50", "2", "8", "2024-05-10T21:00:00+02:00"};

Respuestas Feed200(const QByteArray &cuerpo)
{
    return {{"/feed", Http("200 OK", cuerpo)}};
}

} // namespace

class TstDescarga : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void descargar_data();
    void descargar();
    void servidorMudo();
    void archivoLocal_data();
    void archivoLocal();
    void botonDescargar();

private:
    QLineEdit *Caja(int i) const;
    QStringList Pantalla() const;

    std::unique_ptr<EntornoPrueba> entorno;
    std::unique_ptr<Servidor> servidor;
    std::unique_ptr<FormMain> ventana;
};

void TstDescarga::init()
{
    entorno = std::make_unique<EntornoPrueba>();
    QFile archivo(entorno->carpeta.filePath(QStringLiteral("sorteos.rdf")));
    QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(Feed(Juegos)) > 0);
    archivo.close();
    servidor = std::make_unique<Servidor>();
    ventana = std::make_unique<FormMain>();
    for (int i = 1; i <= 8; ++i)
        Caja(i)->setText(Tecleado[i - 1]);
}

void TstDescarga::cleanup()
{
    ventana.reset();
    servidor.reset();
    entorno.reset();
    CargadorXml::FijarTiempoMaximo(15s);
}

// Boxes 1 to 5 are the numbers, 6 and 7 the stars, 8 the date.
QLineEdit *TstDescarga::Caja(int i) const
{
    const QString nombre = i <= 5 ? QStringLiteral("txtEuromillonNumero(%1)").arg(i)
        : i <= 7                  ? QStringLiteral("txtEuromillonEstrella(%1)").arg(i - 5)
                                  : QStringLiteral("txtFecha");
    return ventana->findChild<QLineEdit *>(nombre);
}

// What the window shows, checked against the draw it holds: the typed draw
// goes with an untouched all-zero record, a downloaded one with itself.
QStringList TstDescarga::Pantalla() const
{
    QStringList textos, sorteo;
    for (int i = 1; i <= 8; ++i)
        textos << Caja(i)->text();
    for (int campo = 1; campo <= 7; ++campo)
        sorteo << QString::number(ventana->SorteoActual().Campo(campo));
    const bool tecleado = textos.mid(0, 7) == Tecleado.mid(0, 7);
    if (sorteo != (tecleado ? QStringList(7, QStringLiteral("0")) : textos.mid(0, 7)))
        textos << QStringLiteral("Sorteo: ") + sorteo.join(QLatin1Char(' '));
    return textos;
}

void TstDescarga::descargar_data()
{
    QTest::addColumn<Respuestas>("respuestas");
    QTest::addColumn<QStringList>("pantalla");

    const QByteArray Euromillon = "Euromillon";
    const QByteArray dc = "xmlns:purl=\"http://purl.org/dc/elements/1.1/\"";
    QTest::newRow("varios juegos") << Feed200(Feed(Juegos)) << Descargado;
    QTest::newRow("gana el último")
        << Feed200(Feed(Juegos + Item(Euromillon, "11-12-13-14-15-E9-1", "sábado")))
        << QStringList {"11", "12", "13", "14", "15", "9", "1", "sábado"};
    QTest::newRow("sorteo y fecha de items distintos")
        << Feed200(Feed(Juegos + Item(Euromillon, {}, "sábado")
                        + Item(Euromillon, "11-12-13-14-15-E9-1")))
        << QStringList {"11", "12", "13", "14", "15", "9", "1", "sábado"};
    QTest::newRow("títulos parecidos") << Feed200(
        Feed(Item("Euromillón", "03-17-22-41-50-E2-8", "a")
             + Item("EUROMILLONES", "03-17-22-41-50-E2-8", "b") + Item("Euromillo", {}, "c")))
                                       << Tecleado;
    QTest::newRow("item dentro del canal")
        << Feed200(Feed({}, {}, Item(Euromillon, "03-17-22-41-50-E2-8", "x"))) << Tecleado;
    QTest::newRow("otro prefijo") << Feed200(Feed(Item(Euromillon + "</title><purl:subject " + dc
                                                           + ">03-17-22-41-50-E2-8"
                                                             "</purl:subject><purl:date "
                                                           + dc + ">x</purl:date><title>",
                                                       {})))
                                  << Tecleado;
    QTest::newRow("fecha sin sorteo") << Feed200(Feed(Item(Euromillon, {}, "sábado")))
                                      << QStringList {"1", "2", "3", "4", "5", "6", "7", "sábado"};
    QTest::newRow("404") << Respuestas {{"/feed", Http("404 Not Found", Feed(Juegos))}} << Tecleado;
    QTest::newRow("XML mal formado") << Feed200(Feed(Juegos).chopped(3)) << Tecleado;
    QTest::newRow("redirección") << Respuestas {{"/feed",
                                                 Http("302 Found", {}, "Location: /otro\r\n")},
                                                {"/otro", Http("200 OK", Feed(Juegos))}}
                                 << Descargado;
    QTest::newRow("más de 4 MiB") << Feed200(
        Feed(Juegos + "<!--" + QByteArray(4 << 20, ' ') + "-->"))
                                  << Tecleado;

    QByteArray bomba = "<!DOCTYPE rdf:RDF [<!ENTITY e0 \"xxxxxxxxxx\">";
    for (char i = '1'; i <= '9'; ++i)
        bomba += "<!ENTITY e" + QByteArray(1, i) + " \""
            + ("&e" + QByteArray(1, i - 1) + ";").repeated(10) + "\">";
    QTest::newRow("entidades anidadas")
        << Feed200(Feed(Item(Euromillon, "03-17-22-41-50-E2-8", "&e9;"), bomba + "]>")) << Tecleado;
    // Each reference keeps within the parser's limit; together they don't.
    QTest::newRow("entidades repetidas")
        << Feed200(Feed(Item(Euromillon, "03-17-22-41-50-E2-8", QByteArray("&a;").repeated(5000)),
                        "<!DOCTYPE rdf:RDF [<!ENTITY a \"" + QByteArray(4000, 'x') + "\">]>"))
        << Tecleado;
    QTest::newRow("anidamiento profundo") << Feed200(
        Feed(Item(Euromillon + QByteArray("<a>").repeated(300) + QByteArray("</a>").repeated(300),
                  "03-17-22-41-50-E2-8"))) << Tecleado;
}

void TstDescarga::descargar()
{
    QFETCH(const Respuestas, respuestas);
    QFETCH(const QStringList, pantalla);

    servidor->respuestas = respuestas;
    ventana->DescargarSorteo(servidor->Url(QStringLiteral("/feed")));

    QVERIFY(!servidor->peticiones.isEmpty());
    QCOMPARE(Pantalla(), pantalla);
    QVERIFY(entorno->escritorio.mensajes.isEmpty());
}

// The time-out ends a load that gets no answer; the keys typed meanwhile are
// dropped, and the busy cursor goes.
void TstDescarga::servidorMudo()
{
    CargadorXml::FijarTiempoMaximo(300ms);
    QTimer::singleShot(0, Caja(8), [this] {
        QCoreApplication::postEvent(
            Caja(8),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    });

    ventana->DescargarSorteo(servidor->Url(QStringLiteral("/mudo")));
    QCoreApplication::processEvents();

    QCOMPARE(servidor->peticiones, QStringList {"/mudo"});
    QCOMPARE(Pantalla(), Tecleado);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TstDescarga::archivoLocal_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QStringList>("pantalla");

    QTest::newRow("ruta relativa") << "sorteos.rdf" << Descargado;
    QTest::newRow("URL file:") << "file://%1/sorteos.rdf" << Descargado;
    QTest::newRow("una carpeta") << "%1" << Tecleado;
}

void TstDescarga::archivoLocal()
{
    QFETCH(const QString, direccion);
    QFETCH(const QStringList, pantalla);

    ventana->DescargarSorteo(QString(direccion).replace("%1", entorno->carpeta.path()));
    QCOMPARE(Pantalla(), pantalla);
}

// The button takes the address from the settings file, and the focus ends
// on the check, ready for Enter.
void TstDescarga::botonDescargar()
{
    entorno->EscribirIni("[DataSource]\nRDFData=" + servidor->Url("/feed").toUtf8() + "\n");
    servidor->respuestas = Feed200(Feed(Juegos));
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    QVERIFY(QTest::qWaitForWindowActive(ventana.get()));

    // The access key presses the button after a short animation.
    QTest::keyClick(ventana.get(), Qt::Key_D, Qt::AltModifier);

    QTRY_COMPARE(Pantalla(), Descargado);
    QCOMPARE(QApplication::focusWidget(), ventana->findChild<QPushButton *>("cmdComprobar"));
}

QTEST_MAIN(TstDescarga)
#include "tst_descarga.moc"
