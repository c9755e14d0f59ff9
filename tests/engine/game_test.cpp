#include <gtest/gtest.h>

#include <limits>

#include "messages.h"
#include "recordingview.h"
#include "virtualkeys.h"

namespace {

class GameTest : public testing::Test {
protected:
    GameTest()
    {
        view.game = &game;
        game.FormCreate();
    }

    const GameState& state() const { return game.state(); }
    void typeCorrect() { game.FormKeyDown(keyFor(state().expectedChar())); }
    void typeWrong() { game.FormKeyDown(VkShift); }
    void typeCorrect(int count)
    {
        for (int i = 0; i < count; ++i)
            typeCorrect();
    }
    void tick(int count)
    {
        for (int i = 0; i < count; ++i)
            game.Timer1Timer();
    }

    // Types the rest of the current exercise, one wrong key before each of
    // the first `errors` letters.
    void finishExercise(int errors = 0)
    {
        const int32_t exercise = state().ExerciseNumber;
        for (int made = 0; state().ExerciseNumber == exercise && !view.answerButtons; ++made) {
            if (made < errors)
                typeWrong();
            typeCorrect();
        }
    }

    RecordingView view;
    ScriptedRandom script;
    Game game{view, script.function()};
};

TEST_F(GameTest, StartsAtTheLevelChoice)
{
    EXPECT_EQ(view.prompt, LevelChoicePrompt);
    EXPECT_TRUE(view.levelButtons);
    EXPECT_FALSE(view.answerButtons);
    EXPECT_FALSE(view.newMenu);
    EXPECT_TRUE(view.levelMenu);
    EXPECT_FALSE(view.pausePressed);
    EXPECT_FALSE(view.pauseEnabled);
    EXPECT_FALSE(view.statistics);
    EXPECT_FALSE(view.panels);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_EQ(view.clockText, u"00:00");
    EXPECT_EQ(view.lamps, (std::array<int, 3>{0, 2, 4}));

    EXPECT_TRUE(game.levelButtonsVisible());
    EXPECT_FALSE(game.answerButtonsVisible());
    EXPECT_FALSE(game.gameClockRunning());
    EXPECT_FALSE(game.pauseEnabled());
}

TEST_F(GameTest, LevelKeyStartsAPausedGame)
{
    view.clearLog();
    game.FormKeyDown(Vk2);  // "2"

    EXPECT_EQ(view.prompt, u"Уровень сложности: 2");
    EXPECT_EQ(state().Level, 2);
    EXPECT_EQ(state().ExerciseNumber, 1);
    EXPECT_EQ(state().CurrentLine, 1);
    EXPECT_EQ(state().CurrentPos, 1);
    EXPECT_EQ(state().TotalChars, 100);  // every draw 0: four lines of ПАРА x 5
    EXPECT_EQ(view.progressMaximum, 100);
    EXPECT_EQ(view.progressValue, 0);
    EXPECT_FALSE(view.levelButtons);
    EXPECT_TRUE(view.newMenu);
    EXPECT_FALSE(view.levelMenu);
    EXPECT_TRUE(view.panels);
    EXPECT_TRUE(view.statistics);
    EXPECT_TRUE(view.pausePressed);
    EXPECT_TRUE(view.pauseEnabled);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_EQ(view.lettersText, u"0");
    EXPECT_EQ(view.createFieldCount, 1);
    EXPECT_EQ(view.cursorCount, 1);
    EXPECT_TRUE(
        isSubsequence({"level buttons off", "prompt", "menus new -", "answer buttons off", "level buttons off",
                       "clock text", "create field", "draw", "progress", "cursor", "panels on",
                       "pause pressed disabled", "clock off", "statistics on", "pause pressed enabled", "letters"},
                      view.log));

    tick(3);
    EXPECT_EQ(state().GameSeconds, 0) << "a new game waits for its first key";
}

TEST_F(GameTest, FirstKeyResumesTheClockAndIsJudged)
{
    game.LevelCommand(1);
    view.clearLog();
    typeCorrect();

    EXPECT_TRUE(view.clockRunning);
    EXPECT_FALSE(view.pausePressed);
    EXPECT_TRUE(view.pauseEnabled);
    EXPECT_EQ(state().CurrentPos, 2);
    EXPECT_EQ(state().ExerciseLetters, 1);
    EXPECT_EQ(view.cues, std::vector<Cue>{Cue::Sound1});
    EXPECT_EQ(view.lettersText, u"1");
    EXPECT_EQ(view.progressMaximum, 75);
    EXPECT_EQ(view.progressValue, 1);
    EXPECT_EQ(view.log, (std::vector<std::string>{"pause released enabled", "clock on", "mark", "sound1", "progress",
                                                  "letters", "cursor"}));

    tick(1);
    EXPECT_EQ(state().GameSeconds, 1);
    EXPECT_EQ(view.clockText, u"00:01");
}

TEST_F(GameTest, AWrongFirstKeyAlsoResumes)
{
    game.LevelCommand(3);
    typeWrong();
    EXPECT_TRUE(view.clockRunning);
    EXPECT_EQ(state().ExerciseErrors, 1);
    EXPECT_EQ(view.count(Cue::Sound2), 1);
}

// A key the window could not place at all (code 0) is a wrong key.
TEST_F(GameTest, AnUnknownKeyIsWrongAndResumes)
{
    game.LevelCommand(1);
    game.FormKeyDown(0);
    EXPECT_TRUE(view.clockRunning);
    EXPECT_EQ(state().ExerciseErrors, 1);
    EXPECT_EQ(state().CurrentPos, 1);
    EXPECT_TRUE(state().ErrorPending);
}

TEST_F(GameTest, ARunOfWrongKeysCountsOneErrorAndSoundsOnce)
{
    game.LevelCommand(1);  // expects П
    view.clearLog();
    for (int32_t key : {VkShift, 49, 65 /* Ф */, 27})
        game.FormKeyDown(key);
    EXPECT_EQ(state().ExerciseErrors, 1);
    // The mistake is told once, before its cue.
    EXPECT_EQ(view.log, (std::vector<std::string>{"pause released enabled", "clock on", "mistake", "sound2"}));
    EXPECT_EQ(state().CurrentPos, 1);
    EXPECT_TRUE(state().ErrorPending);
    EXPECT_EQ(view.markCount, 0);

    typeCorrect();
    EXPECT_FALSE(state().ErrorPending);
    game.FormKeyDown(Vk3);  // a digit during a game is a wrong key
    EXPECT_EQ(state().ExerciseErrors, 2);
    EXPECT_EQ(view.count(Cue::Sound2), 2);
    EXPECT_EQ(state().CurrentPos, 2);
}

TEST_F(GameTest, TheTrailingSpaceIsTypedAndLeadsToTheNextLine)
{
    game.LevelCommand(1);
    typeCorrect(24);
    EXPECT_EQ(state().expectedChar(), u' ');
    game.FormKeyDown(VkSpace);
    EXPECT_EQ(state().CurrentLine, 2);
    EXPECT_EQ(state().CurrentPos, 1);
    EXPECT_EQ(state().ExerciseLetters, 25);
    EXPECT_EQ(view.cursorCount, 26);
}

class WholeGame : public GameTest, public testing::WithParamInterface<int32_t> {};

TEST_P(WholeGame, FiveExercisesThenVictoryThenPlayAgain)
{
    const int32_t level = GetParam();
    script.cycle = true;
    game.FormKeyDown('0' + level);

    int32_t letters = 0;
    for (int32_t exercise = 1; exercise <= 5; ++exercise) {
        ASSERT_EQ(state().ExerciseNumber, exercise);
        letters += state().TotalChars;
        finishExercise();
        const RecordingView::Message& result = view.messages.at(static_cast<size_t>(exercise - 1));
        EXPECT_EQ(result.title, ResultTitle);
        EXPECT_EQ(result.kind, 64);
        EXPECT_FALSE(result.clockRunning) << "the clock stops while the result is shown";
        EXPECT_EQ(result.currentLine, level + 3) << "an exercise ends after line " << level + 2;
        EXPECT_EQ(result.exerciseNumber, exercise);
        if (exercise < 5) {
            EXPECT_TRUE(view.clockRunning) << "the next exercise runs on without a pause";
            EXPECT_EQ(state().CurrentLine, 1);
            EXPECT_EQ(state().CurrentPos, 1);
            EXPECT_EQ(view.progressValue, 0);
        }
    }

    ASSERT_EQ(view.messages.size(), 6u);
    EXPECT_EQ(view.messages[5].title, VictoryTitle);
    EXPECT_EQ(view.count(Cue::Sound1), letters);
    EXPECT_EQ(view.count(Cue::Sound2), 0);
    EXPECT_EQ(view.count(Cue::Sound3), 5);
    EXPECT_EQ(view.markCount, letters) << "a won game has no lit key to restore";
    EXPECT_EQ(view.repaintCount, 4);
    EXPECT_TRUE(game.CheckWin());
    EXPECT_EQ(state().PriorLetters, letters);
    EXPECT_EQ(state().ExerciseLetters, 0);

    EXPECT_EQ(view.prompt, PlayAgainPrompt);
    EXPECT_TRUE(view.answerButtons);
    EXPECT_FALSE(view.levelButtons);
    EXPECT_FALSE(view.panels);
    EXPECT_FALSE(view.statistics);
    EXPECT_FALSE(view.pausePressed);
    EXPECT_FALSE(view.pauseEnabled);
    EXPECT_FALSE(view.clockRunning);
    EXPECT_FALSE(view.newMenu);
    EXPECT_TRUE(view.levelMenu);

    const size_t drawsOf5 = static_cast<size_t>(std::count(script.arguments.begin(), script.arguments.end(), 5));
    const size_t drawsOf3 = static_cast<size_t>(std::count(script.arguments.begin(), script.arguments.end(), 3));
    if (level == 1) {
        EXPECT_EQ(script.arguments, std::vector<int32_t>(5, 5)) << "level 1 draws only the five messages";
    } else if (level == 2) {
        EXPECT_EQ(drawsOf5, 5u);
        EXPECT_EQ(drawsOf3 + 5, script.arguments.size());
    } else {
        EXPECT_EQ(drawsOf5, script.arguments.size());
    }

    game.FormKeyDown(VkReturn);  // Enter: "Да"
    EXPECT_EQ(view.prompt, LevelChoicePrompt);
    EXPECT_TRUE(view.levelButtons);
    EXPECT_FALSE(view.answerButtons);
    EXPECT_EQ(view.closeCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Levels, WholeGame, testing::Values(1, 2, 3));

TEST_F(GameTest, ResultMessageGroupFollowsTheExerciseErrors)
{
    script.values = {4, 0, 2, 1, 3};  // level 1 draws only for the messages
    game.LevelCommand(1);
    typeCorrect();
    tick(300);
    finishExercise(0);
    finishExercise(2);
    finishExercise(3);
    finishExercise(1);
    finishExercise(7);

    ASSERT_EQ(view.messages.size(), 6u);
    EXPECT_EQ(view.messages[0].text, resultMessage(0 + 4));
    EXPECT_EQ(view.messages[1].text, resultMessage(5 + 0));
    EXPECT_EQ(view.messages[2].text, resultMessage(10 + 2));
    EXPECT_EQ(view.messages[3].text, resultMessage(5 + 1));
    EXPECT_EQ(view.messages[4].text, resultMessage(10 + 3));
    EXPECT_EQ(view.count(Cue::Sound2), 13);

    // The whole game: 356 letters, 13 errors, 300 seconds. Accuracy
    // 35600 / (65 + 356) = 84, speed 35600 / (356 + 300) = 54.
    EXPECT_EQ(state().PriorErrors, 13);
    EXPECT_EQ(state().PriorLetters, 356);
    EXPECT_EQ(view.messages[5].text, u"Поздравляем с успехом!\r\nВаши очки: 239.");
}

TEST_F(GameTest, VictoryScoreCountsTheFifthExercise)
{
    game.LevelCommand(1);
    typeCorrect();
    tick(400);
    for (int exercise = 1; exercise <= 4; ++exercise)
        finishExercise();
    // All of exercise 5 but its last letter.
    while (!(state().CurrentLine == 3 && static_cast<size_t>(state().CurrentPos) == state().line(3).size()))
        typeCorrect();
    view.clearLog();
    typeCorrect();

    // 356 letters in 400 seconds, no errors: 100 + 200 + 1 + 47. Leaving out
    // the fifth exercise's 71 letters would give 342.
    EXPECT_EQ(view.messages.back().text, u"Поздравляем с успехом!\r\nВаши очки: 348.");
    EXPECT_EQ(state().GameSeconds, 400);
    EXPECT_TRUE(isSubsequence({"sound1", "sound3", "clock off", "message", "clock on", "clock off", "message",
                               "menus - level", "panels off", "clock off", "prompt", "statistics off",
                               "pause released disabled", "answer buttons on"},
                              view.log));
    EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "mark"), 1);
}

