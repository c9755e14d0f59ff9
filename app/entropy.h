#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "eventsources.h"

class RNDGen;

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
    explicit EntropyFeeder(RNDGen& generator);
    ~EntropyFeeder() override;

    void install() override;
    void remove() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Whether the fast timer is ticking now (for tests).
    bool timerRunning() const { return timer_.isActive(); }
    static constexpr int TickMilliseconds = 10;
    static constexpr int RestAfterMilliseconds = 5000;

private:
    void inputArrived();
    void tick();

    RNDGen& generator_;
    QTimer timer_;
    QElapsedTimer sinceInput_;
    bool installed_ = false;
};
