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

// The feeder's tick driven by hand: no real timer fires during a test, so
// the mixing steps counted are exactly those of the events sent.
class ManualTicks : public TickSource {
public:
    struct Shared {
        std::function<void()> tick;
        bool active = false;
        int64_t now = 0;
    };
    explicit ManualTicks(Shared& shared) : s_(shared) {}
    void start(std::function<void()> tick) override
    {
        s_.tick = std::move(tick);
        s_.active = true;
    }
    void stop() override { s_.active = false; }
    bool isActive() const override { return s_.active; }
    int64_t nowMilliseconds() const override { return s_.now; }

private:
    Shared& s_;
};

struct FeederTest : ::testing::Test {
    int64_t counter = 0;
    RNDGen generator{fixedSeed, [this] { return counter += 7; }};
    ManualTicks::Shared ticks;
    EntropyFeeder feeder{generator, std::make_unique<ManualTicks>(ticks)};
    QWidget window;

    void SetUp() override
    {
        generator.RandomSourceStartup(feeder);
        window.show();
        ASSERT_NE(window.windowHandle(), nullptr);
    }
    uint8_t stepsSince(uint8_t before) const { return uint8_t(generator.poolIndex() - before); }
    // Runs the ticks due over `ms` milliseconds of quiet, 10 ms apart.
    void runQuiet(int ms)
    {
        for (int t = 0; t < ms && ticks.active; t += EntropyFeeder::TickMilliseconds) {
            ticks.now += EntropyFeeder::TickMilliseconds;
            ticks.tick();
        }
    }
};
}  // namespace

TEST_F(FeederTest, EveryInputEventFeedsOneByte)
{
    EXPECT_TRUE(ticks.active);
    const auto before = generator.pool();
    const int64_t keyboardBefore = generator.previousKeyboardReading();
    const uint8_t stepsBefore = generator.poolIndex();
    // Press and release each reach the window first, then the widget: one
    // mixing step each, not two.
    QTest::keyClick(window.windowHandle(), Qt::Key_A);
    EXPECT_EQ(stepsSince(stepsBefore), 2);
    EXPECT_NE(generator.previousKeyboardReading(), keyboardBefore);
    EXPECT_NE(generator.pool(), before);

    const int64_t mouseBefore = generator.previousMouseReading();
    const uint8_t mouseSteps = generator.poolIndex();
    QTest::mouseMove(window.windowHandle(), QPoint(5, 5));
    EXPECT_NE(generator.previousMouseReading(), mouseBefore);
    EXPECT_EQ(stepsSince(mouseSteps), 1);

    generator.RandomSourceShutdown();
    EXPECT_FALSE(ticks.active);
    // After shut-down events feed nothing and wake nothing.
    const auto after = generator.pool();
    QTest::keyClick(window.windowHandle(), Qt::Key_B);
    EXPECT_EQ(generator.pool(), after);
    EXPECT_FALSE(ticks.active);
}

TEST_F(FeederTest, TickFeedsWhileThePupilWorksAndRestsAfterFiveQuietSeconds)
{
    const int64_t timerBefore = generator.previousTimerReading();
    const uint8_t stepsBefore = generator.poolIndex();
    ticks.now += EntropyFeeder::TickMilliseconds;
    ticks.tick();
    EXPECT_EQ(stepsSince(stepsBefore), 1);
    EXPECT_NE(generator.previousTimerReading(), timerBefore);

    // Quiet for just under five seconds: still ticking; past them: resting.
    runQuiet(EntropyFeeder::RestAfterMilliseconds - 2 * EntropyFeeder::TickMilliseconds);
    EXPECT_TRUE(ticks.active);
    runQuiet(3 * EntropyFeeder::TickMilliseconds);
    EXPECT_FALSE(ticks.active);

    // A key wakes it again, and the quiet time counts from that key.
    QTest::keyClick(window.windowHandle(), Qt::Key_A);
    EXPECT_TRUE(ticks.active);
    runQuiet(EntropyFeeder::RestAfterMilliseconds - 2 * EntropyFeeder::TickMilliseconds);
    EXPECT_TRUE(ticks.active);
}
