#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game.h"
#include "gameview.h"
#include "keytable.h"

// A GameView that remembers what it was told: the last value of every
// control and, in order, a log of the calls that matter for the game flow.
class RecordingView : public GameView {
public:
    struct Message {
        std::u16string text;
        std::u16string title;
        int kind;
        bool clockRunning;    // game clock state while the dialog was open
        int32_t currentLine;  // CurrentLine of the game at that moment
        int32_t exerciseNumber;
    };

    // Set to read the game's state when a message is shown.
    const Game* game = nullptr;

    std::u16string prompt, clockText, lettersText, speedText, errorsText, sessionHint;
    bool levelButtons = false, answerButtons = false, pausePressed = false, pauseEnabled = false;
    bool statistics = false, panels = false, newMenu = false, levelMenu = false, clockRunning = false;
    int32_t progressMaximum = -1, progressValue = -1;
    std::array<int, 3> lamps{-1, -1, -1};
    std::vector<std::pair<int, int>> lampLog;
    std::vector<Cue> cues;
    std::vector<Message> messages;
    int createFieldCount = 0, drawCount = 0, cursorCount = 0, markCount = 0, repaintCount = 0, closeCount = 0;
    std::vector<std::string> log;

    void setPrompt(const std::u16string& text) override
    {
        prompt = text;
        log.push_back("prompt");
    }
    void setLevelButtonsVisible(bool visible) override
    {
        levelButtons = visible;
        log.push_back(visible ? "level buttons on" : "level buttons off");
    }
    void setAnswerButtonsVisible(bool visible) override
    {
        answerButtons = visible;
        log.push_back(visible ? "answer buttons on" : "answer buttons off");
    }
    void setPauseButton(bool pressed, bool enabled) override
    {
        pausePressed = pressed;
        pauseEnabled = enabled;
        log.push_back(std::string("pause ") + (pressed ? "pressed" : "released")
                      + (enabled ? " enabled" : " disabled"));
    }
    void setStatisticsVisible(bool visible) override
    {
        statistics = visible;
        log.push_back(visible ? "statistics on" : "statistics off");
    }
    void setGamePanelsVisible(bool visible) override
    {
        panels = visible;
        log.push_back(visible ? "panels on" : "panels off");
    }
    void setGameMenus(bool newEnabled, bool levelMenuEnabled) override
    {
        newMenu = newEnabled;
        levelMenu = levelMenuEnabled;
        log.push_back(std::string("menus ") + (newEnabled ? "new" : "-") + (levelMenuEnabled ? " level" : " -"));
    }
    void setClockText(const std::u16string& text) override
    {
        clockText = text;
        log.push_back("clock text");
    }
    void setLettersText(const std::u16string& text) override
    {
        lettersText = text;
        log.push_back("letters");
    }
    void setSpeedText(const std::u16string& text) override { speedText = text; }
    void setErrorsText(const std::u16string& text) override { errorsText = text; }
    void setProgress(int32_t maximum, int32_t value) override
    {
        progressMaximum = maximum;
        progressValue = value;
        log.push_back("progress");
    }
    void setSessionHint(const std::u16string& text) override { sessionHint = text; }
    void setLamp(int lamp, int image) override
    {
        lamps.at(static_cast<size_t>(lamp)) = image;
        lampLog.emplace_back(lamp, image);
    }
    void setGameClockRunning(bool running) override
    {
        clockRunning = running;
        log.push_back(running ? "clock on" : "clock off");
    }
    void createField() override
    {
        ++createFieldCount;
        log.push_back("create field");
    }
    void drawExercise(const GameState&) override
    {
        ++drawCount;
        log.push_back("draw");
    }
    void showCursor(const GameState&) override
    {
        ++cursorCount;
        log.push_back("cursor");
    }
    void markTypedLetter(const GameState&) override
    {
        ++markCount;
        log.push_back("mark");
    }
    void repaintField() override
    {
        ++repaintCount;
        log.push_back("repaint");
    }
    void showMistake(const GameState&) override { log.push_back("mistake"); }
    void playCue(Cue cue) override
    {
        cues.push_back(cue);
        log.push_back(cue == Cue::Sound1 ? "sound1" : cue == Cue::Sound2 ? "sound2" : "sound3");
    }
    void showMessage(const std::u16string& text, const std::u16string& title, int kind) override
    {
        messages.push_back({text, title, kind, clockRunning, game ? game->state().CurrentLine : 0,
                            game ? game->state().ExerciseNumber : 0});
        log.push_back("message");
    }
    void closeWindow() override
    {
        ++closeCount;
        log.push_back("close");
    }

    int count(Cue cue) const { return static_cast<int>(std::count(cues.begin(), cues.end(), cue)); }
    void clearLog() { log.clear(); }
};

// Numbers handed out in order, then `fallback` (or, with `cycle`, the number
// of draws so far modulo n); every argument is kept.
class ScriptedRandom {
public:
    std::deque<int32_t> values;
    std::vector<int32_t> arguments;
    int32_t fallback = 0;
    bool cycle = false;

    int32_t draw(int32_t n)
    {
        arguments.push_back(n);
        if (values.empty())
            return cycle ? static_cast<int32_t>(arguments.size() % static_cast<size_t>(n)) : fallback;
        const int32_t value = values.front();
        values.pop_front();
        return value;
    }

    RandomFunction function()
    {
        return [this](int32_t n) { return draw(n); };
    }
};

// The virtual-key code that types the letter (the space bar for a space).
inline int32_t keyFor(char16_t letter)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.letter == letter)
            return record.virtualKey;
    }
    return -1;
}

// True when `part` occurs in `whole` in the same order, not necessarily
// side by side.
inline bool isSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole)
{
    auto it = whole.begin();
    for (const std::string& item : part) {
        it = std::find(it, whole.end(), item);
        if (it == whole.end())
            return false;
        ++it;
    }
    return true;
}
