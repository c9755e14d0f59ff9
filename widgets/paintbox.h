#pragma once

#include <QString>
#include <QWidget>

class AfterPaint;
class QImage;

// A paint box that shows an off-screen picture owned elsewhere: each paint
// copies the picture at (0, 0). Whoever draws into the picture calls update()
// on the box afterwards. The picture must outlive the box, or be replaced by
// setSource(nullptr) before it goes.
class PaintBox : public QWidget {
    Q_OBJECT

public:
    explicit PaintBox(QWidget* parent = nullptr);

    void setSource(const QImage* image);
    const QImage* source() const { return source_; }

    // What the picture says in words, for assistive technology: its text
    // (read through the accessible text interface), the caret's place in it
    // (-1: none) and a short description. Whoever draws the picture keeps
    // them current; changes are announced only while assistive technology
    // listens, so they cost next to nothing otherwise, and then once the
    // window has painted, so that they never hold up its pixels.
    void setSpokenText(const QString& text, int caret = -1);
    QString spokenText() const { return spokenText_; }
    int spokenCaret() const { return spokenCaret_; }
    void setSpokenDescription(const QString& description);
    QString spokenDescription() const { return spokenDescription_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Tells assistive technology what changed since it was last told.
    void tell();

    const QImage* source_ = nullptr;
    QString spokenText_;
    int spokenCaret_ = -1;
    QString spokenDescription_;
    QString toldText_;
    int toldCaret_ = -1;
    QString toldDescription_;
    AfterPaint* teller_;
};
