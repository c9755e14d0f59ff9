#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "gameview.h"

class Game;

// A rule of the game flow that did not hold; the message says which.
class CheckViolation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Throws CheckViolation(what) unless the condition holds; `what` is built
// only then.
#define REQUIRE_RULE(condition, what)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            throw CheckViolation(what);                                                                                \
    } while (false)

// A GameView that keeps what the window would show and checks every call
// against the rules a real window relies on: a key is lit only between
// showCursor and markTypedLetter, messages open only with the game clock
// stopped, lamps switch only when the session clock reaches their second,
// exercises hold only typeable home-row lines. The message dialog returns at
// once (after running `duringModal`, the nested event loop); closeWindow
// marks the window closed.
class CheckingView : public GameView {
public:
    const Game* game = nullptr;

    // What the window shows.
    bool levelButtons = false, answerButtons = false;
    bool pausePressed = false, pauseEnabled = false;
    bool statistics = false, panels = false;
    bool newMenu = false, levelMenu = false;
    bool clockRunning = false;
    int32_t progressMaximum = -1, progressValue = -1;
    std::u16string prompt, clockText, lettersText, speedText, errorsText, sessionHint;
    std::array<int, 3> lamps{-1, -1, -1};

    // The lit key: shown by showCursor, put back by markTypedLetter.
    bool cursorShown = false;
    int32_t cursorLine = 0, cursorPos = 0;

    bool closed = false;
    bool modalOpen = false;

    // Counts of what happened.
    int fieldsCreated = 0;
    int sound1 = 0, sound2 = 0, sound3 = 0;
    int mistakes = 0;
    int results = 0, victories = 0;
    int32_t lastScore = -1;

    // Set by the driver around FormCreate and around session clock ticks:
    // the only times a lamp may change.
    bool creating = false;
    bool sessionTick = false;

    // Runs inside the message dialog, as the nested event loop would.
    std::function<void()> duringModal;

    void setPrompt(const std::u16string& text) override { prompt = text; }
    void setLevelButtonsVisible(bool visible) override;
    void setAnswerButtonsVisible(bool visible) override;
    void setPauseButton(bool pressed, bool enabled) override;
    void setStatisticsVisible(bool visible) override { statistics = visible; }
    void setGamePanelsVisible(bool visible) override { panels = visible; }
    void setGameMenus(bool newEnabled, bool levelMenuEnabled) override;
    void setClockText(const std::u16string& text) override { clockText = text; }
    void setLettersText(const std::u16string& text) override { lettersText = text; }
    void setSpeedText(const std::u16string& text) override { speedText = text; }
    void setErrorsText(const std::u16string& text) override { errorsText = text; }
    void setProgress(int32_t maximum, int32_t value) override;
    void setSessionHint(const std::u16string& text) override { sessionHint = text; }
    void setLamp(int lamp, int image) override;
    void setGameClockRunning(bool running) override;
    void createField() override;
    void drawExercise(const GameState& state) override;
    void showCursor(const GameState& state) override;
    void markTypedLetter(const GameState& state) override;
    void repaintField() override;
    void showMistake(const GameState& state) override;
    void playCue(Cue cue) override;
    void showMessage(const std::u16string& text, const std::u16string& title, int kind) override;
    void closeWindow() override;

private:
    void requireOpen(const char* call) const;
};
