#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include <pulse/mainloop-api.h>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

// One PulseAudio playback stream kept for the program's life (PipeWire's
// pulse server serves it too). The stream runs on libpulse's own thread; the
// caller only drops one byte into a pipe, so start(), play() and silence()
// never wait for the server, never take a lock the sound thread may hold,
// and print nothing.
//
// A cue replaces whatever is still queued: the server's queue is flushed and
// the cue's samples written in its place. The stream asks for a 20 ms buffer,
// so the first sample is played within one server period. Once a cue has
// played out the stream is corked: an idle trainer costs the server nothing
// and the sound thread sleeps. When the server goes away, the next cue
// connects afresh and is played as soon as the new stream is ready. Without
// a server, connection attempts are made at most twice a second: a cue in
// between waits for the next attempt.
class PulseOutput {
public:
    // A cue's samples: signed 16-bit, mono, at `sampleRate`. The memory
    // must outlive the output.
    struct Samples {
        const char* data = nullptr;
        std::size_t bytes = 0;
    };

    PulseOutput(int sampleRate, std::vector<Samples> cues);
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // Starts the sound thread and connects to the server, returning at once:
    // libpulse is opened and its thread started by a short-lived thread of
    // their own. Later calls do nothing; play() and silence() call it when
    // it has not yet run. Without libpulse the cues stay silent.
    void start();
    // Plays cue number `index`, cutting off the one playing.
    void play(std::size_t index);
    // Drops whatever is queued and corks the stream.
    void silence();

    // For tests: how many play()/silence() requests the sound thread has
    // taken up, and how many streams it has seen become ready.
    int handledRequests() const { return handled_.load(); }
    int readyStreams() const { return readyStreams_.load(); }

    // The buffer the stream asks the server for.
    static constexpr int kTargetLatencyMs = 20;

private:
    static constexpr std::uint8_t kSilence = 0xFF;

    void send(std::uint8_t request);
    void startLoop();
    // The rest runs on the sound thread with its lock held.
    static void onRequest(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onPlayedOut(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);
    static void onRetry(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);
    void take(std::uint8_t request);
    void connect();
    void makeStream();
    void dropConnection();
    void write(std::size_t index);
    void cork(bool on);

    const int sampleRate_;
    const std::vector<Samples> cues_;
    std::atomic<bool> started_ = false;
    int pipe_[2] = {-1, -1};
    std::thread starter_;
    // Set by the starter thread before the sound thread starts; read by the
    // destructor after joining it.
    pa_threaded_mainloop* loop_ = nullptr;
    pa_mainloop_api* api_ = nullptr;
    pa_io_event* requests_ = nullptr;
    pa_time_event* playedOut_ = nullptr;
    pa_time_event* retry_ = nullptr;
    // When the last connection attempt was made (µs of the wall clock).
    std::uint64_t lastAttempt_ = 0;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool corked_ = true;
    // The cue asked for while the stream was not ready; -1 for none.
    int pending_ = -1;
    std::atomic<int> handled_ = 0;
    std::atomic<int> readyStreams_ = 0;
};
