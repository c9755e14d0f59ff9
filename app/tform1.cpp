#include "tform1.h"

#include <QAccessible>
#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "colorref.h"
#include "fonts.h"
#include "imagebox.h"
#include "keymap.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "pictures.h"
#include "progressmeter.h"
#include "roundedshape.h"
#include "sidepanel.h"
#include "simplelabel.h"
#include "soundplayer.h"
#include "spokenstatus.h"
#include "tform4.h"
#include "tform7.h"
#include "tform8.h"
#include "titlebar.h"
#include "transparentpanel.h"

namespace {

// Every control is made with its object name, the name the trainer's
// documentation gives it: tests and assistive technology find it by that.
template <typename W>
W* make(QWidget* parent, const char* name)
{
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <typename W>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* widget = make<W>(parent, name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

SimpleLabel* label(QWidget* parent, const char* name, const QRect& box, const QString& text, const QFont& font)
{
    auto* l = place<SimpleLabel>(parent, name, box.x(), box.y(), box.width(), box.height());
    l->setFont(font);
    l->setAlignment(SimpleLabel::Align::Center);
    l->setText(text);
    return l;
}

SidePanel* loweredPanel(QWidget* parent, const char* name, const QRect& box)
{
    auto* panel = place<SidePanel>(parent, name, box.x(), box.y(), box.width(), box.height());
    panel->setBevels(Bevel::Lowered, Bevel::Lowered);
    return panel;
}

}  // namespace

TForm1::TForm1(RandomFunction random, ScreenInfo screen, SoundPlayer* sound) : sound_(sound)
{
    setWindowTitle(QStringLiteral("Пальцеход"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The display is checked before anything is drawn.
    displayRefusals_ = displayProblems(screen);
    for (const QString& refusal : displayRefusals_) {
        // Also on the terminal: on an 8-bit screen Qt cannot paint the box's text.
        std::fprintf(stderr, "%s\n%s\n", qPrintable(displayProblemTitle()), qPrintable(refusal));
        QMessageBox::critical(nullptr, displayProblemTitle(), refusal);
    }

    artwork_ = makeArtwork();

    client = make<QWidget>(this, "client");
    client->setFixedSize(792, 554);
    setCentralWidget(client);
    buildPictureArea();
    buildSidePanel();
    buildMenu();
    describeForAssistiveTech();

    Timer1.setInterval(1000);
    Timer3.setInterval(1000);

    game_ = std::make_unique<Game>(*this, std::move(random));
    game_->FormCreate();
    connectCommands();
    Timer3.start();

    qApp->installEventFilter(this);
    TitleBar::installWhereWanted(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    centreOnScreen();
    // Keys reach the window through the focus, which the spoken status
    // holds: a screen reader follows it there.
    client->setFocusProxy(Status);
    client->setFocus();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::buildPictureArea()
{
    Panel1 = place<QFrame>(client, "Panel1", 4, 4, 617, 497);
    Image8 = place<ImageBox>(Panel1, "Image8", 0, 0, 617, 497);
    Image8->setImage(backgroundPicture());

    Panel3 = loweredPanel(Panel1, "Panel3", {4, 26, 609, 259});
    PaintBox1 = place<PaintBox>(Panel3, "PaintBox1", 4, 4, 601, 251);
    PaintBox1->setSource(&typingField_.image());
    Panel3->hide();

    Panel2 = loweredPanel(Panel1, "Panel2", {4, 311, 609, 159});
    PaintBox2 = place<PaintBox>(Panel2, "PaintBox2", 4, 4, 601, 151);
    Panel2->hide();

    LMDProgress1 = place<ProgressMeter>(client, "LMDProgress1", 10, 510, 607, 38);
    LMDProgress1->setFont(courierNew(19, false));
    LMDProgress1->setSegments(20);
    LMDProgress1->setMaximum(100);
    LMDProgress1->setValue(100);
}

void TForm1::buildSidePanel()
{
    const QFont font = courierNew(19, true);
    const QList<QImage> faces = buttonFaces();
    auto button = [&](QWidget* parent, const char* name, int left, int top, const QString& caption) {
        auto* b = place<PictureButton>(parent, name, left, top, 150, 40);
        b->setFont(font);
        b->setFaces(faces);
        b->setCaption(caption);
        return b;
    };
    auto picture = [&](QWidget* parent, const char* name, int left, int top, int width, int height,
                       const QImage& image) {
        auto* p = place<ImageBox>(parent, name, left, top, width, height);
        p->setImage(image);
        p->setTransparent(true);
        return p;
    };

    LMDBackPanel1 = place<SidePanel>(client, "LMDBackPanel1", 627, 4, 161, 544);
    Shape1 = place<RoundedShape>(LMDBackPanel1, "Shape1", 0, 0, 160, 544);
    Shape1->setColor(colorRef(clAppWorkSpace));

    Image1 = picture(LMDBackPanel1, "Image1", 10, 10, 40, 40, artwork_.lamps[0]);
    Image2 = picture(LMDBackPanel1, "Image2", 60, 10, 40, 40, artwork_.lamps[2]);
    Image3 = picture(LMDBackPanel1, "Image3", 110, 10, 40, 40, artwork_.lamps[4]);
    Image4 = picture(LMDBackPanel1, "Image4", 10, 60, 140, 40, artwork_.plaques[0]);
    LMDSimpleLabel1 = label(LMDBackPanel1, "LMDSimpleLabel1", {40, 70, 80, 21}, QStringLiteral("00:00"), font);
    Label1 = label(LMDBackPanel1, "Label1", {40, 110, 81, 20}, QStringLiteral("Время"), font);

    LMDMMButton1 = button(LMDBackPanel1, "LMDMMButton1", 5, 175, QStringLiteral("Пауза"));
    LMDMMButton1->setGroupIndex(1);
    LMDMMButton1->setAllowAllUp(true);
    LMDMMButton1->setEnabled(false);

    Label5 = label(LMDBackPanel1, "Label5", {10, 220, 141, 101}, QStringLiteral("Выбери игру"), font);
    Label5->setAlignment(SimpleLabel::Align::BottomCenter);
    Label5->setWordWrap(true);
    Status = place<SpokenStatus>(LMDBackPanel1, "Status", 10, 220, 141, 101);

    LMDBackPanel3 = place<TransparentPanel>(LMDBackPanel1, "LMDBackPanel3", 3, 330, 155, 202);
    Button2 = button(LMDBackPanel3, "Button2", 2, 0, QStringLiteral("Да"));
    Button3 = button(LMDBackPanel3, "Button3", 2, 50, QStringLiteral("Нет"));
    Button6 = button(LMDBackPanel3, "Button6", 2, 0, QStringLiteral("1"));
    Button7 = button(LMDBackPanel3, "Button7", 2, 50, QStringLiteral("2"));
    Button8 = button(LMDBackPanel3, "Button8", 2, 100, QStringLiteral("3"));

    Image5 = picture(LMDBackPanel3, "Image5", 7, 0, 140, 40, artwork_.plaques[1]);
    Image6 = picture(LMDBackPanel3, "Image6", 7, 70, 140, 40, artwork_.plaques[2]);
    Image7 = picture(LMDBackPanel3, "Image7", 7, 140, 140, 40, artwork_.plaques[3]);
    Label2 = label(LMDBackPanel3, "Label2", {7, 40, 140, 20}, QStringLiteral("Набрано букв"), font);
    LMDSimpleLabel2 = label(LMDBackPanel3, "LMDSimpleLabel2", {40, 10, 80, 21}, QStringLiteral("0"), font);
    Label6 = label(LMDBackPanel3, "Label6", {7, 110, 140, 20}, QStringLiteral("Скорость"), font);
    LMDSimpleLabel3 = label(LMDBackPanel3, "LMDSimpleLabel3", {17, 80, 120, 21}, QStringLiteral("0"), font);
    Label7 = label(LMDBackPanel3, "Label7", {7, 180, 140, 22}, QStringLiteral("Ошибок"), font);
    LMDSimpleLabel4 = label(LMDBackPanel3, "LMDSimpleLabel4", {40, 150, 80, 21}, QStringLiteral("0"), font);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Button2, Button3, Button6, Button7, Button8, Image5, Image6, Image7, Label2,
                                         LMDSimpleLabel2, Label6, LMDSimpleLabel3, Label7, LMDSimpleLabel4})
        w->hide();
}

void TForm1::buildMenu()
{
    QMenuBar* bar = menuBar();
    N1 = bar->addMenu(QStringLiteral("Настройка"));
    N4 = N1->addMenu(QStringLiteral("Тренажер клавиатуры"));
    N11 = N4->addAction(QStringLiteral("Сложность &1"));
    N21 = N4->addAction(QStringLiteral("Сложность &2"));
    N31 = N4->addAction(QStringLiteral("Сложность &3"));
    mnuNew = N1->addAction(QStringLiteral("Начать заново"));
    mnuNew->setEnabled(false);
    N1->addSeparator();
    N8 = N1->addAction(QStringLiteral("Звук включен"));
    N8->setCheckable(true);
    N8->setChecked(true);
    mnuExit = N1->addAction(QStringLiteral("Выход"));

    N3 = bar->addMenu(QStringLiteral("Справка"));
    N9 = N3->addAction(QStringLiteral("Методические указания"));
    N2 = N3->addAction(QStringLiteral("Справка"));
    N2->setShortcut(QKeySequence(Qt::Key_F1));
    N3->addSeparator();
    N6 = N3->addAction(QStringLiteral("О программе"));
}

void TForm1::connectCommands()
{
    auto on = [this](auto* sender, auto signal, std::function<void()> call) {
        connect(sender, signal, this, [this, call] { guarded(call); });
    };
    Game& g = *game_;
    on(Button6, &PictureButton::clicked, [&g] { g.Button6Click(); });
    on(Button7, &PictureButton::clicked, [&g] { g.Button7Click(); });
    on(Button8, &PictureButton::clicked, [&g] { g.Button8Click(); });
    on(Button2, &PictureButton::clicked, [&g] { g.Button2Click(); });
    on(Button3, &PictureButton::clicked, [&g] { g.Button3Click(); });
    on(LMDMMButton1, &PictureButton::clicked, [&g] { g.SpeedButton1Click(); });
    on(N11, &QAction::triggered, [&g] { g.LevelCommand(1); });
    on(N21, &QAction::triggered, [&g] { g.LevelCommand(2); });
    on(N31, &QAction::triggered, [&g] { g.LevelCommand(3); });
    on(mnuNew, &QAction::triggered, [&g] { g.mnuNewClick(); });
    on(&Timer1, &QTimer::timeout, [&g] { g.Timer1Timer(); });
    on(&Timer3, &QTimer::timeout, [&g] { g.Timer3Timer(); });
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(mnuExit, &QAction::triggered, this, &TForm1::mnuExitClick);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(N9, &QAction::triggered, this, &TForm1::N9Click);
    connect(N6, &QAction::triggered, this, &TForm1::N6Click);
}

void TForm1::setDialogs(TForm7* viewer, TForm8* messages, TForm4* about)
{
    Form7_ = viewer;
    Form8_ = messages;
    Form4_ = about;
    // With a splash to come, the status takes the focus once it has gone:
    // a screen reader then reads the prompt after the splash, not before.
    if (Form4_) {
        Status->setFocusPolicy(Qt::NoFocus);
        Status->clearFocus();
    }
}

QList<QImage> TForm1::buttonFaces() const
{
    return {artwork_.buttonFaces[0], artwork_.buttonFaces[1]};
}

void TForm1::guarded(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        // Ordinary play never gets here: a counter overflowed.
        std::fprintf(stderr, "paltsekhod: fatal error: %s\n", error.what());
        std::fflush(stderr);
        QMessageBox::critical(this, windowTitle(),
                              QStringLiteral("Внутренняя ошибка программы: %1").arg(QString::fromUtf8(error.what())));
        std::_Exit(70);
    }
}

// ---- key preview and first activation

// What the first screen does not show waits until it has been painted: the
// keyboard picture and the window icon (six pictures from 16 to 256 pixels).
void TForm1::finishAfterFirstPaint()
{
    keyboard();
    if (!testAttribute(Qt::WA_SetWindowIcon))
        setWindowIcon(programIcon());
}

KeyboardTemplate& TForm1::keyboard() const
{
    if (!keyboardTemplate_) {
        keyboardTemplate_ = std::make_unique<KeyboardTemplate>();
        PaintBox2->setSource(&keyboardTemplate_->image());
    }
    return *keyboardTemplate_;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == this && !keyboardTemplate_)
        QTimer::singleShot(0, this, &TForm1::finishAfterFirstPaint);
    // The held keys matter only to a listener.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
         || event->type() == QEvent::ApplicationStateChange)
        && QAccessible::isActive()) {
        if (event->type() != QEvent::ApplicationStateChange)
            keysDown_.follow(*static_cast<QKeyEvent*>(event));
        else if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            keysDown_.forget();
        if (KeysDown::readerMayLag)
            Status->setHeldBack(keysDown_.any());
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget())
        return false;
    // Keys struck while a message waits to come up are the message's.
    if (keysDown_.waiting())
        keysDown_.keep(*static_cast<QKeyEvent*>(event));
    else
        judgeKey(*static_cast<QKeyEvent*>(event));
    return true;
}

