// TForm8: the trainer's message box (results and victory).
#pragma once

#include <QDialog>
#include <QImage>
#include <QList>

class ImageBox;
class PictureButton;
class SimpleLabel;

// The trainer's own message box: a system icon, a centred multi-line text and
// one button "Продолжить". The window sizes itself to the widest line of the
// text (see messagesizing.h) and is never wider than 800 pixels overall.
// Closed by the button, by Enter and by the title bar's close box; Escape and
// other keys do nothing.
class TForm8 : public QDialog {
    Q_OBJECT

public:
    // Icon kinds of showMessage().
    enum IconKind { Error = 16, Question = 32, Warning = 48, Information = 64 };

    static constexpr int kClientHeight = 111;

    explicit TForm8(const QList<QImage>& buttonFaces, QWidget* parent = nullptr);

    // Shows `text` (lines may end with "\r\n") under the caption `title`
    // with the icon of `kind` (any other kind: no icon), modally; returns
    // when the dialog is closed.
    void showMessage(const QString& text, const QString& title, int kind);
    // Everything showMessage() does but showing the window.
    void prepareMessage(const QString& text, const QString& title, int kind);

    SimpleLabel* LMDSimpleLabel1() const { return label_; }
    PictureButton* LMDMMButton1() const { return button_; }
    ImageBox* Image1() const { return icon_; }
    // What a screen reader calls the icon of `kind` (empty: no icon).
    static QString iconName(int kind);
    // The kind whose icon is shown, or 0 when none is.
    int shownIconKind() const { return shownKind_; }

    // Left plus right border of the window, used by the 800-pixel limit: the
    // real frame of the window once the window system has reported it (before
    // that, the parent window's frame), unless an override (>= 0) is set.
    int frameWidth() const;
    void setFrameWidthOverride(int pixels) { frameOverride_ = pixels; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LMDMMButton1Click();

    ImageBox* icon_;
    SimpleLabel* label_;
    PictureButton* button_;
    int shownKind_ = 0;
    int frameOverride_ = -1;
};
