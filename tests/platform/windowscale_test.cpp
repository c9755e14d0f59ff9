#include <gtest/gtest.h>
#include <cmath>

#include "windowscale.h"

TEST(WindowScale, DesktopFactorRoundsDownToAWholeNumberOfAtLeastOne)
{
    EXPECT_EQ(wholeScale(1.0), 1);
    EXPECT_EQ(wholeScale(1.25), 1);
    EXPECT_EQ(wholeScale(1.5), 1);
    EXPECT_EQ(wholeScale(2.0), 2);
    EXPECT_EQ(wholeScale(191.99999999 / 96), 2);  // arithmetic noise under a whole number
    EXPECT_EQ(wholeScale(1.99), 1);
    EXPECT_EQ(wholeScale(2.75), 2);
    EXPECT_EQ(wholeScale(3.0), 3);
    EXPECT_EQ(wholeScale(0.5), 1);
    EXPECT_EQ(wholeScale(0.0), 1);
    EXPECT_EQ(wholeScale(std::nan("")), 1);
}

TEST(WindowScale, LoweredUntilTheFramedWindowFits)
{
    // 3840 x 2160 at 200 % shows at 2; 1920 x 1080 at 200 % and at 150 % at 1.
    EXPECT_EQ(windowScale(2.0, {3840, 2160}), 2);
    EXPECT_EQ(windowScale(2.0, {1920, 1080}), 1);
    EXPECT_EQ(windowScale(1.5, {1920, 1080}), 1);
    EXPECT_EQ(windowScale(1.0, {800, 600}), 1);
    EXPECT_EQ(windowScale(1.0, {640, 480}), 1);  // never below 1: the display check refuses it
    EXPECT_EQ(windowScale(3.0, {3840, 2160}), 3);
    EXPECT_EQ(windowScale(3.0, {2560, 1600}), 2);  // 3 is too high, 2 fits
    EXPECT_EQ(windowScale(2.0, {3840, 1200}), 1);  // a panel leaves too little height

    // Exactly fitting counts; one pixel short does not, in either direction.
    const QSize window(792, 572);
    const QMargins frame(8, 60, 8, 8);
    EXPECT_EQ(fittingScale(2, {1600, 1212}, window, frame), 2);
    EXPECT_EQ(fittingScale(2, {1599, 1212}, window, frame), 1);
    EXPECT_EQ(fittingScale(2, {1600, 1211}, window, frame), 1);
    EXPECT_EQ(fittingScale(4, {3200, 2400}, window, {}), 4);
    EXPECT_EQ(fittingScale(0, {10, 10}, window, frame), 1);
}
