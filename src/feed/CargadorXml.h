#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QString>

#include <chrono>

// Fetches an XML document and parses it, synchronously. The address is an
// http or https URL, a file: URL or a local path; a relative path names a file
// in the folder given with it. Each loader holds the one document it loaded.
//
// A network load lets the application repaint while it waits (input is the
// caller's to hold back) until the answer is in or the time-out has passed.
// A hostile or broken source can make the load fail, never hang it past the
// time-out, exhaust memory, nor leave work running after it.
class CargadorXml
{
public:
    // The largest answer or file accepted, in bytes.
    static constexpr qint64 TamanoMaximo = 4 * 1024 * 1024;
    // Redirects followed at most in one load.
    static constexpr int RedireccionesMaximas = 5;

    // `tiempoMaximo` is the longest a network load may take as a whole
    // before it counts as failed.
    explicit CargadorXml(std::chrono::milliseconds tiempoMaximo = std::chrono::seconds(15))
        : tiempoMaximo(tiempoMaximo)
    {}

    // Fetches and parses the document at `direccion`, a relative path being
    // taken from `carpeta`. False when the address is unusable, the fetch
    // fails or the document is not well-formed; the document is then empty.
    bool Cargar(const QString &direccion, const QString &carpeta);

    // Parses `datos` as the loaded document, with the same bounds on its
    // size and structure. False when it is not well-formed or beyond the
    // bounds; the document is then empty.
    bool CargarDatos(const QByteArray &datos);

    // The root element of the loaded document (null before a load).
    QDomElement ElementoDocumento() const { return documento.documentElement(); }

private:
    const std::chrono::milliseconds tiempoMaximo;
    QDomDocument documento;
};
