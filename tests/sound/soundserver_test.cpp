// The sound player against a real PulseAudio server of the test's own, whose
// only sink records everything played (see privatepulse.h).
#include <QFile>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

#include "privatepulse.h"
#include "pulseoutput.h"
#include "soundplayer.h"

namespace {

using Cue = SoundPlayer::Cue;

constexpr std::size_t ms(int milliseconds)
{
    return std::size_t(PrivatePulse::kRate) * milliseconds / 1000;
}

// Sound3, the tune, sounds for 1.28 s; Sound1, the tick, for 44 ms.
constexpr std::size_t kTuneLength = ms(1280);

// A cue's samples as the player sends them: 8-bit samples widened to 16.
std::vector<std::int16_t> cueSamples(const char* path)
{
    QFile file(QString::fromLatin1(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray wave = file.readAll();
    const qsizetype data = wave.indexOf("data");
    std::vector<std::int16_t> samples;
    for (qsizetype i = data + 8; data >= 0 && i < wave.size(); ++i)
        samples.push_back(std::int16_t((int(uchar(wave[i])) - 128) * 256));
    return samples;
}

// Where `cue` occurs sample for sample in `recorded`; -1 if nowhere.
long find(const std::vector<std::int16_t>& recorded, const std::vector<std::int16_t>& cue)
{
    const auto at = std::search(recorded.begin(), recorded.end(), cue.begin(), cue.end());
    return at == recorded.end() ? -1 : long(at - recorded.begin());
}

class SoundServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PrivatePulse::available())
            GTEST_SKIP() << "pulseaudio is not installed";
        ASSERT_TRUE(pulse_.start()) << "the private server did not start";
    }

    // Plays `cue` and returns where its sound starts in the recording.
    long playAndHear(SoundPlayer& player, Cue cue)
    {
        const std::size_t mark = pulse_.recorded();
        player.play(cue);
        return pulse_.waitForSound(mark);
    }

    // Where the sound that started at `onset` ends, once 1.6 s have been
    // recorded from there: longer than any cue.
    std::size_t soundEnd(long onset)
    {
        EXPECT_TRUE(pulse_.waitForRecorded(std::size_t(onset) + ms(1600)));
        return pulse_.endOfSound(std::size_t(onset), std::size_t(onset) + ms(1600));
    }

    PrivatePulse pulse_;
};

}  // namespace

// A new cue cuts off the tune at once: the new cue is played whole, sample
// for sample, right away, and nothing of the tune follows it. Switching the
// sound off cuts the tune off too.
TEST_F(SoundServer, NewCueOrSwitchingOffCutsTheTuneOff)
{
    SoundPlayer player;
    const long tune = playAndHear(player, Cue::Sound3);
    ASSERT_GE(tune, 0) << "the tune was not heard";
    const std::size_t mark = pulse_.recorded();
    player.play(Cue::Sound2);
    const std::size_t end = soundEnd(tune);
    EXPECT_LT(end - std::size_t(tune), kTuneLength - ms(200)) << "the tune played on";
    const std::vector<std::int16_t> cue = cueSamples(":/sounds/Sound2.wav");
    const std::size_t window = std::size_t(tune) + ms(1600);
    const long at = find(pulse_.samples(std::size_t(tune), window), cue);
    ASSERT_GE(at, 0) << "the second cue was not played whole";
    const std::size_t cueStart = std::size_t(tune) + std::size_t(at);
    EXPECT_LT(cueStart, mark + ms(300)) << "the second cue waited for the tune";
    EXPECT_LE(end, cueStart + cue.size()) << "sound after the second cue";

    const long again = playAndHear(player, Cue::Sound3);
    ASSERT_GE(again, 0);
    player.setEnabled(false);
    EXPECT_LT(soundEnd(again) - std::size_t(again), kTuneLength - ms(200)) << "switching off left the tune playing";
    EXPECT_EQ(player.output().readyStreams(), 1) << "a cue opened a new stream";
}

// Switched off, a cue is not played; the first cue after switching on again
// is heard, and only that one.
TEST_F(SoundServer, NothingIsPlayedWhileSwitchedOff)
{
    SoundPlayer player;
    player.setEnabled(false);
    const std::size_t mark = pulse_.recorded();
    player.play(Cue::Sound3);
    player.play(Cue::Sound2);
    // Whatever reached the sound thread would be heard within 0.5 s.
    ASSERT_TRUE(waitUntil([&] { return player.output().handledRequests() >= 2; }));
    ASSERT_TRUE(pulse_.waitForRecorded(pulse_.recorded() + ms(500)));
    EXPECT_EQ(pulse_.endOfSound(mark, pulse_.recorded()), mark) << "a cue was heard while switched off";

    player.setEnabled(true);
    const long tick = playAndHear(player, Cue::Sound1);
    ASSERT_GE(tick, 0);
    EXPECT_LT(soundEnd(tick) - std::size_t(tick), ms(150)) << "more than the tick was heard";
}

// The server goes away and comes back: the player notices at the next cue
// and plays it on a new connection.
TEST_F(SoundServer, ReconnectsAtTheNextCueAfterTheServerRestarts)
{
    SoundPlayer player;
    ASSERT_GE(playAndHear(player, Cue::Sound1), 0);
    pulse_.kill();

    const int before = player.output().handledRequests();
    const auto start = std::chrono::steady_clock::now();
    player.play(Cue::Sound2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    ASSERT_TRUE(waitUntil([&] { return player.output().handledRequests() > before; }));

    ASSERT_TRUE(pulse_.start());
    EXPECT_GE(playAndHear(player, Cue::Sound1), 0) << "no sound after the server came back";
    EXPECT_EQ(player.output().readyStreams(), 2);
}

// Without a server every cue returns at once, the sound thread takes each
// up, and nothing is printed.
TEST(SoundWithoutServer, CuesReturnAtOnceAndPrintNothing)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/paltsekhod-test/native");
    testing::internal::CaptureStderr();
    {
        SoundPlayer player;
        for (int i = 0; i < 30; ++i) {
            const auto start = std::chrono::steady_clock::now();
            player.play(Cue(i % 3));
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20)) << "cue " << i;
        }
        // 30 cues and the request to connect.
        EXPECT_TRUE(waitUntil([&] { return player.output().handledRequests() == 31; }));
        EXPECT_EQ(player.output().readyStreams(), 0);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    qunsetenv("PULSE_SERVER");
}
