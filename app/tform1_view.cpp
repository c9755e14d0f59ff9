// The main window's side of the game: what the game flow shows, draws,
// plays and asks.
#include <QCoreApplication>
#include <QFrame>
#include <QMenu>

#include "sidepanel.h"

#include "imagebox.h"
#include "messages.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "progressmeter.h"
#include "simplelabel.h"
#include "soundplayer.h"
#include "spokenstatus.h"
#include "tform1.h"
#include "tform8.h"

// The game names the kind of its messages by number; the message window
// draws its icon from the same number.
static_assert(InformationMessage == TForm8::Information);

namespace {
// How long a message waits at most for the keys to come up.
constexpr int keyUpPatienceMs = 500;

QString qs(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

// The game's cues are the player's, one for one.
static_assert(int(Cue::Sound1) == int(SoundPlayer::Cue::Sound1) && int(Cue::Sound2) == int(SoundPlayer::Cue::Sound2)
              && int(Cue::Sound3) == int(SoundPlayer::Cue::Sound3));
}  // namespace

void TForm1::setPrompt(const std::u16string& text)
{
    Label5->setText(qs(text));
    describePrompt(text);
}

void TForm1::setLevelButtonsVisible(bool visible)
{
    Button6->setVisible(visible);
    Button7->setVisible(visible);
    Button8->setVisible(visible);
    if (visible)
        describeChoice(true);
}

void TForm1::setAnswerButtonsVisible(bool visible)
{
    Button2->setVisible(visible);
    Button3->setVisible(visible);
    if (visible)
        describeChoice(false);
}

void TForm1::setPauseButton(bool pressed, bool enabled)
{
    LMDMMButton1->setPressed(pressed);
    LMDMMButton1->setEnabled(enabled);
}

void TForm1::setStatisticsVisible(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, Label6, Label7, LMDSimpleLabel2, LMDSimpleLabel3,
                                                      LMDSimpleLabel4, Image5, Image6, Image7})
        w->setVisible(visible);
    Image8->setVisible(!visible);
}

void TForm1::setGamePanelsVisible(bool visible)
{
    Panel3->setVisible(visible);
    Panel2->setVisible(visible);
}

void TForm1::setGameMenus(bool newEnabled, bool levelMenuEnabled)
{
    mnuNew->setEnabled(newEnabled);
    N4->menuAction()->setEnabled(levelMenuEnabled);
}

void TForm1::setClockText(const std::u16string& text)
{
    LMDSimpleLabel1->setText(qs(text));
}

void TForm1::setLettersText(const std::u16string& text)
{
    LMDSimpleLabel2->setText(qs(text));
}

void TForm1::setSpeedText(const std::u16string& text)
{
    LMDSimpleLabel3->setText(qs(text));
}

void TForm1::setErrorsText(const std::u16string& text)
{
    LMDSimpleLabel4->setText(qs(text));
}

void TForm1::setProgress(int32_t maximum, int32_t value)
{
    LMDProgress1->setMaximum(maximum);
    LMDProgress1->setValue(value);
}

void TForm1::setSessionHint(const std::u16string& text)
{
    const QString hint = qs(text);
    Image1->setToolTip(hint);
    Image2->setToolTip(hint);
    Image3->setToolTip(hint);
}

void TForm1::setLamp(int lamp, int image)
{
    ImageBox* lamps[] = {Image1, Image2, Image3};
    if (lamp < 0 || lamp >= 3 || image < 0 || image >= int(artwork_.lamps.size()))
        return;
    lamps[lamp]->setImage(artwork_.lamps[size_t(image)]);
    describeLamp(lamp, image);
}

void TForm1::setGameClockRunning(bool running)
{
    if (running)
        Timer1.start();
    else
        Timer1.stop();
}

void TForm1::createField()
{
    keyboard();
    typingField_.create();
}

void TForm1::drawExercise(const GameState& state)
{
    // The screen shows the new picture at the next paint of the field.
    typingField_.drawExercise(state);
    describeExercise(state);
}

void TForm1::showCursor(const GameState& state)
{
    PaintBox1->update(typingField_.showCursor(state));
    if (const auto key = keyboard().markExpectedKey(state))
        PaintBox2->update(*key);
    describeField(state);
}

void TForm1::markTypedLetter(const GameState& state)
{
    PaintBox1->update(typingField_.markTypedLetter(state));
    if (const auto key = keyboard().unmarkKey(state))
        PaintBox2->update(*key);
    describeKeyUnlit();
}

void TForm1::repaintField()
{
    Panel3->repaint();
}

void TForm1::playCue(Cue cue)
{
    if (sound_ && N8->isChecked())
        sound_->play(SoundPlayer::Cue(cue));
}

void TForm1::showMessage(const std::u16string& text, const std::u16string& title, int kind)
{
    if (!Form8_)
        return;
    // A screen reader that handles the key after the window would answer
    // the key that ended the exercise with an echo into the message's
    // reading: the message comes once the key is up. (Before Qt 6.8 too:
    // Qt hands the key on regardless when the reader's answer is late.)
    if (Status->listening())
        keysDown_.waitUntilUp(keyUpPatienceMs);
    for (std::unique_ptr<QKeyEvent>& key : keysDown_.takeKept())
        QCoreApplication::postEvent(Form8_, key.release());
    Form8_->showMessage(qs(text), qs(title), kind);
}

void TForm1::closeWindow()
{
    close();
}
