// TForm1: the trainer's main window.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "artwork.h"
#include "displaycheck.h"
#include "game.h"
#include "gameview.h"
#include "keyboardtemplate.h"
#include "keysdown.h"
#include "typingfield.h"

class QAction;
class QFrame;
class QMenu;
class ImageBox;
class PaintBox;
class PictureButton;
class ProgressMeter;
class RoundedShape;
class SidePanel;
class SimpleLabel;
class SoundPlayer;
class SpokenStatus;
class TForm4;
class TForm7;
class TForm8;
class TransparentPanel;

// The trainer's main window: the picture area with the typing field and the
// keyboard, the side panel with clock, lamps, buttons and statistics, the
// progress meter and the menu. It shows what the game tells it (GameView) and
// hands keys, clicks, menu commands and clock ticks to the game.
class TForm1 : public QMainWindow, public GameView {
    Q_OBJECT
public:
    // `screen` is asked once for the display checks; `random` feeds the game.
    TForm1(RandomFunction random, ScreenInfo screen, SoundPlayer* sound = nullptr);
    ~TForm1() override;

    // The secondary windows, created after this one.
    void setDialogs(TForm7* viewer, TForm8* messages, TForm4* about);

    // The display refusals shown during creation; non-empty means the program
    // must end without a game.
    const QStringList& displayRefusals() const { return displayRefusals_; }

    // The button faces (LMDImageList1) that the dialogs draw their buttons with.
    QList<QImage> buttonFaces() const;

    Game& game() { return *game_; }
    const TypingField& typingField() const { return typingField_; }
    const KeyboardTemplate& keyboardTemplate() const { return keyboard(); }

    // Menu commands.
    void N2Click();  // help (F1)
    void N9Click();  // teaching guidance
    void N6Click();  // About box
    void N8Click();  // sound switch
    void mnuExitClick();

    // GameView
    void setPrompt(const std::u16string& text) override;
    void setLevelButtonsVisible(bool visible) override;
    void setAnswerButtonsVisible(bool visible) override;
    void setPauseButton(bool pressed, bool enabled) override;
    void setStatisticsVisible(bool visible) override;
    void setGamePanelsVisible(bool visible) override;
    void setGameMenus(bool newEnabled, bool levelMenuEnabled) override;
    void setClockText(const std::u16string& text) override;
    void setLettersText(const std::u16string& text) override;
    void setSpeedText(const std::u16string& text) override;
    void setErrorsText(const std::u16string& text) override;
    void setProgress(int32_t maximum, int32_t value) override;
    void setSessionHint(const std::u16string& text) override;
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

    // Controls, under the names the trainer's documentation uses.
    QWidget* client = nullptr;
    QFrame* Panel1 = nullptr;
    ImageBox* Image8 = nullptr;
    SidePanel* Panel3 = nullptr;
    PaintBox* PaintBox1 = nullptr;
    SidePanel* Panel2 = nullptr;
    PaintBox* PaintBox2 = nullptr;
    ProgressMeter* LMDProgress1 = nullptr;
    SidePanel* LMDBackPanel1 = nullptr;
    RoundedShape* Shape1 = nullptr;
    ImageBox* Image1 = nullptr;
    ImageBox* Image2 = nullptr;
    ImageBox* Image3 = nullptr;
    ImageBox* Image4 = nullptr;
    SimpleLabel* LMDSimpleLabel1 = nullptr;
    SimpleLabel* Label1 = nullptr;
    PictureButton* LMDMMButton1 = nullptr;
    SimpleLabel* Label5 = nullptr;
    // Holds the keyboard focus and tells a screen reader what the side
    // panel and the field show; invisible, over Label5.
    SpokenStatus* Status = nullptr;
    TransparentPanel* LMDBackPanel3 = nullptr;
    PictureButton* Button2 = nullptr;
    PictureButton* Button3 = nullptr;
    PictureButton* Button6 = nullptr;
    PictureButton* Button7 = nullptr;
    PictureButton* Button8 = nullptr;
    ImageBox* Image5 = nullptr;
    ImageBox* Image6 = nullptr;
    ImageBox* Image7 = nullptr;
    SimpleLabel* Label2 = nullptr;
    SimpleLabel* LMDSimpleLabel2 = nullptr;
    SimpleLabel* Label6 = nullptr;
    SimpleLabel* LMDSimpleLabel3 = nullptr;
    SimpleLabel* Label7 = nullptr;
    SimpleLabel* LMDSimpleLabel4 = nullptr;

    QMenu* N1 = nullptr;
    QMenu* N4 = nullptr;
    QAction* N11 = nullptr;
    QAction* N21 = nullptr;
    QAction* N31 = nullptr;
    QAction* mnuNew = nullptr;
    QAction* N8 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* N3 = nullptr;
    QAction* N9 = nullptr;
    QAction* N2 = nullptr;
    QAction* N6 = nullptr;

    QTimer Timer1;  // game clock
    QTimer Timer3;  // session clock

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildPictureArea();
    void buildSidePanel();
    void buildMenu();
    // What assistive technology is told (tform1_accessible.cpp).
    void describeForAssistiveTech();
    void describeLamp(int lamp, int image);
    void describeField(const GameState& state);
    void describeKeyUnlit();
    void describePrompt(const std::u16string& prompt);
    void describeChoice(bool levels);
    void describeExercise(const GameState& state);
    QString spokenLine() const;
    QString spokenStatus() const;
    QStringList statisticsReadings() const;
    void connectCommands();
    // A key struck in this window: help, a screen reader's command, or the
    // game's.
    void judgeKey(const QKeyEvent& keyEvent);
    void FormActivate();
    void centreOnScreen();
    KeyboardTemplate& keyboard() const;
    void finishAfterFirstPaint();
    // Runs an engine call; a counter overflow ends the program with an error.
    void guarded(const std::function<void()>& call);

    QStringList displayRefusals_;
    SoundPlayer* sound_ = nullptr;
    Artwork artwork_;
    TypingField typingField_;
    // The keyboard picture is not on the first screen: it is built once the
    // window has been painted, or when a game needs it sooner.
    mutable std::unique_ptr<KeyboardTemplate> keyboardTemplate_;
    std::unique_ptr<Game> game_;
    TForm7* Form7_ = nullptr;
    TForm8* Form8_ = nullptr;
    TForm4* Form4_ = nullptr;
    bool activatedOnce_ = false;
    KeysDown keysDown_;
};
