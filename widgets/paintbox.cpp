#include "paintbox.h"

#include "afterpaint.h"

#include <QAccessible>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent), teller_(new AfterPaint(this, [this] { tell(); })) {}

void PaintBox::setSource(const QImage* image)
{
    source_ = image;
    update();
}

void PaintBox::setSpokenText(const QString& text, int caret)
{
    spokenText_ = text;
    spokenCaret_ = qBound(-1, caret, int(text.size()));
    if (QAccessible::isActive()) {
        teller_->request();
    } else {
        toldText_ = spokenText_;
        toldCaret_ = spokenCaret_;
    }
}

void PaintBox::setSpokenDescription(const QString& description)
{
    spokenDescription_ = description;
    if (QAccessible::isActive())
        teller_->request();
    else
        toldDescription_ = spokenDescription_;
}

void PaintBox::tell()
{
    if (spokenText_ != toldText_) {
        QAccessibleTextUpdateEvent event(this, 0, toldText_, spokenText_);
        QAccessible::updateAccessibility(&event);
    }
    if (spokenCaret_ != toldCaret_ && spokenCaret_ >= 0) {
        QAccessibleTextCursorEvent event(this, spokenCaret_);
        QAccessible::updateAccessibility(&event);
    }
    if (spokenDescription_ != toldDescription_) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    toldText_ = spokenText_;
    toldCaret_ = spokenCaret_;
    toldDescription_ = spokenDescription_;
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
