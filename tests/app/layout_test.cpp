#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "picturebutton.h"
#include "simplelabel.h"
#include "tform1.h"

namespace {

struct Control {
    const char* name;
    const char* parent;
    QRect geometry;
    const char* caption;  // nullptr where the control shows no caption
    bool visible;         // its own visibility in the start state
};

// Every control of the main window in the start state: the level choice.
const Control controls[] = {
    {"Panel1", "client", {4, 4, 617, 497}, nullptr, true},
    {"Image8", "Panel1", {0, 0, 617, 497}, nullptr, true},
    {"Panel3", "Panel1", {4, 26, 609, 259}, nullptr, false},
    {"PaintBox1", "Panel3", {4, 4, 601, 251}, nullptr, true},
    {"Panel2", "Panel1", {4, 311, 609, 159}, nullptr, false},
    {"PaintBox2", "Panel2", {4, 4, 601, 151}, nullptr, true},
    {"LMDProgress1", "client", {10, 510, 607, 38}, nullptr, true},
    {"LMDBackPanel1", "client", {627, 4, 161, 544}, nullptr, true},
    {"Shape1", "LMDBackPanel1", {0, 0, 160, 544}, nullptr, true},
    {"Image1", "LMDBackPanel1", {10, 10, 40, 40}, nullptr, true},
    {"Image2", "LMDBackPanel1", {60, 10, 40, 40}, nullptr, true},
    {"Image3", "LMDBackPanel1", {110, 10, 40, 40}, nullptr, true},
    {"Image4", "LMDBackPanel1", {10, 60, 140, 40}, nullptr, true},
    {"LMDSimpleLabel1", "LMDBackPanel1", {40, 70, 80, 21}, "00:00", true},
    {"Label1", "LMDBackPanel1", {40, 110, 81, 20}, "Время", true},
    {"LMDMMButton1", "LMDBackPanel1", {5, 175, 150, 40}, "Пауза", true},
    {"Label5", "LMDBackPanel1", {10, 220, 141, 101}, "Тренировка. Выбери уровень сложности", true},
    {"Status", "LMDBackPanel1", {10, 220, 141, 101}, nullptr, true},
    {"LMDBackPanel3", "LMDBackPanel1", {3, 330, 155, 202}, nullptr, true},
    {"Button2", "LMDBackPanel3", {2, 0, 150, 40}, "Да", false},
    {"Button3", "LMDBackPanel3", {2, 50, 150, 40}, "Нет", false},
    {"Button6", "LMDBackPanel3", {2, 0, 150, 40}, "1", true},
    {"Button7", "LMDBackPanel3", {2, 50, 150, 40}, "2", true},
    {"Button8", "LMDBackPanel3", {2, 100, 150, 40}, "3", true},
    {"Image5", "LMDBackPanel3", {7, 0, 140, 40}, nullptr, false},
    {"Image6", "LMDBackPanel3", {7, 70, 140, 40}, nullptr, false},
    {"Image7", "LMDBackPanel3", {7, 140, 140, 40}, nullptr, false},
    {"Label2", "LMDBackPanel3", {7, 40, 140, 20}, "Набрано букв", false},
    {"LMDSimpleLabel2", "LMDBackPanel3", {40, 10, 80, 21}, "0", false},
    {"Label6", "LMDBackPanel3", {7, 110, 140, 20}, "Скорость", false},
    {"LMDSimpleLabel3", "LMDBackPanel3", {17, 80, 120, 21}, "0", false},
    {"Label7", "LMDBackPanel3", {7, 180, 140, 22}, "Ошибок", false},
    {"LMDSimpleLabel4", "LMDBackPanel3", {40, 150, 80, 21}, "0", false},
};

QString captionOf(QWidget* w)
{
    if (auto* label = qobject_cast<SimpleLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<PictureButton*>(w))
        return button->caption();
    return {};
}

}  // namespace

TEST(MainWindowLayout, EveryControlInItsPlace)
{
    TForm1 form([](int32_t) { return 0; }, {24, 1024, 768});
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        auto* w = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        ASSERT_NE(w->parentWidget(), nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(c.parent));
        EXPECT_EQ(w->geometry(), c.geometry);
        if (c.caption) {
            EXPECT_EQ(captionOf(w), QString::fromUtf8(c.caption));
        }
        EXPECT_EQ(!w->isHidden(), c.visible);  // its own flag: PaintBox1 hides with its panel
    }
}

// Each control under the client area is a row of the table above: none is
// made without its name, and none is left out of the table.
TEST(MainWindowLayout, EveryControlIsNamedAndListed)
{
    TForm1 form([](int32_t) { return 0; }, {24, 1024, 768});
    EXPECT_EQ(form.client->objectName(), QStringLiteral("client"));
    QStringList listed;
    for (const Control& c : controls)
        listed << QString::fromLatin1(c.name);
    const QList<QWidget*> made = form.client->findChildren<QWidget*>();
    for (QWidget* w : made)
        EXPECT_TRUE(listed.contains(w->objectName()))
            << w->metaObject()->className() << " named '" << w->objectName().toStdString() << "'";
    EXPECT_EQ(made.size(), listed.size());
}

TEST(MainWindowLayout, MenuCaptionsAndStates)
{
    TForm1 form([](int32_t) { return 0; }, {24, 1024, 768});
    QStringList top;
    for (QAction* a : form.menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"Настройка", "Справка"}));

    auto texts = [](QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    EXPECT_EQ(texts(form.N1), (QStringList{"Тренажер клавиатуры", "Начать заново", "-", "Звук включен", "Выход"}));
    EXPECT_EQ(texts(form.N4), (QStringList{"Сложность &1", "Сложность &2", "Сложность &3"}));
    EXPECT_EQ(texts(form.N3), (QStringList{"Методические указания", "Справка", "-", "О программе"}));
    EXPECT_EQ(form.N2->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(form.mnuNew->isEnabled());
    EXPECT_TRUE(form.N8->isChecked());
}

TEST(MainWindowLayout, FixedSizeWithTheMenuAboveTheClientArea)
{
    TForm1 form([](int32_t) { return 0; }, {24, 1024, 768});
    form.show();
    EXPECT_EQ(form.client->size(), QSize(792, 554));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.client->geometry().top(), form.menuBar()->geometry().bottom() + 1);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
}
