#include "sidepanel.h"

#include "colorref.h"

#include <QPainter>

SidePanel::SidePanel(QWidget* parent) : QWidget(parent), color_(colorRef(clButtonFace))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SidePanel::setBevels(Bevel outer, Bevel inner)
{
    outer_ = outer;
    inner_ = inner;
    update();
}

void SidePanel::setColor(const QColor& color)
{
    color_ = color;
    update();
}

void SidePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    const QRect inside = drawBevel(painter, rect(), outer_);
    drawBevel(painter, inside, inner_);
}
