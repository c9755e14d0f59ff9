#pragma once

#include "bevel.h"

#include <QColor>
#include <QWidget>

// A panel filled with the button face colour and framed by two one-pixel
// bevels, raised outside and lowered inside by default, so it stands out of
// the window with a groove around its face. Children are drawn on top.
class SidePanel : public QWidget {
    Q_OBJECT

public:
    explicit SidePanel(QWidget* parent = nullptr);

    void setBevels(Bevel outer, Bevel inner);
    Bevel outerBevel() const { return outer_; }
    Bevel innerBevel() const { return inner_; }

    void setColor(const QColor& color);
    QColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel outer_ = Bevel::Raised;
    Bevel inner_ = Bevel::Lowered;
    QColor color_;
};
