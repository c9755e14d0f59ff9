#include "checkingview.h"

#include <string_view>

#include "game.h"
#include "keytable.h"
#include "messages.h"
#include "words.h"

namespace {

constexpr std::u16string_view HomeRowLetters = u"ФЫВАПРОЛДЖЭ";
constexpr std::u16string_view VictoryLead = u"Поздравляем с успехом!\r\nВаши очки: ";

bool typeable(char16_t letter)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.letter == letter)
            return true;
    }
    return false;
}

// Words of home-row letters, each followed by exactly one space.
bool wellFormedLine(const std::u16string& line)
{
    if (line.empty() || line.size() > static_cast<size_t>(MaxLineLength) || line.back() != u' ')
        return false;
    bool previousSpace = true;  // a line does not start with a space
    for (char16_t c : line) {
        if (c == u' ') {
            if (previousSpace)
                return false;
            previousSpace = true;
        } else {
            if (HomeRowLetters.find(c) == std::u16string_view::npos)
                return false;
            previousSpace = false;
        }
    }
    return true;
}

std::string number(int64_t value)
{
    return std::to_string(value);
}

}  // namespace

void CheckingView::requireOpen(const char* call) const
{
    REQUIRE_RULE(!closed, std::string(call) + " after the window was closed");
}

void CheckingView::setLevelButtonsVisible(bool visible)
{
    requireOpen("setLevelButtonsVisible");
    levelButtons = visible;
}

void CheckingView::setAnswerButtonsVisible(bool visible)
{
    requireOpen("setAnswerButtonsVisible");
    answerButtons = visible;
}

void CheckingView::setPauseButton(bool pressed, bool enabled)
{
    pausePressed = pressed;
    pauseEnabled = enabled;
}

void CheckingView::setGameMenus(bool newEnabled, bool levelMenuEnabled)
{
    newMenu = newEnabled;
    levelMenu = levelMenuEnabled;
}

void CheckingView::setProgress(int32_t maximum, int32_t value)
{
    REQUIRE_RULE(maximum >= 0 && value >= 0 && value <= maximum,
                 "progress " + number(value) + " of " + number(maximum));
    progressMaximum = maximum;
    progressValue = value;
}

void CheckingView::setLamp(int lamp, int image)
{
    REQUIRE_RULE(lamp >= 0 && lamp <= 2 && image >= 0 && image <= 5, "lamp or lamp picture out of range");
    REQUIRE_RULE(image / 2 == lamp, "lamp " + number(lamp) + " given picture " + number(image));
    if (!creating) {
        REQUIRE_RULE(sessionTick, "a lamp changed outside a session clock tick");
        const int32_t s = game->state().SessionSeconds;
        REQUIRE_RULE(s == 1 || s == 901 || s == 1201, "a lamp changed at session second " + number(s));
    }
    lamps[static_cast<size_t>(lamp)] = image;
}

void CheckingView::setGameClockRunning(bool running)
{
    REQUIRE_RULE(!(running && modalOpen), "the game clock started while a message was open");
    clockRunning = running;
}

void CheckingView::createField()
{
    REQUIRE_RULE(!cursorShown, "a new typing field while a key was still lit");
    ++fieldsCreated;
}

void CheckingView::drawExercise(const GameState& state)
{
    REQUIRE_RULE(!cursorShown, "an exercise drawn while a key was still lit");
    REQUIRE_RULE(state.Level >= 1 && state.Level <= 3, "level " + number(state.Level));
    REQUIRE_RULE(state.ExerciseNumber >= 1 && state.ExerciseNumber <= 5,
                 "exercise " + number(state.ExerciseNumber) + " drawn");
    int64_t total = 0;
    for (int32_t n = 1; n <= state.Level + 2; ++n) {
        REQUIRE_RULE(wellFormedLine(state.line(n)), "line " + number(n) + " is not a line of home-row words");
        total += static_cast<int64_t>(state.line(n).size());
    }
    REQUIRE_RULE(state.TotalChars == total, "TotalChars " + number(state.TotalChars) + ", lines hold " + number(total));
}

