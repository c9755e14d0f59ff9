#include "soundplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QtEndian>

namespace {

constexpr const char* kCueFiles[] = {":/sounds/Sound1.wav", ":/sounds/Sound2.wav", ":/sounds/Sound3.wav"};

// The output buffer asked for at every start: 100 ms of samples. The
// PulseAudio sink of Qt 6.4 otherwise asks each new stream for the buffer the
// last one got, which the server shrinks every time, until after a few cues
// the output starves and stays silent.
constexpr qsizetype kBufferBytes = SoundPlayer::kSampleRate / 10 * 2;

// How long an idle output is kept after the last samples were handed over:
// longer than any output buffer, so the end of the cue is heard.
constexpr int kReleaseMs = 2000;

QAudioFormat outputFormat()
{
    QAudioFormat format;
    format.setSampleRate(SoundPlayer::kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }

// The samples of a RIFF/WAVE file holding 8-bit unsigned mono PCM at the
// cues' rate, widened to 16-bit signed; empty if the file is anything else.
QByteArray decodeWave(const QByteArray& file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return {};
    bool formatOk = false;
    qsizetype pos = 12;
    while (pos + 8 <= file.size()) {
        const char* chunk = file.constData() + pos;
        const quint32 size = le32(chunk + 4);
        const qsizetype body = pos + 8;
        if (size > quint32(file.size() - body))
            return {};
        const QByteArray id = file.mid(pos, 4);
        if (id == "fmt ") {
            if (size < 16)
                return {};
            const char* f = chunk + 8;
            formatOk = le16(f) == 1 && le16(f + 2) == 1 && le32(f + 4) == quint32(SoundPlayer::kSampleRate)
                && le16(f + 14) == 8;
        } else if (id == "data") {
            if (!formatOk)
                return {};
            QByteArray samples(qsizetype(size) * 2, Qt::Uninitialized);
            auto* out = reinterpret_cast<qint16*>(samples.data());
            const auto* in = reinterpret_cast<const uchar*>(chunk + 8);
            for (quint32 i = 0; i < size; ++i)
                out[i] = qint16((int(in[i]) - 128) * 256);
            return samples;
        }
        pos = body + qsizetype(size) + (size & 1);
    }
    return {};
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent)
    : QObject(parent)
{
    for (std::size_t i = 0; i < cues_.size(); ++i) {
        QFile file(QString::fromLatin1(kCueFiles[i]));
        if (file.open(QIODevice::ReadOnly))
            cues_[i].setData(decodeWave(file.readAll()));
        cues_[i].open(QIODevice::ReadOnly);
    }
    release_.setSingleShot(true);
    release_.setInterval(kReleaseMs);
    connect(&release_, &QTimer::timeout, this, [this] {
        if (sink_ && sink_->state() == QAudio::IdleState)
            sink_->stop();
    });
    connect(&devices_, &QMediaDevices::audioOutputsChanged, this, [this] { devicesChanged_ = true; });
    makeSink();
}

SoundPlayer::~SoundPlayer()
{
    delete sink_;
}

void SoundPlayer::setEnabled(bool on)
{
    enabled_ = on;
    if (!on && sink_) {
        release_.stop();
        sink_->stop();
    }
}

bool SoundPlayer::isLoaded(Cue cue) const
{
    const auto i = std::size_t(cue);
    return i < cues_.size() && !cues_[i].data().isEmpty();
}

void SoundPlayer::play(Cue cue)
{
    const auto i = std::size_t(cue);
    if (!enabled_ || i >= cues_.size())
        return;
    lastCue_ = cue;
    release_.stop();
    if (devicesChanged_) {
        devicesChanged_ = false;
        dropSink();
    }
    if (sink_)
        sink_->stop();
    if (cues_[i].data().isEmpty() || (!sink_ && !makeSink()))
        return;
    cues_[i].seek(0);
    sink_->setBufferSize(kBufferBytes);
    sink_->start(&cues_[i]);
    // The device went away or refused the stream: try a fresh one next time.
    if (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError)
        dropSink();
}

bool SoundPlayer::makeSink()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    sink_ = new QAudioSink(device, outputFormat(), this);
    connect(sink_, &QAudioSink::stateChanged, this, &SoundPlayer::onStateChanged);
    return true;
}

void SoundPlayer::dropSink()
{
    release_.stop();
    if (!sink_)
        return;
    sink_->disconnect(this);
    sink_->stop();
    // Deleting a PulseAudio sink runs the event loop; play() must not, as it
    // is called from key handlers. The sink goes once control is back there.
    sink_->deleteLater();
    sink_ = nullptr;
}

void SoundPlayer::onStateChanged()
{
    if (sink_ && sink_->state() == QAudio::IdleState)
        release_.start();
}
