#include "feed/CargadorXml.h"
#include "feed/LecturaFeed.h"

#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

static QByteArray Item(const QByteArray &fecha = "d", const QByteArray &atributos = {},
                       const QByteArray &titulo = "Euromillon",
                       const QByteArray &asunto = "03-17-22-41-50-E2-8")
{
    return "<item" + atributos + "><title>" + titulo + "</title><dc:subject>" + asunto
        + "</dc:subject><dc:date>" + fecha + "</dc:date></item>";
}

// An RSS 1.0 feed: the channel, holding an item that does not count, and the
// items beside it; `tipo` goes before the root element.
static QByteArray Feed(const QByteArray &items, const QByteArray &codificacion = "UTF-8",
                       const QByteArray &tipo = {})
{
    return "<?xml version='1.0' encoding='" + codificacion + "'?>" + tipo + "<rdf:RDF><channel>"
        + Item() + "</channel>" + items + "</rdf:RDF>";
}

// An item with `cuantos` attributes, each `igual` and a quoted `valor`.
static QByteArray ConAtributos(int cuantos, const QByteArray &igual = "=",
                               const QByteArray &valor = {})
{
    QByteArray atributos;
    while (cuantos--)
        atributos += " a" + QByteArray::number(cuantos) + igual + "'" + valor + "'";
    return Item("d", atributos);
}

static const QByteArray Sorteo = "03-17-22-41-50-E2-8";
static const QByteArray Ok = "HTTP/1.1 200 OK\r\n";
static const QByteArray Deflate = Ok + "Content-Encoding: deflate\r\n\r\n";
static const QByteArray Redirige = "HTTP/1.1 302 Found\r\nLocation: ";

// A server on 127.0.0.1 answers once a request's head is in: the path "/<n>"
// with n > 0 redirects to "/<n - 1>", and "/0" gets the row's answer, followed
// by `inundacion` over and over while the client reads, up to `TopeInundacion`
// bytes in all. With no answer, it never answers.
class TstDescarga : public QObject
{
    Q_OBJECT

    static constexpr qint64 TopeInundacion = 64 << 20;

    QTcpServer servidor;
    QByteArray respuesta, inundacion;
    qint64 enviados = 0;
    QTemporaryDir carpeta;

    void Atender(QTcpSocket *conexion)
    {
        const QByteArray cabeza = conexion->peek(1 << 16);
        if (!cabeza.contains("\r\n\r\n") || respuesta.isEmpty())
            return;
        conexion->readAll();
        const int saltos = cabeza.split(' ').value(1).mid(1).toInt();
        enviados = conexion->write(
            saltos ? Redirige + '/' + QByteArray::number(saltos - 1) + "\r\n\r\n" : respuesta);
        Inundar(conexion);
    }

