#include "picturebutton.h"

#include "colorref.h"
#include "fonts.h"
#include "pixels.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kFace0(0x20, 0xA0, 0x20);
const QColor kFace1(0xA0, 0x20, 0x20);
const QColor kHost(0x12, 0x34, 0x56);
// Inside the pill, left of any caption.
const QPoint kBody(20, 20);
const QPoint kCentre(75, 20);

// A 150 × 40 pill on white, like the generated button faces.
QImage pill(const QColor& fill)
{
    QImage image(150, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRect(0, 0, 150, 40), 20, 20);
    return image;
}

class PictureButtonTest : public ::testing::Test {
protected:
    PictureButtonTest()
    {
        host.resize(400, 200);
        host.setFont(courierNew(19, true));
        a = makeButton(QPoint(0, 0));
        b = makeButton(QPoint(0, 50));
        host.show();
    }

    PictureButton* makeButton(QPoint at)
    {
        auto* button = new PictureButton(&host);
        button->setGeometry(QRect(at, QSize(150, 40)));
        button->setFaces({pill(kFace0), pill(kFace1)});
        return button;
    }

    static QColor pixel(PictureButton* button, QPoint at) { return renderOver(*button, kHost).pixelColor(at); }

    static void click(PictureButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, kCentre); }

    static void moveHeld(PictureButton* button, QPoint to)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(button->mapToGlobal(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(button, &move);
    }

    QWidget host;
    PictureButton* a = nullptr;
    PictureButton* b = nullptr;
};

// Buttons given the same faces share one prepared copy; a face changed after
// one button took it must still show changed on the next button given it.
TEST_F(PictureButtonTest, AFaceChangedInPlaceIsPreparedAfresh)
{
    QImage face = pill(kFace0);
    a->setFaces({face});
    EXPECT_EQ(pixel(a, kBody), kFace0);
    face.fill(Qt::white);
    QPainter(&face).fillRect(QRect(10, 10, 130, 20), kFace1);
    b->setFaces({face});
    EXPECT_EQ(pixel(b, kBody), kFace1);
    EXPECT_EQ(pixel(a, kBody), kFace0);
}

