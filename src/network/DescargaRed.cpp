#include "network/DescargaRed.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {

// Qt's network replies buffer at most this much before the reader takes it.
constexpr qint64 BufferLectura = 256 * 1024;

} // namespace

std::optional<QByteArray> DescargaRed::Descargar(const QUrl &url, const Limites &limites) const
{
    QNetworkAccessManager gestor;
    QNetworkRequest peticion(url);
    peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::NoLessSafeRedirectPolicy);
    peticion.setMaximumRedirectsAllowed(limites.redirecciones);
    QNetworkReply *respuesta = gestor.get(peticion);
    respuesta->setReadBufferSize(BufferLectura);

    QByteArray datos;
    bool fallida = false;
    const auto abortar = [&] {
        fallida = true;
        respuesta->abort();
    };
    const auto leer = [&] {
        datos += respuesta->read(limites.bytes + 1 - datos.size());
        if (datos.size() > limites.bytes || respuesta->bytesAvailable() > 0)
            abortar();
    };

    QEventLoop bucle;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &bucle, abortar);
    QObject::connect(respuesta, &QNetworkReply::metaDataChanged, &bucle, [&] {
        const QVariant largo = respuesta->header(QNetworkRequest::ContentLengthHeader);
        if (largo.isValid() && largo.toLongLong() > limites.bytes)
            abortar();
    });
    QObject::connect(respuesta, &QNetworkReply::readyRead, &bucle, leer);
    QObject::connect(respuesta, &QNetworkReply::finished, &bucle, &QEventLoop::quit);

    if (!respuesta->isFinished()) {
        limite.start(limites.tiempo);
        bucle.exec();
    }
    if (!fallida && respuesta->error() == QNetworkReply::NoError)
        leer();

    // An HTTP status of 400 or more comes out as an error of the reply.
    if (fallida || respuesta->error() != QNetworkReply::NoError || datos.isEmpty())
        return std::nullopt;
    return datos;
}
