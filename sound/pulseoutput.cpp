#include "pulseoutput.h"

#include <fcntl.h>
#include <unistd.h>

#include "pulselibrary.h"

namespace {

// Only used once pulseLibrary() has been found complete.
const PulseLibrary& pulse()
{
    return *pulseLibrary();
}

// Asks the server for `connect()` before the first cue.
constexpr std::uint8_t kConnect = 0xFE;

// Time left after a cue's last sample before the stream is corked: more than
// the 20 ms buffer and the sink's own latency, so the tail is heard.
constexpr pa_usec_t kTailUsec = 250 * PA_USEC_PER_MSEC;

// The least time between two attempts to connect.
constexpr pa_usec_t kRetryUsec = 500 * PA_USEC_PER_MSEC;

void forget(pa_operation* operation)
{
    if (operation)
        pulse().pa_operation_unref(operation);
}

bool good(pa_stream* stream)
{
    return stream && PA_STREAM_IS_GOOD(pulse().pa_stream_get_state(stream));
}

// The cues' sample format: signed 16-bit mono.
pa_sample_spec cueFormat(int sampleRate)
{
    return {PA_SAMPLE_S16LE, std::uint32_t(sampleRate), 1};
}

}  // namespace

PulseOutput::PulseOutput(int sampleRate, std::vector<Samples> cues) : sampleRate_(sampleRate), cues_(std::move(cues)) {}

