#include "rndgen.h"

#include <cmath>
#include <stdexcept>
#include <thread>
#include <utility>

#include "scopeguard.h"

RNDGen::RNDGen(SeedSource seedSource, PerformanceCounter counter)
    : seedSource_(std::move(seedSource)), counter_(std::move(counter))
{
    if (!seedSource_ || !counter_)
        throw std::invalid_argument("RNDGen needs a seed source and a counter");
    resetState();
}

void RNDGen::resetState()
{
    PoolIndex = 1;
    PoolSum = 3;
    OutSum = 5;
    LastInput = 7;
    LastOutput = 11;
    for (int x = 0; x < 256; ++x)
        RandomPool[static_cast<size_t>(x)] = static_cast<uint8_t>(255 - x);
}

void RNDGen::MixByte(uint8_t b)
{
    // Byte arithmetic wraps modulo 256 through the uint8_t stores.
    PoolSum = static_cast<uint8_t>(PoolSum + RandomPool[PoolIndex]);
    PoolIndex = static_cast<uint8_t>(PoolIndex + 1);

    // Rotate four entries. Some of the indexes may coincide; the writes then
    // happen in this order and the later one wins, which keeps the pool a
    // permutation.
    const uint8_t o = LastOutput;
    const uint8_t l = LastInput;
    const uint8_t t = RandomPool[o];
    RandomPool[o] = RandomPool[PoolSum];
    RandomPool[PoolSum] = RandomPool[l];
    RandomPool[l] = RandomPool[PoolIndex];
    RandomPool[PoolIndex] = t;

    OutSum = static_cast<uint8_t>(OutSum + RandomPool[t]);
    const uint8_t u = RandomPool[static_cast<uint8_t>(RandomPool[PoolSum] + RandomPool[PoolIndex])];
    const uint8_t v = RandomPool[RandomPool[static_cast<uint8_t>(RandomPool[l] + RandomPool[o] + RandomPool[OutSum])]];
    LastOutput = static_cast<uint8_t>(b ^ u ^ v);
    LastInput = b;
}

void RNDGen::FeedWord(uint32_t x)
{
    MixByte(static_cast<uint8_t>(x));
    MixByte(static_cast<uint8_t>(x >> 8));
    MixByte(static_cast<uint8_t>(x >> 16));
    MixByte(static_cast<uint8_t>(x >> 24));
}

void RNDGen::ReadBytes(uint8_t* buffer, std::size_t n)
{
    Busy = true;
    ScopeGuard clearBusy([this] { Busy = false; });
    for (std::size_t i = 0; i < n; ++i) {
        MixByte(0);
        buffer[i] = LastOutput;
    }
}

int32_t RNDGen::Random(int32_t n)
{
    std::array<uint8_t, 4> bytes{};
    ReadBytes(bytes.data(), bytes.size());
    const uint32_t raw = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8
                         | static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    const int32_t value = static_cast<int32_t>(raw & 0x7FFFFFFFu);
    return n > 0 ? value % n : value;
}

void RNDGen::feedTimeOfDay(double dateTime)
{
    // The time of day scaled to 0..2147483647, rounded half to even.
    const double fraction = dateTime - std::trunc(dateTime);
    FeedWord(static_cast<uint32_t>(static_cast<int64_t>(std::nearbyint(fraction * 2147483647.0))));
}

void RNDGen::SeedPool()
{
    resetState();
    for (int x = 255; x >= 0; --x)
        MixByte(static_cast<uint8_t>(x));

    const SeedFigures figures = seedSource_();
    FeedWord(figures.availablePhysicalMemory);
    FeedWord(figures.availablePageFile);
    FeedWord(figures.availableVirtual);
    // Whole days: the date without its time of day.
    FeedWord(static_cast<uint32_t>(static_cast<int64_t>(std::trunc(figures.dateTime))));
    feedTimeOfDay(figures.dateTime);

    {
        // 256 rounds of giving up the time slice, each followed by a timer
        // source step. Busy is held, so the steps feed nothing and only keep
        // the timer's previous reading current: the rounds are a pause that
        // lets the clock move on before the time is read again below.
        const bool wasBusy = Busy;
        Busy = true;
        ScopeGuard restoreBusy([this, wasBusy] { Busy = wasBusy; });
        for (int round = 0; round < 256; ++round) {
            std::this_thread::yield();
            timerEvent(readCounter());
        }
    }

    feedTimeOfDay(seedSource_().dateTime);
}

void RNDGen::feedJitter(int64_t& previous, int64_t counter)
{
    if (!Busy)
        MixByte(static_cast<uint8_t>(static_cast<uint8_t>(counter) - static_cast<uint8_t>(previous)));
    previous = counter;
}

void RNDGen::keyboardEvent(int64_t counter)
{
    feedJitter(previousKeyboard_, counter);
}

void RNDGen::mouseEvent(int64_t counter)
{
    feedJitter(previousMouse_, counter);
}

void RNDGen::timerEvent(int64_t counter)
{
    feedJitter(previousTimer_, counter);
}

int64_t RNDGen::readCounter() const
{
    return counter_();
}

void RNDGen::RandomSourceStartup(EventSources& sources)
{
    const int32_t before = UseCount;
    if (__builtin_sub_overflow(UseCount, 1, &UseCount))
        throw std::overflow_error("integer overflow in the start-up count");
    if (before != 0)
        return;
    installed_ = false;
    sources_ = &sources;
    Busy = true;
    SeedPool();
    previousTimer_ = readCounter();
    previousMouse_ = readCounter();
    previousKeyboard_ = readCounter();
    InstallSources();
    Busy = false;
}

void RNDGen::RandomSourceShutdown()
{
    const int32_t before = UseCount;
    if (__builtin_add_overflow(UseCount, 1, &UseCount))
        throw std::overflow_error("integer overflow in the start-up count");
    if (before != -1)
        return;
    // Busy stays set: nothing feeds the pool after shut-down.
    Busy = true;
    RemoveSources();
}

void RNDGen::InstallSources()
{
    if (installed_ || sources_ == nullptr)
        return;
    sources_->install();
    installed_ = true;
}

void RNDGen::RemoveSources()
{
    if (!installed_)
        return;
    ScopeGuard markRemoved([this] { installed_ = false; });
    sources_->remove();
}
