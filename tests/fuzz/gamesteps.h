#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Arbitrary bytes decoded into the steps a pupil and the clocks can take on
// the main window, played through Game with a CheckingView, with the
// counters checked against an independent count after every step.
//
// Layout of an input: 8 header bytes stirred into the random generator,
// then steps. A step is an operation byte (taken modulo 32, see Op) and, for
// some operations, one argument byte. Missing bytes read as 0. Clicks reach
// the game only while their control is shown and enabled, as in the window;
// the pause button and "Начать заново" are always delivered (the game ignores
// them when they are disabled).

enum class Op : uint8_t {
    TypeExpected = 0,   // the key of the expected letter (also 1..11, 30, 31)
    RawKey = 12,        // virtual-key code = argument (also 13)
    SpecialKey = 14,    // argument picks from Enter, Escape, Space, Shift, 1, 2, 3, odd codes …
    WrongLetter = 15,   // a key-table key whose letter is not the expected one
    TypeBurst = 16,     // the expected key argument % 64 + 1 times
    LevelMenu = 17,     // menu N11/N21/N31, level argument % 3 + 1, if N4 is enabled
    LevelButton = 18,   // Button6/7/8, argument % 3, if they are shown
    Yes = 19,           // Button2 "Да", if shown
    No = 20,            // Button3 "Нет", if shown
    NewGame = 21,       // mnuNew "Начать заново"
    Pause = 22,         // LMDMMButton1 "Пауза"
    GameTicks = 23,     // Timer1, argument % 4 + 1 ticks (also 24)
    SessionTicks = 25,  // Timer3, argument % 16 + 1 ticks
    SessionJump = 26,   // Timer3, argument * 8 ticks
    ModalTicks = 27,    // every later message dialog stays open for argument % 4 ticks of both clocks
    OtherLetter = 28,   // a key of the table off the home row
    DoubleType = 29,    // the expected key twice in a row
};

// What a run went through, for tests that want to know a script reached
// where it meant to.
struct StepSummary {
    int64_t steps = 0;
    int64_t keys = 0;
    int gamesStarted = 0;
    int exercisesFinished = 0;
    int victories = 0;
    int errors = 0;
    int lampSwitches = 0;
    int32_t sessionSeconds = 0;
    bool closed = false;
};

// No more steps than this are taken from one input.
inline constexpr int64_t MaxStepsPerInput = 20000;

// Plays the input; throws CheckViolation when a rule breaks, and lets any
// exception of the game through.
StepSummary runGameSteps(const uint8_t* data, size_t size);

// The same, with every exception turned into its message: nullopt when all
// checks held.
std::optional<std::string> checkGameSteps(const uint8_t* data, size_t size, StepSummary* summary = nullptr);

// Inputs written step by step, for seeds and tests.
class StepScript {
public:
    explicit StepScript(uint64_t header = 0);
    StepScript& op(Op op);
    StepScript& op(Op op, uint8_t argument);
    StepScript& type(int count);  // the expected key, count times
    StepScript& key(uint8_t virtualKey) { return op(Op::RawKey, virtualKey); }
    // A whole game at the level: choose it by key and type every letter of
    // its five exercises.
    StepScript& perfectGame(int level);
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// The seed inputs: whole games at every level, pauses, wrong and odd keys,
// "Начать заново", play again and quit, two hours of session clock.
std::vector<std::vector<uint8_t>> gameSeedInputs();
