#include "support/ServidorPrueba.h"

#include <QTcpSocket>

ServidorPrueba::ServidorPrueba()
{
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        QTcpSocket *conexion = nextPendingConnection();
        connect(conexion, &QTcpSocket::readyRead, this, [this, conexion] {
            // Answers once the whole head is in: closing with unread bytes
            // would reset the connection under the answer.
            if (!conexion->peek(conexion->bytesAvailable()).contains("\r\n\r\n"))
                return;
            const QByteArray ruta = conexion->readAll().split(' ').value(1);
            if (respuestas.contains(ruta)) {
                conexion->write(respuestas.value(ruta));
                conexion->disconnectFromHost();
            }
        });
    });
}
