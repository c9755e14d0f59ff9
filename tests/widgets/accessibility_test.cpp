// The widget set as assistive technology sees it: role, name, state, actions
// and values of each control's accessible interface.
#include "accessibility.h"

#include "fillbar.h"
#include "imagebox.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "progressmeter.h"
#include "roundedshape.h"
#include "sidepanel.h"
#include "simplelabel.h"
#include "transparentpanel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTextInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class AccessibilityTest : public ::testing::Test {
protected:
    AccessibilityTest()
    {
        installAccessibility();
        host.resize(400, 300);
    }

    static QAccessibleInterface* face(QWidget* widget)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(iface, nullptr);
        return iface;
    }

    static QStringList childNames(QWidget* widget)
    {
        QStringList names;
        QAccessibleInterface* iface = face(widget);
        for (int i = 0; i < iface->childCount(); ++i)
            names.append(iface->child(i)->object()->objectName());
        return names;
    }

    QWidget host;
};

TEST_F(AccessibilityTest, PictureButtonIsAPushButtonNamedByItsCaption)
{
    auto* button = new PictureButton(&host);
    button->setCaption(QStringLiteral("Пауза"));
    QAccessibleInterface* iface = face(button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Пауза"));
    button->setCaption(QStringLiteral("Да"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Да"));
    // A name given on purpose wins over the caption.
    button->setAccessibleName(QStringLiteral("Согласен"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Согласен"));
}

TEST_F(AccessibilityTest, PressActionClicksOnceAndNotWhileDisabled)
{
    auto* button = new PictureButton(&host);
    QSignalSpy clicks(button, &PictureButton::clicked);
    auto* action = face(button)->actionInterface();
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));

    action->doAction(QAccessibleActionInterface::pressAction());
    // The click comes a moment later, so the caller is answered first.
    EXPECT_EQ(clicks.count(), 0);
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);

    button->setEnabled(false);
    EXPECT_FALSE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(face(button)->state().disabled);

    // Pressed while enabled, disabled before the click arrives: nothing.
    button->setEnabled(true);
    action->doAction(QAccessibleActionInterface::pressAction());
    button->setEnabled(false);
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(AccessibilityTest, PressActionDoesNotReachBehindAModalWindow)
{
    auto* button = new PictureButton(&host);
    host.show();
    QSignalSpy clicks(button, &PictureButton::clicked);
    auto* action = face(button)->actionInterface();

    QDialog modal;
    modal.setModal(true);
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    action->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);

    // Pressed before the modal window opened, arriving after: still nothing.
    modal.hide();
    action->doAction(QAccessibleActionInterface::pressAction());
    modal.show();
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);

    modal.hide();
    action->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);

    // A button on the modal window itself works.
    auto* own = new PictureButton(&modal);
    QSignalSpy ownClicks(own, &PictureButton::clicked);
    modal.show();
    face(own)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(ownClicks.count(), 1);
}

TEST_F(AccessibilityTest, ToggleButtonReportsItsPressedState)
{
    auto* pause = new PictureButton(&host);
    pause->setGroupIndex(1);
    pause->setAllowAllUp(true);
    auto* plain = new PictureButton(&host);
    QAccessibleInterface* iface = face(pause);

    EXPECT_TRUE(iface->state().checkable);
    EXPECT_FALSE(iface->state().checked);
    EXPECT_FALSE(iface->state().pressed);
    EXPECT_FALSE(face(plain)->state().checkable);

    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_TRUE(pause->isPressed());
    EXPECT_TRUE(iface->state().checked);
    EXPECT_TRUE(iface->state().pressed);

    pause->setPressed(false);
    EXPECT_FALSE(iface->state().checked);
    EXPECT_FALSE(iface->state().pressed);
    // Buttons take no focus, and the tree must not claim they do.
    EXPECT_FALSE(iface->state().focusable);
}

TEST_F(AccessibilityTest, SimpleLabelIsStaticTextNamedByItsText)
{
    auto* label = new SimpleLabel(QStringLiteral("00:00"), &host);
    QAccessibleInterface* iface = face(label);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("00:00"));
    label->setText(QStringLiteral("Игра окончена.\r\nСыграем еще раз?"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Игра окончена. Сыграем еще раз?"));
}

TEST_F(AccessibilityTest, CaptionLabelsItsBuddyBothWays)
{
    auto* caption = new SimpleLabel(QStringLiteral("Набрано букв"), &host);
    auto* value = new SimpleLabel(QStringLiteral("0"), &host);
    auto* other = new SimpleLabel(QStringLiteral("7"), &host);
    caption->setBuddy(value);

    const auto labelled = face(caption)->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled.first().first->object(), value);

    const auto labels = face(value)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first().first->object(), caption);
    EXPECT_TRUE(face(other)->relations(QAccessible::Label).isEmpty());
}

