#include <QAction>
#include <QKeyEvent>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <deque>

#include "modal.h"
#include "imagebox.h"
#include "picturebutton.h"
#include "sidepanel.h"
#include "simplelabel.h"
#include "tform1.h"
#include "tform7.h"
#include "tform8.h"

namespace {

const ScreenInfo goodScreen{24, 1024, 768};

// A main window with its message dialog and document viewer, no splash.
struct Window {
    explicit Window(RandomFunction random = [](int32_t) { return 0; })
        : form(std::move(random), goodScreen), viewer(form.buttonFaces(), &form), messages(form.buttonFaces(), &form)
    {
        form.setDialogs(&viewer, &messages, nullptr);
        // The clocks are ticked by hand: the real timers keep running and
        // stopping as the game says, but never come due during a test.
        form.Timer1.setInterval(kNever);
        form.Timer3.setInterval(kNever);
        form.show();
    }
    void key(Qt::Key k) { QTest::keyClick(form.client, k); }
    // Types the expected character as a Russian layout would send it, without
    // a physical key code: the trainer places it on the ЙЦУКЕН keyboard.
    void typeExpected()
    {
        const char16_t c = form.game().state().expectedChar();
        if (c == u' ')
            return key(Qt::Key_Space);
        QKeyEvent press(QEvent::KeyPress, c, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(form.client, &press);
    }
    QString prompt() const { return form.Label5->text(); }

    TForm1 form;
    TForm7 viewer;
    TForm8 messages;
};

}  // namespace

TEST(MainWindow, StartsAtTheLevelChoice)
{
    Window w;
    EXPECT_EQ(w.form.windowTitle(), QStringLiteral("Пальцеход"));
    EXPECT_EQ(w.form.client->size(), QSize(792, 554));
    EXPECT_EQ(w.prompt(), QStringLiteral("Тренировка. Выбери уровень сложности"));
    EXPECT_TRUE(w.form.Button6->isVisibleTo(&w.form));
    EXPECT_FALSE(w.form.Button2->isVisibleTo(&w.form));
    EXPECT_FALSE(w.form.Panel3->isVisibleTo(&w.form));
    EXPECT_TRUE(w.form.Image8->isVisibleTo(&w.form));
    EXPECT_FALSE(w.form.mnuNew->isEnabled());
    EXPECT_TRUE(w.form.N4->menuAction()->isEnabled());
    EXPECT_TRUE(w.form.N8->isChecked());
    EXPECT_FALSE(w.form.LMDMMButton1->isEnabled());
    EXPECT_EQ(w.form.LMDSimpleLabel1->text(), QStringLiteral("00:00"));
}

TEST(MainWindow, WholeLevelOneGameByKeys)
{
    Window w;
    // Letters and Shift at the level choice do nothing.
    w.key(Qt::Key_A);
    w.key(Qt::Key_Shift);
    EXPECT_TRUE(w.form.Button6->isVisibleTo(&w.form));

    w.key(Qt::Key_1);
    EXPECT_EQ(w.prompt(), QStringLiteral("Уровень сложности: 1"));
    EXPECT_TRUE(w.form.Panel3->isVisibleTo(&w.form));
    EXPECT_TRUE(w.form.LMDMMButton1->isPressed());
    EXPECT_FALSE(w.form.Timer1.isActive());
    EXPECT_TRUE(w.form.mnuNew->isEnabled());
    EXPECT_FALSE(w.form.N4->menuAction()->isEnabled());

    // A digit and Shift in a game are wrong keys: one error, the pause released.
    w.key(Qt::Key_5);
    w.key(Qt::Key_Shift);
    EXPECT_FALSE(w.form.LMDMMButton1->isPressed());
    EXPECT_TRUE(w.form.Timer1.isActive());
    EXPECT_EQ(w.form.game().state().ExerciseErrors, 1);
    EXPECT_EQ(w.form.game().state().CurrentPos, 1);

    // F1 opens help and is not judged.
    EXPECT_EQ(answerModals([&] { w.key(Qt::Key_F1); }), 1);
    EXPECT_EQ(w.viewer.windowTitle(), QStringLiteral("Справочная информация"));
    EXPECT_EQ(w.form.game().state().ExerciseErrors, 1);

    QStringList titles;
    answerModals(
        [&] {
            while (!w.form.Button2->isVisibleTo(&w.form))
                w.typeExpected();
        },
        [&](QWidget* modal) { titles << modal->windowTitle(); });
    const QString result = QStringLiteral("Конец упражнения");
    EXPECT_EQ(titles, (QStringList{result, result, result, result, result, QStringLiteral("Победа!")}));
    EXPECT_EQ(w.prompt(), QStringLiteral("Игра окончена. Сыграем еще раз?"));
    EXPECT_FALSE(w.form.Panel3->isVisibleTo(&w.form));
    EXPECT_TRUE(w.form.Image8->isVisibleTo(&w.form));
    EXPECT_FALSE(w.form.Timer1.isActive());

    w.key(Qt::Key_Escape);
    EXPECT_FALSE(w.form.isVisible());
}

TEST(MainWindow, RestartMidGameAndPlayAgain)
{
    Window w;
    w.key(Qt::Key_2);
    w.typeExpected();
    w.typeExpected();
    EXPECT_TRUE(w.form.keyboardTemplate().keyMarked());
    w.form.mnuNew->trigger();
    EXPECT_FALSE(w.form.keyboardTemplate().keyMarked());
    EXPECT_EQ(w.prompt(), QStringLiteral("Игра окончена. Сыграем еще раз?"));
    EXPECT_TRUE(w.form.Button3->isVisibleTo(&w.form));
    EXPECT_FALSE(w.form.LMDMMButton1->isEnabled());

    w.key(Qt::Key_A);  // a letter at the question does nothing
    EXPECT_TRUE(w.form.Button2->isVisibleTo(&w.form));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.prompt(), QStringLiteral("Тренировка. Выбери уровень сложности"));
    EXPECT_TRUE(w.form.Button8->isVisibleTo(&w.form));
    EXPECT_TRUE(w.form.isVisible());
}

