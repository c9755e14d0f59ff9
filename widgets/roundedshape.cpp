#include "roundedshape.h"

#include <QImage>
#include <QPainter>

RoundedShape::RoundedShape(QWidget* parent) : QWidget(parent) {}

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
    // Drawn at scale 1 and copied, so that on a scaled screen the outline and
    // the corners grow into whole blocks like the pictures around them.
    QImage shape(size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    QPainter picture(&shape);
    picture.setRenderHint(QPainter::Antialiasing, false);
    picture.setPen(QPen(Qt::black, 0));
    picture.setBrush(color_);
    const qreal radius = cornerSize() / 2.0;
    picture.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), radius, radius);
    picture.end();
    QPainter(this).drawImage(0, 0, shape);
}
