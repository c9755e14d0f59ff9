#include "soundplayer.h"

#include <QFile>
#include <QTimer>
#include <QtEndian>

#include "pulseoutput.h"

namespace {

constexpr const char* kCueFiles[] = {":/sounds/Sound1.wav", ":/sounds/Sound2.wav", ":/sounds/Sound3.wav"};

quint16 le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}
quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

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

}  // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent)
{
    std::vector<PulseOutput::Samples> samples;
    for (std::size_t i = 0; i < cues_.size(); ++i) {
        QFile file(QString::fromLatin1(kCueFiles[i]));
        if (file.open(QIODevice::ReadOnly))
            cues_[i] = decodeWave(file.readAll());
        samples.push_back({cues_[i].constData(), std::size_t(cues_[i].size())});
    }
    output_ = std::make_unique<PulseOutput>(kSampleRate, std::move(samples));
    // The connection is made on the sound thread once the event loop runs,
    // so it does not compete with building and showing the window; a cue
    // before then starts it at once.
    QTimer::singleShot(0, this, [this] { output_->start(); });
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::setEnabled(bool on)
{
    enabled_ = on;
    if (!on)
        output_->silence();
}

bool SoundPlayer::isLoaded(Cue cue) const
{
    const auto i = std::size_t(cue);
    return i < cues_.size() && !cues_[i].isEmpty();
}

void SoundPlayer::play(Cue cue)
{
    const auto i = std::size_t(cue);
    if (!enabled_ || i >= cues_.size())
        return;
    lastCue_ = cue;
    if (cues_[i].isEmpty())
        output_->silence();
    else
        output_->play(i);
}
