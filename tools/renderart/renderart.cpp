// renderart INPUT.svg OUTPUT.png|OUTPUT.rgb32 WIDTH HEIGHT [--opaque | --key RRGGBB]
//
// Renders an SVG picture to a PNG of exactly WIDTH x HEIGHT pixels, or, for
// an OUTPUT ending in .rgb32, to the bare pixels of a QImage::Format_RGB32
// picture, row after row in this machine's byte order, which the program
// uses in place without decoding anything.
//   (no option)  keeps the alpha channel (icons);
//   --opaque     puts the picture on white and writes 24-bit colour;
//   --key RRGGBB writes 24-bit colour with every uncovered pixel exactly the
//                key colour, which the program treats as see-through: each
//                pixel is either the picture's own colour (at least half
//                covered) or the key colour, so no blend of the key colour
//                fringes the outline, and no covered pixel takes the key
//                colour by accident.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int fail(const char* message, const char* detail = "")
{
    std::fprintf(stderr, "renderart: %s%s\n", message, detail);
    return 1;
}

QImage keyed(const QImage& rendered, QRgb key)
{
    const QImage straight = rendered.convertToFormat(QImage::Format_ARGB32);
    QImage out(straight.size(), QImage::Format_RGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            QRgb pixel = from[x];
            if (qAlpha(pixel) < 128) {
                to[x] = key | 0xFF000000;
                continue;
            }
            pixel |= 0xFF000000;
            if ((pixel & 0x00FFFFFF) == (key & 0x00FFFFFF))
                pixel ^= 0x00000100;  // one step off the key colour in green
            to[x] = pixel;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6 && argc != 7)
        return fail("usage: renderart INPUT.svg OUTPUT.png WIDTH HEIGHT [--opaque | --key RRGGBB]");
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool okWidth = false;
    bool okHeight = false;
    const int width = QString::fromLocal8Bit(argv[3]).toInt(&okWidth);
    const int height = QString::fromLocal8Bit(argv[4]).toInt(&okHeight);
    if (!okWidth || !okHeight || width <= 0 || height <= 0)
        return fail("bad size");
    const QString mode = argc > 5 ? QString::fromLocal8Bit(argv[5]) : QString();
    bool okKey = false;
    const QRgb key = argc > 6 ? QString::fromLocal8Bit(argv[6]).toUInt(&okKey, 16) : 0;
    if ((argc == 6 && mode != QLatin1String("--opaque")) || (argc == 7 && (mode != QLatin1String("--key") || !okKey)))
        return fail("unknown option ", argv[5]);

    QSvgRenderer renderer(input);
    if (!renderer.isValid())
        return fail("cannot read ", argv[1]);
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }

    QImage result;
    if (mode == QLatin1String("--opaque")) {
        result = QImage(width, height, QImage::Format_RGB32);
        result.fill(Qt::white);
        QPainter painter(&result);
        painter.drawImage(0, 0, picture);
        painter.end();
        result = result.convertToFormat(QImage::Format_RGB888);
    } else if (mode == QLatin1String("--key")) {
        result = keyed(picture, key).convertToFormat(QImage::Format_RGB888);
    } else {
        result = picture.convertToFormat(QImage::Format_ARGB32);
    }
    if (output.endsWith(QLatin1String(".rgb32"))) {
        result = result.convertToFormat(QImage::Format_RGB32);
        QFile file(output);
        bool written = file.open(QIODevice::WriteOnly);
        for (int y = 0; written && y < height; ++y)
            written =
                file.write(reinterpret_cast<const char*>(result.constScanLine(y)), qint64(width) * 4) == width * 4;
        if (!written || !file.flush())
            return fail("cannot write ", argv[2]);
    } else if (!result.save(output, "PNG")) {
        return fail("cannot write ", argv[2]);
    }
    return 0;
}
