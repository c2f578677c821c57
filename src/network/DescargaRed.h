#pragma once

#include "feed/DescargaHttp.h"

#include <QObject>

// The download module's one object: fetches with Qt Network.
class DescargaRed : public QObject, public DescargaHttp
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DescargaHttp_iid)
    Q_INTERFACES(DescargaHttp)

public:
    std::optional<QByteArray> Descargar(const QUrl &url, const Limites &limites) const override;
};
