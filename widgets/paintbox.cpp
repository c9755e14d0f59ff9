#include "paintbox.h"

#include <QAccessible>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <utility>

PaintBox::PaintBox(QWidget* parent)
    : QWidget(parent)
{
}

void PaintBox::setSource(const QImage* image)
{
    source_ = image;
    update();
}

void PaintBox::setSpokenText(const QString& text, int caret)
{
    const int clampedCaret = qBound(-1, caret, int(text.size()));
    const bool textChanged = text != spokenText_;
    const bool caretChanged = clampedCaret != spokenCaret_;
    const QString oldText = std::exchange(spokenText_, text);
    spokenCaret_ = clampedCaret;
    if (!QAccessible::isActive())
        return;
    if (textChanged) {
        QAccessibleTextUpdateEvent event(this, 0, oldText, spokenText_);
        QAccessible::updateAccessibility(&event);
    }
    if (caretChanged && spokenCaret_ >= 0) {
        QAccessibleTextCursorEvent event(this, spokenCaret_);
        QAccessible::updateAccessibility(&event);
    }
}

void PaintBox::setSpokenDescription(const QString& description)
{
    if (description == spokenDescription_)
        return;
    spokenDescription_ = description;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
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
