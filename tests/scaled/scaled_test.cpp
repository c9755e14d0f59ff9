#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "imagebox.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "pictures.h"
#include "roundedshape.h"
#include "simplelabel.h"
#include "tform1.h"
#include "tform4.h"

namespace {

// A widget painted at the given device pixel ratio over a colour no picture
// uses, so transparent parts show.
QImage paintedAt(QWidget& widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0x12, 0x34, 0x56));
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Empty when every pixel of `small` is a solid 2 x 2 block of its colour in
// `large`; otherwise where the first one is not.
QString firstBrokenBlock(const QImage& large, const QImage& small)
{
    if (large.size() != small.size() * 2)
        return QStringLiteral("size %1 x %2 against %3 x %4")
            .arg(large.width())
            .arg(large.height())
            .arg(small.width())
            .arg(small.height());
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                if (large.pixel(2 * x + d.x(), 2 * y + d.y()) != small.pixel(x, y))
                    return QStringLiteral("pixel (%1, %2)").arg(x).arg(y);
    return {};
}

// The rectangle of pixels darker than mid grey.
QRect inkBounds(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

const ScreenInfo goodScreen{24, 1024, 768};

}  // namespace

TEST(Scaled, ScreenIsCheckedOnDevicePixels)
{
    // The offscreen screen has 800 x 800 device pixels; at scale 2 Qt sees
    // 400 x 400, which alone would be refused as smaller than 800 x 600.
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->devicePixelRatio(), 2.0);
    ASSERT_EQ(screen->size(), QSize(400, 400));
    const ScreenInfo info = primaryScreenInfo();
    EXPECT_EQ(info.width, 800);
    EXPECT_EQ(info.height, 800);
    EXPECT_TRUE(displayProblems(info).isEmpty());
}

TEST(Scaled, EveryPicturePixelIsATwoByTwoBlock)
{
    TForm1 form([](int32_t) { return 0; }, goodScreen);
    form.show();
    TForm4 about(aboutPicture());
    PictureButton face;
    face.setFaces(form.buttonFaces());
    face.resize(150, 40);

    // The picture controls before a game and during one: the field with its
    // underline and letters typed, the keyboard with a lit key.
    const auto check = [](const char* name, QWidget* widget) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(widget->isWindow() || widget->isVisibleTo(widget->window())) << name << " is hidden";
        const QImage large = paintedAt(*widget, 2);
        const QImage small = paintedAt(*widget, 1);
        EXPECT_EQ(firstBrokenBlock(large, small).toStdString(), "");
    };
    check("Image8 (background)", form.Image8);
    check("Image1 (lamp)", form.Image1);
    check("Image4 (plaque)", form.Image4);
    check("Shape1", form.Shape1);
    check("button face", &face);
    check("About picture", about.Image1());

    QTest::keyClick(form.client, Qt::Key_1);
    QTest::keyClick(form.client, Qt::Key_G);  // П, the first letter: typed, the underline moves on
    ASSERT_EQ(form.game().state().CurrentPos, 2);
    check("PaintBox1 (field)", form.PaintBox1);
    check("PaintBox2 (keyboard)", form.PaintBox2);
    // The field at 2x is the off-screen picture itself, block by block.
    const QImage field = form.typingField().image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(firstBrokenBlock(paintedAt(*form.PaintBox1, 2), field).toStdString(), "");
    EXPECT_EQ(firstBrokenBlock(paintedAt(*form.PaintBox2, 2), form.keyboardTemplate().image()).toStdString(), "");
}

TEST(Scaled, TextIsTwiceAsLarge)
{
    // Text is drawn again at the larger size (not enlarged blocks): its ink
    // is twice as wide and high, give or take a pixel of the font's hinting.
    TForm1 form([](int32_t) { return 0; }, goodScreen);
    form.show();
    for (SimpleLabel* label : {form.Label5, form.Label1}) {
        SCOPED_TRACE(label->objectName().toStdString());
        const QRect small = inkBounds(paintedAt(*label, 1));
        const QRect large = inkBounds(paintedAt(*label, 2));
        ASSERT_FALSE(small.isEmpty());
        EXPECT_NEAR(large.width(), 2 * small.width(), 3);
        EXPECT_NEAR(large.height(), 2 * small.height(), 3);
        EXPECT_NEAR(large.left(), 2 * small.left(), 3);
        EXPECT_NEAR(large.top(), 2 * small.top(), 3);
    }
}
