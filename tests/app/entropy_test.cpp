#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "entropy.h"
#include "rndgen.h"

namespace {
SeedFigures fixedSeed()
{
    return {1, 2, 3, 45000.5};
}
}  // namespace

TEST(EntropyFeeder, EveryInputEventFeedsOneByteAndWakesTheTimer)
{
    int64_t clock = 0;
    RNDGen generator(fixedSeed, [&clock] { return clock += 7; });
    EntropyFeeder feeder(generator);
    generator.RandomSourceStartup(feeder);
    EXPECT_TRUE(feeder.timerRunning());

    QWidget window;
    window.show();
    ASSERT_NE(window.windowHandle(), nullptr);
    const auto before = generator.pool();
    const int64_t keyboardBefore = generator.previousKeyboardReading();
    const uint8_t stepsBefore = generator.poolIndex();
    // Press and release each reach the window first, then the widget: one
    // mixing step each, not two.
    QTest::keyClick(window.windowHandle(), Qt::Key_A);
    EXPECT_EQ(uint8_t(generator.poolIndex() - stepsBefore), 2);
    EXPECT_NE(generator.previousKeyboardReading(), keyboardBefore);
    EXPECT_NE(generator.pool(), before);

    const int64_t mouseBefore = generator.previousMouseReading();
    QTest::mouseMove(window.windowHandle(), QPoint(5, 5));
    EXPECT_NE(generator.previousMouseReading(), mouseBefore);

    generator.RandomSourceShutdown();
    EXPECT_FALSE(feeder.timerRunning());
    // After shut-down events feed nothing.
    const auto after = generator.pool();
    QTest::keyClick(window.windowHandle(), Qt::Key_B);
    EXPECT_EQ(generator.pool(), after);
}
