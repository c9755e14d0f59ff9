#include "progressmeter.h"

#include "bevel.h"
#include "colorref.h"

#include <QAccessible>
#include <QPainter>
#include <QRegion>

namespace {
// Two pixels of sunken edge, then two pixels of gap around the segments.
constexpr int kEdge = 2;
constexpr int kPadding = 2;
// Gap between neighbouring segments.
constexpr int kGap = 2;
}  // namespace

ProgressMeter::ProgressMeter(QWidget* parent) : QWidget(parent), barColor_(colorRef(clHighlight))
{
    setFocusPolicy(Qt::NoFocus);
}

void ProgressMeter::setMaximum(int maximum)
{
    const int clamped = qMax(0, maximum);
    if (clamped == maximum_)
        return;
    maximum_ = clamped;
    value_ = qBound(0, value_, maximum_);
    update();
    announceValue();
}

void ProgressMeter::setValue(int value)
{
    const int clamped = qBound(0, value, maximum_);
    if (clamped == value_)
        return;
    value_ = clamped;
    update();
    announceValue();
}

void ProgressMeter::announceValue()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}

void ProgressMeter::setSegments(int segments)
{
    segments_ = qMax(1, segments);
    update();
}

int ProgressMeter::filledSegments() const
{
    if (maximum_ <= 0)
        return 0;
    return int(qint64(segments_) * value_ / maximum_);
}

QRect ProgressMeter::segmentArea() const
{
    const int inset = kEdge + kPadding;
    return rect().adjusted(inset, inset, -inset, -inset);
}

QRect ProgressMeter::segmentRect(int index) const
{
    // The boundaries are spread evenly, so the segments differ by at most one
    // pixel in width and the row ends flush with the right padding.
    const QRect area = segmentArea();
    const qint64 span = qint64(area.width()) + kGap;
    const int left = area.left() + int(span * index / segments_);
    const int right = area.left() + int(span * (index + 1) / segments_) - kGap;  // exclusive
    return QRect(left, area.top(), qMax(0, right - left), qMax(0, area.height()));
}

void ProgressMeter::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    update();
}

void ProgressMeter::setBarColor(const QColor& color)
{
    barColor_ = color;
    update();
}

void ProgressMeter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorRef(clButtonFace));
    drawSunkenEdge(painter, rect());

    QRegion filled;
    const int count = filledSegments();
    for (int i = 0; i < count; ++i) {
        const QRect segment = segmentRect(i);
        painter.fillRect(segment, barColor_);
        filled += segment;
    }

    if (caption_.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, caption_);
    if (!filled.isEmpty()) {
        painter.setClipRegion(filled);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, caption_);
    }
}
