#include "ready_picture.h"

#include <QResource>

#include <cstdint>
#include <cstring>

namespace rurozovizera::ui {

QImage readyPicture(const QString& source, QSize size) {
    // One word of the format Qt holds the picture in as a pixmap, then the
    // pixels: see assets/stretch_picture.cpp.
    const QResource ready(
        QStringLiteral("%1.%2x%3.pixels").arg(source).arg(size.width()).arg(size.height()));
    std::uint32_t format = 0;
    const qint64 bytes = 4LL * size.width() * size.height();
    if (!ready.isValid() || ready.compressionAlgorithm() != QResource::NoCompression ||
        ready.size() != qint64{sizeof format} + bytes)
        return {};
    std::memcpy(&format, ready.data(), sizeof format);
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    const uchar* pixels = ready.data() + sizeof format;
    // The program's own copy of the pixels serves as the image's, read-only,
    // where it lies on a word boundary as the image's rows must.
    if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(std::uint32_t) == 0)
        return QImage(pixels, size.width(), size.height(), 4 * size.width(),
                      static_cast<QImage::Format>(format));
    QImage image(size, static_cast<QImage::Format>(format));
    std::memcpy(image.bits(), pixels, static_cast<std::size_t>(bytes));
    return image;
}

} // namespace rurozovizera::ui
