#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// A PulseAudio server of the test's own, with no sink but a pipe sink on the
// system clock (16-bit mono at the cues' rate). A thread drains the pipe
// into memory, so the test sees exactly what was played and when. The test
// process is pointed at it through PULSE_SERVER. Nothing of the user's
// session is touched.
class PrivatePulse {
public:
    // Whether the pulseaudio program is installed.
    static bool available();

    PrivatePulse();
    ~PrivatePulse();

    // Starts the server and waits until it takes connections; false when it
    // did not within a generous bound.
    bool start();
    // Kills the server at once, as a crash would.
    void kill();

    // The samples played so far.
    std::size_t recorded() const;
    std::vector<std::int16_t> samples(std::size_t from, std::size_t to) const;
    // Waits until `count` samples are recorded; false after `seconds`.
    bool waitForRecorded(std::size_t count, double seconds = 15) const;
    // Waits for the first sample at or after `from` with |x| >= 300 and
    // returns its index; -1 when none came within `seconds`.
    long waitForSound(std::size_t from, double seconds = 10) const;
    // The index after the last sample with |x| >= 300 in [from, to).
    std::size_t endOfSound(std::size_t from, std::size_t to) const;

    static constexpr int kRate = 22050;
    static constexpr int kLoud = 300;

private:
    void drain();

    QTemporaryDir dir_;
    QProcess server_;
    int fifo_ = -1;
    std::atomic<bool> stop_ = false;
    std::thread reader_;
    mutable std::mutex lock_;
    std::vector<std::int16_t> samples_;
};

// Polls `condition` until it holds; false after `seconds`.
template <typename Condition>
bool waitUntil(Condition condition, double seconds = 10)
{
    for (int i = 0; i < int(seconds * 200); ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}
