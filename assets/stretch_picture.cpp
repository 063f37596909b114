// stretch-picture: stretches a picture to a size as the windows would
// stretch it when they first draw it, and writes the pixels raw.
//
//   stretch-picture PICTURE WIDTH HEIGHT OUTPUT
//
// The windows hold a picture as Qt holds a pixmap: a 32-bit RGB image, or
// for a picture with transparency (the icons) a 32-bit premultiplied ARGB
// one, stretched to its box with Qt's smooth scaling (a picture of the
// box's own size is left as it is). Done here, when the program is built,
// by the same Qt code on the same pixels, it gives the same pixels; the
// program then finds them in its resources and only copies them. The
// output is the image's rows of 32-bit pixels in the machine's byte order,
// with no header: the resource's name carries the size and the format.
#include <QImage>
#include <QString>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fputs("usage: stretch-picture PICTURE WIDTH HEIGHT OUTPUT\n", stderr);
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "stretch-picture: cannot read %s or stretch it to %sx%s\n", argv[1],
                     argv[2], argv[3]);
        return 1;
    }
    const QImage::Format format =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage stretched =
        picture.convertToFormat(format)
            .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(format);
    std::FILE* output = std::fopen(argv[4], "wb");
    const auto formatWord = static_cast<std::uint32_t>(format);
    bool written = output && std::fwrite(&formatWord, sizeof formatWord, 1, output) == 1;
    for (int y = 0; written && y < height; ++y) {
        const auto bytes = static_cast<std::size_t>(width) * 4;
        written = std::fwrite(stretched.constScanLine(y), 1, bytes, output) == bytes;
    }
    if (output && std::fclose(output) != 0)
        written = false;
    if (!written) {
        std::fprintf(stderr, "stretch-picture: cannot write %s: %s\n", argv[4],
                     std::strerror(errno));
        return 1;
    }
    return 0;
}
