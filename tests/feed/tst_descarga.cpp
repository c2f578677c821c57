#include "feed/CargadorXml.h"
#include "feed/LecturaFeed.h"
#include "support/EntornoPrueba.h"

#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

static QByteArray Item(const QByteArray &fecha = "d", const QByteArray &atributos = {},
                       const QByteArray &titulo = "Euromillon")
{
    return "<item" + atributos + "><title>" + titulo
        + "</title><dc:subject>03-17-22-41-50-E2-8</dc:subject><dc:date>" + fecha
        + "</dc:date></item>";
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

class TstDescarga : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A server on 127.0.0.1 answers the paths it knows once a request's head
    // is in, and never answers any other: /1 to /5 redirect each to the next,
    // then /f serves the feed; the settings file stands in for a local feed.
    void descargar()
    {
        EntornoPrueba entorno;
        QMap<QByteArray, QByteArray> respuestas;
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        connect(&servidor, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *conexion = servidor.nextPendingConnection();
            connect(conexion, &QTcpSocket::readyRead, conexion, [&, conexion] {
                const QByteArray ruta = conexion->peek(1 << 16).split(' ').value(1);
                if (conexion->peek(1 << 16).contains("\r\n\r\n") && respuestas.contains(ruta)) {
                    conexion->readAll();
                    conexion->write(respuestas[ruta]);
                    conexion->disconnectFromHost();
                }
            });
        });
        for (char i = '0'; i < '6'; ++i)
            respuestas["/" + QByteArray(1, i)] = "HTTP/1.1 302 Found\r\nLocation: /"
                + (i < '5' ? QByteArray(1, i + 1) : "f") + "\r\n\r\n";
        respuestas["/404"] = "HTTP/1.1 404 No\r\n\r\n" + Feed(Item());
        CargadorXml::FijarTiempoMaximo(std::chrono::seconds(1));
        // The draws and the date read from `cuerpo` at `ruta`, empty when the load fails.
        const auto leer = [&](const QByteArray &cuerpo, const QString &ruta = "/f") {
            respuestas["/f"] = "HTTP/1.1 200 OK\r\n\r\n" + cuerpo;
            CargadorXml cargador;
            const QString url = QString("http://127.0.0.1:%1").arg(servidor.serverPort()) + ruta;
            if (!cargador.Cargar(ruta.startsWith('/') ? url : ruta))
                return QString();
            const SorteoDelFeed sorteo = LeerSorteoDelFeed(cargador.ElementoDocumento());
            return sorteo.combinaciones.join(' ') + sorteo.fecha.value_or("");
        };

        const QByteArray juegos = Feed(Item("x", {}, "La Primitiva") + Item("y", {}, "Euromillón")
                                       + Item("") + Item("5 &amp;&#x41;&lt;"));
        entorno.EscribirIni(juegos);
        for (const QString ruta : {"/f", "/1", "Trebolero.ini"})
            QCOMPARE(leer(juegos, ruta), "03-17-22-41-50-E2-8 03-17-22-41-50-E2-85 &A<");
        for (const QString ruta : {"/0", "/404", "/mudo"})
            QCOMPARE(leer(juegos, ruta), QString());
        QCOMPARE(leer(Feed(Item("\xe1"), "ISO-8859-1")), "03-17-22-41-50-E2-8á");
        // Markup-like bytes where no tag is, and elements that close.
        const QByteArray iguales(65, '=');
        const QByteArray engano = "<!--" + iguales + "--><![CDATA[" + iguales + "]]><?pi " + iguales
            + "?>" + QByteArray("<x></x><y/>").repeated(300);
        QCOMPARE(leer(Feed(engano + ConAtributos(64, "=", "=\""))), "03-17-22-41-50-E2-8d");

        // Undeclared UTF-16, where the two bytes of ✢ read as quotes.
        const QString utf16 = QString::fromUtf8(
            Feed(Item("d", " x='✢'") + ConAtributos(64)).replace(" encoding='UTF-8'", ""));
        const QByteArray rechazados[]
            = {juegos.chopped(3),
               "<!DOCTYPE r [<!ENTITY e '" + QByteArray(4000, 'x') + "'>]><r>"
                   + Item(QByteArray("&e;").repeated(4000)) + "</r>",
               Feed(ConAtributos(65, "=", ">")),
               Feed(ConAtributos(65, "+AD0-"), "UTF-7"),
               QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(utf16),
               Feed(ConAtributos(380000)),
               Feed("<!--" + QByteArray(4 << 20, ' ') + "-->" + Item()),
               Feed(QByteArray("<a>").repeated(257) + QByteArray("</a>").repeated(257)),
               Feed(QByteArray("<a/>").repeated(20000))};
        for (const QByteArray &cuerpo : rechazados)
            QVERIFY2(leer(cuerpo).isEmpty(), cuerpo.left(60));
    }
};

QTEST_GUILESS_MAIN(TstDescarga)
#include "tst_descarga.moc"
