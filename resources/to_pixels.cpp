// Turns a picture into the program's raw form: width and height (32 bits each, little
// endian), then ARGB32 pixels. Reading it needs no image decoder, which would cost every
// start-up a few milliseconds and most of a megabyte before the first picture shows.
// Usage: to_pixels <in.png> <out.argb>

#include <QImage>
#include <QSaveFile>
#include <QtEndian>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    const quint32 size[2] = {qToLittleEndian(quint32(image.width())),
                             qToLittleEndian(quint32(image.height()))};
    out.write(reinterpret_cast<const char*>(size), sizeof size);
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return out.commit() ? 0 : 1;
}
