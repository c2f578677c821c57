#pragma once

#include <QMap>
#include <QStringList>
#include <QTcpServer>

// An HTTP server on 127.0.0.1 started by the test: a request for a path in
// `respuestas` gets those bytes and the connection is closed; any other path
// gets no answer at all, as from a server that hangs.
class ServidorPrueba : public QTcpServer
{
public:
    ServidorPrueba();
    QString Url(const QString &ruta) const;

    QMap<QString, QByteArray> respuestas;
    // The request lines received, such as "GET /sorteos.rdf HTTP/1.1".
    QStringList peticiones;
};

// An answer whose body ends where the server closes the connection.
QByteArray Http(const QByteArray &estado, const QByteArray &cuerpo,
                const QByteArray &cabecera = {});
