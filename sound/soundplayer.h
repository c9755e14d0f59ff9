#pragma once

#include <QByteArray>
#include <QObject>
#include <array>
#include <memory>
#include <optional>

class PulseOutput;

// Plays the three built-in sound cues. The cues are read from the resources
// and turned into raw samples once, at construction, so play() does no file
// access and no decoding: it hands the cue to one output stream that stays
// open for the program's life, and returns. A new cue cuts off the one
// playing. Without a sound server, or when the output fails, play() does
// nothing and nothing is reported: typing goes on.
//
// The output is PulseAudio's own client library (PipeWire serves it too), not
// Qt Multimedia: Qt 6.4's QAudioSink cannot drop what it has queued without
// closing its stream, so every cue opened a new one, and its library with
// its dependencies cost start-up time and memory. The stream is opened as
// soon as the event loop runs, after the window has been shown.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // The three cues, played from :/sounds/Sound1.wav, Sound2.wav and Sound3.wav.
    enum class Cue { Sound1, Sound2, Sound3 };

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // The sound switch. On at start; switching off silences the cue playing.
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }

    // Starts `cue` and returns at once; ignored while switched off.
    void play(Cue cue);

    // The cue last started by play() while switched on, whether or not a
    // sound device took it; empty before the first.
    std::optional<Cue> lastCue() const { return lastCue_; }

    // Whether the cue's samples were read from the resources; a cue that
    // could not be read stays silent.
    bool isLoaded(Cue cue) const;

    // Samples per second of the cues.
    static constexpr int kSampleRate = 22050;

    // The output, for tests.
    PulseOutput& output() { return *output_; }

private:
    bool enabled_ = true;
    std::optional<Cue> lastCue_;
    // The 16-bit samples of each cue.
    std::array<QByteArray, 3> cues_;
    // Reads the samples above, so it is declared after them.
    std::unique_ptr<PulseOutput> output_;
};
