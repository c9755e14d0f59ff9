#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

#include "soundplayer.h"

namespace {

using Cue = SoundPlayer::Cue;

struct CueFile {
    Cue cue;
    const char* path;
    quint32 dataBytes;
};

const CueFile kCueFiles[] = {
    {Cue::Sound1, ":/sounds/Sound1.wav", 2244},
    {Cue::Sound2, ":/sounds/Sound2.wav", 7732},
    {Cue::Sound3, ":/sounds/Sound3.wav", 28770},
};

struct Chunk {
    QByteArray id;
    QByteArray body;
};

// Splits a RIFF/WAVE file into its chunks; fails the test on a malformed file.
std::vector<Chunk> riffChunks(const QByteArray& file)
{
    std::vector<Chunk> chunks;
    EXPECT_GE(file.size(), 12);
    EXPECT_EQ(file.left(4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 4), quint32(file.size() - 8));
    EXPECT_EQ(file.mid(8, 4), "WAVE");
    qsizetype pos = 12;
    while (pos + 8 <= file.size()) {
        const quint32 size = qFromLittleEndian<quint32>(file.constData() + pos + 4);
        EXPECT_LE(pos + 8 + qsizetype(size), file.size()) << "chunk runs past the end";
        chunks.push_back({file.mid(pos, 4), file.mid(pos + 8, size)});
        pos += 8 + qsizetype(size) + (size & 1);
    }
    EXPECT_EQ(pos, file.size()) << "trailing bytes after the last chunk";
    return chunks;
}

quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

QByteArray readResource(const char* path)
{
    QFile file(QString::fromLatin1(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

}  // namespace

// Each cue is 8-bit unsigned mono PCM at 22050 Hz: "fmt " of 18 bytes, "fact"
// with the sample count, "data" of the cue's exact length, nothing else.
TEST(SoundCues, FilesHaveTheExactChunkLayout)
{
    for (const CueFile& cue : kCueFiles) {
        SCOPED_TRACE(cue.path);
        const std::vector<Chunk> chunks = riffChunks(readResource(cue.path));
        ASSERT_EQ(chunks.size(), 3u);
        EXPECT_EQ(chunks[0].id, "fmt ");
        EXPECT_EQ(chunks[1].id, "fact");
        EXPECT_EQ(chunks[2].id, "data");

        const QByteArray& fmt = chunks[0].body;
        ASSERT_EQ(fmt.size(), 18);
        EXPECT_EQ(le16(fmt, 0), 1);       // PCM
        EXPECT_EQ(le16(fmt, 2), 1);       // mono
        EXPECT_EQ(le32(fmt, 4), 22050u);  // samples per second
        EXPECT_EQ(le32(fmt, 8), 22050u);  // bytes per second
        EXPECT_EQ(le16(fmt, 12), 1);      // block align
        EXPECT_EQ(le16(fmt, 14), 8);      // bits per sample
        EXPECT_EQ(le16(fmt, 16), 0);      // no extra format bytes

        ASSERT_EQ(chunks[1].body.size(), 4);
        EXPECT_EQ(le32(chunks[1].body, 0), cue.dataBytes);
        EXPECT_EQ(quint32(chunks[2].body.size()), cue.dataBytes);
    }
}

// Silence is 128: each cue starts and ends there without a step (no click),
// never touches 0 or 255 (no clipping) and is clearly audible in between.
TEST(SoundCues, SamplesFadeAtTheEdgesAndNeverClip)
{
    for (const CueFile& cue : kCueFiles) {
        SCOPED_TRACE(cue.path);
        const std::vector<Chunk> chunks = riffChunks(readResource(cue.path));
        ASSERT_EQ(chunks.size(), 3u);
        const QByteArray& data = chunks[2].body;
        ASSERT_GE(data.size(), 100);
        std::vector<int> s(data.size());
        std::transform(data.begin(), data.end(), s.begin(), [](char c) { return int(uchar(c)); });

        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(s[i], 128, 1 + i) << "sample " << i;
            EXPECT_NEAR(s[s.size() - 1 - i], 128, 1 + i) << "sample " << s.size() - 1 - i;
        }
        const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
        EXPECT_GT(*lo, 0);
        EXPECT_LT(*hi, 255);
        EXPECT_GT(*hi - *lo, 64) << "too quiet to hear";
    }
}

TEST(SoundPlayer, LoadsEveryCueAndStartsSwitchedOn)
{
    SoundPlayer player;
    for (const CueFile& cue : kCueFiles)
        EXPECT_TRUE(player.isLoaded(cue.cue)) << cue.path;
    EXPECT_TRUE(player.isEnabled());
    EXPECT_FALSE(player.lastCue().has_value());
}

// Switched off, play() starts nothing; switched on again, cues start, one
// right after another as when a line's last letter is followed by the tune.
TEST(SoundPlayer, PlaysOnlyWhileSwitchedOn)
{
    SoundPlayer player;
    player.play(Cue::Sound2);
    EXPECT_EQ(player.lastCue(), Cue::Sound2);

    player.setEnabled(false);
    EXPECT_FALSE(player.isEnabled());
    player.play(Cue::Sound1);
    player.play(Cue::Sound3);
    EXPECT_EQ(player.lastCue(), Cue::Sound2);

    player.setEnabled(true);
    player.play(Cue::Sound1);
    EXPECT_EQ(player.lastCue(), Cue::Sound1);
    player.play(Cue::Sound3);
    EXPECT_EQ(player.lastCue(), Cue::Sound3);

    // A value outside the three cues is ignored.
    player.play(static_cast<Cue>(3));
    EXPECT_EQ(player.lastCue(), Cue::Sound3);
}

// play() sits on the key path: it must return at once whether or not a sound
// device exists (the bound is generous; a blocking play takes the whole cue).
TEST(SoundPlayer, PlayReturnsAtOnce)
{
    SoundPlayer player;
    for (int round = 0; round < 10; ++round) {
        for (const CueFile& cue : kCueFiles) {
            const auto start = std::chrono::steady_clock::now();
            player.play(cue.cue);
            const auto took = std::chrono::steady_clock::now() - start;
            EXPECT_LT(took, std::chrono::milliseconds(50)) << cue.path;
        }
    }
}
