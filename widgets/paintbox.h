#pragma once

#include <QWidget>

class QImage;

// A paint box that shows an off-screen picture owned elsewhere: each paint
// copies the picture at (0, 0). Whoever draws into the picture calls update()
// on the box afterwards. The picture must outlive the box, or be replaced by
// setSource(nullptr) before it goes.
class PaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit PaintBox(QWidget* parent = nullptr);

    void setSource(const QImage* image);
    const QImage* source() const { return source_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* source_ = nullptr;
};
