#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>

// A small HTTP server on 127.0.0.1 that answers every GET with one RDF
// document, or, when mute, reads the request and never answers.
class ServidorFeed : public QObject
{
    Q_OBJECT

public:
    explicit ServidorFeed(QByteArray documento, bool mudo = false);

    bool Escuchar();
    quint16 Puerto() const { return servidor.serverPort(); }
    // The request lines received, such as "GET /sorteos.rdf HTTP/1.1".
    const QStringList &Peticiones() const { return peticiones; }

private:
    void Atender();

    QTcpServer servidor;
    QByteArray documento;
    bool mudo;
    QStringList peticiones;
};
