#include "app/MarcoGrupo.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QPixmapCache>
#include <QResource>
#include <QStyle>

#include <png.h>

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

// The picture in `datos`, decoded by libpng, which Qt's own reader uses too.
// Going through QImageReader, even with the format named, would first read
// the description of every image format plugin, about 1 ms at every start.
QImage DecodificarPng(const QByteArray &datos)
{
    png_image imagen {};
    imagen.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&imagen, datos.constData(), std::size_t(datos.size())))
        return {};
    // QImage::Format_ARGB32 keeps each pixel as one 0xAARRGGBB word.
    imagen.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage resultado(int(imagen.width), int(imagen.height), QImage::Format_ARGB32);
    if (resultado.isNull()
        || !png_image_finish_read(&imagen, nullptr, resultado.bits(),
                                  png_int_32(resultado.bytesPerLine()), nullptr)) {
        png_image_free(&imagen);
        return {};
    }
    return resultado;
}

} // namespace

QPixmap PrecargarMarcoGrupo()
{
    if (QApplication::style()->name() != QLatin1String("fusion"))
        return {};
    const QPixmap marco
        = QPixmap::fromImage(DecodificarPng(QResource(ImagenMarcoGrupo).uncompressedData()));
    if (!marco.isNull())
        QPixmapCache::insert(ClaveCache(ImagenMarcoGrupo), marco);
    return marco;
}
