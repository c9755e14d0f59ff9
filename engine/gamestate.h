#pragma once

#include <array>
#include <cstdint>
#include <string>

// The trainer's counters, positions and exercise lines. Positions are 1-based;
// every counter is a signed 32-bit integer changed only through checked
// arithmetic (see checked.h). The pictures drawn from this state live with the
// display code, not here.
struct GameState {
    int32_t Level = 1;                    // 1..3, chosen by the level commands
    int32_t ExerciseNumber = 0;           // 1..5 during a game; the game is won when it exceeds 5
    std::array<std::u16string, 6> Lines;  // slots 1..5 (slot 0 unused); Level + 2 in use
    int32_t TotalChars = 0;               // sum of the lengths of the lines in use
    int32_t CurrentLine = 0;              // line of the expected character
    int32_t CurrentPos = 0;               // position of the expected character in its line
    int32_t GameSeconds = 0;
    int32_t SessionSeconds = 0;
    int32_t ExerciseErrors = 0;
    int32_t PriorErrors = 0;
    int32_t ExerciseLetters = 0;
    int32_t PriorLetters = 0;
    bool ErrorPending = false;

    // Slot n of Lines; n outside 1..5 throws std::out_of_range.
    const std::u16string& line(int32_t n) const;
    std::u16string& line(int32_t n);

    // The character at CurrentPos of line CurrentLine, or u'\0' when the
    // position lies outside the line (no exercise drawn yet).
    char16_t expectedChar() const;
};
