// The main window as assistive technology reads it: each control's role and
// name in one table, then a level started by the press action and a letter
// typed, with what the typing field, the keyboard and the statistics say.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTextInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "accessibility.h"
#include "imagebox.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "progressmeter.h"
#include "roundedshape.h"
#include "sidepanel.h"
#include "simplelabel.h"
#include "spokenstatus.h"
#include "tform1.h"
#include "tform8.h"
#include "transparentpanel.h"

namespace {

QAccessibleInterface* face(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object)
{
    return face(object)->text(QAccessible::Name);
}

// Every accessible under `root` whose object is `object`: reachable through
// the tree, not only by asking for it.
bool inTree(QAccessibleInterface* root, QObject* object, int depth = 0)
{
    if (root->object() == object)
        return true;
    for (int i = 0; depth < 20 && i < root->childCount(); ++i)
        if (QAccessibleInterface* child = root->child(i); child && inTree(child, object, depth + 1))
            return true;
    return false;
}

// As in main(): the factory is in place before the first control is made,
// since Qt keeps the first interface it hands out for a control.
struct Accessible {
    Accessible() { installAccessibility(); }
};

struct Window : Accessible {
    Window() : form([](int32_t) { return 0; }, ScreenInfo{24, 1024, 768}), messages(form.buttonFaces(), &form)
    {
        form.setDialogs(nullptr, &messages, nullptr);
        form.show();
    }
    void typeExpected()
    {
        const char16_t c = form.game().state().expectedChar();
        QKeyEvent press(QEvent::KeyPress, c == u' ' ? int(Qt::Key_Space) : int(c), Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(form.client, &press);
    }

    TForm1 form;
    TForm8 messages;
};

}  // namespace

TEST(AccessibleWindow, ControlsAreNamedWithTheirRoles)
{
    Window w;
    TForm1& f = w.form;
    struct Row {
        QObject* control;
        QAccessible::Role role;
        QString name;
    };
    const Row rows[] = {
        {f.Button6, QAccessible::Button, "1"},
        {f.Button7, QAccessible::Button, "2"},
        {f.Button8, QAccessible::Button, "3"},
        {f.Button2, QAccessible::Button, "Да"},
        {f.Button3, QAccessible::Button, "Нет"},
        {f.LMDMMButton1, QAccessible::Button, "Пауза"},
        {f.Label1, QAccessible::StaticText, "Время"},
        {f.LMDSimpleLabel1, QAccessible::StaticText, "00:00"},
        {f.Label5, QAccessible::StaticText, "Тренировка. Выбери уровень сложности"},
        {f.Label2, QAccessible::StaticText, "Набрано букв"},
        {f.Label6, QAccessible::StaticText, "Скорость"},
        {f.Label7, QAccessible::StaticText, "Ошибок"},
        {f.LMDProgress1, QAccessible::ProgressBar, "Ход упражнения"},
        {f.PaintBox1, QAccessible::Graphic, "Строки упражнения"},
        {f.PaintBox2, QAccessible::Graphic, "Клавиатура"},
        {f.Image1, QAccessible::Graphic, "Зелёная лампа, не горит"},
        {f.Image2, QAccessible::Graphic, "Жёлтая лампа, не горит"},
        {f.Image3, QAccessible::Graphic, "Красная лампа, не горит"},
        {f.Status, QAccessible::EditableText, "Ход игры"},
        {f.client, QAccessible::Pane, ""},
        {f.LMDBackPanel1, QAccessible::Pane, ""},
        {f.LMDBackPanel3, QAccessible::Pane, ""},
    };
    QAccessibleInterface* root = face(&f);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control->objectName().toStdString());
        QAccessibleInterface* iface = face(row.control);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), row.role);
        EXPECT_EQ(iface->text(QAccessible::Name), row.name);
        EXPECT_TRUE(inTree(root, row.control));
    }
    // One second into the session the green lamp lights; the lamps tell the
    // session time.
    f.game().Timer3Timer();
    EXPECT_EQ(nameOf(f.Image1), QStringLiteral("Зелёная лампа, горит"));
    EXPECT_TRUE(face(f.Image1)->text(QAccessible::Description).startsWith(QStringLiteral("Общее время")));
    // Decoration stays out of the tree.
    for (QObject* decoration : std::initializer_list<QObject*>{f.Shape1, f.Image4, f.Image5, f.Image6, f.Image7}) {
        SCOPED_TRACE(decoration->objectName().toStdString());
        EXPECT_FALSE(inTree(root, decoration));
    }
    // Statistics captions label their values.
    const auto labelled = face(f.Label2)->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled.first().first->object(), f.LMDSimpleLabel2);
}

