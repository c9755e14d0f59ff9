// The game-flow checks of game_fuzz, run in every build: the seed scripts
// and a few thousand deterministic random inputs, plus proof that the
// checking view does catch the faults it is there for.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "checkingview.h"
#include "game.h"
#include "gamesteps.h"
#include "messages.h"

namespace {

StepSummary passes(const std::vector<uint8_t>& input)
{
    StepSummary summary;
    const auto failure = checkGameSteps(input.data(), input.size(), &summary);
    EXPECT_FALSE(failure.has_value()) << *failure;
    return summary;
}

TEST(GameSteps, CleanGamesAtEveryLevelEndInVictoryAndQuit)
{
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        const StepSummary summary = passes(StepScript(level).perfectGame(level).op(Op::SpecialKey, 1).bytes());
        EXPECT_EQ(summary.gamesStarted, 1);
        EXPECT_EQ(summary.exercisesFinished, 5);
        EXPECT_EQ(summary.victories, 1);
        EXPECT_EQ(summary.errors, 0);
        EXPECT_TRUE(summary.closed);
    }
}

TEST(GameSteps, EverySeedHoldsTheRules)
{
    const auto seeds = gameSeedInputs();
    ASSERT_GE(seeds.size(), 8u);
    StepSummary total;
    for (size_t i = 0; i < seeds.size(); ++i) {
        SCOPED_TRACE(i);
        const StepSummary summary = passes(seeds[i]);
        total.errors += summary.errors;
        total.victories += summary.victories;
        total.gamesStarted += summary.gamesStarted;
        total.lampSwitches += summary.lampSwitches;
    }
    EXPECT_GT(total.errors, 100);
    EXPECT_GE(total.victories, 6);
    EXPECT_GE(total.gamesStarted, 10);
    EXPECT_GE(total.lampSwitches, 3);
}

TEST(GameSteps, SessionClockPastTheLastLampSwitchesThreeTimes)
{
    StepScript script(3);
    for (int i = 0; i < 600; ++i)
        script.op(Op::SessionJump, 1);
    const StepSummary summary = passes(script.bytes());
    EXPECT_EQ(summary.sessionSeconds, 4000);  // where one input stops the clock
    EXPECT_EQ(summary.lampSwitches, 3);
}

// Random bytes, and seeds with random bytes changed, inserted or cut: what a
// fuzzer tries first. They must reach deep states too, or they prove little.
TEST(GameSteps, ThousandsOfRandomInputsHoldTheRules)
{
    std::mt19937_64 random(20240611);
    const auto seeds = gameSeedInputs();
    StepSummary total;
    for (int n = 0; n < 2000; ++n) {
        std::vector<uint8_t> input;
        if (n % 2 == 0) {
            input.resize(random() % 1500);
            for (uint8_t& byte : input)
                byte = static_cast<uint8_t>(random());
        } else {
            input = seeds[random() % seeds.size()];
            for (int edits = static_cast<int>(random() % 12); edits >= 0 && !input.empty(); --edits) {
                const size_t at = random() % input.size();
                switch (random() % 3) {
                case 0: input[at] = static_cast<uint8_t>(random()); break;
                case 1: input.insert(input.begin() + static_cast<long>(at), static_cast<uint8_t>(random())); break;
                default: input.resize(at); break;
                }
            }
        }
        StepSummary summary;
        const auto failure = checkGameSteps(input.data(), input.size(), &summary);
        ASSERT_FALSE(failure.has_value()) << "input " << n << ": " << *failure;
        total.steps += summary.steps;
        total.exercisesFinished += summary.exercisesFinished;
        total.victories += summary.victories;
        total.errors += summary.errors;
    }
    // About half of what 2000 inputs reach today.
    EXPECT_GT(total.steps, 200000);
    EXPECT_GT(total.exercisesFinished, 1000);
    EXPECT_GT(total.victories, 80);
    EXPECT_GT(total.errors, 20000);
}

TEST(GameSteps, EmptyAndHeaderOnlyInputsAreHarmless)
{
    for (size_t size = 0; size <= 9; ++size) {
        const std::vector<uint8_t> input(size, 0xFF);
        passes(input);
    }
}

// The view's rules, broken on purpose, each must be caught.
class NoRandom {
public:
    static int32_t draw(int32_t) { return 0; }
};

struct BrokenRule {
    const char* name;
    std::function<void(CheckingView&, GameState&)> act;
};

void PrintTo(const BrokenRule& rule, std::ostream* out)
{
    *out << rule.name;
}

