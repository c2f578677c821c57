#pragma once

#include <QByteArray>
#include <QtPlugin>

#include <chrono>
#include <optional>

class QUrl;

// A download over http or https. It is done by a module of its own, loaded on
// the first download (see CargadorXml), so that starting the program does not
// load Qt Network and the libraries it brings in.
class DescargaHttp
{
public:
    // What one download may take at most.
    struct Limites
    {
        qint64 bytes;
        int redirecciones;
        std::chrono::milliseconds tiempo;
    };

    virtual ~DescargaHttp() = default;

    // The body of the answer at `url`, waited for in a local event loop.
    // Nothing when the fetch fails, the answer is an error or empty, or it
    // goes past a limit.
    virtual std::optional<QByteArray> Descargar(const QUrl &url, const Limites &limites) const = 0;
};

#define DescargaHttp_iid "org.trebolero.DescargaHttp/1"
Q_DECLARE_INTERFACE(DescargaHttp, DescargaHttp_iid)
