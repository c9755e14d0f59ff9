// RNDGen: the random generator that makes the exercises, fed with entropy.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "eventsources.h"
#include "seedfigures.h"

// The trainer's random source: a byte-mixing generator over a 256-byte
// permutation, seeded from memory figures and the clock and fed afterwards
// with the timing jitter of keyboard, mouse and timer events. It is no
// cipher; it only makes exercises hard to predict. Everything runs on the GUI
// thread, so Busy is a plain flag.
class RNDGen {
public:
    // The seed figures and the counter are read through these, so tests can
    // make the generator exact.
    explicit RNDGen(SeedSource seedSource = systemSeedFigures, PerformanceCounter counter = steadyClockCounter);

    // One mixing step: feeds b and leaves a new output byte in LastOutput.
    void MixByte(uint8_t b);
    // Four mixing steps with the bytes of x, lowest first.
    void FeedWord(uint32_t x);
    // n output bytes; the event sources are kept out meanwhile.
    void ReadBytes(uint8_t* buffer, std::size_t n);
    // A non-negative number: 0..n-1 for n > 0, the raw 31-bit value otherwise.
    int32_t Random(int32_t n);
    // Sets the initial state and stirs in the seed figures.
    void SeedPool();

    // The three event sources, each handed the counter reading taken when its
    // event arrived. Each feeds one byte of jitter unless Busy is set, and
    // always keeps the reading for its next event.
    void keyboardEvent(int64_t counter);
    void mouseEvent(int64_t counter);
    void timerEvent(int64_t counter);
    // A fresh reading of the performance counter.
    int64_t readCounter() const;

    // Run once when the program starts and once when it ends. Calls nest:
    // only the first start-up seeds and installs the sources, only the
    // matching last shut-down removes them. `sources` must outlive the
    // generator's live period.
    void RandomSourceStartup(EventSources& sources);
    void RandomSourceShutdown();

    // State, for tests.
    const std::array<uint8_t, 256>& pool() const { return RandomPool; }
    uint8_t poolIndex() const { return PoolIndex; }
    uint8_t poolSum() const { return PoolSum; }
    uint8_t outSum() const { return OutSum; }
    uint8_t lastInput() const { return LastInput; }
    uint8_t lastOutput() const { return LastOutput; }
    bool busy() const { return Busy; }
    int32_t useCount() const { return UseCount; }
    bool sourcesInstalled() const { return installed_; }
    int64_t previousKeyboardReading() const { return previousKeyboard_; }
    int64_t previousMouseReading() const { return previousMouse_; }
    int64_t previousTimerReading() const { return previousTimer_; }

private:
    void resetState();
    void feedJitter(int64_t& previous, int64_t counter);
    void feedTimeOfDay(double dateTime);
    void InstallSources();
    void RemoveSources();

    SeedSource seedSource_;
    PerformanceCounter counter_;
    EventSources* sources_ = nullptr;

    std::array<uint8_t, 256> RandomPool{};
    uint8_t PoolIndex = 0;
    uint8_t PoolSum = 0;
    uint8_t OutSum = 0;
    uint8_t LastInput = 0;
    uint8_t LastOutput = 0;
    bool Busy = false;
    int32_t UseCount = 0;
    bool installed_ = false;
    int64_t previousKeyboard_ = 0;
    int64_t previousMouse_ = 0;
    int64_t previousTimer_ = 0;
};
