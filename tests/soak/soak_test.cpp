// Long runs squeezed into seconds: two hours of session clock with games
// being played meanwhile, a thousand whole games, a thousand document
// switches in the viewer. The clocks are driven by calling their ticks.
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <utility>
#include <vector>

#include "checkingview.h"
#include "clocktext.h"
#include "game.h"
#include "keytable.h"
#include "virtualkeys.h"

#ifdef SOAK_HAVE_DIALOGS
#include <QTextEdit>

#include "documents.h"
#include "tdocs.h"
#endif

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_UNDER_ASAN 1
#endif
#endif

namespace {

int32_t keyFor(char16_t letter)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.letter == letter)
            return record.virtualKey;
    }
    return -1;
}

// The checking view, remembering every lamp change and session tooltip
// with the session second it came at.
class SoakView : public CheckingView {
public:
    struct LampChange {
        int32_t second;
        int lamp;
        int image;
        bool operator==(const LampChange&) const = default;
    };
    std::vector<LampChange> lampLog;
    std::vector<std::pair<int32_t, std::u16string>> hints;

    void setLamp(int lamp, int image) override
    {
        CheckingView::setLamp(lamp, image);
        lampLog.push_back({game->state().SessionSeconds, lamp, image});
    }
    void setSessionHint(const std::u16string& text) override
    {
        CheckingView::setSessionHint(text);
        hints.emplace_back(game->state().SessionSeconds, text);
    }
};

// Numbers 0, 1, 2 … taken modulo the range asked for.
RandomFunction countingRandom()
{
    return [n = 0](int32_t range) mutable { return n++ % range; };
}

// Resident memory of this process in bytes.
long residentBytes()
{
    long size = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr)
        return -1;
    const int read = std::fscanf(statm, "%ld %ld", &size, &resident);
    std::fclose(statm);
    return read == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

// One keystroke of a steady pupil: the expected letter, except for a wrong
// key now and then; outside a game, "Да" and a level.
void pupilKey(Game& game, const CheckingView& view, int64_t n)
{
    if (view.answerButtons) {
        game.FormKeyDown(VkReturn);
    } else if (view.levelButtons) {
        game.FormKeyDown(static_cast<int32_t>(49 + n % 3));
    } else if (n % 41 == 0) {
        game.FormKeyDown(16);  // Shift: a wrong key
    } else {
        game.FormKeyDown(keyFor(game.state().expectedChar()));
    }
}

TEST(Soak, TwoHoursOfSessionClockSwitchTheLampsOnlyAtTheirSeconds)
{
    SoakView view;
    Game game(view, countingRandom());
    view.game = &game;
    view.creating = true;
    game.FormCreate();
    view.creating = false;
    view.lampLog.clear();

    int64_t keys = 0;
    for (int32_t second = 1; second <= 7200; ++second) {
        view.sessionTick = true;
        game.Timer3Timer();
        view.sessionTick = false;
        game.Timer1Timer();
        for (int k = 0; k < 3; ++k)
            pupilKey(game, view, keys++);
    }

    EXPECT_EQ(game.state().SessionSeconds, 7200);
    const std::vector<SoakView::LampChange> expected = {
        {1, 0, 1}, {901, 0, 0}, {901, 1, 3}, {1201, 1, 2}, {1201, 2, 5},
    };
    EXPECT_EQ(view.lampLog, expected);
    EXPECT_EQ(view.lamps, (std::array<int, 3>{0, 2, 5}));

    ASSERT_EQ(view.hints.size(), 7200u);
    const std::vector<std::pair<int32_t, std::u16string>> samples = {
        {1, u"Общее время - 00:01"},    {60, u"Общее время - 01:00"},   {905, u"Общее время - 15:05"},
        {1201, u"Общее время - 20:01"}, {3600, u"Общее время - 60:00"}, {7200, u"Общее время - 120:00"},
    };
    for (const auto& [second, text] : samples)
        EXPECT_EQ(view.hints[static_cast<size_t>(second - 1)], std::make_pair(second, text));

    // Games went on all the while: the clock and the lamps did not disturb them.
    EXPECT_GE(view.victories, 20);
    EXPECT_EQ(view.results, view.sound3);
}

// Whole games through the engine, with the checking view, until the
// resident size must have settled; then a thousand more must not grow it.
TEST(Soak, MemoryStaysFlatOverAThousandGames)
{
#ifdef SOAK_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    if (residentBytes() < 0)
        GTEST_SKIP() << "no /proc/self/statm";

    CheckingView view;
    Game game(view, countingRandom());
    view.game = &game;
    view.creating = true;
    game.FormCreate();
    view.creating = false;

    int64_t keys = 0;
    const auto playGames = [&](int count) {
        const int goal = view.victories + count;
        while (view.victories < goal) {
            pupilKey(game, view, keys++);
            if (keys % 50 == 0)
                game.Timer1Timer();
        }
    };

    playGames(100);
    const long before = residentBytes();
    playGames(1000);
    const long after = residentBytes();

    EXPECT_EQ(view.victories, 1100);
    EXPECT_GT(keys, 300000);
    // One leaked exercise line a game (1000 x 25 characters) shows as about
    // 72 kB; a settled process grows by nothing.
    EXPECT_LE(after - before, 32 * 1024) << "resident " << before << " -> " << after << " bytes";
}

#ifdef SOAK_HAVE_DIALOGS
// The document viewer switching between help and guidance a thousand times:
// each switch reloads a document into the view.
TEST(Soak, MemoryStaysFlatOverAThousandDocumentSwitches)
{
#ifdef SOAK_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    if (residentBytes() < 0)
        GTEST_SKIP() << "no /proc/self/statm";

    QTextEdit view;
    view.resize(371, 301);
    TDocs docs(&view);
    docs.setDocuments(builtInDocuments());
    ASSERT_EQ(docs.count(), 2);

    const auto switchDocuments = [&](int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(docs.select(1 - docs.selectedIndex()));
            view.document()->size();  // laid out, as when shown
        }
    };
    switchDocuments(100);
    const long before = residentBytes();
    switchDocuments(1000);
    const long after = residentBytes();
    EXPECT_LE(after - before, 128 * 1024) << "resident " << before << " -> " << after << " bytes";
    EXPECT_TRUE(view.toPlainText().contains(QString::fromUtf8("Назначение")));
}
#endif

}  // namespace
