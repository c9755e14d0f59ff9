#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

// A caption in a fixed box: one line, or word-wrapped lines, placed top-left,
// centred, or centred at the bottom of the box; optionally with a 3D effect
// (a shadow and a highlight copy of the text offset by the light depth). The
// background is transparent by default, so the label can sit on a picture.
// Line breaks ("\r\n", "\n" or "\r") in the text always start a new line.
class SimpleLabel : public QWidget {
    Q_OBJECT

public:
    // Left: lines left-aligned from the top. Center: the block centred both
    // ways, each line centred. BottomCenter: the block at the bottom, each
    // line centred. A block taller than the box starts at its top instead.
    enum class Align { Left, Center, BottomCenter };
    // Sunken: dark shadow up-left, light down-right (text pressed into the
    // surface); Raised: the reverse.
    enum class Style3D { None, Raised, Sunken };

    explicit SimpleLabel(QWidget* parent = nullptr);
    explicit SimpleLabel(const QString& text, QWidget* parent = nullptr);

    // A change of text is announced to assistive technology as a change of
    // the label's name.
    void setText(const QString& text);
    QString text() const { return text_; }

    // The control this label names, as QLabel's buddy: assistive technology
    // reads the label with it ("Набрано букв" with the count beside it).
    void setBuddy(QWidget* buddy) { buddy_ = buddy; }
    QWidget* buddy() const { return buddy_; }

    void setAlignment(Align align);
    Align alignment() const { return align_; }

    // Wrapped lines break between words; a word wider than the box is broken
    // between letters, so nothing runs out of the box sideways.
    void setWordWrap(bool wrap);
    bool wordWrap() const { return wordWrap_; }

    void setStyle3D(Style3D style, int lightDepth = 2);
    Style3D style3D() const { return style3D_; }
    int lightDepth() const { return lightDepth_; }

    // Not transparent: the box is filled with the button face colour.
    void setTransparent(bool transparent);
    bool isTransparent() const { return transparent_; }

    // Black by default.
    void setTextColor(const QColor& color);
    QColor textColor() const { return textColor_; }

    // The lines as laid out in the current box and font.
    QStringList lines() const;
    // The width available to a line: the box less the 3D offset on each side.
    int lineWidthLimit() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int margin() const;

    QString text_;
    Align align_ = Align::Left;
    bool wordWrap_ = false;
    Style3D style3D_ = Style3D::None;
    int lightDepth_ = 2;
    bool transparent_ = true;
    QColor textColor_ = Qt::black;
    QPointer<QWidget> buddy_;
};
