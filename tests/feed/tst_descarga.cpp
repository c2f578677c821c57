#include "feed/CargadorXml.h"
#include "support/ServidorPrueba.h"
#include "support/VentanaPrueba.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace std::chrono_literals;
using Respuestas = QMap<QString, QByteArray>;

namespace {

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
QByteArray Feed(const QByteArray &items, const QByteArray &dtd = {})
{
    return "<?xml version=\"1.0\"?>\n" + dtd
        + "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
          "xmlns=\"http://purl.org/rss/1.0/\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
          "<channel rdf:about=\"http://example.com/\"><title>Sorteos</title></channel>\n"
        + items + "</rdf:RDF>\n";
}

const QByteArray Juegos = Item("La Primitiva", "01-02-03-04-05-E0-0", "2024-05-09")
    + Item("Euromillones del viernes", "03-17-22-41-50-E2-8", "2024-05-10T21:00:00+02:00")
    + Item("Bonoloto", "06-07-08-09-10-E1-1", "2024-05-11");

// The seven boxes and the date: as the user typed them, and as downloaded.
const QString Tecleado = "1 2 3 4 5 6 7 antes";
const QString Descargado = "3 17 22 41 50 2 8 2024-05-10T21:00:00+02:00";

} // namespace

class TstDescarga : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void descargar_data();
    void descargar();
    void servidorMudo();
    void ventanaModalSigueUsable();

private:
    QString Pantalla() const;

    std::unique_ptr<ProgramaPrueba> programa;
    std::unique_ptr<ServidorPrueba> servidor;
};

void TstDescarga::initTestCase()
{
    QCoreApplication::addLibraryPath(QStringLiteral(TREBOLERO_CARPETA_MODULO));
}

void TstDescarga::init()
{
    programa = std::make_unique<ProgramaPrueba>();
    QFile archivo(programa->entorno.carpeta.filePath(QStringLiteral("sorteos.rdf")));
    QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(Feed(Juegos)) > 0);
    archivo.close();
    servidor = std::make_unique<ServidorPrueba>();
    EscribirCajas(programa->ventana, Tecleado.split(' '));
}

void TstDescarga::cleanup()
{
    programa.reset();
    servidor.reset();
    CargadorXml::FijarTiempoMaximo(15s);
}

// What the window shows (boxes 1 to 7, the date), checked against the draw it
// holds: the typed draw goes with an untouched all-zero record, a downloaded
// one with itself.
QString TstDescarga::Pantalla() const
{
    const QString textos = TextosCajas(programa->ventana);
    QStringList sorteo;
    for (int campo = 1; campo <= 7; ++campo)
        sorteo << QString::number(programa->ventana.SorteoActual().Campo(campo));
    const QString numeros = textos.section(' ', 0, 6);
    const bool tecleado = numeros == Tecleado.section(' ', 0, 6);
    if (sorteo.join(' ') != (tecleado ? "0 0 0 0 0 0 0" : numeros))
        return textos + " Sorteo: " + sorteo.join(' ');
    return textos;
}

