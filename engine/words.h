#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "gamestate.h"
#include "randomfunction.h"

// The words of the five exercises: row = exercise number - 1, entries 0..4.
// Every word uses only the home-row letters Ф Ы В А П Р О Л Д Ж Э.
extern const std::array<std::array<std::u16string_view, 5>, 5> WordTable;

// A line never grows beyond this many characters, its final space included.
inline constexpr int32_t MaxLineLength = 25;

// Word `entry` (0..4) of exercise `exerciseNumber` (1..5); anything else
// throws std::out_of_range.
std::u16string_view exerciseWord(int32_t exerciseNumber, int32_t entry);

// Builds slot `lineNumber` (1..5) of state.Lines for the exercise and level:
// words each followed by one space, a further word only while the line plus
// that word stays within 24 characters. Level 1 repeats entry 0 (line 1) or
// entry 1 (line 2), or alternates them (line 3), and leaves lines 4 and 5
// empty. Levels 2 and 3 draw every word, the one that no longer fits included,
// with random(2 * level - 1).
void BuildLine(GameState& state, int32_t lineNumber, int32_t exerciseNumber, int32_t level,
               const RandomFunction& random);

// Lines 1..level + 2 of the exercise; the other slots are left as they are.
void BuildExerciseLines(GameState& state, int32_t exerciseNumber, int32_t level, const RandomFunction& random);