class CheckingViewRules : public testing::TestWithParam<BrokenRule> {};

TEST_P(CheckingViewRules, AreEnforced)
{
    CheckingView view;
    Game game(view, NoRandom::draw);
    view.game = &game;
    GameState state;
    state.Level = 1;
    state.ExerciseNumber = 1;
    state.Lines = {u"", u"ФЫВА ", u"ОЛДЖ ", u"ПРО ", u"", u""};
    state.TotalChars = 14;
    state.CurrentLine = 1;
    state.CurrentPos = 1;
    EXPECT_THROW(GetParam().act(view, state), CheckViolation);
}

INSTANTIATE_TEST_SUITE_P(
    Broken, CheckingViewRules,
    testing::Values(BrokenRule{"MarkWithoutCursor", [](CheckingView& v, GameState& s) { v.markTypedLetter(s); }},
                    BrokenRule{"TwoCursors",
                               [](CheckingView& v, GameState& s) {
                                   v.showCursor(s);
                                   v.showCursor(s);
                               }},
                    BrokenRule{"MarkOtherLetter",
                               [](CheckingView& v, GameState& s) {
                                   v.showCursor(s);
                                   s.CurrentPos = 2;
                                   v.markTypedLetter(s);
                               }},
                    BrokenRule{"MistakeWithoutLitKey", [](CheckingView& v, GameState& s) { v.showMistake(s); }},
                    BrokenRule{"ErrorCueWithoutMistake", [](CheckingView& v, GameState&) { v.playCue(Cue::Sound2); }},
                    BrokenRule{"CursorPastLine",
                               [](CheckingView& v, GameState& s) {
                                   s.CurrentPos = 6;
                                   v.showCursor(s);
                               }},
                    BrokenRule{"CursorOnUnusedLine",
                               [](CheckingView& v, GameState& s) {
                                   s.CurrentLine = 4;
                                   v.showCursor(s);
                               }},
                    BrokenRule{"LetterOffTheHomeRow",
                               [](CheckingView& v, GameState& s) {
                                   s.Lines[2] = u"ОЛДЯ ";
                                   v.drawExercise(s);
                               }},
                    BrokenRule{"LineWithoutTrailingSpace",
                               [](CheckingView& v, GameState& s) {
                                   s.Lines[3] = u"ПРО";
                                   s.TotalChars = 13;
                                   v.drawExercise(s);
                               }},
                    BrokenRule{"WrongTotal",
                               [](CheckingView& v, GameState& s) {
                                   s.TotalChars = 13;
                                   v.drawExercise(s);
                               }},
                    BrokenRule{"FieldWhileLit",
                               [](CheckingView& v, GameState& s) {
                                   v.showCursor(s);
                                   v.createField();
                               }},
                    BrokenRule{"MessageWhileClockRuns",
                               [](CheckingView& v, GameState&) {
                                   v.setGameClockRunning(true);
                                   v.showMessage(std::u16string(resultMessage(0)), std::u16string(ResultTitle), 64);
                               }},
                    BrokenRule{"ResultFromWrongGroup",
                               [](CheckingView& v, GameState&) {
                                   v.showMessage(std::u16string(resultMessage(10)), std::u16string(ResultTitle), 64);
                               }},
                    BrokenRule{"ClockStartsInsideMessage",
                               [](CheckingView& v, GameState&) {
                                   v.duringModal = [&v] { v.setGameClockRunning(true); };
                                   v.showMessage(std::u16string(resultMessage(0)), std::u16string(ResultTitle), 64);
                               }},
                    BrokenRule{"VictoryBeforeTheFifthExercise",
                               [](CheckingView& v, GameState&) {
                                   v.showMessage(victoryText(351), std::u16string(VictoryTitle), 64);
                               }},
                    BrokenRule{"LampOutsideSessionTick", [](CheckingView& v, GameState&) { v.setLamp(0, 1); }},
                    BrokenRule{"LampWithAnotherLampsPicture",
                               [](CheckingView& v, GameState&) {
                                   v.creating = true;
                                   v.setLamp(1, 5);
                               }},
                    BrokenRule{"CloseOutsidePlayAgain", [](CheckingView& v, GameState&) { v.closeWindow(); }},
                    BrokenRule{"ProgressBeyondMaximum", [](CheckingView& v, GameState&) { v.setProgress(10, 11); }}),
    [](const testing::TestParamInfo<BrokenRule>& info) { return std::string(info.param.name); });

}  // namespace
