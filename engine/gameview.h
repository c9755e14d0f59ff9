#pragma once

#include <cstdint>
#include <string>

struct GameState;

// The three sound cues.
enum class Cue { Sound1, Sound2, Sound3 };

// Everything the game flow needs from the outside world: the main window's
// controls, the typing field and keyboard drawing, the game clock, the sound
// player and the message dialog. The main window implements it; tests fake it.
class GameView {
public:
    virtual ~GameView() = default;

    // Side panel and menu.
    virtual void setPrompt(const std::u16string& text) = 0;       // Label5
    virtual void setLevelButtonsVisible(bool visible) = 0;        // Button6, Button7, Button8
    virtual void setAnswerButtonsVisible(bool visible) = 0;       // Button2 "Да", Button3 "Нет"
    virtual void setPauseButton(bool pressed, bool enabled) = 0;  // LMDMMButton1 "Пауза"
    virtual void setStatisticsVisible(bool visible) = 0;  // the nine statistics controls; Image8 shows when they hide
    virtual void setGamePanelsVisible(bool visible) = 0;  // Panel3 (typing field) and Panel2 (keyboard)
    virtual void setGameMenus(bool newEnabled, bool levelMenuEnabled) = 0;  // mnuNew, N4
    virtual void setClockText(const std::u16string& text) = 0;              // LMDSimpleLabel1
    virtual void setLettersText(const std::u16string& text) = 0;            // LMDSimpleLabel2
    virtual void setSpeedText(const std::u16string& text) = 0;              // LMDSimpleLabel3
    virtual void setErrorsText(const std::u16string& text) = 0;             // LMDSimpleLabel4
    virtual void setProgress(int32_t maximum, int32_t value) = 0;           // LMDProgress1
    virtual void setSessionHint(const std::u16string& text) = 0;            // tooltip of Image1..Image3
    virtual void setLamp(int lamp, int image) = 0;  // lamp 0..2 (Image1..Image3) shows lamp picture 0..5

    // Game clock Timer1 (1000 ms); the session clock always runs.
    virtual void setGameClockRunning(bool running) = 0;

    // Typing field and keyboard template.
    virtual void createField() = 0;                            // new TypingBitmap
    virtual void drawExercise(const GameState& state) = 0;     // lines in grey on white
    virtual void showCursor(const GameState& state) = 0;       // underline + lit key of the expected letter
    virtual void markTypedLetter(const GameState& state) = 0;  // expected letter black, underline erased, key unlit
    virtual void repaintField() = 0;                           // Panel3 repainted at once
    // A counted mistake: the first wrong key at the expected letter, told
    // before its cue; the wrong keys that follow it at that place are not.
    virtual void showMistake(const GameState& state) = 0;

    // Sound; the view decides whether sound is switched on.
    virtual void playCue(Cue cue) = 0;

    // Modal message dialog; returns when the dialog is closed.
    virtual void showMessage(const std::u16string& text, const std::u16string& title, int kind) = 0;

    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
};
