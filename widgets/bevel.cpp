#include "bevel.h"

#include "colorref.h"

#include <QPainter>

namespace {

// Top and left lines in `topLeft`, bottom and right lines in `bottomRight`.
QRect drawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return rect;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
    return rect.adjusted(1, 1, -1, -1);
}

}  // namespace

QRect drawBevel(QPainter& painter, const QRect& rect, Bevel bevel)
{
    const QColor light = colorRef(0xFFFFFF);
    const QColor shadow = colorRef(clButtonShadow);
    switch (bevel) {
    case Bevel::Raised: return drawEdge(painter, rect, light, shadow);
    case Bevel::Lowered: return drawEdge(painter, rect, shadow, light);
    case Bevel::None: break;
    }
    return rect;
}

QRect drawSunkenEdge(QPainter& painter, const QRect& rect)
{
    const QRect inner = drawEdge(painter, rect, colorRef(clButtonShadow), colorRef(0xFFFFFF));
    return drawEdge(painter, inner, colorRef(0x404040), colorRef(clButtonFace));
}
