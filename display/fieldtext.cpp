#include "fieldtext.h"

#include <QFontMetrics>
#include <QPainter>

#include "fonts.h"

QFont fieldFont()
{
    QFont font = courierNew(40, true);
    // Pixel-exact glyphs on the 32-bit pictures, whatever the screen.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setKerning(false);
    return font;
}

void writeText(QImage& image, QPoint origin, const QString& text, const QFont& font, const QColor& colour)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPoint(origin.x(), origin.y() + QFontMetrics(font).ascent()), text);
}

void drawTransparent(QImage& target, QPoint at, const QImage& source)
{
    if (source.isNull())
        return;
    const QImage src = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    if (target.format() != QImage::Format_RGB32)
        target.convertTo(QImage::Format_RGB32);
    const QRgb transparent = src.pixel(0, src.height() - 1) & 0x00FFFFFF;
    const QRect area = target.rect().intersected(QRect(at, src.size()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(y - at.y()));
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = from[x - at.x()];
            if ((pixel & 0x00FFFFFF) != transparent)
                to[x] = pixel;
        }
    }
}
