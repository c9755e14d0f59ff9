#include "fillbar.h"

#include "bevel.h"
#include "colorref.h"

#include <QAccessible>
#include <QPainter>

FillBar::FillBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FillBar::setPosition(int position)
{
    const int clamped = qBound(0, position, 100);
    if (clamped == position_)
        return;
    position_ = clamped;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, position_);
        QAccessible::updateAccessibility(&event);
    }
}

QRect FillBar::filledRect() const
{
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    return QRect(inside.topLeft(), QSize(inside.width() * position_ / 100, inside.height()));
}

void FillBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorRef(clButtonFace));
    drawBevel(painter, rect(), Bevel::Lowered);
    painter.fillRect(filledRect(), colorRef(clHighlight));
}
