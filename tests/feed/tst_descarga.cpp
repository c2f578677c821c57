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
// items beside it.
static QByteArray Feed(const QByteArray &items, const QByteArray &codificacion = "UTF-8")
{
    return "<?xml version='1.0' encoding='" + codificacion + "'?><rdf:RDF><channel>" + Item()
        + "</channel>" + items + "</rdf:RDF>";
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

// `feed` with a document type declaration of `resto` after its XML declaration.
static QByteArray ConTipo(const QByteArray &resto, QByteArray feed)
{
    return feed.replace("<rdf:RDF>", "<!DOCTYPE rdf:RDF " + resto + "><rdf:RDF>");
}

// An answer whose body is `datos` compressed as HTTP's "deflate" (zlib).
static QByteArray Comprimida(const QByteArray &datos)
{
    return "HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\n\r\n" + qCompress(datos).sliced(4);
}

static const QByteArray Sorteo = "03-17-22-41-50-E2-8";

// A server on 127.0.0.1 answers the paths it knows once a request's head is
// in, and never answers any other: /1 to /5 redirect each to the next, then /f
// serves the feed. On /inundar it sends `inundacion` and then `bloque` over
// and over until the client leaves or `TopeInundacion` bytes have gone.
class TstDescarga : public QObject
{
    Q_OBJECT

    static constexpr qint64 TopeInundacion = 64 << 20;

    QTcpServer servidor;
    QMap<QByteArray, QByteArray> respuestas;
    QByteArray inundacion, bloque;
    qint64 enviados = 0;
    QTemporaryDir carpeta;

    void Atender(QTcpSocket *conexion)
    {
        const QByteArray cabeza = conexion->peek(1 << 16);
        const QByteArray ruta = cabeza.split(' ').value(1);
        if (!cabeza.contains("\r\n\r\n"))
            return;
        conexion->readAll();
        if (ruta == "/inundar") {
            connect(conexion, &QTcpSocket::bytesWritten, conexion, [this, conexion] {
                while (conexion->bytesToWrite() < (1 << 20) && enviados < TopeInundacion)
                    enviados += conexion->write(bloque);
                if (enviados >= TopeInundacion)
                    conexion->disconnectFromHost();
            });
            enviados = conexion->write(inundacion);
        } else if (respuestas.contains(ruta)) {
            conexion->write(respuestas[ruta]);
            conexion->disconnectFromHost();
        }
    }

    // The draws and the date read from `direccion`, a path on the server or a
    // file in `carpeta`; empty when the load fails.
    QString Leer(const QString &direccion)
    {
        const QString url = QString("http://127.0.0.1:%1").arg(servidor.serverPort()) + direccion;
        CargadorXml cargador(std::chrono::seconds(1));
        if (!cargador.Cargar(direccion.startsWith('/') ? url : direccion, carpeta.path()))
            return QString();
        const SorteoDelFeed sorteo = LeerSorteoDelFeed(cargador.ElementoDocumento());
        return sorteo.combinaciones.join(' ') + sorteo.fecha.value_or("");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        connect(&servidor, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *conexion = servidor.nextPendingConnection();
            connect(conexion, &QTcpSocket::readyRead, conexion,
                    [this, conexion] { Atender(conexion); });
            connect(conexion, &QTcpSocket::disconnected, conexion, &QObject::deleteLater);
        });
        for (char i = '0'; i < '6'; ++i)
            respuestas["/" + QByteArray(1, i)] = "HTTP/1.1 302 Found\r\nLocation: /"
                + (i < '5' ? QByteArray(1, i + 1) : "f") + "\r\n\r\n";
        respuestas["/a-archivo"] = "HTTP/1.1 302 Found\r\nLocation: file:///etc/hostname\r\n\r\n";
        respuestas["/404"] = "HTTP/1.1 404 No\r\n\r\n" + Feed(Item());
    }

    void descargar_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QByteArray>("respuesta");
        QTest::addColumn<QString>("esperado");
        const auto fila = [](const char *nombre, const QString &direccion,
                             const QByteArray &respuesta, const QString &esperado) {
            QTest::newRow(nombre) << direccion << respuesta << esperado;
        };
        const auto cuerpo
            = [&](const char *nombre, const QByteArray &datos, const QString &esperado = {}) {
                  fila(nombre, "/f", "HTTP/1.1 200 OK\r\n\r\n" + datos, esperado);
              };
        const QByteArray juegos = Feed(Item("x", {}, "La Primitiva") + Item("y", {}, "Euromillón")
                                       + Item("") + Item("5 &amp;&#x41;&lt;"));
        const QString deJuegos = Sorteo + ' ' + Sorteo + "5 &A<";
        cuerpo("feed con otros juegos", juegos, deJuegos);
        fila("cinco redirecciones", "/1", "HTTP/1.1 200 OK\r\n\r\n" + juegos, deJuegos);
        fila("archivo junto a la configuración", "sorteos.rdf", {}, Sorteo + "d");
        fila("seis redirecciones", "/0", "HTTP/1.1 200 OK\r\n\r\n" + juegos, {});
        fila("redirección a un archivo", "/a-archivo", {}, {});
        fila("estado de error", "/404", {}, {});
        fila("servidor que no contesta", "/mudo", {}, {});
        fila("comprimido", "/f", Comprimida(Feed(Item())), Sorteo + "d");
        fila("bomba comprimida", "/f",
             Comprimida(Feed("<!--" + QByteArray(5 << 20, ' ') + "-->" + Item())), {});
        cuerpo("ISO-8859-1", Feed(Item("\xe1"), "ISO-8859-1"), Sorteo + "á");
        cuerpo("DOCTYPE sin declaraciones", ConTipo("SYSTEM '[x]'", Feed(Item())), Sorteo + "d");
        const QByteArray larga(1001, 'x');
        cuerpo("fecha de 1000 caracteres", Feed(Item(larga.chopped(1))), Sorteo + larga.chopped(1));
        cuerpo("fecha de 1001 caracteres", Feed(Item() + Item(larga)), Sorteo + ' ' + Sorteo + "d");
        cuerpo("asunto de 1001 caracteres", Feed(Item("d", {}, "Euromillon", larga)), "d");

        // Markup-like bytes where no tag is, and elements that close.
        const QByteArray iguales(65, '=');
        const QByteArray engano = "<!--" + iguales + "--><![CDATA[" + iguales + "]]><?pi " + iguales
            + "?>" + QByteArray("<x></x><y/>").repeated(300);
        cuerpo("marcado que engaña", Feed(engano + ConAtributos(64, "=", "=\"")), Sorteo + "d");

        // Undeclared UTF-16, where the two bytes of ✢ read as quotes.
        const QString utf16 = QString::fromUtf8(
            Feed(Item("d", " x='✢'") + ConAtributos(64)).replace(" encoding='UTF-8'", ""));
        QByteArray atributosDeclarados;
        for (int i = 0; i < 10000; ++i)
            atributosDeclarados += " a" + QByteArray::number(i) + " CDATA 'x'";
        cuerpo("mal formado", juegos.chopped(3));
        cuerpo("entidades",
               "<!DOCTYPE r [<!ENTITY e '" + QByteArray(4000, 'x') + "'>]><r>"
                   + Item(QByteArray("&e;").repeated(4000)) + "</r>");
        cuerpo("atributos declarados",
               ConTipo("[<!ATTLIST item" + atributosDeclarados + ">]",
                       Feed(QByteArray("<item/>").repeated(1000))));
        cuerpo("65 atributos", Feed(ConAtributos(65, "=", ">")));
        cuerpo("UTF-7", Feed(ConAtributos(65, "+AD0-"), "UTF-7"));
        cuerpo("UTF-16 sin declarar",
               QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(utf16));
        cuerpo("380000 atributos", Feed(ConAtributos(380000)));
        cuerpo("más de 4 MiB", Feed("<!--" + QByteArray(4 << 20, ' ') + "-->" + Item()));
        cuerpo("257 niveles",
               Feed(QByteArray("<a>").repeated(257) + QByteArray("</a>").repeated(257)));
        cuerpo("20000 nodos", Feed(QByteArray("<a/>").repeated(20000)));
    }

    void descargar()
    {
        QFETCH(QString, direccion);
        QFETCH(QByteArray, respuesta);
        QFETCH(QString, esperado);
        respuestas["/f"] = respuesta;
        QFile archivo(carpeta.filePath("sorteos.rdf"));
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(Feed(Item())) > 0);
        archivo.close();
        QCOMPARE(Leer(direccion), esperado);
    }

    // Whatever the server keeps sending, the load fails, and it stops reading
    // long before the server would have stopped.
    void inundar_data()
    {
        QTest::addColumn<QByteArray>("cabeza");
        QTest::addColumn<QByteArray>("repetido");
        QTest::newRow("cuerpo troceado sin fin")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
            << "10000\r\n" + QByteArray(0x10000, ' ') + "\r\n";
        QTest::newRow("línea de cabecera sin fin")
            << QByteArray("HTTP/1.1 200 OK\r\nX-Grande: ") << QByteArray(0x10000, 'a');
        QTest::newRow("cabeceras sin fin")
            << QByteArray("HTTP/1.1 200 OK\r\n") << QByteArray("X-A: a\r\n").repeated(8192);
    }

    void inundar()
    {
        QFETCH(QByteArray, cabeza);
        QFETCH(QByteArray, repetido);
        inundacion = cabeza;
        bloque = repetido;
        QCOMPARE(Leer("/inundar"), QString());
        QCOMPARE_LT(enviados, TopeInundacion);
    }
};

QTEST_GUILESS_MAIN(TstDescarga)
#include "tst_descarga.moc"