PulseOutput::~PulseOutput()
{
    if (starter_.joinable())
        starter_.join();
    if (loop_) {
        pulse().pa_threaded_mainloop_lock(loop_);
        dropConnection();
        api_->io_free(requests_);
        api_->time_free(playedOut_);
        api_->time_free(retry_);
        pulse().pa_threaded_mainloop_unlock(loop_);
        pulse().pa_threaded_mainloop_stop(loop_);
        pulse().pa_threaded_mainloop_free(loop_);
    }
    for (int fd : pipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

void PulseOutput::start()
{
    if (started_.exchange(true))
        return;
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    // Opening libpulse and starting its thread take a few milliseconds: a
    // thread of their own does it, and the caller goes on at once. Requests
    // sent meanwhile wait in the pipe.
    starter_ = std::thread([this] { startLoop(); });
    send(kConnect);
}

void PulseOutput::startLoop()
{
    if (!pulseLibrary())
        return;  // no libpulse: the cues stay silent
    loop_ = pulse().pa_threaded_mainloop_new();
    if (!loop_)
        return;
    pulse().pa_threaded_mainloop_set_name(loop_, "sound");
    api_ = pulse().pa_threaded_mainloop_get_api(loop_);
    requests_ = api_->io_new(api_, pipe_[0], PA_IO_EVENT_INPUT, &PulseOutput::onRequest, this);
    playedOut_ = api_->time_new(api_, nullptr, &PulseOutput::onPlayedOut, this);
    retry_ = api_->time_new(api_, nullptr, &PulseOutput::onRetry, this);
    if (pulse().pa_threaded_mainloop_start(loop_) < 0) {
        api_->io_free(requests_);
        api_->time_free(playedOut_);
        api_->time_free(retry_);
        pulse().pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

void PulseOutput::play(std::size_t index)
{
    if (index < cues_.size() && index < kConnect)
        send(std::uint8_t(index));
}

void PulseOutput::silence()
{
    send(kSilence);
}

void PulseOutput::send(std::uint8_t request)
{
    start();
    if (pipe_[1] < 0)
        return;
    // A full pipe (thousands of requests the sound thread has not yet read)
    // loses this one; the newest would replace it anyway.
    [[maybe_unused]] const ssize_t written = ::write(pipe_[1], &request, 1);
}

void PulseOutput::onRequest(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    // Requests that arrived together collapse into the last cue or silence:
    // each would cut off the one before.
    int newest = -1;
    bool connectAsked = false;
    int count = 0;
    std::uint8_t buffer[64];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < got; ++i) {
            if (buffer[i] == kConnect)
                connectAsked = true;
            else
                newest = buffer[i];
            ++count;
        }
    }
    if (connectAsked && !output->context_)
        output->connect();
    if (newest >= 0)
        output->take(std::uint8_t(newest));
    output->handled_ += count;
}

void PulseOutput::take(std::uint8_t request)
{
    if (context_ && !PA_CONTEXT_IS_GOOD(pulse().pa_context_get_state(context_)))
        dropConnection();
    if (request == kSilence) {
        pending_ = -1;
        if (good(stream_) && pulse().pa_stream_get_state(stream_) == PA_STREAM_READY) {
            forget(pulse().pa_stream_flush(stream_, nullptr, nullptr));
            cork(true);
        }
        return;
    }
    pending_ = request;
    if (!context_) {
        const pa_usec_t now = pulse().pa_rtclock_now();
        if (now - lastAttempt_ >= kRetryUsec || lastAttempt_ == 0) {
            connect();
        } else {
            timeval due;
            pulse().pa_timeval_add(pulse().pa_gettimeofday(&due), lastAttempt_ + kRetryUsec - now);
            api_->time_restart(retry_, &due);
        }
        return;
    }
    if (stream_ && pulse().pa_stream_get_state(stream_) == PA_STREAM_READY) {
        pending_ = -1;
        write(request);
    } else if (!good(stream_) && pulse().pa_context_get_state(context_) == PA_CONTEXT_READY) {
        // The server killed the stream (its device went away): a new one
        // plays the cue once it is ready.
        makeStream();
    }
}

void PulseOutput::onRetry(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    output->api_->time_restart(output->retry_, nullptr);
    if (output->context_ && !PA_CONTEXT_IS_GOOD(pulse().pa_context_get_state(output->context_)))
        output->dropConnection();
    if (output->pending_ >= 0 && !output->context_)
        output->connect();
}

void PulseOutput::connect()
{
    lastAttempt_ = pulse().pa_rtclock_now();
    context_ = pulse().pa_context_new(api_, "Пальцеход");
    if (!context_)
        return;
    pulse().pa_context_set_state_callback(context_, &PulseOutput::onContextState, this);
    if (pulse().pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        dropConnection();
}

void PulseOutput::onContextState(pa_context* context, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    // A failed connection is dropped and made again at the next cue.
    if (pulse().pa_context_get_state(context) == PA_CONTEXT_READY)
        output->makeStream();
}

void PulseOutput::makeStream()
{
    if (stream_) {
        pulse().pa_stream_set_state_callback(stream_, nullptr, nullptr);
        if (good(stream_))
            pulse().pa_stream_disconnect(stream_);
        pulse().pa_stream_unref(stream_);
    }
    const pa_sample_spec format = cueFormat(sampleRate_);
    pa_buffer_attr buffer;
    buffer.maxlength = std::uint32_t(-1);
    buffer.tlength = std::uint32_t(pulse().pa_usec_to_bytes(kTargetLatencyMs * PA_USEC_PER_MSEC, &format));
    buffer.prebuf = std::uint32_t(-1);
    buffer.minreq = std::uint32_t(-1);
    buffer.fragsize = std::uint32_t(-1);
    corked_ = true;
    stream_ = pulse().pa_stream_new(context_, "cues", &format, nullptr);
    if (!stream_)
        return;
    pulse().pa_stream_set_state_callback(stream_, &PulseOutput::onStreamState, this);
    // Latency adjusted: the sink runs with a short buffer while the stream
    // plays, so a cue's first sample is not queued behind a long one.
    const auto flags = pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
    if (pulse().pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
        pulse().pa_stream_unref(stream_);
        stream_ = nullptr;
    }
}

void PulseOutput::onStreamState(pa_stream* stream, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    if (pulse().pa_stream_get_state(stream) != PA_STREAM_READY)
        return;
    ++output->readyStreams_;
    if (output->pending_ >= 0) {
        output->write(std::size_t(output->pending_));
        output->pending_ = -1;
    }
}

void PulseOutput::write(std::size_t index)
{
    const Samples& cue = cues_[index];
    // Whatever is still queued goes; the cue takes its place at once.
    forget(pulse().pa_stream_flush(stream_, nullptr, nullptr));
    if (cue.bytes > 0)
        pulse().pa_stream_write(stream_, cue.data, cue.bytes, nullptr, 0, PA_SEEK_RELATIVE);
    cork(false);
    const pa_sample_spec format = cueFormat(sampleRate_);
    timeval due;
    pulse().pa_timeval_add(pulse().pa_gettimeofday(&due), pulse().pa_bytes_to_usec(cue.bytes, &format) + kTailUsec);
    api_->time_restart(playedOut_, &due);
}

void PulseOutput::onPlayedOut(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    output->api_->time_restart(output->playedOut_, nullptr);
    if (output->stream_ && pulse().pa_stream_get_state(output->stream_) == PA_STREAM_READY)
        output->cork(true);
}

void PulseOutput::cork(bool on)
{
    if (corked_ == on)
        return;
    forget(pulse().pa_stream_cork(stream_, on, nullptr, nullptr));
    corked_ = on;
}

void PulseOutput::dropConnection()
{
    if (playedOut_)
        api_->time_restart(playedOut_, nullptr);
    if (stream_) {
        pulse().pa_stream_set_state_callback(stream_, nullptr, nullptr);
        if (good(stream_))
            pulse().pa_stream_disconnect(stream_);
        pulse().pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pulse().pa_context_set_state_callback(context_, nullptr, nullptr);
        if (PA_CONTEXT_IS_GOOD(pulse().pa_context_get_state(context_)))
            pulse().pa_context_disconnect(context_);
        pulse().pa_context_unref(context_);
        context_ = nullptr;
    }
    corked_ = true;
}
