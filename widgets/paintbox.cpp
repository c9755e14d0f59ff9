#include "paintbox.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent)
    : QWidget(parent)
{
}

void PaintBox::setSource(const QImage* image)
{
    source_ = image;
    update();
}

void PaintBox::paintEvent(QPaintEvent* event)
{
    if (!source_ || source_->isNull())
        return;
    // Only the damaged part is copied: the typing field repaints single
    // letters many times a second.
    const QRect area = event->rect() & source_->rect();
    if (area.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(area.topLeft(), *source_, area);
}
