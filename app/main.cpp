// Пальцеход: a touch-typing trainer for children.
#include <QApplication>
#include <cstdio>
#include <exception>

#include "accessibility.h"
#include "classiclook.h"
#include "displaycheck.h"
#include "entropy.h"
#include "pictures.h"
#include "rndgen.h"
#include "scaledapplication.h"
#include "soundplayer.h"
#include "tform1.h"
#include "tform4.h"
#include "tform7.h"
#include "tform8.h"
#include "windowsystem.h"

namespace {

int run(int argc, char** argv)
{
    // Native Wayland or Xwayland, asked of the compositor before Qt chooses.
    const std::optional<CompositorOffer> offer = chooseWindowSystem(argc, argv);
    // At the desktop's scale rounded down to a whole number, so that pictures
    // stay crisp; smaller where the window would not fit.
    const std::unique_ptr<QApplication> application = makeScaledApplication(argc, argv);
    QApplication& app = *application;
    // The program's name for the system, as its command is named: the class
    // of its X windows (the desktop entry's StartupWMClass). The people see
    // the window titles; there is no display name, which desktops would
    // append to every title.
    QApplication::setApplicationName(QStringLiteral("paltsekhod"));
    // Lets Wayland desktops match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.paltsekhod.Paltsekhod"));
    applyClassicLook(app);
    // A screen reader lists the program, and starts each braille line, with
    // a name a Russian child reads. It keeps settings for the program under
    // that name too: Orca 51 makes a settings path of its Latin letters and
    // digits alone and fails on every event of a program whose name has
    // none, so the command's name stays in it.
    installAccessibility(QStringLiteral("Пальцеход (paltsekhod)"));
    followCompositorFrames(offer);

    RNDGen generator;
    EntropyFeeder feeder(generator);
    generator.RandomSourceStartup(feeder);

    SoundPlayer sound;
    // The windows in their order: the main window, the document viewer, the
    // message dialog, the About box. All live for the whole run.
    TForm1 Form1([&generator](int32_t n) { return generator.Random(n); }, primaryScreenInfo(), &sound);

    int status = 1;  // a screen the trainer cannot use ends the program without a game
    if (Form1.displayRefusals().isEmpty()) {
        // The main window goes up first; the dialogs, which its first paint
        // does not need, are built while the window system maps it.
        Form1.show();
        TForm7 Form7(Form1.buttonFaces(), &Form1);
        TForm8 Form8(Form1.buttonFaces(), &Form1);
        TForm4 Form4(aboutPicture(), &Form1);
        Form1.setDialogs(&Form7, &Form8, &Form4);
        status = app.exec();
    }
    generator.RandomSourceShutdown();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "paltsekhod: fatal error: %s\n", error.what());
        return 70;
    }
}
