#include "pictures.h"

#include <QImageReader>
#include <QResource>
#include <QString>
#include <stdexcept>

static void initDisplayPictures()
{
    Q_INIT_RESOURCE(display_pictures);
    Q_INIT_RESOURCE(display_background);
}

namespace {

QImage loadPicture(const char* name, QImage::Format format)
{
    initDisplayResources();
    // Every built-in picture is a PNG, which Qt reads itself. Naming the
    // format and not letting the reader guess keeps it from loading every
    // image-format plug-in (SVG, JPEG, GIF ...) just to ask each whether it
    // knows the file (half a megabyte of libraries for nothing).
    QImageReader reader(QStringLiteral(":/pictures/") + QLatin1String(name), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw std::runtime_error(std::string("built-in picture missing: ") + name);
    return picture.convertToFormat(format);
}

}  // namespace

void initDisplayResources()
{
    static const bool done = (initDisplayPictures(), true);
    (void)done;
}

QImage backgroundPicture()
{
    // Bare 32-bit pixels, uncompressed in the executable: the picture is
    // used where it lies, read-only, with nothing decoded or copied.
    constexpr int width = 617;
    constexpr int height = 497;
    initDisplayResources();
    const QResource raw(QStringLiteral(":/pictures/background.rgb32"));
    if (!raw.isValid() || raw.compressionAlgorithm() != QResource::NoCompression
        || raw.size() != qint64(width) * height * 4)
        throw std::runtime_error("built-in picture missing: background.rgb32");
    const QImage picture(raw.data(), width, height, width * 4, QImage::Format_RGB32);
    // QImage reads whole 32-bit pixels; should the data ever lie unaligned, a
    // copy is made.
    if (reinterpret_cast<quintptr>(raw.data()) % alignof(QRgb) != 0)
        return picture.copy();
    return picture;
}

QImage aboutPicture()
{
    return loadPicture("about.png", QImage::Format_RGB32);
}

QImage lettersPicture()
{
    return loadPicture("Letters.png", QImage::Format_RGB32);
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(
            loadPicture(qPrintable(QStringLiteral("icon-%1.png").arg(size)), QImage::Format_ARGB32)));
    return icon;
}
