#include "game.h"

#include <stdexcept>
#include <utility>

#include "checked.h"
#include "clocktext.h"
#include "gameview.h"
#include "keytable.h"
#include "messages.h"
#include "virtualkeys.h"
#include "words.h"

Game::Game(GameView& view, RandomFunction random) : view_(view), random_(std::move(random))
{
    if (!random_)
        throw std::invalid_argument("Game needs a random function");
}

void Game::FormCreate()
{
    view_.setPrompt(std::u16string(LevelChoicePrompt));
    HideChoiceButtons();
    levelButtonsVisible_ = true;
    view_.setLevelButtonsVisible(true);
    setGameMenus(false, true);
    setPause(false, false);
    StopGameClock();
    view_.setStatisticsVisible(false);
    view_.setGamePanelsVisible(false);
    view_.setClockText(timeText(0));
    view_.setLettersText(decimalText(0));
    view_.setSpeedText(decimalText(0));
    view_.setErrorsText(decimalText(0));
    for (const LampSwitch& lamp : startupLamps())
        view_.setLamp(lamp.lamp, lamp.image);
}

void Game::LevelCommand(int32_t level)
{
    if (level < 1 || level > 3)
        throw std::out_of_range("level outside 1..3");
    state_.Level = level;
    view_.setPrompt(levelPrompt(level));
    StartGame(state_.Level);
}

void Game::Button6Click()
{
    HideChoiceButtons();
    LevelCommand(1);
}

void Game::Button7Click()
{
    HideChoiceButtons();
    LevelCommand(2);
}

void Game::Button8Click()
{
    HideChoiceButtons();
    LevelCommand(3);
}

void Game::StartGame(int32_t level)
{
    setGameMenus(true, false);
    HideChoiceButtons();
    ResetGameClock();
    state_.ErrorPending = false;
    view_.createField();
    state_.ExerciseNumber = 1;
    state_.ExerciseErrors = 0;
    state_.PriorErrors = 0;
    state_.ExerciseLetters = 0;
    state_.PriorLetters = 0;
    BuildExerciseLines(state_, state_.ExerciseNumber, level, random_);
    drawExercise();
    state_.CurrentLine = 1;
    state_.CurrentPos = 1;
    showNextExpected();
    view_.setGamePanelsVisible(true);
    // A game begins paused: the clock starts with the first key or when the
    // pause button is released.
    setPause(true, pauseEnabled_);
    applyPauseRule();
    ShowStatistics();
    setPause(true, true);
    view_.setLettersText(decimalText(0));
}

void Game::FormKeyDown(int32_t virtualKey)
{
    if (answerButtonsVisible_) {
        if (virtualKey == VkReturn)
            Button2Click();
        else if (virtualKey == VkEscape)
            Button3Click();
        return;
    }
    if (levelButtonsVisible_) {
        if (virtualKey == Vk1)
            Button6Click();
        else if (virtualKey == Vk2)
            Button7Click();
        else if (virtualKey == Vk3)
            Button8Click();
        return;
    }

    // A game is under way. The first key of a paused game resumes it and is
    // then judged like any other.
    if (pausePressed_) {
        setPause(false, pauseEnabled_);
        applyPauseRule();
    }

    const KeyRecord* key = findKeyByCode(virtualKey);
    if (key != nullptr && key->letter == state_.expectedChar()) {
        view_.markTypedLetter(state_);
        checkedIncrement(state_.CurrentPos);
        if (static_cast<size_t>(state_.CurrentPos) > state_.line(state_.CurrentLine).size()) {
            state_.CurrentPos = 1;
            checkedIncrement(state_.CurrentLine);
        }
        CompleteLetter();
        return;
    }

    // A wrong key counts once per position, however many follow it.
    if (!state_.ErrorPending) {
        checkedIncrement(state_.ExerciseErrors);
        state_.ErrorPending = true;
        view_.showMistake(state_);
        view_.playCue(Cue::Sound2);
    }
}

void Game::CompleteLetter()
{
    state_.ErrorPending = false;
    view_.playCue(Cue::Sound1);
    checkedIncrement(state_.ExerciseLetters);
    view_.setProgress(state_.TotalChars, state_.ExerciseLetters);
    view_.setLettersText(decimalText(checkedAdd(state_.ExerciseLetters, state_.PriorLetters)));

    if (state_.CurrentLine <= checkedAdd(state_.Level, 2)) {
        showNextExpected();
        return;
    }

    view_.playCue(Cue::Sound3);
    ShowExerciseResult();
    checkedIncrement(state_.ExerciseNumber);

    if (CheckWin()) {
        StopGameClock();
        // The fifth exercise counts towards the score like the other four.
        foldExerciseCounters();
        ShowVictory();
        endGame();
        return;
    }

    foldExerciseCounters();
    BuildExerciseLines(state_, state_.ExerciseNumber, state_.Level, random_);
    drawExercise();
    state_.CurrentLine = 1;
    state_.CurrentPos = 1;
    view_.repaintField();
    showNextExpected();
}