TEST(AccessibleWindow, LevelPressedThroughTheTreeAndALetterTyped)
{
    Window w;
    TForm1& f = w.form;
    EXPECT_TRUE(face(f.LMDMMButton1)->state().disabled);
    face(f.Button6)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(nameOf(f.Label5), QStringLiteral("Уровень сложности: 1"));
    EXPECT_FALSE(face(f.Label2)->state().invisible);
    EXPECT_EQ(nameOf(f.LMDSimpleLabel2), QStringLiteral("0"));

    // The game starts paused: the pause button is down.
    const QAccessible::State pause = face(f.LMDMMButton1)->state();
    EXPECT_FALSE(pause.disabled);
    EXPECT_TRUE(pause.checked);

    QAccessibleInterface* field = face(f.PaintBox1);
    QAccessibleTextInterface* text = field->textInterface();
    ASSERT_NE(text, nullptr);
    const QString firstLine = QString::fromStdU16String(f.game().state().line(1));
    EXPECT_EQ(text->text(0, -1), firstLine);
    EXPECT_EQ(text->cursorPosition(), 0);
    EXPECT_EQ(field->text(QAccessible::Description), firstLine.left(1));
    EXPECT_EQ(face(f.PaintBox2)->textInterface()->text(0, -1), firstLine.left(1));

    w.typeExpected();
    EXPECT_EQ(nameOf(f.LMDSimpleLabel2), QStringLiteral("1"));
    EXPECT_EQ(text->cursorPosition(), 1);
    EXPECT_EQ(field->text(QAccessible::Description), firstLine.mid(1, 1));
    EXPECT_EQ(face(f.LMDProgress1)->valueInterface()->currentValue().toInt(), 1);
    EXPECT_FALSE(face(f.LMDMMButton1)->state().checked);

    // Across a space the description names it.
    while (f.game().state().expectedChar() != u' ')
        w.typeExpected();
    EXPECT_EQ(field->text(QAccessible::Description), QStringLiteral("пробел"));
}

// What a listener hears: the announcements as the game goes on, and the
// status the focus holds, read on demand.
TEST(AccessibleWindow, AListenerHearsTheGameAndCanAskForItsState)
{
    Window w;
    TForm1& f = w.form;
    f.Status->setListening([] { return true; });
    QStringList heard;
    QObject::connect(f.Status, &SpokenStatus::announced, [&heard](const QString& text) { heard << text; });
    auto hear = [&heard] {
        QApplication::processEvents();
        return std::exchange(heard, {});
    };
    auto key = [&f](int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
        QApplication::sendEvent(f.client, &press);
    };
    const QString errors = QStringLiteral("Ошибок: %1.");

    QAccessibleInterface* status = face(f.Status);
    EXPECT_EQ(f.client->focusProxy(), f.Status);
    EXPECT_TRUE(status->state().readOnly);
    EXPECT_TRUE(status->state().focusable);
    QAccessibleTextInterface* text = status->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, -1), QStringLiteral("Тренировка. Выбери уровень сложности. Нажми 1, 2 или 3."));
    EXPECT_EQ(text->cursorPosition(), 0);
    // What a braille display shows first, from the caret on.
    auto line = [text](const QString& now) { return text->text(0, int(now.size())) == now; };

    // One announcement for the level, the exercise, the first word and its
    // first letter; that word and letter, then the state.
    key(Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    EXPECT_EQ(hear(), QStringList{QStringLiteral("Уровень сложности: 1. Упражнение 1. пара. П.")});
    EXPECT_EQ(text->text(0, -1), QStringLiteral("пара. П. Уровень сложности: 1. Упражнение 1. Время: 00:00. "
                                                "Набрано букв: 0. Скорость: 0. Ошибок: 0. Пауза."));

    // The keypad and Insert are the screen reader's: nothing is judged, the
    // game stays paused.
    key(Qt::Key_Up, Qt::KeypadModifier);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    key(Qt::Key_Insert);
    EXPECT_TRUE(hear().isEmpty());
    EXPECT_TRUE(f.game().pausePressed());
    EXPECT_TRUE(text->text(0, -1).contains(errors.arg(0)));

    // A counted mistake is heard with the letter again and the finger that
    // strikes it, and stays on the line; a repeated one is not heard.
    key(Qt::Key_Tab);
    EXPECT_EQ(hear(), QStringList{QStringLiteral("Ошибка. П, левый указательный.")});
    key(Qt::Key_Tab);
    EXPECT_TRUE(hear().isEmpty());
    EXPECT_TRUE(line(QStringLiteral("Ошибка. П, левый указательный. ")));
    // The statistics follow at the clock's tick, and the status with them.
    f.game().Timer1Timer();
    EXPECT_TRUE(text->text(0, -1).contains(errors.arg(1)));
    EXPECT_TRUE(text->text(0, -1).contains(QStringLiteral("Время: 00:01.")));

    // Each correct key: the next letter, the space by its name.
    w.typeExpected();
    EXPECT_EQ(hear(), QStringList{QStringLiteral("А.")});
    EXPECT_TRUE(line(QStringLiteral("А. ")));
    while (f.game().state().expectedChar() != u' ')
        w.typeExpected();
    EXPECT_TRUE(hear().join(QLatin1Char(' ')).endsWith(QStringLiteral(" пробел.")));
    w.typeExpected();
    EXPECT_EQ(hear(), QStringList{QStringLiteral("пара. П.")});
    w.typeExpected();
    EXPECT_EQ(hear(), QStringList{QStringLiteral("А.")});

    // Held back while a key is down, said once it is up.
    f.Status->setHeldBack(true);
    w.typeExpected();
    EXPECT_TRUE(hear().isEmpty());
    f.Status->setHeldBack(false);
    EXPECT_EQ(hear(), QStringList{QStringLiteral("Р.")});

    // Nobody listening: nothing is said, and the keypad is judged as before.
    f.Status->setListening([] { return false; });
    key(Qt::Key_Up, Qt::KeypadModifier);
    EXPECT_TRUE(hear().isEmpty());
    f.game().Timer1Timer();
    EXPECT_TRUE(text->text(0, -1).contains(errors.arg(2)));
}
