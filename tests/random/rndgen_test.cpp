#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "rndgen.h"

namespace {

// Seed figures and counter readings chosen by the test.
struct FakeSystem {
    SeedFigures figures{0x12345678, 0x0BADF00D, 0xFFFFFFFF, 45000.25};
    double secondDateTime = 45000.75;  // the time read again at the end of seeding
    int seedCalls = 0;
    int64_t counter = 1000;

    SeedSource seedSource()
    {
        return [this] {
            SeedFigures result = figures;
            if (seedCalls++ > 0)
                result.dateTime = secondDateTime;
            return result;
        };
    }
    PerformanceCounter performanceCounter()
    {
        return [this] { return counter += 7; };
    }
};

class FakeSources : public EventSources {
public:
    int installs = 0;
    int removals = 0;
    bool failRemoval = false;
    std::function<void()> onInstall;

    void install() override
    {
        ++installs;
        if (onInstall)
            onInstall();
    }
    void remove() override
    {
        ++removals;
        if (failRemoval)
            throw std::runtime_error("cannot remove");
    }
};

bool isPermutation(const std::array<uint8_t, 256>& pool)
{
    std::array<bool, 256> seen{};
    for (uint8_t value : pool) {
        if (seen[value])
            return false;
        seen[value] = true;
    }
    return true;
}

bool sameState(const RNDGen& a, const RNDGen& b)
{
    return a.pool() == b.pool() && a.poolIndex() == b.poolIndex() && a.poolSum() == b.poolSum()
           && a.outSum() == b.outSum() && a.lastInput() == b.lastInput() && a.lastOutput() == b.lastOutput();
}

class RNDGenTest : public testing::Test {
protected:
    FakeSystem system;
    RNDGen gen{system.seedSource(), system.performanceCounter()};
    FakeSystem twinSystem;
    RNDGen twin{twinSystem.seedSource(), twinSystem.performanceCounter()};
};

TEST_F(RNDGenTest, StartsFromTheComplementPermutation)
{
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(gen.pool()[static_cast<size_t>(x)], 255 - x);
    EXPECT_EQ(gen.poolIndex(), 1);
    EXPECT_EQ(gen.poolSum(), 3);
    EXPECT_EQ(gen.outSum(), 5);
    EXPECT_EQ(gen.lastInput(), 7);
    EXPECT_EQ(gen.lastOutput(), 11);
    EXPECT_FALSE(gen.busy());
    EXPECT_EQ(gen.useCount(), 0);
}

// Two steps worked out by hand from the initial state.
TEST_F(RNDGenTest, MixByteKnownAnswers)
{
    // Step 1, b = 3: PoolSum = 3 + P[1] = 1, PoolIndex = 2; t = P[11] = 244;
    // P[11] = P[1] = 254, P[1] = P[7] = 248, P[7] = P[2] = 253, P[2] = 244;
    // OutSum = 5 + P[244] = 16; u = P[(248 + 244) mod 256 = 236] = 19;
    // v = P[P[(253 + 254 + 239) mod 256 = 234]] = P[21] = 234;
    // output 3 ^ 19 ^ 234 = 250.
    gen.MixByte(3);
    EXPECT_EQ(gen.poolSum(), 1);
    EXPECT_EQ(gen.poolIndex(), 2);
    EXPECT_EQ(gen.pool()[1], 248);
    EXPECT_EQ(gen.pool()[2], 244);
    EXPECT_EQ(gen.pool()[7], 253);
    EXPECT_EQ(gen.pool()[11], 254);
    EXPECT_EQ(gen.outSum(), 16);
    EXPECT_EQ(gen.lastOutput(), 250);
    EXPECT_EQ(gen.lastInput(), 3);

    // Step 2, b = 0, where LastInput (3) equals the new PoolIndex (3):
    // PoolSum = 1 + P[2] = 245; t = P[250] = 5; P[250] = P[245] = 10;
    // P[245] = P[3] = 252; P[3] = P[3]; then P[3] = t = 5 (the later write
    // wins). OutSum = 16 + P[5] = 10; u = P[(252 + 5) mod 256 = 1] = 248;
    // v = P[P[(5 + 10 + 245) mod 256 = 4]] = P[251] = 4; output 0 ^ 248 ^ 4.
    gen.MixByte(0);
    EXPECT_EQ(gen.poolSum(), 245);
    EXPECT_EQ(gen.poolIndex(), 3);
    EXPECT_EQ(gen.pool()[250], 10);
    EXPECT_EQ(gen.pool()[245], 252);
    EXPECT_EQ(gen.pool()[3], 5);
    EXPECT_EQ(gen.outSum(), 10);
    EXPECT_EQ(gen.lastOutput(), 252);
    EXPECT_EQ(gen.lastInput(), 0);
    EXPECT_TRUE(isPermutation(gen.pool()));
}

TEST_F(RNDGenTest, PoolStaysAPermutationOverMillionsOfSteps)
{
    std::mt19937 bytes(7);
    for (int state = 0; state < 40; ++state) {
        RNDGen local{system.seedSource(), system.performanceCounter()};
        // Reach a different state each time, then keep mixing.
        for (int i = 0; i <= state * 37; ++i)
            local.MixByte(static_cast<uint8_t>(bytes()));
        for (int block = 0; block < 100; ++block) {
            for (int i = 0; i < 1000; ++i)
                local.MixByte(static_cast<uint8_t>(block % 2 == 0 ? bytes() : local.lastInput()));
            ASSERT_TRUE(isPermutation(local.pool())) << "state " << state << " block " << block;
        }
    }
}

TEST_F(RNDGenTest, FeedWordMixesTheLowestByteFirst)
{
    gen.FeedWord(0x11223344);
    for (uint8_t b : {0x44, 0x33, 0x22, 0x11})
        twin.MixByte(b);
    EXPECT_TRUE(sameState(gen, twin));
}

TEST_F(RNDGenTest, ReadBytesAndRandomAreLittleEndianOutput)
{
    std::array<uint8_t, 4> bytes{};
    gen.ReadBytes(bytes.data(), bytes.size());
    EXPECT_FALSE(gen.busy());
    uint32_t raw = 0;
    for (int i = 0; i < 4; ++i) {
        twin.MixByte(0);
        EXPECT_EQ(bytes[static_cast<size_t>(i)], twin.lastOutput());
        raw |= static_cast<uint32_t>(twin.lastOutput()) << (8 * i);
    }

    const int32_t masked = static_cast<int32_t>(raw & 0x7FFFFFFF);
    RNDGen third{system.seedSource(), system.performanceCounter()};
    EXPECT_EQ(third.Random(0), masked);
    RNDGen fourth{system.seedSource(), system.performanceCounter()};
    EXPECT_EQ(fourth.Random(-5), masked);
    RNDGen fifth{system.seedSource(), system.performanceCounter()};
    EXPECT_EQ(fifth.Random(1000), masked % 1000);
}

TEST_F(RNDGenTest, RandomStaysInRangeAndIsNeverNegative)
{
    gen.SeedPool();
    std::array<int, 5> counts{};
    for (int i = 0; i < 20000; ++i) {
        EXPECT_EQ(gen.Random(1), 0);
        const int32_t five = gen.Random(5);
        ASSERT_GE(five, 0);
        ASSERT_LT(five, 5);
        ++counts[static_cast<size_t>(five)];
        ASSERT_GE(gen.Random(0), 0);
        ASSERT_GE(gen.Random(std::numeric_limits<int32_t>::min()), 0);
    }
    for (int count : counts)
        EXPECT_GT(count, 3500) << "every word and message is reachable";
}

TEST_F(RNDGenTest, SeedPoolIsDeterministicForFixedFigures)
{
    gen.SeedPool();
    twin.SeedPool();
    EXPECT_TRUE(sameState(gen, twin));
    EXPECT_EQ(system.seedCalls, 2) << "the time is read again at the end";

    // The same by hand: reset, 256 descending steps, the three memory figures,
    // whole days, time of day (0.25 and, read again, 0.75 of 2147483647,
    // rounded to the nearest).
    RNDGen manual{twinSystem.seedSource(), twinSystem.performanceCounter()};
    for (int x = 255; x >= 0; --x)
        manual.MixByte(static_cast<uint8_t>(x));
    for (uint32_t word : {0x12345678u, 0x0BADF00Du, 0xFFFFFFFFu, 45000u, 536870912u, 1610612735u})
        manual.FeedWord(word);
    EXPECT_TRUE(sameState(gen, manual)) << "the timer rounds of seeding feed nothing";
    EXPECT_FALSE(gen.busy());

    // The timer's previous reading followed the 256 rounds.
    EXPECT_EQ(gen.previousTimerReading(), system.counter);

    FakeSystem other;
    other.figures.availablePhysicalMemory ^= 1;
    RNDGen different{other.seedSource(), other.performanceCounter()};
    different.SeedPool();
    EXPECT_NE(different.pool(), gen.pool());
}

TEST_F(RNDGenTest, EventsFeedTheLowByteDifference)
{
    gen.keyboardEvent(0x1FF);
    twin.MixByte(static_cast<uint8_t>(0xFF - 0));  // the previous reading was 0
    gen.mouseEvent(0x300);
    twin.MixByte(0x00);
    gen.timerEvent(0x205);
    twin.MixByte(0x05);
    gen.keyboardEvent(0x305);  // 0x05 - 0xFF wraps to 0x06
    twin.MixByte(0x06);
    EXPECT_TRUE(sameState(gen, twin));
    EXPECT_EQ(gen.previousKeyboardReading(), 0x305);
    EXPECT_EQ(gen.previousMouseReading(), 0x300);
    EXPECT_EQ(gen.previousTimerReading(), 0x205);
}

TEST_F(RNDGenTest, StartupSeedsAndInstallsOnceAndBusyKeepsEventsOut)
{
    FakeSources sources;
    std::array<uint8_t, 256> poolAtInstall{};
    sources.onInstall = [&] {
        // Sources already firing while start-up still holds Busy.
        poolAtInstall = gen.pool();
        EXPECT_TRUE(gen.busy());
        gen.keyboardEvent(424242);
        gen.mouseEvent(434343);
        EXPECT_EQ(gen.pool(), poolAtInstall);
    };
    gen.RandomSourceStartup(sources);

    EXPECT_EQ(sources.installs, 1);
    EXPECT_TRUE(gen.sourcesInstalled());
    EXPECT_FALSE(gen.busy());
    EXPECT_EQ(gen.useCount(), -1);
    EXPECT_EQ(gen.previousKeyboardReading(), 424242) << "a kept-out event still moves its reading";
    EXPECT_EQ(gen.previousMouseReading(), 434343);
    EXPECT_EQ(gen.previousTimerReading(), system.counter - 14) << "timer, mouse, keyboard read in that order";

    twin.SeedPool();
    EXPECT_EQ(gen.pool(), twin.pool());

    const auto pool = gen.pool();
    const int seedCalls = system.seedCalls;
    gen.RandomSourceStartup(sources);
    EXPECT_EQ(gen.useCount(), -2);
    EXPECT_EQ(sources.installs, 1);
    EXPECT_EQ(system.seedCalls, seedCalls);
    EXPECT_EQ(gen.pool(), pool);
}

TEST_F(RNDGenTest, OnlyTheLastShutdownRemovesTheSources)
{
    FakeSources sources;
    gen.RandomSourceStartup(sources);
    gen.RandomSourceStartup(sources);
    gen.RandomSourceShutdown();
    EXPECT_EQ(sources.removals, 0);
    EXPECT_FALSE(gen.busy());
    gen.RandomSourceShutdown();
    EXPECT_EQ(sources.removals, 1);
    EXPECT_EQ(gen.useCount(), 0);
    EXPECT_TRUE(gen.busy()) << "nothing feeds the pool after shut-down";
    EXPECT_FALSE(gen.sourcesInstalled());

    const auto pool = gen.pool();
    gen.timerEvent(gen.previousTimerReading() + 3);
    EXPECT_EQ(gen.pool(), pool);
}

TEST_F(RNDGenTest, FailedRemovalStillForgetsTheSources)
{
    FakeSources sources;
    sources.failRemoval = true;
    gen.RandomSourceStartup(sources);
    EXPECT_THROW(gen.RandomSourceShutdown(), std::runtime_error);
    EXPECT_FALSE(gen.sourcesInstalled());
}

TEST_F(RNDGenTest, ReadingOutputClearsBusy)
{
    FakeSources sources;
    gen.RandomSourceStartup(sources);
    gen.RandomSourceShutdown();
    ASSERT_TRUE(gen.busy());
    gen.Random(5);
    EXPECT_FALSE(gen.busy());
}

TEST(SystemSeed, ReadsTheLocalDateAndTime)
{
    const SeedFigures figures = systemSeedFigures();
    // 45000 is 15 March 2023; 80000 lies far beyond any machine's clock.
    EXPECT_GT(figures.dateTime, 45000.0);
    EXPECT_LT(figures.dateTime, 80000.0);
    EXPECT_NE(figures.availablePhysicalMemory, 0u);

    RNDGen gen;  // the system's figures and steady clock
    gen.SeedPool();
    EXPECT_TRUE(isPermutation(gen.pool()));
}

}  // namespace
