#include "pictures.h"

#include <QImageReader>
#include <QString>
#include <stdexcept>

static void initDisplayPictures()
{
    Q_INIT_RESOURCE(display_pictures);
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

} // namespace

void initDisplayResources()
{
    static const bool done = (initDisplayPictures(), true);
    (void)done;
}

QImage backgroundPicture()
{
    return loadPicture("background.png", QImage::Format_RGB32);
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
        icon.addPixmap(QPixmap::fromImage(loadPicture(qPrintable(QStringLiteral("icon-%1.png").arg(size)),
                                                      QImage::Format_ARGB32)));
    return icon;
}