TEST(MainWindow, PauseButtonAndClock)
{
    Window w;
    w.form.N31->trigger();
    EXPECT_EQ(w.prompt(), QStringLiteral("Уровень сложности: 3"));
    QTest::mouseClick(w.form.LMDMMButton1, Qt::LeftButton);
    EXPECT_FALSE(w.form.LMDMMButton1->isPressed());
    EXPECT_TRUE(w.form.Timer1.isActive());
    QTest::mouseClick(w.form.LMDMMButton1, Qt::LeftButton);
    EXPECT_TRUE(w.form.LMDMMButton1->isPressed());
    EXPECT_FALSE(w.form.Timer1.isActive());
    w.typeExpected();  // any key ends the pause and is typed
    EXPECT_TRUE(w.form.Timer1.isActive());
    EXPECT_EQ(w.form.LMDSimpleLabel2->text(), QStringLiteral("1"));
    QMetaObject::invokeMethod(&w.form.Timer1, "timeout");
    EXPECT_EQ(w.form.LMDSimpleLabel1->text(), QStringLiteral("00:01"));
    EXPECT_EQ(w.form.LMDSimpleLabel3->text(), QStringLiteral("60 б/мин"));
}

TEST(MainWindow, SoundSwitchAndSessionLamps)
{
    Window w;
    w.form.N8->trigger();
    EXPECT_FALSE(w.form.N8->isChecked());
    EXPECT_EQ(w.form.N8->text(), QStringLiteral("Звук выключен"));
    w.form.N8->trigger();
    EXPECT_TRUE(w.form.N8->isChecked());
    EXPECT_EQ(w.form.N8->text(), QStringLiteral("Звук включен"));

    QMetaObject::invokeMethod(&w.form.Timer3, "timeout");
    EXPECT_EQ(w.form.Image1->toolTip(), QStringLiteral("Общее время - 00:01"));
}

TEST(MainWindow, DisplayChecksRefuseWithTheirMessages)
{
    struct Case {
        ScreenInfo screen;
        int messages;
    } cases[] = {{{15, 1024, 768}, 1}, {{16, 800, 600}, 0}, {{24, 800, 599}, 1}, {{8, 640, 480}, 2}};
    for (const Case& c : cases) {
        QStringList titles;
        const int answered = answerModals(
            [&] {
                TForm1 form([](int32_t) { return 0; }, c.screen);
                EXPECT_EQ(form.displayRefusals().size(), c.messages);
            },
            [&](QWidget* modal) { titles << modal->windowTitle(); });
        EXPECT_EQ(answered, c.messages);
        for (const QString& t : titles)
            EXPECT_EQ(t, QStringLiteral("Неприемлемый режим экрана"));
    }
}
