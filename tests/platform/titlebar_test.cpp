#include "titlebar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

}  // namespace

TEST(TitleBarTest, OnlyQtsWaylandPlatformWithDecorationsGetsOne)
{
    EXPECT_TRUE(TitleBar::wanted(QStringLiteral("wayland"), false));
    EXPECT_TRUE(TitleBar::wanted(QStringLiteral("wayland-egl"), false));
    EXPECT_FALSE(TitleBar::wanted(QStringLiteral("wayland"), true));
    EXPECT_FALSE(TitleBar::wanted(QStringLiteral("xcb"), false));
    EXPECT_FALSE(TitleBar::wanted(QStringLiteral("offscreen"), false));
}

TEST(TitleBarTest, FixedDialogMakesRoomAboveItsChildrenAndStaysFixed)
{
    QDialog dialog(nullptr, kDialogFlags);
    dialog.setFixedSize(391, 377);
    auto* button = new QPushButton(&dialog);
    button->setGeometry(125, 325, 150, 40);

    TitleBar* bar = TitleBar::install(&dialog);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(TitleBar::of(&dialog), bar);
    EXPECT_EQ(TitleBar::install(&dialog), bar) << "a second install adds nothing";
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint)) << Qt::hex << int(dialog.windowFlags());
    EXPECT_EQ(dialog.minimumSize(), QSize(391, 377 + TitleBar::kHeight));
    EXPECT_EQ(dialog.maximumSize(), dialog.minimumSize());
    EXPECT_EQ(button->geometry(), QRect(125, 325 + TitleBar::kHeight, 150, 40));
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 391, TitleBar::kHeight));

    // The client area may change size later; the bar follows the width.
    TitleBar::setFixedClientSize(&dialog, 520, 108);
    EXPECT_EQ(dialog.size(), QSize(520, 108 + TitleBar::kHeight));
    EXPECT_EQ(bar->width(), 520);
    ASSERT_NE(bar->closeButton(), nullptr);
    EXPECT_EQ(bar->closeButton()->geometry().right(), 520 - 4) << "the close button sits at the right end";
}

TEST(TitleBarTest, WithoutABarTheClientSizeIsTheWindowSize)
{
    QDialog dialog(nullptr, kDialogFlags);
    TitleBar::setFixedClientSize(&dialog, 300, 100);
    EXPECT_EQ(dialog.minimumSize(), QSize(300, 100));
    EXPECT_EQ(dialog.maximumSize(), QSize(300, 100));
    EXPECT_EQ(TitleBar::of(&dialog), nullptr);
}

TEST(TitleBarTest, ButtonsFollowTheWindowFlagsAndNeverMaximise)
{
    QDialog none(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    TitleBar* bar = TitleBar::install(&none);
    EXPECT_EQ(bar->minimiseButton(), nullptr);
    EXPECT_EQ(bar->closeButton(), nullptr);
    EXPECT_TRUE(bar->findChildren<QAbstractButton*>().isEmpty());

    const Qt::WindowFlags mainFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                      | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                      | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint;
    QMainWindow main(nullptr, mainFlags);
    bar = TitleBar::install(&main);
    ASSERT_NE(bar->minimiseButton(), nullptr);
    ASSERT_NE(bar->closeButton(), nullptr);
    EXPECT_EQ(bar->findChildren<QAbstractButton*>().size(), 2) << "no button for the maximise hint";
    EXPECT_LT(bar->minimiseButton()->x(), bar->closeButton()->x());

    // A compositor that cannot minimise gets no minimise button; close
    // keeps its place at the right end.
    TitleBar::setMinimiseOffered(false);
    QMainWindow unminimisable(nullptr, mainFlags);
    TitleBar* plain = TitleBar::install(&unminimisable);
    TitleBar::setMinimiseOffered(true);
    EXPECT_EQ(plain->minimiseButton(), nullptr);
    ASSERT_NE(plain->closeButton(), nullptr);
    EXPECT_EQ(plain->findChildren<QAbstractButton*>().size(), 1);
    EXPECT_EQ(plain->closeButton()->x(), bar->closeButton()->x());
}

TEST(TitleBarTest, MainWindowKeepsMenuAndCentralWidgetBelowTheBar)
{
    QMainWindow main;
    main.menuBar()->addMenu(QStringLiteral("Игра"));
    auto* client = new QWidget;
    client->setFixedSize(200, 100);
    main.setCentralWidget(client);
    TitleBar* bar = TitleBar::install(&main);
    main.layout()->setSizeConstraint(QLayout::SetFixedSize);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    EXPECT_EQ(bar->geometry(), QRect(0, 0, main.width(), TitleBar::kHeight));
    EXPECT_EQ(main.menuBar()->y(), TitleBar::kHeight);
    EXPECT_EQ(client->geometry().bottom(), main.height() - 1);
    EXPECT_EQ(main.height(), TitleBar::kHeight + main.menuBar()->height() + 100);
}

TEST(TitleBarTest, CloseButtonClosesAndDoubleClickChangesNothing)
{
    QDialog dialog(nullptr, kDialogFlags);
    dialog.setFixedSize(200, 100);
    TitleBar* bar = TitleBar::install(&dialog);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QSize size = dialog.size();

    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(dialog.windowState(), Qt::WindowNoState);
    EXPECT_EQ(dialog.size(), size);
    EXPECT_TRUE(dialog.isVisible());

    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::mouseClick(bar->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rejected.count(), 1);
}
