#include "gamesteps.h"

#include <array>
#include <exception>
#include <limits>
#include <tuple>

#include "checkingview.h"
#include "clocktext.h"
#include "game.h"
#include "keytable.h"
#include "messages.h"
#include "rndgen.h"
#include "virtualkeys.h"

namespace {

constexpr int32_t VkLetterA = 'F';  // "А": does nothing outside a game

// Keys worth trying in every state: the answer and level keys, the space
// bar, modifiers, a function key and codes no keyboard sends.
constexpr std::array<int32_t, 16> SpecialKeys = {
    VkReturn,
    VkEscape,
    VkSpace,
    VkShift,
    Vk1,
    Vk2,
    Vk3,
    VkSlash,
    VkF1,
    VkControl,
    VkSemicolon,
    0,
    -1,
    65536,
    std::numeric_limits<int32_t>::min(),
    std::numeric_limits<int32_t>::max(),
};

// Session seconds beyond which one input does not push the clock: well past
// the last lamp switch, and keeps an input's work small.
constexpr int32_t MaxSessionSeconds = 4000;

const KeyRecord* keyOfCode(int32_t virtualKey)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.virtualKey == virtualKey)
            return &record;
    }
    return nullptr;
}

int32_t codeOfLetter(char16_t letter)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.letter == letter)
            return record.virtualKey;
    }
    return VkLetterA;
}

// The lamp pictures for a session second: green lit for the first 15
// minutes, yellow until minute 20, red after.
std::array<int, 3> lampsAt(int32_t seconds)
{
    if (seconds < 1)
        return {0, 2, 4};
    if (seconds < 901)
        return {1, 2, 4};
    if (seconds < 1201)
        return {0, 3, 4};
    return {0, 2, 5};
}

std::string number(int64_t value)
{
    return std::to_string(value);
}

// One generator, seeded once from fixed figures and a fixed counter; every
// input starts from a copy of it and stirs its own header in.
const RNDGen& seededGenerator()
{
    static const RNDGen generator = [] {
        int64_t reading = 0;
        const auto figures = [] { return SeedFigures{0x12345678u, 0x9abcdef0u, 0x0fedcba9u, 45000.375}; };
        RNDGen gen(figures, [reading]() mutable { return reading += 977; });
        gen.SeedPool();
        return gen;
    }();
    return generator;
}

// What must not change when a key does nothing.
struct Quiet {
    GameState state;
    int sound1, sound2, sound3;
    bool levelButtons, answerButtons, cursorShown, clockRunning, closed;
    int fieldsCreated;

    bool operator==(const Quiet& other) const
    {
        const GameState& a = state;
        const GameState& b = other.state;
        return std::tie(a.Level, a.ExerciseNumber, a.Lines, a.TotalChars, a.CurrentLine, a.CurrentPos, a.GameSeconds,
                        a.ExerciseErrors, a.PriorErrors, a.ExerciseLetters, a.PriorLetters, a.ErrorPending)
                   == std::tie(b.Level, b.ExerciseNumber, b.Lines, b.TotalChars, b.CurrentLine, b.CurrentPos,
                               b.GameSeconds, b.ExerciseErrors, b.PriorErrors, b.ExerciseLetters, b.PriorLetters,
                               b.ErrorPending)
               && std::tie(sound1, sound2, sound3, levelButtons, answerButtons, cursorShown, clockRunning, closed,
                           fieldsCreated)
                      == std::tie(other.sound1, other.sound2, other.sound3, other.levelButtons, other.answerButtons,
                                  other.cursorShown, other.clockRunning, other.closed, other.fieldsCreated);
    }
};

class Driver {
public:
    Driver(const uint8_t* data, size_t size)
        : data_(data), size_(size), gen_(seededGenerator()), game_(view_, [this](int32_t n) { return draw(n); })
    {
        uint32_t words[2] = {0, 0};
        for (size_t i = 0; i < 8; ++i)
            words[i / 4] |= static_cast<uint32_t>(i < size ? data[i] : 0) << (8 * (i % 4));
        gen_.FeedWord(words[0]);
        gen_.FeedWord(words[1]);
        pos_ = 8;
        view_.game = &game_;
        view_.duringModal = [this] { modalLoop(); };
    }

