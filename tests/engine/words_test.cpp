#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

#include "recordingview.h"
#include "words.h"

namespace {

RandomFunction failingRandom()
{
    return [](int32_t) -> int32_t {
        ADD_FAILURE() << "level 1 must not draw random numbers";
        return 0;
    };
}

// The words of a line (every word is followed by one space).
std::vector<std::u16string> wordsOf(const std::u16string& line)
{
    std::vector<std::u16string> words;
    size_t start = 0;
    for (size_t space = line.find(u' '); space != std::u16string::npos; space = line.find(u' ', start)) {
        words.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    EXPECT_EQ(start, line.size()) << "a line must end with a space";
    return words;
}

int32_t entryOf(int32_t exercise, const std::u16string& word)
{
    for (int32_t entry = 0; entry < 5; ++entry) {
        if (exerciseWord(exercise, entry) == word)
            return entry;
    }
    return -1;
}

struct LevelOneLines {
    int32_t exercise;
    std::array<std::u16string, 3> lines;
    std::array<size_t, 3> lengths;
};

void PrintTo(const LevelOneLines& lines, std::ostream* os)
{
    *os << "exercise " << lines.exercise;
}

class LevelOne : public testing::TestWithParam<LevelOneLines> {};

TEST_P(LevelOne, BuildsTheFixedLinesOfTheExercise)
{
    const LevelOneLines& expected = GetParam();
    GameState state;
    BuildExerciseLines(state, expected.exercise, 1, failingRandom());
    for (int32_t n = 1; n <= 3; ++n) {
        EXPECT_EQ(state.line(n), expected.lines[static_cast<size_t>(n - 1)]) << "line " << n;
        EXPECT_EQ(state.line(n).size(), expected.lengths[static_cast<size_t>(n - 1)]) << "line " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllExercises, LevelOne,
    testing::Values(
        LevelOneLines{1,
                      {u"ПАРА ПАРА ПАРА ПАРА ПАРА ", u"ПОРА ПОРА ПОРА ПОРА ПОРА ", u"ПАРА ПОРА ПАРА ПОРА ПАРА "},
                      {25, 25, 25}},
        LevelOneLines{
            2, {u"ПОВАР ПОВАР ПОВАР ПОВАР ", u"ВОЛ ВОЛ ВОЛ ВОЛ ВОЛ ВОЛ ", u"ПОВАР ВОЛ ПОВАР ВОЛ "}, {24, 24, 20}},
        LevelOneLines{
            3, {u"ДЫРА ДЫРА ДЫРА ДЫРА ДЫРА ", u"ПЛОДЫ ПЛОДЫ ПЛОДЫ ПЛОДЫ ", u"ДЫРА ПЛОДЫ ДЫРА ПЛОДЫ "}, {25, 24, 22}},
        LevelOneLines{
            4, {u"ФАРЫ ФАРЫ ФАРЫ ФАРЫ ФАРЫ ", u"ЖАЖДА ЖАЖДА ЖАЖДА ЖАЖДА ", u"ФАРЫ ЖАЖДА ФАРЫ ЖАЖДА "}, {25, 24, 22}},
        LevelOneLines{
            5, {u"ЭРА ЭРА ЭРА ЭРА ЭРА ЭРА ", u"ЛЫЖА ЛЫЖА ЛЫЖА ЛЫЖА ЛЫЖА ", u"ЭРА ЛЫЖА ЭРА ЛЫЖА ЭРА "}, {24, 25, 22}}),
    [](const testing::TestParamInfo<LevelOneLines>& info) { return "Exercise" + std::to_string(info.param.exercise); });

TEST(BuildLine, LevelOneLeavesLinesFourAndFiveEmpty)
{
    GameState state;
    state.line(4) = u"СТАРОЕ ";
    BuildLine(state, 4, 1, 1, failingRandom());
    BuildLine(state, 5, 1, 1, failingRandom());
    EXPECT_TRUE(state.line(4).empty());
    EXPECT_TRUE(state.line(5).empty());
}

TEST(BuildExerciseLines, LeavesTheSlotsBeyondTheLevelAlone)
{
    GameState state;
    state.line(4) = u"ЧЕТВЕРТАЯ ";
    state.line(5) = u"ПЯТАЯ ";
    BuildExerciseLines(state, 1, 1, failingRandom());
    EXPECT_EQ(state.line(4), u"ЧЕТВЕРТАЯ ");
    EXPECT_EQ(state.line(5), u"ПЯТАЯ ");

    ScriptedRandom script;
    BuildExerciseLines(state, 1, 2, script.function());
    EXPECT_EQ(state.line(4), u"ПАРА ПАРА ПАРА ПАРА ПАРА ");
    EXPECT_EQ(state.line(5), u"ПЯТАЯ ");
}

// Scripted draws at levels 2 and 3: the line, and how many draws it took
// (the word that no longer fits was drawn too).
struct DrawnLine {
    const char* name;
    int32_t exercise;
    int32_t level;
    std::vector<int32_t> draws;
    std::u16string line;
};

void PrintTo(const DrawnLine& line, std::ostream* os)
{
    *os << line.name;
}

class DrawnLines : public testing::TestWithParam<DrawnLine> {};

TEST_P(DrawnLines, FollowTheStopRule)
{
    const DrawnLine& expected = GetParam();
    ScriptedRandom script;
    script.values.assign(expected.draws.begin(), expected.draws.end());
    script.fallback = 99;  // any draw beyond the script would throw
    GameState state;
    BuildLine(state, 1, expected.exercise, expected.level, script.function());
    EXPECT_EQ(state.line(1), expected.line);
    EXPECT_TRUE(script.values.empty()) << "every scripted draw is used, the dropped word's included";
    EXPECT_EQ(script.arguments, std::vector<int32_t>(expected.draws.size(), 2 * expected.level - 1));
}

INSTANTIATE_TEST_SUITE_P(Edges, DrawnLines,
                         testing::Values(
                             // 19 + 5 = 24: ПОВАР still fits and the line reaches 25.
                             DrawnLine{"FillsToTwentyFive", 2, 2, {0, 1, 2, 1, 0, 1}, u"ПОВАР ВОЛ ОВАЛ ВОЛ ПОВАР "},
                             // Five ПАРА, the sixth draw dropped.
                             DrawnLine{"SameEntryRepeated", 1, 2, {0, 0, 0, 0, 0, 0}, u"ПАРА ПАРА ПАРА ПАРА ПАРА "},
                             // 19 + 6 = 25: ФАРФОР stops the line at 19.
                             DrawnLine{"StoppedByFarfor", 4, 3, {2, 1, 3, 2}, u"ФАРФОР ЖАЖДА ПОЖАР "},
                             // 18 + 6 = 24: ФАРФОР fits exactly.
                             DrawnLine{"FarforFitsExactly", 4, 3, {1, 1, 3, 2, 0}, u"ЖАЖДА ЖАЖДА ПОЖАР ФАРФОР "},
                             // 24 + 5 > 24: the line stays one short of the limit.
                             DrawnLine{"StopsAtTwentyFour", 5, 3, {4, 4, 4, 4, 4}, u"ПОВОД ПОВОД ПОВОД ПОВОД "}),
                         [](const testing::TestParamInfo<DrawnLine>& info) { return std::string(info.param.name); });

TEST(BuildLine, RejectsADrawOutsideTheRow)
{
    GameState state;
    EXPECT_THROW(BuildLine(state, 1, 1, 3, [](int32_t) { return 5; }), std::out_of_range);
    EXPECT_THROW(BuildLine(state, 1, 1, 2, [](int32_t) { return -1; }), std::out_of_range);
    EXPECT_THROW(BuildLine(state, 6, 1, 1, failingRandom()), std::out_of_range);
    EXPECT_THROW(BuildLine(state, 1, 6, 1, failingRandom()), std::out_of_range);
}

// Many random exercises: which entries occur, and the shape of every line.
struct Coverage {
    std::array<std::set<int32_t>, 5> entries;
    std::set<int32_t> arguments;
};

Coverage buildMany(int32_t level, int rounds)
{
    std::mt19937 engine(20240611);
    Coverage coverage;
    RandomFunction random = [&](int32_t n) {
        coverage.arguments.insert(n);
        return static_cast<int32_t>(engine() % static_cast<uint32_t>(n));
    };
    GameState state;
    for (int round = 0; round < rounds; ++round) {
        for (int32_t exercise = 1; exercise <= 5; ++exercise) {
            BuildExerciseLines(state, exercise, level, random);
            size_t longest = 0;
            for (int32_t entry = 0; entry < 5; ++entry)
                longest = std::max(longest, exerciseWord(exercise, entry).size());
            for (int32_t n = 1; n <= level + 2; ++n) {
                const std::u16string& line = state.line(n);
                EXPECT_LE(line.size(), 25u);
                // A line stops only because the next word did not fit.
                EXPECT_GE(line.size() + longest, 25u) << "exercise " << exercise << " line " << n;
                for (const std::u16string& word : wordsOf(line)) {
                    const int32_t entry = entryOf(exercise, word);
                    EXPECT_GE(entry, 0);
                    coverage.entries[static_cast<size_t>(exercise - 1)].insert(entry);
                }
            }
        }
    }
    return coverage;
}

TEST(BuildExerciseLines, LevelTwoDrawsOnlyAmongTheFirstThreeEntries)
{
    const Coverage coverage = buildMany(2, 200);
    EXPECT_EQ(coverage.arguments, std::set<int32_t>({3}));
    for (const std::set<int32_t>& entries : coverage.entries)
        EXPECT_EQ(entries, std::set<int32_t>({0, 1, 2}));
}

TEST(BuildExerciseLines, LevelThreeReachesAllFiveEntries)
{
    const Coverage coverage = buildMany(3, 200);
    EXPECT_EQ(coverage.arguments, std::set<int32_t>({5}));
    for (const std::set<int32_t>& entries : coverage.entries)
        EXPECT_EQ(entries, std::set<int32_t>({0, 1, 2, 3, 4}));
}

TEST(BuildExerciseLines, DrawsOncePerWordIncludingTheDroppedOne)
{
    ScriptedRandom script;  // always entry 0: ПОВАР, four to a line
    GameState state;
    BuildExerciseLines(state, 2, 2, script.function());
    for (int32_t n = 1; n <= 4; ++n)
        EXPECT_EQ(state.line(n), u"ПОВАР ПОВАР ПОВАР ПОВАР ");
    EXPECT_EQ(script.arguments.size(), 4u * 5u);
}

TEST(GameState, LineSlotsAndExpectedCharacter)
{
    GameState state;
    EXPECT_THROW(state.line(0), std::out_of_range);
    EXPECT_THROW(state.line(6), std::out_of_range);
    EXPECT_EQ(state.expectedChar(), u'\0');  // nothing drawn yet
    state.line(2) = u"ВОЛ ";
    state.CurrentLine = 2;
    state.CurrentPos = 4;
    EXPECT_EQ(state.expectedChar(), u' ');
    state.CurrentPos = 5;
    EXPECT_EQ(state.expectedChar(), u'\0');
    state.CurrentLine = 6;
    state.CurrentPos = 1;
    EXPECT_EQ(state.expectedChar(), u'\0');
}

}  // namespace
