#include "pixels.h"

#include <QPainter>
#include <QWidget>

QImage renderOver(QWidget& widget, QColor background)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

QRect inkBounds(const QImage& image, QColor background)
{
    QRect bounds;
    const QRgb bg = background.rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != bg)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int countColor(const QImage& image, const QRect& area, QColor color)
{
    int n = 0;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (image.pixel(x, y) == color.rgb())
                ++n;
    return n;
}
