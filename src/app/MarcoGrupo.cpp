#include "app/MarcoGrupo.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QStyle>

const QString ImagenMarcoGrupo
    = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

namespace {

// A number as QPixmap::load writes it into its cache keys: byte by byte in
// memory order, the low hexadecimal digit first.
template<typename Entero> QString Hexadecimal(Entero valor)
{
    static constexpr char Digitos[] = "0123456789abcdef";
    const auto *bytes = reinterpret_cast<const uchar *>(&valor);
    QString texto;
    for (std::size_t i = 0; i < sizeof valor; ++i) {
        texto += QLatin1Char(Digitos[bytes[i] & 0xf]);
        texto += QLatin1Char(Digitos[bytes[i] >> 4]);
    }
    return texto;
}

// The key under which QPixmap::load caches the pixmap of the file at `ruta`:
// the file's path, age and size, and the kind of pixmap (a plain one, 0).
QString ClaveCache(const QString &ruta)
{
    const QFileInfo info(ruta);
    return QStringLiteral("qt_pixmap") + info.absoluteFilePath()
        + Hexadecimal(uint(info.lastModified().toSecsSinceEpoch()))
        + Hexadecimal(quint64(info.size())) + Hexadecimal(uint(0));
}

} // namespace

QPixmap PrecargarMarcoGrupo()
{
    if (QApplication::style()->name() != QLatin1String("fusion"))
        return {};
    QImageReader lector(ImagenMarcoGrupo, "png");
    lector.setAutoDetectImageFormat(false);
    const QPixmap marco = QPixmap::fromImageReader(&lector);
    if (!marco.isNull())
        QPixmapCache::insert(ClaveCache(ImagenMarcoGrupo), marco);
    return marco;
}
