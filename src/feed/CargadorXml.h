#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QString>

#include <chrono>

// Fetches an XML document and parses it, synchronously. The address is an
// http or https URL, a file: URL or a local path; a relative path names a file
// in the settings file's folder. Each loader holds the one document it loaded.
//
// A network load waits in a local event loop until the answer is in or the
// time-out has passed. A hostile or broken source can make the load fail,
// never hang it past the time-out nor exhaust memory.
class CargadorXml
{
public:
    // The largest answer or file accepted, in bytes.
    static constexpr qint64 TamanoMaximo = 4 * 1024 * 1024;
    // Redirects followed at most in one load.
    static constexpr int RedireccionesMaximas = 5;

    // Fetches and parses the document at `direccion`. False when the
    // address is unusable, the fetch fails or the document is not
    // well-formed; the document is then empty.
    bool Cargar(const QString &direccion);

    // Parses `datos` as the loaded document, with the same bounds on its
    // size and structure. False when it is not well-formed or beyond the
    // bounds; the document is then empty.
    bool CargarDatos(const QByteArray &datos);

    // The root element of the loaded document (null before a load).
    QDomElement ElementoDocumento() const { return documento.documentElement(); }

    // The longest a network load may take as a whole before it counts as
    // failed; 15 seconds unless changed (tests shorten it).
    static void FijarTiempoMaximo(std::chrono::milliseconds tiempo);

private:
    QDomDocument documento;
};