TEST_F(GameTest, RestartMidGameRestoresTheLitKeyAndAsksToPlayAgain)
{
    game.LevelCommand(2);
    typeCorrect(3);
    view.clearLog();
    game.mnuNewClick();

    EXPECT_EQ(view.log, (std::vector<std::string>{"menus - level", "mark", "panels off", "clock off", "prompt",
                                                  "statistics off", "pause released disabled", "answer buttons on"}));
    EXPECT_EQ(view.markCount, 4);
    EXPECT_EQ(view.prompt, PlayAgainPrompt);
    EXPECT_FALSE(game.CheckWin());

    view.clearLog();
    game.mnuNewClick();  // the menu item is disabled now
    game.FormKeyDown('A');
    game.FormKeyDown(VkShift);
    game.FormKeyDown(0);  // unknown
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(state().ExerciseErrors, 0);

    game.FormKeyDown(VkEscape);  // Escape: "Нет"
    EXPECT_EQ(view.closeCount, 1);
}

TEST_F(GameTest, LevelMenuStartsANewGameFromThePlayAgainQuestion)
{
    game.LevelCommand(1);
    typeWrong();
    typeCorrect(5);
    tick(7);
    game.mnuNewClick();
    game.LevelCommand(3);  // N31

    EXPECT_FALSE(view.answerButtons);
    EXPECT_FALSE(view.levelButtons);
    EXPECT_EQ(state().Level, 3);
    EXPECT_EQ(state().GameSeconds, 0);
    EXPECT_EQ(view.clockText, u"00:00");
    EXPECT_EQ(state().ExerciseErrors, 0);
    EXPECT_EQ(state().ExerciseLetters, 0);
    EXPECT_FALSE(state().ErrorPending);
    EXPECT_TRUE(view.pausePressed);
    EXPECT_EQ(view.createFieldCount, 2);
}

