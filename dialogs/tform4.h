// TForm4: the About box, also the splash screen at start.
#pragma once

#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QTimer>
#include <memory>
#include <vector>

class FillBar;
class ImageBox;
class QPushButton;
class SimpleLabel;

// The About box. Shown once as a splash screen whose fill bar grows 10 % every
// half second and which closes itself on the eleventh tick, and later as the
// About box with an "ОК" button. It has no close box and ignores Escape: the
// only ways out are the eleventh tick and "ОК". The keys struck while the
// splash is up are kept for the main window, which judges them once the
// splash has gone: a child who starts before it closes loses nothing.
class TForm4 : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTickMs = 500;
    static constexpr int kLastTick = 10;  // the bar is full here; the next tick closes

    // `aboutPicture`: 96 × 96 on a lime (0x00FF00) background, which is left out.
    explicit TForm4(const QImage& aboutPicture, QWidget* parent = nullptr);

    // Modal with the fill bar, until the animation ends. The animation runs
    // once per program (its timer starts with the window); when it has
    // already ended, or was cut short by the About box, there is nothing that
    // would close a splash and this returns at once.
    void showAsSplash();
    // Modal with "ОК" instead of the bar, until "ОК" is pressed; stops the
    // animation for good.
    void showAsAbout();

    // The animation tick: the counter goes up by one; past kLastTick the
    // timer stops and the window closes, else the bar shows counter × 10 %.
    void Timer1Timer();
    int splashCounter() const { return splashCounter_; }
    // The key presses the splash has kept, oldest first; each is handed out
    // once.
    std::vector<std::unique_ptr<QKeyEvent>> takeSplashKeys();

    QTimer& Timer1() { return timer1_; }
    ImageBox* Image1() const { return image1_; }
    SimpleLabel* LMDSimpleLabel1() const { return label1_; }
    SimpleLabel* LMDSimpleLabel2() const { return label2_; }
    SimpleLabel* LMDSimpleLabel3() const { return label3_; }
    SimpleLabel* LMDSimpleLabel4() const { return label4_; }
    FillBar* LMDProgressFill1() const { return progressFill1_; }
    QPushButton* LMDButton1() const { return button1_; }

public slots:
    // Escape and the window system's close requests do nothing.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LMDButton1Click();

    ImageBox* image1_;
    SimpleLabel* label1_;
    SimpleLabel* label2_;
    SimpleLabel* label3_;
    SimpleLabel* label4_;
    FillBar* progressFill1_;
    QPushButton* button1_;
    QTimer timer1_;
    int splashCounter_ = 0;  // never reset
    std::vector<std::unique_ptr<QKeyEvent>> splashKeys_;
};
