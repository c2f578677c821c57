#include "ServidorFeed.h"

#include <QTcpSocket>

#include <memory>

ServidorFeed::ServidorFeed(QByteArray documento, bool mudo)
    : documento(std::move(documento))
    , mudo(mudo)
{
    connect(&servidor, &QTcpServer::newConnection, this, &ServidorFeed::Atender);
}

bool ServidorFeed::Escuchar()
{
    return servidor.listen(QHostAddress::LocalHost);
}

void ServidorFeed::Atender()
{
    while (QTcpSocket *conexion = servidor.nextPendingConnection()) {
        connect(conexion, &QTcpSocket::disconnected, conexion, &QObject::deleteLater);
        // The answer goes out once the whole request head is in: closing with
        // unread bytes would reset the connection under the answer.
        auto recibido = std::make_shared<QByteArray>();
        connect(conexion, &QTcpSocket::readyRead, this, [this, conexion, recibido] {
            const bool completa = recibido->contains("\r\n\r\n");
            *recibido += conexion->readAll();
            if (completa || !recibido->contains("\r\n\r\n"))
                return;
            peticiones << QString::fromLatin1(recibido->left(recibido->indexOf("\r\n")));
            if (mudo)
                return;
            conexion->write("HTTP/1.1 200 OK\r\nContent-Type: application/rdf+xml\r\n"
                            "Connection: close\r\nContent-Length: "
                            + QByteArray::number(documento.size()) + "\r\n\r\n" + documento);
            conexion->disconnectFromHost();
        });
    }
}
