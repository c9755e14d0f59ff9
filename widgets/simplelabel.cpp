#include "simplelabel.h"

#include "colorref.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

namespace {

// Breaks one paragraph into lines no wider than `limit` pixels.
QStringList wrapParagraph(const QString& paragraph, const QFontMetrics& metrics, int limit)
{
    QStringList lines;
    QString current;
    const auto fits = [&](const QString& s) { return metrics.horizontalAdvance(s) <= limit; };

    const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString word : words) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (fits(joined)) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            lines.append(current);
        current.clear();
        // A word too wide for any line is broken between letters; at least
        // one letter goes on each line so the loop always advances.
        while (!fits(word)) {
            qsizetype n = 1;
            while (n < word.size() && fits(word.left(n + 1)))
                ++n;
            lines.append(word.left(n));
            word.remove(0, n);
        }
        current = word;
    }
    if (!current.isEmpty() || lines.isEmpty())
        lines.append(current);
    return lines;
}

}  // namespace

SimpleLabel::SimpleLabel(QWidget* parent) : QWidget(parent) {}

SimpleLabel::SimpleLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {}

void SimpleLabel::setText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    updateGeometry();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void SimpleLabel::setAlignment(Align align)
{
    align_ = align;
    update();
}

void SimpleLabel::setWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    updateGeometry();
    update();
}

void SimpleLabel::setStyle3D(Style3D style, int lightDepth)
{
    style3D_ = style;
    lightDepth_ = qMax(0, lightDepth);
    update();
}

void SimpleLabel::setTransparent(bool transparent)
{
    transparent_ = transparent;
    update();
}

void SimpleLabel::setTextColor(const QColor& color)
{
    textColor_ = color;
    update();
}

int SimpleLabel::margin() const
{
    return style3D_ == Style3D::None ? 0 : lightDepth_;
}

int SimpleLabel::lineWidthLimit() const
{
    return qMax(1, width() - 2 * margin());
}

QStringList SimpleLabel::lines() const
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList paragraphs = text_.split(lineBreak);
    if (!wordWrap_)
        return paragraphs;
    const QFontMetrics metrics(font());
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        lines += wrapParagraph(paragraph, metrics, lineWidthLimit());
    return lines;
}

QSize SimpleLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    const QStringList all = lines();
    for (const QString& line : all)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return {widest + 2 * margin(), int(all.size()) * metrics.height() + 2 * margin()};
}

void SimpleLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!transparent_)
        painter.fillRect(rect(), colorRef(clButtonFace));

    painter.setFont(font());
    const QFontMetrics metrics(font());
    const QStringList all = lines();
    const int lineHeight = metrics.height();
    const int blockHeight = int(all.size()) * lineHeight;
    const int m = margin();

    int top = m;
    if (blockHeight <= height() - 2 * m) {
        if (align_ == Align::Center)
            top = (height() - blockHeight) / 2;
        else if (align_ == Align::BottomCenter)
            top = height() - m - blockHeight;
    }

    // Up-left copies first, then down-right, then the text itself on top.
    QColor upLeft, downRight;
    if (style3D_ == Style3D::Sunken) {
        upLeft = colorRef(clButtonShadow);
        downRight = Qt::white;
    } else if (style3D_ == Style3D::Raised) {
        upLeft = Qt::white;
        downRight = colorRef(clButtonShadow);
    }

    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString& line = all.at(i);
        const int x = align_ == Align::Left ? m : (width() - metrics.horizontalAdvance(line)) / 2;
        const QPoint base(x, top + int(i) * lineHeight + metrics.ascent());
        if (m > 0) {
            for (int k = m; k >= 1; --k) {
                painter.setPen(upLeft);
                painter.drawText(base - QPoint(k, k), line);
                painter.setPen(downRight);
                painter.drawText(base + QPoint(k, k), line);
            }
        }
        painter.setPen(textColor_);
        painter.drawText(base, line);
    }
}

void SimpleLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}