    void Inundar(QTcpSocket *conexion)
    {
        while (!inundacion.isEmpty() && conexion->bytesToWrite() < (1 << 20)
               && enviados < TopeInundacion)
            enviados += conexion->write(inundacion);
        if (inundacion.isEmpty() || enviados >= TopeInundacion)
            conexion->disconnectFromHost();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        connect(&servidor, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *conexion = servidor.nextPendingConnection();
            connect(conexion, &QTcpSocket::readyRead, this, [=, this] { Atender(conexion); });
            connect(conexion, &QTcpSocket::bytesWritten, this, [=, this] { Inundar(conexion); });
            connect(conexion, &QTcpSocket::disconnected, conexion, &QObject::deleteLater);
        });
        QFile archivo(carpeta.filePath("sorteos.rdf"));
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(Feed(Item())) > 0);
    }

    // The draws and the date read from a path on the server or a file in the
    // folder given to the loader, empty when the load fails; an endless answer
    // is given up long before the server would stop.
    void descargar_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QByteArray>("contestacion");
        QTest::addColumn<QByteArray>("repetido");
        QTest::addColumn<QString>("esperado");
        const auto fila
            = [](const char *nombre, const QString &direccion, const QByteArray &contestacion,
                 const QString &esperado, const QByteArray &repetido = {}) {
                  QTest::newRow(nombre) << direccion << contestacion << repetido << esperado;
              };
        const auto cuerpo
            = [&](const char *nombre, const QByteArray &datos, const QString &esperado = {}) {
                  fila(nombre, "/0", Ok + "\r\n" + datos, esperado);
              };
        const QByteArray juegos = Feed(Item("x", {}, "La Primitiva") + Item("y", {}, "Euromillón")
                                       + Item("") + Item("5 &amp;&#x41;&lt;"));
        const QString deJuegos = Sorteo + ' ' + Sorteo + "5 &A<";
        fila("otros juegos tras cinco redirecciones, comprimido", "/5",
             Deflate + qCompress(juegos).sliced(4), deJuegos);
        fila("seis redirecciones", "/6", Ok + "\r\n" + juegos, {});
        fila("archivo junto a la configuración", "sorteos.rdf", {}, Sorteo + "d");
        fila("redirección a un archivo", "/0",
             Redirige + "file://" + carpeta.filePath("sorteos.rdf").toUtf8() + "\r\n\r\n", {});
        fila("redirección a datos", "/0",
             Redirige + "data:text/xml," + QUrl::toPercentEncoding(juegos) + "\r\n\r\n", {});
        fila("estado de error", "/0", "HTTP/1.1 404 No\r\n\r\n" + juegos, {});
        fila("servidor que no contesta", "/0", {}, {});
        fila("bomba comprimida de más de 4 MiB", "/0",
             Deflate
                 + qCompress(Feed("<!--" + QByteArray(4 << 20, ' ') + "-->" + Item())).sliced(4),
             {});
        fila("cuerpo troceado sin fin", "/0", Ok + "Transfer-Encoding: chunked\r\n\r\n", {},
             "10000\r\n" + QByteArray(0x10000, ' ') + "\r\n");
        fila("línea de cabecera sin fin", "/0", Ok + "X-Grande: ", {}, QByteArray(0x10000, 'a'));

        cuerpo("ISO-8859-1", Feed(Item("\xe1"), "ISO-8859-1"), Sorteo + "á");
        cuerpo("DOCTYPE sin declaraciones",
               Feed(Item(), "UTF-8", "<!DOCTYPE rdf:RDF SYSTEM '[x]'>"), Sorteo + "d");
        // A subject or date of 1001 characters is absent; a date of 1000 is read.
        const QByteArray larga(1001, 'x');
        cuerpo("asunto y fecha de 1001 caracteres",
               Feed(Item(larga.chopped(1), {}, "Euromillon", larga) + Item(larga)),
               Sorteo + larga.chopped(1));
        // Markup-like bytes where no tag is, and elements that close.
        const QByteArray iguales(65, '=');
        const QByteArray engano = "<!--" + iguales + "--><![CDATA[" + iguales + "]]><?pi " + iguales
            + "?>" + QByteArray("<x></x><y/>").repeated(300);
        cuerpo("marcado que engaña", Feed(engano + ConAtributos(64, "=", "=\"")), Sorteo + "d");
        cuerpo("mal formado", juegos.chopped(3));
        cuerpo("entidades", Feed(Item("&e;"), "UTF-8", "<!DOCTYPE rdf:RDF [<!ENTITY e 'x'>]>"));
        cuerpo("atributos declarados",
               Feed(Item(), "UTF-8", "<!DOCTYPE rdf:RDF [<!ATTLIST item a CDATA 'x'>]>"));
        cuerpo("65 atributos", Feed(ConAtributos(65, "=", ">")));
        cuerpo("UTF-7", Feed(ConAtributos(65, "+AD0-"), "UTF-7"));
        cuerpo("UTF-16 sin declarar",
               QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(
                   QString::fromUtf8(Feed(Item()).replace(" encoding='UTF-8'", ""))));
        cuerpo("257 niveles",
               Feed(QByteArray("<a>").repeated(257) + QByteArray("</a>").repeated(257)));
        cuerpo("20000 nodos", Feed(QByteArray("<a/>").repeated(20000)));
    }

    void descargar()
    {
        QFETCH(QString, direccion);
        QFETCH(QByteArray, contestacion);
        QFETCH(QByteArray, repetido);
        respuesta = contestacion;
        inundacion = repetido;
        const QString url = QString("http://127.0.0.1:%1").arg(servidor.serverPort()) + direccion;
        CargadorXml cargador(std::chrono::seconds(1));
        QFETCH(QString, esperado);
        QCOMPARE(cargador.Cargar(direccion.startsWith('/') ? url : direccion, carpeta.path()),
                 !esperado.isEmpty());
        const SorteoDelFeed sorteo = LeerSorteoDelFeed(cargador.ElementoDocumento());
        QCOMPARE(sorteo.combinaciones.join(' ') + sorteo.fecha.value_or(""), esperado);
        QCOMPARE_LT(enviados, TopeInundacion);
    }
};

QTEST_GUILESS_MAIN(TstDescarga)
#include "tst_descarga.moc"
