#include "support/ServidorPrueba.h"

#include <QTcpSocket>
#include <QTest>

ServidorPrueba::ServidorPrueba()
{
    QVERIFY(listen(QHostAddress::LocalHost));
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *conexion = nextPendingConnection()) {
            // The answer goes out once the whole request head is in: closing
            // with unread bytes would reset the connection under the answer.
            connect(conexion, &QTcpSocket::readyRead, this, [this, conexion] {
                const QByteArray antes = conexion->property("leido").toByteArray();
                const QByteArray peticion = antes + conexion->readAll();
                conexion->setProperty("leido", peticion);
                if (antes.contains("\r\n\r\n") || !peticion.contains("\r\n\r\n"))
                    return;
                peticiones << QString::fromLatin1(peticion.left(peticion.indexOf("\r\n")));
                const QString ruta = peticiones.last().section(' ', 1, 1);
                if (!respuestas.contains(ruta))
                    return;
                conexion->write(respuestas.value(ruta));
                conexion->disconnectFromHost();
            });
        }
    });
}

QString ServidorPrueba::Url(const QString &ruta) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(ruta);
}

QByteArray Http(const QByteArray &estado, const QByteArray &cuerpo, const QByteArray &cabecera)
{
    return "HTTP/1.1 " + estado + "\r\nConnection: close\r\n" + cabecera + "\r\n" + cuerpo;
}