    StepSummary run()
    {
        view_.creating = true;
        game_.FormCreate();
        view_.creating = false;
        afterStep();
        while (pos_ < size_ && !view_.closed && summary_.steps < MaxStepsPerInput) {
            step();
            ++summary_.steps;
            afterStep();
        }
        summary_.sessionSeconds = sessionSeconds_;
        summary_.closed = view_.closed;
        return summary_;
    }

private:
    uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

    bool inGame() const { return !view_.levelButtons && !view_.answerButtons; }

    int32_t draw(int32_t n)
    {
        REQUIRE_RULE(n > 0, "Random asked for 0.." + number(n) + "-1");
        const int32_t value = gen_.Random(n);
        REQUIRE_RULE(value >= 0 && value < n, "Random gave " + number(value) + " for " + number(n));
        return value;
    }

    int64_t counterReading() { return counter_ += 1 + (counter_ >> 7) % 13; }

    void step()
    {
        const uint8_t code = next() % 32;
        switch (code) {
        case 12:
        case 13: key(next()); break;
        case 14: key(SpecialKeys[next() % SpecialKeys.size()]); break;
        case 15: wrongLetter(next()); break;
        case 16:
            for (int n = next() % 64 + 1; n > 0 && !view_.closed; --n)
                typeExpected();
            break;
        case 17: {
            const int32_t level = next() % 3 + 1;
            if (view_.levelMenu)
                game_.LevelCommand(level);
            break;
        }
        case 18: {
            const uint8_t which = next() % 3;
            if (view_.levelButtons)
                which == 0 ? game_.Button6Click() : which == 1 ? game_.Button7Click() : game_.Button8Click();
            break;
        }
        case 19:
            if (view_.answerButtons)
                game_.Button2Click();
            break;
        case 20:
            if (view_.answerButtons)
                game_.Button3Click();
            break;
        case 21: game_.mnuNewClick(); break;
        case 22: game_.SpeedButton1Click(); break;
        case 23:
        case 24: gameTicks(next() % 4 + 1); break;
        case 25: sessionTicks(next() % 16 + 1); break;
        case 26: sessionTicks(next() * 8); break;
        case 27: modalTicks_ = next() % 4; break;
        case 28: otherLetter(next()); break;
        case 29: {
            const int32_t code = expectedCode();
            key(code);
            if (!view_.closed)
                key(code);
            break;
        }
        default: typeExpected(); break;
        }
    }

    int32_t expectedCode() const { return inGame() ? codeOfLetter(game_.state().expectedChar()) : VkLetterA; }

    void typeExpected() { key(expectedCode()); }

    void wrongLetter(uint8_t argument)
    {
        const char16_t expected = inGame() ? game_.state().expectedChar() : u'\0';
        size_t index = argument % KeyTable.size();
        if (KeyTable[index].letter == expected)
            index = (index + 1) % KeyTable.size();
        key(KeyTable[index].virtualKey);
    }

    void otherLetter(uint8_t argument)
    {
        std::array<int32_t, KeyTable.size()> codes{};
        size_t count = 0;
        for (const KeyRecord& record : KeyTable) {
            if (!record.active && record.letter != u' ')
                codes[count++] = record.virtualKey;
        }
        key(codes[argument % count]);
    }

    Quiet quiet() const
    {
        return {game_.state(),       view_.sound1,      view_.sound2,       view_.sound3, view_.levelButtons,
                view_.answerButtons, view_.cursorShown, view_.clockRunning, view_.closed, view_.fieldsCreated};
    }