class LevelChoiceKeys : public GameTest, public testing::WithParamInterface<int32_t> {};

TEST_P(LevelChoiceKeys, DoNothing)
{
    view.clearLog();
    game.FormKeyDown(GetParam());
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(view.cues.empty());
    EXPECT_EQ(state().ExerciseErrors, 0);
    EXPECT_TRUE(game.levelButtonsVisible());
}

// Letters, space, Shift, Enter, Escape, "0", "4", keypad "1", an unknown key.
INSTANTIATE_TEST_SUITE_P(OtherKeys, LevelChoiceKeys, testing::Values(71, 65, 32, VkShift, 13, 27, 48, 52, 97, 0));

TEST_F(GameTest, PauseButtonStopsAndStartsTheClock)
{
    game.SpeedButton1Click();  // disabled at the level choice
    EXPECT_FALSE(view.pausePressed);
    EXPECT_FALSE(view.clockRunning);

    game.LevelCommand(1);
    game.SpeedButton1Click();
    EXPECT_FALSE(view.pausePressed);
    EXPECT_TRUE(view.clockRunning);
    tick(2);
    typeCorrect(6);
    game.SpeedButton1Click();
    EXPECT_TRUE(view.pausePressed);
    EXPECT_FALSE(view.clockRunning);
    tick(5);
    EXPECT_EQ(state().GameSeconds, 2);
    EXPECT_EQ(view.clockText, u"00:02");
    EXPECT_EQ(view.speedText, u"0 б/мин") << "the speed changes only on a tick";
}

