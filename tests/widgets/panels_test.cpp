// The simple containers and pictures: fill bar, image box, paint box,
// rounded shape, side panel and transparent panel.
#include "colorref.h"
#include "fillbar.h"
#include "imagebox.h"
#include "paintbox.h"
#include "pixels.h"
#include "roundedshape.h"
#include "sidepanel.h"
#include "transparentpanel.h"

#include <gtest/gtest.h>

namespace {

const QColor kBack(0x12, 0x34, 0x56);
const QColor kNavy = colorRef(clHighlight);

class FillBarWidth : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(FillBarWidth, FillsThatShareOfTheInside)
{
    const auto [position, expectedWidth] = GetParam();
    FillBar bar;
    bar.resize(433, 20);
    bar.setPosition(position);
    const QImage image = renderOver(bar, kBack);
    EXPECT_EQ(countColor(image, QRect(0, 10, 433, 1), kNavy), expectedWidth);
    EXPECT_EQ(countColor(image, image.rect(), kNavy), expectedWidth * 18);
    if (expectedWidth > 0) {
        EXPECT_EQ(image.pixelColor(1, 10), kNavy);
    }
    // The lowered bevel stays visible whatever the position.
    EXPECT_EQ(image.pixelColor(0, 0), colorRef(clButtonShadow));
    EXPECT_EQ(image.pixelColor(432, 19), QColor(Qt::white));
}

// The inside is 431 pixels wide.
INSTANTIATE_TEST_SUITE_P(Positions, FillBarWidth,
                         ::testing::Values(std::pair{0, 0}, std::pair{50, 215}, std::pair{100, 431}, std::pair{-10, 0},
                                           std::pair{250, 431}));

QImage pictureOnLime()
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    for (int y = 30; y < 60; ++y)
        for (int x = 30; x < 60; ++x)
            image.setPixelColor(x, y, Qt::red);
    image.setPixelColor(0, 0, Qt::blue);  // only the bottom-left pixel decides
    return image;
}

TEST(ImageBox, TransparentLeavesOutTheBottomLeftColour)
{
    ImageBox box;
    box.resize(96, 96);
    box.setImage(pictureOnLime());
    EXPECT_EQ(renderOver(box, kBack).pixelColor(5, 5), QColor(0, 255, 0));

    box.setTransparent(true);
    const QImage image = renderOver(box, kBack);
    EXPECT_EQ(countColor(image, image.rect(), QColor(0, 255, 0)), 0);
    EXPECT_EQ(image.pixelColor(5, 90), kBack);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(countColor(image, image.rect(), Qt::red), 30 * 30);
}

TEST(ImageBox, AGivenTransparentColourReplacesTheBottomLeftOne)
{
    ImageBox box;
    box.resize(96, 96);
    box.setImage(pictureOnLime());
    box.setTransparent(true);
    box.setTransparentColor(Qt::red);
    const QImage image = renderOver(box, kBack);
    EXPECT_EQ(image.pixelColor(40, 40), kBack);
    EXPECT_EQ(image.pixelColor(5, 90), QColor(0, 255, 0));
}

TEST(ImageBox, NullImageDrawsNothing)
{
    ImageBox box;
    box.resize(40, 40);
    box.setTransparent(true);
    box.setImage(QImage());
    EXPECT_TRUE(inkBounds(renderOver(box, kBack), kBack).isNull());
}

TEST(PaintBox, CopiesTheCurrentContentOfItsSource)
{
    QImage field(60, 30, QImage::Format_RGB32);
    field.fill(Qt::white);
    PaintBox box;
    box.resize(60, 30);
    EXPECT_TRUE(inkBounds(renderOver(box, kBack), kBack).isNull());

    box.setSource(&field);
    EXPECT_EQ(countColor(renderOver(box, kBack), QRect(0, 0, 60, 30), Qt::white), 60 * 30);
    field.setPixelColor(10, 5, Qt::red);
    const QImage image = renderOver(box, kBack);
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(11, 5), QColor(Qt::white));
}

TEST(RoundedShape, FilledRoundedRectangleWithBlackOutline)
{
    RoundedShape shape;
    shape.resize(160, 544);
    shape.setColor(colorRef(clAppWorkSpace));
    EXPECT_EQ(shape.cornerSize(), 40);
    const QImage image = renderOver(shape, kBack);
    EXPECT_EQ(image.pixelColor(0, 0), kBack);
    EXPECT_EQ(image.pixelColor(159, 543), kBack);
    EXPECT_EQ(image.pixelColor(0, 272), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(159, 272), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(80, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(80, 272), colorRef(0x808080));
}

TEST(SidePanel, BevelledFaceWithChildrenOnTop)
{
    SidePanel panel;
    panel.resize(161, 544);
    RoundedShape child(&panel);
    child.setGeometry(10, 10, 50, 50);
    child.setColor(Qt::red);
    const QImage image = renderOver(panel, kBack);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));  // raised outside
    EXPECT_EQ(image.pixelColor(160, 543), colorRef(clButtonShadow));
    EXPECT_EQ(image.pixelColor(1, 1), colorRef(clButtonShadow));  // lowered inside
    EXPECT_EQ(image.pixelColor(159, 542), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 300), colorRef(clButtonFace));
    EXPECT_EQ(image.pixelColor(35, 35), QColor(Qt::red));

    panel.setBevels(Bevel::Lowered, Bevel::None);
    const QImage lowered = renderOver(panel, kBack);
    EXPECT_EQ(lowered.pixelColor(0, 0), colorRef(clButtonShadow));
    EXPECT_EQ(lowered.pixelColor(1, 1), colorRef(clButtonFace));
}

TEST(TransparentPanel, ShowsOnlyItsChildren)
{
    TransparentPanel panel;
    panel.resize(155, 202);
    RoundedShape child(&panel);
    child.setGeometry(2, 0, 150, 40);
    child.setColor(Qt::red);
    const QImage image = renderOver(panel, kBack);
    EXPECT_EQ(image.pixelColor(75, 20), QColor(Qt::red));
    EXPECT_EQ(inkBounds(image, kBack), QRect(2, 0, 150, 40));
}

}  // namespace