    void key(int32_t virtualKey)
    {
        ++summary_.keys;
        gen_.keyboardEvent(counterReading());
        if (!inGame()) {
            const bool acts = view_.answerButtons ? (virtualKey == VkReturn || virtualKey == VkEscape)
                                                  : (virtualKey >= Vk1 && virtualKey <= Vk3);
            const Quiet before = quiet();
            game_.FormKeyDown(virtualKey);
            REQUIRE_RULE(acts || quiet() == before, "key " + number(virtualKey) + " changed something outside a game");
            return;
        }

        const GameState& state = game_.state();
        const KeyRecord* record = keyOfCode(virtualKey);
        const bool correct = record != nullptr && record->letter == state.expectedChar();
        const int32_t line = state.CurrentLine, pos = state.CurrentPos;
        const int sound1 = view_.sound1, sound2 = view_.sound2, sound3 = view_.sound3;
        const int results = view_.results, victories = view_.victories;

        game_.FormKeyDown(virtualKey);

        if (correct) {
            ++letters_;
            errorPending_ = false;
            REQUIRE_RULE(view_.sound1 == sound1 + 1, "a correct key did not sound once");
            REQUIRE_RULE(view_.sound2 == sound2, "a correct key sounded as wrong");
        } else {
            if (!errorPending_) {
                ++errors_;
                ++summary_.errors;
                REQUIRE_RULE(view_.sound2 == sound2 + 1, "the first wrong key at a letter did not sound once");
            } else {
                REQUIRE_RULE(view_.sound2 == sound2, "a repeated wrong key sounded again");
            }
            errorPending_ = true;
            REQUIRE_RULE(view_.sound1 == sound1 && view_.sound3 == sound3, "a wrong key sounded as correct");
            REQUIRE_RULE(state.CurrentLine == line && state.CurrentPos == pos, "a wrong key moved the cursor");
        }
        REQUIRE_RULE(view_.sound3 - sound3 == view_.results - results, "an exercise ended without its result message");
        REQUIRE_RULE(view_.sound3 - sound3 <= 1, "one key ended two exercises");
        summary_.exercisesFinished += view_.sound3 - sound3;
        summary_.victories += view_.victories - victories;
        if (inGame())
            REQUIRE_RULE(!view_.pausePressed && view_.clockRunning, "the game stayed paused after a key");
    }

    void gameTicks(int count)
    {
        for (int i = 0; i < count; ++i) {
            REQUIRE_RULE(game_.gameClockRunning() == view_.clockRunning, "the game and the window disagree on Timer1");
            const bool running = view_.clockRunning;
            game_.Timer1Timer();
            gen_.timerEvent(counterReading());
            if (running) {
                ++gameSeconds_;
                REQUIRE_RULE(view_.clockText == timeText(gameSeconds_), "the game clock text");
                REQUIRE_RULE(view_.errorsText == errorsText(static_cast<int32_t>(errors_)), "the error count shown");
            }
            REQUIRE_RULE(game_.state().GameSeconds == gameSeconds_, "GameSeconds " + number(game_.state().GameSeconds)
                                                                        + ", ticks counted " + number(gameSeconds_));
        }
    }

    void sessionTicks(int count)
    {
        for (int i = 0; i < count && sessionSeconds_ < MaxSessionSeconds; ++i) {
            const std::array<int, 3> lamps = view_.lamps;
            view_.sessionTick = true;
            game_.Timer3Timer();
            view_.sessionTick = false;
            ++sessionSeconds_;
            REQUIRE_RULE(game_.state().SessionSeconds == sessionSeconds_, "SessionSeconds");
            REQUIRE_RULE(view_.lamps == lampsAt(sessionSeconds_), "lamps at session second " + number(sessionSeconds_));
            if (view_.lamps != lamps)
                ++summary_.lampSwitches;
        }
    }

    // The nested loop of a message dialog: both clocks' timers may fire, the
    // game clock must stand still.
    void modalLoop()
    {
        for (int i = 0; i < modalTicks_; ++i) {
            gameTicks(1);
            sessionTicks(1);
        }
    }