TEST_F(GameTest, GameClockTickShowsTimeSpeedAndErrors)
{
    game.LevelCommand(1);
    typeCorrect(12);
    typeWrong();
    tick(1);
    EXPECT_EQ(view.clockText, u"00:01");
    EXPECT_EQ(view.speedText, u"720 б/мин");
    EXPECT_EQ(view.errorsText, u"1");
}

TEST_F(GameTest, SessionClockMovesTheLampsAndTheHint)
{
    auto ticks = [&](int count) {
        for (int i = 0; i < count; ++i)
            game.Timer3Timer();
    };
    view.lampLog.clear();
    ticks(1);
    EXPECT_EQ(view.lamps, (std::array<int, 3>{1, 2, 4}));
    EXPECT_EQ(view.sessionHint, u"Общее время - 00:01");
    ticks(899);
    EXPECT_EQ(view.lampLog.size(), 1u);
    ticks(1);
    EXPECT_EQ(view.lamps, (std::array<int, 3>{0, 3, 4}));
    ticks(4);
    EXPECT_EQ(view.sessionHint, u"Общее время - 15:05");
    ticks(296);
    EXPECT_EQ(view.lamps, (std::array<int, 3>{0, 2, 5}));
    ticks(600);
    EXPECT_EQ(view.lampLog.size(), 5u);
    EXPECT_EQ(state().SessionSeconds, 1801);
}