// The address is a path on the test server, or a local one where "%1" is
// the program folder holding sorteos.rdf.
void TstDescarga::descargar_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<Respuestas>("respuestas");
    QTest::addColumn<QString>("pantalla");
    const auto fila = [](const char *nombre, const Respuestas &respuestas, const QString &pantalla,
                         const QString &direccion = "/feed") {
        QTest::newRow(nombre) << direccion << respuestas << pantalla;
    };
    const auto feed = [](const QByteArray &cuerpo) {
        return Respuestas {{"/feed", Http("200 OK", cuerpo)}};
    };

    const QByteArray Euromillon = "Euromillon";
    fila("varios juegos", feed(Feed(Juegos)), Descargado);
    fila("el último gana, sorteo y fecha de items distintos",
         feed(Feed(Juegos + Item(Euromillon, {}, "sábado")
                   + Item(Euromillon, "11-12-13-14-15-E9-1"))),
         "11 12 13 14 15 9 1 sábado");
    fila(
        "títulos parecidos",
        feed(Feed(Item("Euromillón", "03-17-22-41-50-E2-8", "a")
                  + Item("EUROMILLONES", "03-17-22-41-50-E2-8", "b") + Item("Euromillo", {}, "c"))),
        Tecleado);
    fila("fecha sin sorteo", feed(Feed(Item(Euromillon, {}, "sábado"))), "1 2 3 4 5 6 7 sábado");
    fila("404", {{"/feed", Http("404 Not Found", Feed(Juegos))}}, Tecleado);
    fila("XML mal formado", feed(Feed(Juegos).chopped(3)), Tecleado);
    fila("redirección",
         {{"/feed", Http("302 Found", {}, "Location: /otro\r\n")},
          {"/otro", Http("200 OK", Feed(Juegos))}},
         Descargado);
    fila("más de 4 MiB", feed(Feed(Juegos + "<!--" + QByteArray(4 << 20, ' ') + "-->")), Tecleado);

    QByteArray bomba = "<!DOCTYPE rdf:RDF [<!ENTITY e0 \"xxxxxxxxxx\">";
    for (char i = '1'; i <= '9'; ++i)
        bomba += "<!ENTITY e" + QByteArray(1, i) + " \""
            + ("&e" + QByteArray(1, i - 1) + ";").repeated(10) + "\">";
    fila("entidades anidadas",
         feed(Feed(Item(Euromillon, "03-17-22-41-50-E2-8", "&e9;"), bomba + "]>")), Tecleado);
    // Each reference keeps within the parser's limit; together they don't.
    fila("entidades repetidas",
         feed(Feed(Item(Euromillon, "03-17-22-41-50-E2-8", QByteArray("&a;").repeated(5000)),
                   "<!DOCTYPE rdf:RDF [<!ENTITY a \"" + QByteArray(4000, 'x') + "\">]>")),
         Tecleado);
    fila("anidamiento profundo",
         feed(Feed(
             Item(Euromillon + QByteArray("<a>").repeated(300) + QByteArray("</a>").repeated(300),
                  "03-17-22-41-50-E2-8"))),
         Tecleado);
    fila("ruta relativa", {}, Descargado, "sorteos.rdf");
    fila("URL file:", {}, Descargado, "file://%1/sorteos.rdf");
    fila("una carpeta", {}, Tecleado, "%1");
}

// No download shows a message, whatever it gets.
void TstDescarga::descargar()
{
    QFETCH(const QString, direccion);
    QFETCH(const Respuestas, respuestas);
    QFETCH(const QString, pantalla);

    servidor->respuestas = respuestas;
    programa->ventana.DescargarSorteo(
        direccion.startsWith('/')
            ? servidor->Url(direccion)
            : QString(direccion).replace("%1", programa->entorno.carpeta.path()));

    QCOMPARE(servidor->peticiones.isEmpty(), respuestas.isEmpty());
    QCOMPARE(Pantalla(), pantalla);
    QVERIFY(programa->entorno.escritorio.mensajes.isEmpty());
}

// The time-out ends a load that gets no answer. Keys pressed meanwhile do
// nothing, access keys included (a fired one would click within the wait),
// and the busy cursor goes; then the same access key works.
void TstDescarga::servidorMudo()
{
    CargadorXml::FijarTiempoMaximo(300ms);
    QVERIFY(Activar(programa->ventana));
    QLineEdit *fecha = Caja(programa->ventana, 8);
    fecha->setFocus();
    QTimer::singleShot(0, fecha, [fecha] {
        QTest::keyClick(fecha, Qt::Key_X);
        QTest::keyClick(fecha, Qt::Key_W, Qt::AltModifier);
    });

    programa->ventana.DescargarSorteo(servidor->Url(QStringLiteral("/mudo")));
    QCoreApplication::processEvents();

    QCOMPARE(servidor->peticiones, QStringList {"GET /mudo HTTP/1.1"});
    QCOMPARE(Pantalla(), Tecleado);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(programa->entorno.escritorio.direcciones.size(), 0);
    Teclear("W");
    QCOMPARE(programa->entorno.escritorio.direcciones.size(), 1);
}

// A modal window opened during the wait must stay usable, or the wait could
// never end.
void TstDescarga::ventanaModalSigueUsable()
{
    CargadorXml::FijarTiempoMaximo(1s);
    programa->ventana.show();
    QDialog dialogo(&programa->ventana);
    bool cerradoConEscape = false;
    QTimer::singleShot(0, &dialogo, [&] {
        QTimer::singleShot(0, &dialogo, [&] {
            QTest::keyClick(&dialogo, Qt::Key_Escape);
            cerradoConEscape = !dialogo.isVisible();
        });
        // Bounds the test when the key does not get through.
        QTimer::singleShot(5000, &dialogo, &QDialog::reject);
        dialogo.exec();
    });
    QVERIFY(!CargadorXml().Cargar(servidor->Url(QStringLiteral("/mudo"))));
    QVERIFY(cerradoConEscape);
}

QTEST_MAIN(TstDescarga)
#include "tst_descarga.moc"
