#include "transparency.h"

QImage withTransparentColor(const QImage& image, QRgb key)
{
    if (image.isNull())
        return {};
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgbKey = key & 0x00FFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = (line[x] & 0x00FFFFFF) == rgbKey ? 0 : (line[x] | 0xFF000000);
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QRgb bottomLeftColor(const QImage& image)
{
    if (image.isNull())
        return qRgb(255, 255, 255);
    return image.pixel(0, image.height() - 1) | 0xFF000000;
}
