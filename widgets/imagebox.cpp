#include "imagebox.h"

#include "transparency.h"

#include <QPainter>

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {}

void ImageBox::setImage(const QImage& image)
{
    image_ = image;
    rebuild();
    updateGeometry();
}

void ImageBox::setTransparent(bool transparent)
{
    if (transparent_ == transparent)
        return;
    transparent_ = transparent;
    rebuild();
}

void ImageBox::setTransparentColor(const QColor& color)
{
    transparentColor_ = color;
    rebuild();
}

QSize ImageBox::sizeHint() const
{
    return image_.isNull() ? QSize(32, 32) : image_.size();
}

void ImageBox::rebuild()
{
    if (image_.isNull() || !transparent_) {
        shown_ = image_;
    } else {
        const QRgb key = transparentColor_.isValid() ? transparentColor_.rgb() : bottomLeftColor(image_);
        shown_ = withTransparentColor(image_, key);
    }
    update();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    if (shown_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown_);
}
