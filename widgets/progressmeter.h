#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A segmented progress meter in a sunken well: a row of equal segments across
// the box, as many of them filled as value / maximum of the whole, and a
// caption drawn centred over it in the widget's font (dark over the empty
// part, white over the filled segments so it stays readable on both).
class ProgressMeter : public QWidget {
    Q_OBJECT

public:
    explicit ProgressMeter(QWidget* parent = nullptr);

    // A negative maximum counts as 0; lowering it clamps the value. Changes
    // of value or maximum are announced to assistive technology.
    void setMaximum(int maximum);
    int maximum() const { return maximum_; }
    // Clamped to 0..maximum.
    void setValue(int value);
    int value() const { return value_; }

    // At least 1; 20 by default.
    void setSegments(int segments);
    int segments() const { return segments_; }
    // segments × value / maximum, truncated; 0 when the maximum is 0.
    int filledSegments() const;
    // Where segment `index` (0 = leftmost) is drawn.
    QRect segmentRect(int index) const;

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    // The colour of filled segments; navy by default.
    void setBarColor(const QColor& color);
    QColor barColor() const { return barColor_; }

    QSize sizeHint() const override { return {300, 38}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect segmentArea() const;
    void announceValue();

    int maximum_ = 100;
    int value_ = 0;
    int segments_ = 20;
    QString caption_;
    QColor barColor_;
};
