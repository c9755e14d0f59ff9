#pragma once

#include <QWidget>

// A lowered bevel filled from the left with the highlight colour up to a
// position in per cent.
class FillBar : public QWidget {
    Q_OBJECT

public:
    explicit FillBar(QWidget* parent = nullptr);

    // Clamped to 0..100.
    void setPosition(int position);
    int position() const { return position_; }

    // The highlighted part: the area inside the bevel, position per cent of
    // its width (truncated), from the left.
    QRect filledRect() const;

    QSize sizeHint() const override { return {200, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int position_ = 0;
};