    void afterStep()
    {
        if (view_.fieldsCreated != fieldsSeen_) {
            REQUIRE_RULE(view_.fieldsCreated == fieldsSeen_ + 1, "two games started in one step");
            fieldsSeen_ = view_.fieldsCreated;
            ++summary_.gamesStarted;
            letters_ = 0;
            errors_ = 0;
            errorPending_ = false;
            gameSeconds_ = 0;
        }
        if (view_.closed)
            return;

        const GameState& s = game_.state();
        REQUIRE_RULE(s.ExerciseLetters >= 0 && s.PriorLetters >= 0 && s.ExerciseErrors >= 0 && s.PriorErrors >= 0,
                     "a negative counter");
        REQUIRE_RULE(int64_t{s.PriorLetters} + s.ExerciseLetters == letters_,
                     "letters " + number(s.PriorLetters) + "+" + number(s.ExerciseLetters) + ", correct keys "
                         + number(letters_));
        REQUIRE_RULE(int64_t{s.PriorErrors} + s.ExerciseErrors == errors_, "errors " + number(s.PriorErrors) + "+"
                                                                               + number(s.ExerciseErrors)
                                                                               + ", wrong letters " + number(errors_));
        REQUIRE_RULE(s.GameSeconds == gameSeconds_, "GameSeconds moved without a tick");
        REQUIRE_RULE(s.SessionSeconds == sessionSeconds_, "SessionSeconds moved without a tick");
        REQUIRE_RULE(view_.lamps == lampsAt(sessionSeconds_), "lamps");
        REQUIRE_RULE(view_.sound3 == view_.results, "Sound3 without a result message");
        REQUIRE_RULE(game_.gameClockRunning() == view_.clockRunning, "the game and the window disagree on Timer1");

        if (inGame()) {
            REQUIRE_RULE(s.Level >= 1 && s.Level <= 3, "Level " + number(s.Level));
            REQUIRE_RULE(s.ExerciseNumber >= 1 && s.ExerciseNumber <= 5, "ExerciseNumber " + number(s.ExerciseNumber));
            REQUIRE_RULE(s.CurrentLine >= 1 && s.CurrentLine <= s.Level + 2, "CurrentLine " + number(s.CurrentLine));
            REQUIRE_RULE(s.CurrentPos >= 1 && static_cast<size_t>(s.CurrentPos) <= s.line(s.CurrentLine).size(),
                         "CurrentPos " + number(s.CurrentPos));
            REQUIRE_RULE(view_.cursorShown && view_.cursorLine == s.CurrentLine && view_.cursorPos == s.CurrentPos,
                         "the lit key is not the expected one");
            REQUIRE_RULE(s.ErrorPending == errorPending_, "ErrorPending");
            REQUIRE_RULE(view_.panels && view_.statistics, "game panels or statistics hidden during a game");
            REQUIRE_RULE(view_.newMenu && !view_.levelMenu, "menus during a game");
            REQUIRE_RULE(view_.pauseEnabled && view_.clockRunning == !view_.pausePressed, "pause rule");
            REQUIRE_RULE(view_.progressMaximum == s.TotalChars && view_.progressValue == s.ExerciseLetters,
                         "progress meter");
            REQUIRE_RULE(view_.lettersText == decimalText(static_cast<int32_t>(letters_)), "letters shown");
        } else {
            REQUIRE_RULE(view_.levelButtons != view_.answerButtons,
                         "level and answer buttons both shown or both hidden");
            REQUIRE_RULE(!view_.cursorShown, "a key stays lit outside a game");
            REQUIRE_RULE(!view_.clockRunning && !view_.pauseEnabled, "game clock or pause button live outside a game");
            REQUIRE_RULE(!view_.panels && !view_.statistics, "game panels shown outside a game");
            REQUIRE_RULE(!view_.newMenu && view_.levelMenu, "menus outside a game");
            REQUIRE_RULE(view_.prompt == (view_.levelButtons ? LevelChoicePrompt : PlayAgainPrompt), "prompt");
        }
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    RNDGen gen_;
    int64_t counter_ = 0;
    CheckingView view_;
    Game game_;

    // The independent count.
    int64_t letters_ = 0;
    int64_t errors_ = 0;
    bool errorPending_ = false;
    int32_t gameSeconds_ = 0;
    int32_t sessionSeconds_ = 0;
    int modalTicks_ = 0;
    int fieldsSeen_ = 0;
    StepSummary summary_;
};

}  // namespace

StepSummary runGameSteps(const uint8_t* data, size_t size)
{
    Driver driver(data, size);
    return driver.run();
}

std::optional<std::string> checkGameSteps(const uint8_t* data, size_t size, StepSummary* summary)
{
    try {
        const StepSummary result = runGameSteps(data, size);
        if (summary != nullptr)
            *summary = result;
        return std::nullopt;
    } catch (const CheckViolation& violation) {
        return std::string("check failed: ") + violation.what();
    } catch (const std::exception& error) {
        return std::string("the game threw: ") + error.what();
    } catch (...) {
        return std::string("the game threw something that is not an exception");
    }
}