void TForm1::judgeKey(const QKeyEvent& keyEvent)
{
    // Help answers F1 even where the shortcut did not reach it first (an
    // inactive window); it is never judged as a typed key.
    if (QKeySequence(keyEvent.keyCombination()) == N2->shortcut()) {
        N2->trigger();
        return;
    }
    // A screen reader's command is neither a typed key nor a mistake.
    if (isScreenReaderKey(keyEvent.key(), keyEvent.modifiers().testFlag(Qt::KeypadModifier)) && Status->listening())
        return;
    const int32_t key = virtualKeyOf(keyEvent);
    guarded([this, key] { game_->FormKeyDown(key); });
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activatedOnce_) {
        activatedOnce_ = true;
        // The window frame is known once the window manager has activated
        // the window: centre again counting it, so that on an 800 x 600
        // screen the whole window stays on the screen.
        centreOnScreen();
        if (Form4_)
            QTimer::singleShot(0, this, &TForm1::FormActivate);
    }
}

void TForm1::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = frameGeometry();
    QRect placed(QPoint(), frame.size());
    placed.moveCenter(area.center());
    // Keep the title bar reachable when the window is larger than the screen.
    placed.moveTop(std::max(area.top(), std::min(placed.top(), area.bottom() - placed.height() + 1)));
    placed.moveLeft(std::max(area.left(), std::min(placed.left(), area.right() - placed.width() + 1)));
    move(placed.topLeft());
}

void TForm1::FormActivate()
{
    finishAfterFirstPaint();  // the About box takes this window's icon
    Form4_->showAsSplash();
    Status->setFocusPolicy(Qt::StrongFocus);
    client->setFocus();
    // Keys struck while the splash was up count, in their order.
    for (const std::unique_ptr<QKeyEvent>& key : Form4_->takeSplashKeys())
        judgeKey(*key);
}

// ---- menu commands

void TForm1::N2Click()
{
    if (Form7_)
        Form7_->showHelp();
}

void TForm1::N9Click()
{
    if (Form7_)
        Form7_->showGuidance();
}

void TForm1::N6Click()
{
    if (Form4_)
        Form4_->showAsAbout();
}

void TForm1::N8Click()
{
    // The action has already flipped its check mark.
    N8->setText(N8->isChecked() ? QStringLiteral("Звук включен") : QStringLiteral("Звук выключен"));
    if (sound_)
        sound_->setEnabled(N8->isChecked());
}

void TForm1::mnuExitClick()
{
    close();
}