TEST_F(AccessibilityTest, ProgressMeterIsAProgressBarWithItsValues)
{
    auto* meter = new ProgressMeter(&host);
    meter->setMaximum(75);
    meter->setValue(30);
    QAccessibleInterface* iface = face(meter);
    EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
    QAccessibleValueInterface* value = iface->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 30);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 75);
    // Read only: assistive technology cannot move it.
    value->setCurrentValue(10);
    EXPECT_EQ(meter->value(), 30);
    meter->setMaximum(20);
    EXPECT_EQ(value->currentValue().toInt(), 20);

    auto* bar = new FillBar(&host);
    bar->setPosition(40);
    EXPECT_EQ(face(bar)->role(), QAccessible::ProgressBar);
    EXPECT_EQ(face(bar)->valueInterface()->currentValue().toInt(), 40);
    EXPECT_EQ(face(bar)->valueInterface()->maximumValue().toInt(), 100);
}

TEST_F(AccessibilityTest, PaintBoxReadsItsTextWithCaretAndDescription)
{
    auto* box = new PaintBox(&host);
    box->setAccessibleName(QStringLiteral("Строки упражнения"));
    box->setSpokenText(QStringLiteral("ПАРА ПОРА "), 5);
    box->setSpokenDescription(QStringLiteral("П"));
    QAccessibleInterface* iface = face(box);
    EXPECT_EQ(iface->role(), QAccessible::Graphic);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Строки упражнения"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("П"));
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 10);
    EXPECT_EQ(text->text(0, -1), QStringLiteral("ПАРА ПОРА "));
    EXPECT_EQ(text->text(5, 9), QStringLiteral("ПОРА"));
    EXPECT_EQ(text->text(8, 100), QStringLiteral("А "));
    EXPECT_EQ(text->cursorPosition(), 5);
    int start = -1, end = -1;
    EXPECT_EQ(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), QStringLiteral("ПОРА"));

    // A caret past the end is kept at the end.
    box->setSpokenText(QStringLiteral("ДА"), 9);
    EXPECT_EQ(text->cursorPosition(), 2);
}

TEST_F(AccessibilityTest, DecorationsLeaveThePanelsTree)
{
    auto* panel = new SidePanel(&host);
    auto* shape = new RoundedShape(panel);
    shape->setObjectName(QStringLiteral("shape"));
    auto* plaque = new ImageBox(panel);
    plaque->setObjectName(QStringLiteral("plaque"));
    auto* lamp = new ImageBox(panel);
    lamp->setObjectName(QStringLiteral("lamp"));
    lamp->setAccessibleName(QStringLiteral("Зелёная лампа"));
    auto* hinted = new ImageBox(panel);
    hinted->setObjectName(QStringLiteral("hinted"));
    hinted->setToolTip(QStringLiteral("Общее время - 00:05"));
    auto* inner = new TransparentPanel(panel);
    inner->setObjectName(QStringLiteral("inner"));
    (new SimpleLabel(QStringLiteral("0"), inner))->setObjectName(QStringLiteral("value"));
    (new ImageBox(inner))->setObjectName(QStringLiteral("plaque2"));
    host.show();

    EXPECT_EQ(face(panel)->role(), QAccessible::Pane);
    EXPECT_EQ(face(inner)->role(), QAccessible::Pane);
    EXPECT_EQ(childNames(panel), (QStringList{"lamp", "hinted", "inner"}));
    EXPECT_EQ(childNames(inner), (QStringList{"value"}));
    EXPECT_EQ(face(panel)->indexOfChild(face(inner)), 2);
    EXPECT_EQ(face(panel)->indexOfChild(face(plaque)), -1);

    EXPECT_EQ(face(lamp)->role(), QAccessible::Graphic);
    EXPECT_EQ(face(hinted)->text(QAccessible::Description), QStringLiteral("Общее время - 00:05"));
    // Reached some other way, a decoration reads as not there.
    EXPECT_TRUE(face(plaque)->state().invisible);
    EXPECT_TRUE(face(shape)->state().invisible);
    EXPECT_FALSE(face(lamp)->state().invisible);
}

}  // namespace