StepScript::StepScript(uint64_t header)
{
    for (int i = 0; i < 8; ++i)
        bytes_.push_back(static_cast<uint8_t>(header >> (8 * i)));
}

StepScript& StepScript::op(Op op)
{
    bytes_.push_back(static_cast<uint8_t>(op));
    return *this;
}

StepScript& StepScript::op(Op op, uint8_t argument)
{
    bytes_.push_back(static_cast<uint8_t>(op));
    bytes_.push_back(argument);
    return *this;
}

StepScript& StepScript::type(int count)
{
    for (; count >= 64; count -= 64)
        op(Op::TypeBurst, 63);
    if (count > 0)
        op(Op::TypeBurst, static_cast<uint8_t>(count - 1));
    return *this;
}

StepScript& StepScript::perfectGame(int level)
{
    // Five exercises of level + 2 lines of at most 25 characters; what is
    // typed beyond the victory lands on the play-again question and does
    // nothing.
    op(Op::SpecialKey, static_cast<uint8_t>(3 + level));  // keys "1", "2", "3"
    return type(5 * (level + 2) * 25);
}

std::vector<std::vector<uint8_t>> gameSeedInputs()
{
    std::vector<std::vector<uint8_t>> seeds;
    for (int level = 1; level <= 3; ++level) {
        // A clean game; "Да" by Enter, a new game by key "2", "Начать
        // заново" and quit by Escape.
        seeds.push_back(StepScript(level)
                            .perfectGame(level)
                            .op(Op::SpecialKey, 0)
                            .op(Op::SpecialKey, 5)
                            .op(Op::NewGame)
                            .op(Op::SpecialKey, 1)
                            .bytes());

        // A game with wrong keys, pauses, clock ticks and messages that stay
        // open while the clocks tick.
        StepScript mixed(0x0101010101010101ull * level);
        mixed.op(Op::ModalTicks, 3).op(Op::LevelButton, static_cast<uint8_t>(level - 1)).op(Op::GameTicks, 3);
        for (int round = 0; round < 60; ++round) {
            mixed.type(7).op(Op::WrongLetter, static_cast<uint8_t>(round)).op(Op::WrongLetter, 5).type(3);
            mixed.op(Op::GameTicks, 1).op(Op::OtherLetter, static_cast<uint8_t>(round));
            if (round % 9 == 0)
                mixed.op(Op::Pause).op(Op::GameTicks, 2).op(Op::Pause);
            if (round % 13 == 0)
                mixed.op(Op::Pause).op(Op::RawKey, 65);
            mixed.op(Op::DoubleType).op(Op::SessionTicks, 15);
        }
        mixed.op(Op::Yes).op(Op::No);
        seeds.push_back(mixed.bytes());
    }

    // Abandoned games: "Начать заново" mid-line, a new game from the menu,
    // "Да" and a level by button, "Нет".
    StepScript abandon(7);
    abandon.op(Op::LevelMenu, 1)
        .type(5)
        .op(Op::NewGame)
        .op(Op::LevelMenu, 2)
        .type(40)
        .op(Op::NewGame)
        .op(Op::NewGame)
        .op(Op::Yes)
        .op(Op::LevelButton, 0)
        .op(Op::Pause)
        .op(Op::NewGame)
        .op(Op::No);
    seeds.push_back(abandon.bytes());

    // Every odd key in every state.
    StepScript odd(11);
    for (int round = 0; round < 3; ++round) {
        for (uint8_t i = 0; i < SpecialKeys.size(); ++i)
            odd.op(Op::SpecialKey, i);
        for (int code = 0; code < 256; code += 7)
            odd.key(static_cast<uint8_t>(code));
        odd.op(Op::LevelMenu, static_cast<uint8_t>(round));
    }
    seeds.push_back(odd.bytes());

    // The session clock across the lamp switches.
    StepScript session(13);
    for (int i = 0; i < 600; ++i)
        session.op(Op::SessionJump, 1);
    seeds.push_back(session.bytes());

    // The pupil closes the program at the first chance.
    seeds.push_back(StepScript(17).perfectGame(1).op(Op::No).bytes());
    return seeds;
}
