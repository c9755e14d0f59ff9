#pragma once

#include <QBuffer>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>
#include <array>
#include <optional>

#include "gameview.h"

class QAudioSink;

// Plays the three built-in sound cues. The cues are read from the resources
// and turned into raw samples once, at construction, so play() does no file
// access and no decoding: it only restarts the audio output on another
// in-memory buffer and returns. A new cue cuts off the one playing. Without a
// sound device, or when the output fails, play() does nothing and nothing is
// reported: typing goes on.
//
// Qt's QSoundEffect is not used: with the PulseAudio back end of Qt 6.4 it
// drops the last part of every sound, so the tick (0.1 s) was not heard at all.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

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

private:
    bool makeSink();
    void dropSink();
    void onStateChanged();

    bool enabled_ = true;
    std::optional<Cue> lastCue_;
    // One in-memory stream of 16-bit samples per cue.
    std::array<QBuffer, 3> cues_;
    QMediaDevices devices_;
    bool devicesChanged_ = false;
    // Stops an output left idle at the end of a cue once it has surely
    // played out, so no stream stays open between cues.
    QTimer release_;
    // The output, a child of this player; deleted before the buffers it reads.
    QAudioSink* sink_ = nullptr;
};