TEST_F(PictureButtonTest, ToggleThatMayBeAllUpFlipsOnEachClick)
{
    a->setGroupIndex(1);
    a->setAllowAllUp(true);
    QSignalSpy clicks(a, &PictureButton::clicked);

    click(a);
    EXPECT_TRUE(a->isPressed());
    EXPECT_EQ(pixel(a, kBody), kFace1);
    click(a);
    EXPECT_FALSE(a->isPressed());
    EXPECT_EQ(pixel(a, kBody), kFace0);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PictureButtonTest, SettingThePressedStateShowsItAndEmitsNothing)
{
    a->setGroupIndex(1);
    a->setAllowAllUp(true);
    QSignalSpy clicks(a, &PictureButton::clicked);

    a->setPressed(true);
    EXPECT_TRUE(a->isPressed());
    EXPECT_EQ(pixel(a, kBody), kFace1);
    a->setPressed(false);
    EXPECT_FALSE(a->isPressed());
    EXPECT_EQ(pixel(a, kBody), kFace0);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(PictureButtonTest, GroupWithoutAllUpKeepsExactlyOnePressed)
{
    for (PictureButton* button : {a, b})
        button->setGroupIndex(2);
    click(a);
    click(b);
    EXPECT_FALSE(a->isPressed());
    EXPECT_TRUE(b->isPressed());
    click(b);
    b->setPressed(false);
    EXPECT_TRUE(b->isPressed());
    a->setPressed(true);
    EXPECT_TRUE(a->isPressed());
    EXPECT_FALSE(b->isPressed());
}

TEST_F(PictureButtonTest, PlainButtonClicksButNeverStaysPressed)
{
    QSignalSpy clicks(a, &PictureButton::clicked);
    a->setPressed(true);
    click(a);
    EXPECT_FALSE(a->isPressed());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(pixel(a, kBody), kFace0);
}

TEST_F(PictureButtonTest, ShowsTheSecondFaceOnlyWhileHeldInside)
{
    QSignalSpy clicks(a, &PictureButton::clicked);
    QTest::mousePress(a, Qt::LeftButton, {}, kCentre);
    EXPECT_TRUE(a->isDown());
    EXPECT_EQ(pixel(a, kBody), kFace1);
    moveHeld(a, QPoint(200, 20));
    EXPECT_EQ(pixel(a, kBody), kFace0);
    moveHeld(a, kCentre);
    EXPECT_EQ(pixel(a, kBody), kFace1);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(a, Qt::LeftButton, {}, kCentre);
    EXPECT_EQ(pixel(a, kBody), kFace0);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(PictureButtonTest, ReleaseOutsideIsNoClick)
{
    a->setGroupIndex(1);
    a->setAllowAllUp(true);
    QSignalSpy clicks(a, &PictureButton::clicked);
    QTest::mousePress(a, Qt::LeftButton, {}, kCentre);
    moveHeld(a, QPoint(200, 20));
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(200, 20));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(a->isPressed());
}

TEST_F(PictureButtonTest, RightButtonIsNoClick)
{
    QSignalSpy clicks(a, &PictureButton::clicked);
    QTest::mouseClick(a, Qt::RightButton, {}, kCentre);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(PictureButtonTest, DisabledButtonIgnoresClicksAndLooksGreyed)
{
    a->setGroupIndex(1);
    a->setAllowAllUp(true);
    a->setCaption(QStringLiteral("Пауза"));
    const QImage enabled = renderOver(*a, kHost);
    a->setEnabled(false);
    QSignalSpy clicks(a, &PictureButton::clicked);

    click(a);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(a->isPressed());

    const QImage disabled = renderOver(*a, kHost);
    const QColor body = disabled.pixelColor(kBody);
    EXPECT_NE(body, kFace0);
    EXPECT_TRUE(body.red() == body.green() && body.green() == body.blue()) << qPrintable(body.name());
    EXPECT_GT(countColor(enabled, enabled.rect(), Qt::black), 0);
    EXPECT_EQ(countColor(disabled, disabled.rect(), Qt::black), 0);
    EXPECT_GT(countColor(disabled, disabled.rect(), colorRef(clButtonShadow)), 0);
}

TEST_F(PictureButtonTest, DisablingWhileHeldCancelsTheClick)
{
    QSignalSpy clicks(a, &PictureButton::clicked);
    QTest::mousePress(a, Qt::LeftButton, {}, kCentre);
    a->setEnabled(false);
    a->setEnabled(true);
    QTest::mouseRelease(a, Qt::LeftButton, {}, kCentre);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(pixel(a, kBody), kFace0);
}

TEST_F(PictureButtonTest, TakesNoFocusAndKeysDoNotClick)
{
    QSignalSpy clicks(a, &PictureButton::clicked);
    EXPECT_EQ(a->focusPolicy(), Qt::NoFocus);
    click(a);
    EXPECT_FALSE(a->hasFocus());
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(a, key);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(PictureButtonTest, WhiteCornersAreTransparentAndCaptionIsCentred)
{
    a->setCaption(QStringLiteral("Да"));
    const QImage image = renderOver(*a, kHost);
    EXPECT_EQ(image.pixelColor(0, 0), kHost);
    EXPECT_EQ(image.pixelColor(149, 39), kHost);
    EXPECT_EQ(image.pixelColor(kBody), kFace0);

    QImage black(image.size(), QImage::Format_RGB32);
    black.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == Qt::black)
                black.setPixelColor(x, y, Qt::black);
    const QRect ink = inkBounds(black, Qt::white);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.center().x(), 75, 2);
    EXPECT_NEAR(ink.center().y(), 20, 3);
}

TEST_F(PictureButtonTest, WithoutFacesDrawsAPlainButton)
{
    PictureButton plain(&host);
    plain.resize(139, 33);
    const QImage image = renderOver(plain, kHost);
    EXPECT_EQ(image.pixelColor(60, 16), colorRef(clButtonFace));
    EXPECT_NE(image.pixelColor(0, 0), kHost);
}

}  // namespace
