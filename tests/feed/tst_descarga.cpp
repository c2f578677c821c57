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

// A server on 127.0.0.1 answers the paths it knows once a request's head is
// in, and never answers any other: /1 to /5 redirect each to the next, then /f
// serves the row's answer, followed by `inundacion` over and over while the
// client reads, up to `TopeInundacion` bytes in all.
class TstDescarga : public QObject
{
    Q_OBJECT

    static constexpr qint64 TopeInundacion = 64 << 20;

    QTcpServer servidor;
    QMap<QByteArray, QByteArray> respuestas;
    QByteArray inundacion;
    qint64 enviados = 0;
    QTemporaryDir carpeta;

    void Atender(QTcpSocket *conexion)
    {
        const QByteArray cabeza = conexion->peek(1 << 16);
        const QByteArray ruta = cabeza.split(' ').value(1);
        if (!cabeza.contains("\r\n\r\n") || !respuestas.contains(ruta))
            return;
        conexion->readAll();
        enviados = conexion->write(respuestas[ruta]);
        Seguir(conexion);
        connect(conexion, &QTcpSocket::bytesWritten, conexion, [=, this] { Seguir(conexion); });
    }

    void Seguir(QTcpSocket *conexion)
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
            connect(conexion, &QTcpSocket::readyRead, conexion, [=, this] { Atender(conexion); });
            connect(conexion, &QTcpSocket::disconnected, conexion, &QObject::deleteLater);
        });
        for (char i = '0'; i < '6'; ++i)
            respuestas["/" + QByteArray(1, i)] = "HTTP/1.1 302 Found\r\nLocation: /"
                + (i < '5' ? QByteArray(1, i + 1) : "f") + "\r\n\r\n";
        respuestas["/a-archivo"] = "HTTP/1.1 302 Found\r\nLocation: file:///etc/hostname\r\n\r\n";
        respuestas["/404"] = "HTTP/1.1 404 No\r\n\r\n" + Feed(Item());
        QFile archivo(carpeta.filePath("sorteos.rdf"));
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(Feed(Item())) > 0);
    }

    // The draws and the date read from a path on the server or a file in the
    // folder given to the loader, empty when the load fails; an endless answer
    // is given up long before the server would stop.
    void descargar_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QByteArray>("respuesta");
        QTest::addColumn<QByteArray>("repetido");
        QTest::addColumn<QString>("esperado");
        const auto fila
            = [](const char *nombre, const QString &direccion, const QByteArray &respuesta,
                 const QString &esperado, const QByteArray &repetido = {}) {
                  QTest::newRow(nombre) << direccion << respuesta << repetido << esperado;
              };
        const auto cuerpo
            = [&](const char *nombre, const QByteArray &datos, const QString &esperado = {}) {
                  fila(nombre, "/f", Ok + "\r\n" + datos, esperado);
              };
        const QByteArray juegos = Feed(Item("x", {}, "La Primitiva") + Item("y", {}, "Euromillón")
                                       + Item("") + Item("5 &amp;&#x41;&lt;"));
        const QString deJuegos = Sorteo + ' ' + Sorteo + "5 &A<";
        cuerpo("feed con otros juegos", juegos, deJuegos);
        fila("cinco redirecciones", "/1", Ok + "\r\n" + juegos, deJuegos);
        fila("archivo junto a la configuración", "sorteos.rdf", {}, Sorteo + "d");
        fila("seis redirecciones", "/0", Ok + "\r\n" + juegos, {});
        fila("redirección a un archivo", "/a-archivo", {}, {});
        fila("estado de error", "/404", {}, {});
        fila("servidor que no contesta", "/mudo", {}, {});
        fila("comprimido", "/f",
             Ok + "Content-Encoding: deflate\r\n\r\n" + qCompress(Feed(Item())).sliced(4),
             Sorteo + "d");
        fila("cuerpo troceado sin fin", "/f", Ok + "Transfer-Encoding: chunked\r\n\r\n", {},
             "10000\r\n" + QByteArray(0x10000, ' ') + "\r\n");
        fila("línea de cabecera sin fin", "/f", Ok + "X-Grande: ", {}, QByteArray(0x10000, 'a'));
        fila("cabeceras sin fin", "/f", Ok, {}, QByteArray("X-A: a\r\n").repeated(8192));

        cuerpo("ISO-8859-1", Feed(Item("\xe1"), "ISO-8859-1"), Sorteo + "á");
        cuerpo("DOCTYPE sin declaraciones",
               Feed(Item(), "UTF-8", "<!DOCTYPE rdf:RDF SYSTEM '[x]'>"), Sorteo + "d");
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
        QByteArray declarados;
        for (int i = 0; i < 10000; ++i)
            declarados += " a" + QByteArray::number(i) + " CDATA 'x'";
        cuerpo("mal formado", juegos.chopped(3));
        cuerpo("entidades",
               "<!DOCTYPE r [<!ENTITY e '" + QByteArray(4000, 'x') + "'>]><r>"
                   + Item(QByteArray("&e;").repeated(4000)) + "</r>");
        cuerpo("atributos declarados",
               Feed(QByteArray("<item/>").repeated(1000), "UTF-8",
                    "<!DOCTYPE rdf:RDF [<!ATTLIST item" + declarados + ">]>"));
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
        QFETCH(QByteArray, repetido);
        inundacion = repetido;
        const QString url = QString("http://127.0.0.1:%1").arg(servidor.serverPort()) + direccion;
        CargadorXml cargador(std::chrono::seconds(1));
        QString leido;
        if (cargador.Cargar(direccion.startsWith('/') ? url : direccion, carpeta.path())) {
            const SorteoDelFeed sorteo = LeerSorteoDelFeed(cargador.ElementoDocumento());
            leido = sorteo.combinaciones.join(' ') + sorteo.fecha.value_or("");
        }
        QCOMPARE(leido, esperado);
        QCOMPARE_LT(enviados, TopeInundacion);
    }
};

QTEST_GUILESS_MAIN(TstDescarga)
#include "tst_descarga.moc"
