#pragma once

#include <QMap>
#include <QTcpServer>

// An HTTP server on 127.0.0.1: a request for a path in `respuestas` gets
// those bytes and the connection is closed; any other path gets no answer.
class ServidorPrueba : public QTcpServer
{
public:
    ServidorPrueba();
    QMap<QByteArray, QByteArray> respuestas;
};