void CheckingView::showCursor(const GameState& state)
{
    REQUIRE_RULE(!cursorShown, "a second key lit while one was lit");
    REQUIRE_RULE(state.CurrentLine >= 1 && state.CurrentLine <= state.Level + 2,
                 "cursor on line " + number(state.CurrentLine));
    REQUIRE_RULE(state.CurrentPos >= 1 && static_cast<size_t>(state.CurrentPos) <= state.line(state.CurrentLine).size(),
                 "cursor at position " + number(state.CurrentPos));
    REQUIRE_RULE(typeable(state.expectedChar()), "the expected letter has no key");
    cursorShown = true;
    cursorLine = state.CurrentLine;
    cursorPos = state.CurrentPos;
}

void CheckingView::markTypedLetter(const GameState& state)
{
    REQUIRE_RULE(cursorShown, "a typed letter marked while no key was lit");
    REQUIRE_RULE(state.CurrentLine == cursorLine && state.CurrentPos == cursorPos,
                 "the letter marked is not the one the cursor showed");
    cursorShown = false;
}

void CheckingView::repaintField()
{
    REQUIRE_RULE(fieldsCreated > 0, "the field repainted before it was created");
}

void CheckingView::showMistake(const GameState& state)
{
    REQUIRE_RULE(cursorShown && state.CurrentLine == cursorLine && state.CurrentPos == cursorPos,
                 "a mistake told away from the lit key");
    ++mistakes;
}

void CheckingView::playCue(Cue cue)
{
    switch (cue) {
    case Cue::Sound1: ++sound1; break;
    case Cue::Sound2:
        REQUIRE_RULE(mistakes == sound2 + 1, "an error cue without its mistake told first");
        ++sound2;
        break;
    case Cue::Sound3: ++sound3; break;
    }
}

void CheckingView::showMessage(const std::u16string& text, const std::u16string& title, int kind)
{
    requireOpen("showMessage");
    REQUIRE_RULE(!modalOpen, "a message opened over another");
    REQUIRE_RULE(!clockRunning, "a message opened while the game clock ran");
    REQUIRE_RULE(kind == InformationMessage, "message kind " + number(kind));
    const GameState& state = game->state();
    if (title == ResultTitle) {
        const int32_t first = resultGroupStart(state.ExerciseErrors);
        bool known = false;
        for (int32_t i = first; i < first + 5; ++i)
            known = known || text == resultMessage(i);
        REQUIRE_RULE(known, "a result message outside the group for " + number(state.ExerciseErrors) + " errors");
        ++results;
    } else {
        REQUIRE_RULE(title == VictoryTitle, "a message with an unknown title");
        REQUIRE_RULE(state.ExerciseNumber > 5, "victory after exercise " + number(state.ExerciseNumber));
        REQUIRE_RULE(text.size() > VictoryLead.size() + 1 && text.starts_with(VictoryLead) && text.back() == u'.',
                     "victory text");
        int32_t score = 0;
        for (size_t i = VictoryLead.size(); i + 1 < text.size(); ++i) {
            REQUIRE_RULE(text[i] >= u'0' && text[i] <= u'9' && score < 100000, "victory score is not a number");
            score = score * 10 + (text[i] - u'0');
        }
        // 50 per level + 50, accuracy 0..200, 1, speed 0..100.
        REQUIRE_RULE(score >= 50 * state.Level + 51 && score <= 50 * state.Level + 351,
                     "victory score " + number(score) + " at level " + number(state.Level));
        lastScore = score;
        ++victories;
    }
    modalOpen = true;
    if (duringModal)
        duringModal();
    modalOpen = false;
}

void CheckingView::closeWindow()
{
    requireOpen("closeWindow");
    REQUIRE_RULE(answerButtons, "the window closed outside the play-again question");
    closed = true;
}