void Game::foldExerciseCounters()
{
    state_.PriorErrors = checkedAdd(state_.PriorErrors, state_.ExerciseErrors);
    state_.ExerciseErrors = 0;
    state_.PriorLetters = checkedAdd(state_.PriorLetters, state_.ExerciseLetters);
    state_.ExerciseLetters = 0;
}

void Game::ShowExerciseResult()
{
    StopGameClock();
    const int32_t index = checkedAdd(resultGroupStart(state_.ExerciseErrors), random_(5));
    view_.showMessage(std::u16string(resultMessage(index)), std::u16string(ResultTitle), InformationMessage);
    StartGameClock();
}

void Game::ShowVictory()
{
    const int32_t score = ComputeScore(state_.Level, state_.PriorErrors, state_.PriorLetters, state_.GameSeconds);
    view_.showMessage(victoryText(score), std::u16string(VictoryTitle), InformationMessage);
}

int32_t Game::ComputeScore(int32_t level, int32_t priorErrors, int32_t priorLetters, int32_t gameSeconds)
{
    int32_t accuracy;
    if (priorErrors <= 5)
        accuracy = checkedAdd(200, checkedMul(-20, priorErrors));
    else
        accuracy = checkedDiv(checkedMul(100, priorLetters), checkedAdd(checkedMul(5, priorErrors), priorLetters));
    const int32_t speed = checkedDiv(checkedMul(100, priorLetters), checkedAdd(priorLetters, gameSeconds));
    int32_t score = checkedAdd(checkedMul(50, level), 50);
    score = checkedAdd(score, accuracy);
    score = checkedAdd(score, 1);
    return checkedAdd(score, speed);
}

void Game::ShowStatistics()
{
    view_.setStatisticsVisible(true);
}

void Game::HideStatistics()
{
    view_.setStatisticsVisible(false);
    setPause(false, false);
}

void Game::HideChoiceButtons()
{
    answerButtonsVisible_ = false;
    levelButtonsVisible_ = false;
    view_.setAnswerButtonsVisible(false);
    view_.setLevelButtonsVisible(false);
}

void Game::mnuNewClick()
{
    // The menu item is enabled only while a game is under way.
    if (!newMenuEnabled_)
        return;
    endGame();
}

void Game::endGame()
{
    setGameMenus(false, true);
    // An abandoned game still has its expected key lit: put it back.
    if (!CheckWin())
        view_.markTypedLetter(state_);
    view_.setGamePanelsVisible(false);
    StopGameClock();
    view_.setPrompt(std::u16string(PlayAgainPrompt));
    HideStatistics();
    answerButtonsVisible_ = true;
    view_.setAnswerButtonsVisible(true);
}

void Game::Button2Click()
{
    view_.setPrompt(std::u16string(LevelChoicePrompt));
    HideChoiceButtons();
    levelButtonsVisible_ = true;
    view_.setLevelButtonsVisible(true);
}

void Game::Button3Click()
{
    view_.closeWindow();
}

void Game::SpeedButton1Click()
{
    if (!pauseEnabled_)
        return;
    setPause(!pausePressed_, pauseEnabled_);
    applyPauseRule();
}

void Game::Timer1Timer()
{
    // Ticks reach the game only while Timer1 is enabled.
    if (!gameClockRunning_)
        return;
    checkedIncrement(state_.GameSeconds);
    view_.setClockText(timeText(state_.GameSeconds));
    view_.setSpeedText(speedText(checkedAdd(state_.ExerciseLetters, state_.PriorLetters), state_.GameSeconds));
    view_.setErrorsText(errorsText(checkedAdd(state_.ExerciseErrors, state_.PriorErrors)));
}

void Game::Timer3Timer()
{
    checkedIncrement(state_.SessionSeconds);
    view_.setSessionHint(sessionHint(state_.SessionSeconds));
    for (const LampSwitch& lamp : lampSwitches(state_.SessionSeconds))
        view_.setLamp(lamp.lamp, lamp.image);
}

void Game::ResetGameClock()
{
    state_.GameSeconds = 0;
    view_.setClockText(timeText(0));
}

void Game::StopGameClock()
{
    gameClockRunning_ = false;
    view_.setGameClockRunning(false);
}

void Game::StartGameClock()
{
    gameClockRunning_ = true;
    view_.setGameClockRunning(true);
}

void Game::applyPauseRule()
{
    if (pausePressed_)
        StopGameClock();
    else
        StartGameClock();
}

void Game::setPause(bool pressed, bool enabled)
{
    pausePressed_ = pressed;
    pauseEnabled_ = enabled;
    view_.setPauseButton(pressed, enabled);
}

void Game::setGameMenus(bool newEnabled, bool levelMenuEnabled)
{
    newMenuEnabled_ = newEnabled;
    levelMenuEnabled_ = levelMenuEnabled;
    view_.setGameMenus(newEnabled, levelMenuEnabled);
}

void Game::showNextExpected()
{
    view_.showCursor(state_);
}

void Game::drawExercise()
{
    int32_t total = 0;
    for (int32_t n = 1; n <= checkedAdd(state_.Level, 2); ++n)
        total = checkedAdd(total, static_cast<int32_t>(state_.line(n).size()));
    state_.TotalChars = total;
    view_.drawExercise(state_);
    view_.setProgress(state_.TotalChars, 0);
}