struct ScoreCase {
    int32_t level, errors, letters, seconds, score;
};

void PrintTo(const ScoreCase& c, std::ostream* os)
{
    *os << "level " << c.level << ", " << c.errors << " errors, " << c.letters << " letters, " << c.seconds << " s";
}

class Score : public testing::TestWithParam<ScoreCase> {};

TEST_P(Score, FollowsTheFormula)
{
    const ScoreCase& c = GetParam();
    EXPECT_EQ(Game::ComputeScore(c.level, c.errors, c.letters, c.seconds), c.score);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Score,
                         testing::Values(ScoreCase{1, 0, 400, 400, 351},   // 100 + 200 + 1 + 50
                                         ScoreCase{3, 10, 400, 200, 355},  // 200 + 88 + 1 + 66
                                         ScoreCase{1, 5, 400, 400, 251},   // accuracy 200 - 100
                                         ScoreCase{1, 6, 400, 400, 244},   // 40000 / 430 = 93
                                         ScoreCase{2, 0, 356, 0, 451}));   // 150 + 200 + 1 + 100

TEST(ScoreOverflow, IsFatal)
{
    constexpr int32_t Max = std::numeric_limits<int32_t>::max();
    EXPECT_THROW(Game::ComputeScore(1, 0, Max / 100 + 1, 10), std::overflow_error);
    EXPECT_THROW(Game::ComputeScore(1, 0, 0, 0), std::overflow_error);  // no letters, no time
    EXPECT_THROW(Game::ComputeScore(Max, 0, 400, 400), std::overflow_error);
}

}  // namespace
