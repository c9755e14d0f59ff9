#include "roundedshape.h"

#include <QPainter>

RoundedShape::RoundedShape(QWidget* parent)
    : QWidget(parent)
{
}

void RoundedShape::setColor(const QColor& color)
{
    color_ = color;
    update();
}

void RoundedShape::setCornerSize(int size)
{
    cornerSize_ = size;
    update();
}

int RoundedShape::cornerSize() const
{
    return cornerSize_ > 0 ? cornerSize_ : qMin(width(), height()) / 4;
}

void RoundedShape::paintEvent(QPaintEvent*)
{
    if (width() < 2 || height() < 2)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(color_);
    const qreal radius = cornerSize() / 2.0;
    painter.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), radius, radius);
}
