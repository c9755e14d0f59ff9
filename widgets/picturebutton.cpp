#include "picturebutton.h"

#include "bevel.h"
#include "colorref.h"
#include "transparency.h"

#include <QAccessible>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The face of a disabled button: grey, lighter and flatter, so that it reads
// as "not now" next to the coloured, enabled faces.
QImage washedOut(const QImage& face)
{
    QImage out = face.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct PreparedFace {
    QImage face;      // white made transparent
    QImage disabled;  // the same, washed out grey
};

// Every button of the program is given the same two faces: they are prepared
// once and shared (QImage shares its pixels between copies), instead of each
// button keeping its own 96 KB of them. A face is known by its cache key,
// which no other picture ever gets, not even after this one is gone.
const PreparedFace& prepared(const QImage& face)
{
    static QHash<qint64, PreparedFace> faces;
    auto found = faces.find(face.cacheKey());
    if (found == faces.end()) {
        PreparedFace made;
        made.face = withTransparentColor(face, qRgb(255, 255, 255));
        made.disabled = washedOut(made.face);
        found = faces.insert(face.cacheKey(), made);
    }
    return *found;
}

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setFaces(const QList<QImage>& faces)
{
    faces_.clear();
    disabledFaces_.clear();
    for (const QImage& face : faces) {
        if (face.isNull())
            continue;
        const PreparedFace& ready = prepared(face);
        faces_.append(ready.face);
        disabledFaces_.append(ready.disabled);
    }
    updateGeometry();
    update();
}

void PictureButton::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    update();
}

void PictureButton::setGroupIndex(int group)
{
    group_ = group;
    if (group_ == 0)
        setPressedState(false);
    else if (pressed_)
        releaseOthersInGroup();
    update();
}

void PictureButton::setAllowAllUp(bool allow)
{
    allowAllUp_ = allow;
}

void PictureButton::setPressed(bool pressed)
{
    if (group_ == 0 || pressed == pressed_)
        return;
    if (!pressed && !allowAllUp_)
        return;
    setPressedState(pressed);
    if (pressed_)
        releaseOthersInGroup();
    update();
}

void PictureButton::click()
{
    if (!isEnabled())
        return;
    toggleByClick();
    update();
    emit clicked();
}

void PictureButton::setPressedState(bool pressed)
{
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

int PictureButton::shownFace() const
{
    return (pressed_ || isDown()) ? 1 : 0;
}

QSize PictureButton::sizeHint() const
{
    return faces_.isEmpty() ? QSize(150, 40) : faces_.first().size();
}

void PictureButton::toggleByClick()
{
    if (group_ == 0)
        return;
    if (!pressed_) {
        setPressedState(true);
        releaseOthersInGroup();
    } else if (allowAllUp_) {
        setPressedState(false);
    }
}

void PictureButton::releaseOthersInGroup()
{
    if (!parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<PictureButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (PictureButton* other : siblings) {
        if (other != this && other->group_ == group_ && other->pressed_) {
            other->setPressedState(false);
            other->update();
        }
    }
}

void PictureButton::cancelHold()
{
    if (!held_)
        return;
    held_ = false;
    mouseInside_ = false;
    update();
}

void PictureButton::paintPlainFace(QPainter& painter, bool down) const
{
    const QRect all = rect();
    painter.fillRect(all, colorRef(clButtonFace));
    if (down) {
        drawSunkenEdge(painter, all);
        return;
    }
    QRect inner = all;
    painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), 1), Qt::white);
    painter.fillRect(QRect(inner.left(), inner.top(), 1, inner.height()), Qt::white);
    painter.fillRect(QRect(inner.left(), inner.bottom(), inner.width(), 1), Qt::black);
    painter.fillRect(QRect(inner.right(), inner.top(), 1, inner.height()), Qt::black);
    inner.adjust(1, 1, -1, -1);
    drawBevel(painter, inner, Bevel::Raised);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int face = shownFace();
    const bool down = face == 1;

    const QList<QImage>& faces = isEnabled() ? faces_ : disabledFaces_;
    if (faces.isEmpty()) {
        paintPlainFace(painter, down);
    } else {
        const QImage& image = faces.at(qMin<qsizetype>(face, faces.size() - 1));
        const QPoint at((width() - image.width()) / 2, (height() - image.height()) / 2);
        painter.drawImage(at, image);
    }

    if (caption_.isEmpty())
        return;
    painter.setFont(font());
    // The caption moves one pixel down and right with the face, as if pushed.
    const QRect textRect = down ? rect().translated(1, 1) : rect();
    if (isEnabled()) {
        painter.setPen(Qt::black);
        painter.drawText(textRect, Qt::AlignCenter, caption_);
    } else {
        painter.setPen(Qt::white);
        painter.drawText(textRect.translated(1, 1), Qt::AlignCenter, caption_);
        painter.setPen(colorRef(clButtonShadow));
        painter.drawText(textRect, Qt::AlignCenter, caption_);
    }
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    held_ = true;
    mouseInside_ = true;
    update();
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!held_)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != mouseInside_) {
        mouseInside_ = inside;
        update();
    }
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !held_)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    held_ = false;
    mouseInside_ = false;
    update();
    if (inside)
        click();
}

void PictureButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        cancelHold();
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void PictureButton::hideEvent(QHideEvent* event)
{
    cancelHold();
    QWidget::hideEvent(event);
}
