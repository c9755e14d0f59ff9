#pragma once

#include <QColor>
#include <QWidget>

// A rounded rectangle filling the widget, in a given colour and outlined in
// black one pixel wide. The corner ellipse is a quarter of the shorter side
// unless set.
class RoundedShape : public QWidget {
    Q_OBJECT

public:
    explicit RoundedShape(QWidget* parent = nullptr);

    // White by default.
    void setColor(const QColor& color);
    QColor color() const { return color_; }

    // Width and height of the corner ellipse; 0 or less: a quarter of the
    // shorter side.
    void setCornerSize(int size);
    int cornerSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = Qt::white;
    int cornerSize_ = 0;
};
