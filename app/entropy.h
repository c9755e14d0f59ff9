#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "eventsources.h"

class RNDGen;

// What drives the feeder's fast tick and tells how long the pupil has been
// quiet: a QTimer and a monotonic clock in the program, a hand-driven stand-in
// in tests, so that no test depends on when a real timer happens to fire.
class TickSource {
public:
    virtual ~TickSource() = default;
    // Calls `tick` every interval from now on, until stopped.
    virtual void start(std::function<void()> tick) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int64_t nowMilliseconds() const = 0;
};

// The program's tick: a precise QTimer every 10 ms and a monotonic clock.
class TimerTickSource : public TickSource {
public:
    explicit TimerTickSource(int intervalMilliseconds);
    void start(std::function<void()> tick) override;
    void stop() override;
    bool isActive() const override { return timer_.isActive(); }
    int64_t nowMilliseconds() const override { return clock_.elapsed(); }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    std::function<void()> tick_;
};

// Feeds the random generator with the timing of every key and mouse event of
// the application and of a fast timer, all on the GUI thread. The timer ticks
// every 10 ms, the finest step a desktop timer reliably keeps, while the
// pupil is at work: it starts again with any key or mouse event and rests
// after five quiet seconds. The pool is only drawn from right after a key or
// click (a level chosen, an exercise finished), so the jitter that matters is
// all there, and an idle trainer does not wake the processor a hundred times
// a second.
class EntropyFeeder : public QObject, public EventSources {
public:
    // Without a tick source the feeder makes its own 10 ms timer.
    explicit EntropyFeeder(RNDGen& generator, std::unique_ptr<TickSource> ticks = nullptr);
    ~EntropyFeeder() override;

    void install() override;
    void remove() override;

    static constexpr int TickMilliseconds = 10;
    static constexpr int RestAfterMilliseconds = 5000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void inputArrived();
    void tick();

    RNDGen& generator_;
    std::unique_ptr<TickSource> ticks_;
    int64_t lastInput_ = 0;
    bool installed_ = false;
};
