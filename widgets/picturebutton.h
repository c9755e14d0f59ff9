#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

// A push button drawn from an image list: face 0 normally, face 1 while it is
// held down or, for a toggle button, while it stays pressed. White pixels of
// the faces are transparent, so the rounded corners of a pill-shaped face show
// the parent behind them. The caption is drawn centred over the face in the
// widget's font. The button never takes the keyboard focus, so keys typed in
// the window never click it.
//
// Toggle behaviour: a button with a group index other than 0 keeps a pressed
// state. Buttons with the same parent and group index form a group in which at
// most one is pressed. If the group "allows all up", a click on the pressed
// button releases it; otherwise a click only ever presses a button.
class PictureButton : public QWidget {
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent = nullptr);

    // Face 0 is shown normally, face 1 while pressed or held down; a single
    // face serves both. Without faces a plain bevelled grey button is drawn.
    void setFaces(const QList<QImage>& faces);
    qsizetype faceCount() const { return faces_.size(); }

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    // Group 0 (the default) is a plain push button; leaving a group releases
    // the button.
    void setGroupIndex(int group);
    int groupIndex() const { return group_; }
    void setAllowAllUp(bool allow);
    bool allowAllUp() const { return allowAllUp_; }

    // The toggle state. Setting it emits nothing; pressing a button releases
    // the other buttons of its group. A plain button is never pressed, and a
    // pressed button of a group that does not allow all up cannot be released
    // by setting false (press another button of its group instead).
    bool isPressed() const { return pressed_; }
    void setPressed(bool pressed);

    // True while the mouse button is held down over the button.
    bool isDown() const { return held_ && mouseInside_; }

    // What a click does, without the mouse: toggles a group button and emits
    // clicked(). Does nothing while the button is disabled. Assistive
    // technology presses the button through this.
    void click();

    // The index of the face drawn now (0 or 1).
    int shownFace() const;

    QSize sizeHint() const override;

signals:
    // Released inside after a press inside, while enabled.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void toggleByClick();
    void releaseOthersInGroup();
    void setPressedState(bool pressed);
    void cancelHold();
    void paintPlainFace(QPainter& painter, bool down) const;

    QList<QImage> faces_;          // white made transparent
    QList<QImage> disabledFaces_;  // the same, washed out grey
    QString caption_;
    int group_ = 0;
    bool allowAllUp_ = false;
    bool pressed_ = false;
    bool held_ = false;
    bool mouseInside_ = false;
};
