// stretch-picture: stretches a picture to a box's size as the windows
// would stretch it when they first draw it, and writes the pixels raw.
//
//   stretch-picture PICTURE WIDTH HEIGHT OUTPUT
//
// The windows draw a picture stretched to its box with Qt's smooth scaling
// of the picture as a 32-bit RGB image. Done here, when the program is
// built, by the same Qt code on the same pixels, it gives the same pixels;
// the program then finds them in its resources and only copies them. The
// output is the image's rows of 32-bit 0xffRRGGBB pixels in the machine's
// byte order, with no header: the resource's name carries the size.
#include <QImage>
#include <QString>

#include <cerrno>
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
    const QImage stretched =
        picture.convertToFormat(QImage::Format_RGB32)
            .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    std::FILE* output = std::fopen(argv[4], "wb");
    bool written = output != nullptr;
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
