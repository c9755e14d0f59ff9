#include <gtest/gtest.h>

#include <QResource>

#include "pictures.h"
#include "pixels.h"

namespace {

constexpr uint32_t lime = 0x00FF00;

TEST(Pictures, BackgroundIsPaleInsideADarkFrame)
{
    const QImage picture = backgroundPicture();
    ASSERT_EQ(picture.size(), QSize(617, 497));
    long long light = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const bool edge = x == 0 || y == 0 || x == picture.width() - 1 || y == picture.height() - 1;
            const int grey = qGray(picture.pixel(x, y));
            if (edge)
                ASSERT_LT(grey, 100) << x << "," << y;
            else
                light += grey;
        }
    EXPECT_GT(light / ((615LL) * 495), 200);  // washed out: mostly near white
}

// The background is painted from the executable's own copy: a decode or a
// copy here would cost the start time and memory it was stored raw to save.
TEST(Pictures, BackgroundIsUsedWhereItLies)
{
    const QImage picture = backgroundPicture();
    const QResource raw(QStringLiteral(":/pictures/background.rgb32"));
    EXPECT_EQ(picture.constBits(), raw.data());
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
}

// Lime marks the see-through part of the About picture: it must be exactly
// lime there (the bottom-left pixel gives the colour), and no pixel may be a
// blend of lime with the picture, which would show as a green fringe.
TEST(Pictures, AboutPictureOnCrispLime)
{
    const QImage picture = aboutPicture();
    ASSERT_EQ(picture.size(), QSize(96, 96));
    EXPECT_EQ(rgbAt(picture, 0, 95), lime);
    int limePixels = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const QRgb c = picture.pixel(x, y);
            if ((c & 0xFFFFFF) == lime) {
                ++limePixels;
                continue;
            }
            const bool limeish = qGreen(c) > 160 && qGreen(c) - qRed(c) > 90 && qGreen(c) - qBlue(c) > 90;
            ASSERT_FALSE(limeish) << x << "," << y;
        }
    EXPECT_GT(limePixels, 96 * 96 / 4);
    EXPECT_LT(limePixels, 96 * 96 * 3 / 4);
}

TEST(Pictures, IconInEverySize)
{
    const QIcon icon = programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;                      // see-through corner
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size * 7 / 8)), 255) << size;  // the book
    }
}

}  // namespace
