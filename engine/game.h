#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gamestate.h"
#include "randomfunction.h"

class GameView;

// The typing session and game flow: level choice, pause, key judging,
// exercise results, victory, play again. Handlers keep the names of the main
// window's events they serve.
class Game {
public:
    Game(GameView& view, RandomFunction random);

    const GameState& state() const { return state_; }

    // Puts the view into the start state: the level-choice prompt and buttons,
    // dark lamps, the clock at "00:00". Called once when the window is created.
    void FormCreate();

    // Level commands: menu N11/N21/N31 call LevelCommand directly, the level
    // buttons hide the choice buttons first.
    void LevelCommand(int32_t level);
    void Button6Click();
    void Button7Click();
    void Button8Click();

    void Button2Click();       // "Да": back to the level choice
    void Button3Click();       // "Нет": close the window
    void mnuNewClick();        // "Начать заново": end the game, ask to play again
    void SpeedButton1Click();  // "Пауза" toggled
    void FormKeyDown(int32_t virtualKey);
    void Timer1Timer();  // game clock tick
    void Timer3Timer();  // session clock tick

    bool CheckWin() const { return state_.ExerciseNumber > 5; }

    // What the view shows, for the window and for tests.
    bool levelButtonsVisible() const { return levelButtonsVisible_; }
    bool answerButtonsVisible() const { return answerButtonsVisible_; }
    bool pausePressed() const { return pausePressed_; }
    bool pauseEnabled() const { return pauseEnabled_; }
    bool gameClockRunning() const { return gameClockRunning_; }
    bool newMenuEnabled() const { return newMenuEnabled_; }      // mnuNew "Начать заново"
    bool levelMenuEnabled() const { return levelMenuEnabled_; }  // N4, the level submenu

    // The victory score over the game's letters and errors (all five
    // exercises) and its playing time; checked arithmetic, truncating
    // divisions.
    static int32_t ComputeScore(int32_t level, int32_t priorErrors, int32_t priorLetters, int32_t gameSeconds);

private:
    void StartGame(int32_t level);
    void CompleteLetter();
    void ShowExerciseResult();
    void ShowVictory();
    void ShowStatistics();
    void HideStatistics();
    void HideChoiceButtons();
    void ResetGameClock();
    void StopGameClock();
    void StartGameClock();
    void applyPauseRule();
    void setPause(bool pressed, bool enabled);
    void showNextExpected();
    void drawExercise();
    void setGameMenus(bool newEnabled, bool levelMenuEnabled);
    void foldExerciseCounters();
    void endGame();

    GameView& view_;
    RandomFunction random_;
    GameState state_;
    bool levelButtonsVisible_ = false;
    bool answerButtonsVisible_ = false;
    bool pausePressed_ = false;
    bool pauseEnabled_ = false;
    bool gameClockRunning_ = false;
    bool newMenuEnabled_ = false;
    bool levelMenuEnabled_ = true;
};
