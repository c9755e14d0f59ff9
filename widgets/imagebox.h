#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A picture control: shows its image at (0, 0), unscaled. When transparent,
// the pixels of one colour are left out so the parent shows through them:
// the given transparent colour, or by default the colour of the image's
// bottom-left pixel. Tooltips come from QWidget::setToolTip.
class ImageBox : public QWidget {
    Q_OBJECT

public:
    explicit ImageBox(QWidget* parent = nullptr);

    // A null image shows nothing.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    void setTransparent(bool transparent);
    bool isTransparent() const { return transparent_; }

    // An invalid colour (the default) means the bottom-left pixel's colour.
    void setTransparentColor(const QColor& color);
    QColor transparentColor() const { return transparentColor_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();

    QImage image_;
    QImage shown_;  // image_, with the transparent colour cut out when transparent
    bool transparent_ = false;
    QColor transparentColor_;
};
