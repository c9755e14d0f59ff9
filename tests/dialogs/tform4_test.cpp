#include "accessibility.h"
#include "fillbar.h"
#include "imagebox.h"
#include "modal.h"
#include "simplelabel.h"
#include "tform4.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

QImage aboutPicture()
{
    QImage picture(96, 96, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    picture.setPixel(48, 48, qRgb(200, 0, 0));
    return picture;
}

class TForm4Test : public ::testing::Test {
protected:
    // The tests drive the ticks themselves: the real timer stays stopped, and
    // where a test starts it (the splash needs it running) it never comes due.
    void SetUp() override
    {
        form.Timer1().stop();
        form.Timer1().setInterval(kNever);
    }

    // Runs `during` once the dialog's modal loop is running, then calls
    // `show`; a watchdog ends the loop with -1 if nothing else does.
    void runModal(const std::function<void()>& show, const std::function<void()>& during)
    {
        QTimer::singleShot(0, &form, during);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &form, [this] { form.done(-1); });
        watchdog.start(kHungAfter);
        show();
    }

    void runSplashToTheEnd()
    {
        form.Timer1().start();
        runModal([&] { form.showAsSplash(); },
                 [&] {
                     for (int i = 0; i < 11; ++i)
                         form.Timer1Timer();
                 });
    }

    TForm4 form{aboutPicture()};
};

TEST_F(TForm4Test, AsCreated)
{
    TForm4 fresh(aboutPicture());
    EXPECT_TRUE(fresh.Timer1().isActive());
    EXPECT_EQ(fresh.Timer1().interval(), 500);
    EXPECT_EQ(fresh.splashCounter(), 0);
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(fresh.size(), QSize(472, 298));
    EXPECT_FALSE(fresh.windowFlags()
                 & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint
                    | Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(fresh.LMDButton1()->isHidden());
    EXPECT_FALSE(fresh.LMDProgressFill1()->isHidden());
    EXPECT_EQ(fresh.LMDProgressFill1()->position(), 0);

    EXPECT_EQ(fresh.Image1()->geometry(), QRect(10, 10, 96, 96));
    EXPECT_EQ(fresh.LMDSimpleLabel1()->geometry(), QRect(144, 22, 290, 41));
    EXPECT_EQ(fresh.LMDSimpleLabel2()->geometry(), QRect(144, 72, 123, 24));
    EXPECT_EQ(fresh.LMDSimpleLabel3()->geometry(), QRect(8, 114, 457, 105));
    EXPECT_EQ(fresh.LMDSimpleLabel4()->geometry(), QRect(10, 272, 452, 19));
    EXPECT_EQ(fresh.LMDProgressFill1()->geometry(), QRect(19, 235, 433, 20));
    EXPECT_EQ(fresh.LMDButton1()->geometry(), QRect(167, 229, 139, 33));

    EXPECT_EQ(fresh.LMDSimpleLabel1()->text(), QStringLiteral("Пальцеход"));
    EXPECT_EQ(fresh.LMDSimpleLabel1()->font().pixelSize(), 32);
    EXPECT_EQ(fresh.LMDSimpleLabel1()->style3D(), SimpleLabel::Style3D::Sunken);
    EXPECT_EQ(fresh.LMDSimpleLabel2()->text(), QStringLiteral("Версия 1.02"));
    EXPECT_EQ(fresh.LMDSimpleLabel4()->font().pixelSize(), 15);
    EXPECT_EQ(fresh.LMDButton1()->text(), QStringLiteral("ОК"));
}

TEST_F(TForm4Test, DescriptionFitsItsBox)
{
    SimpleLabel* label = form.LMDSimpleLabel3();
    const int lineHeight = QFontMetrics(label->font()).height();
    EXPECT_LE(label->lines().size() * lineHeight, label->height());
}

TEST_F(TForm4Test, PictureBackgroundIsLeftOut)
{
    const QImage shot = form.grab().toImage();
    const QColor background = form.palette().color(QPalette::Window);
    EXPECT_EQ(QColor(shot.pixel(10, 105)), background);
    EXPECT_EQ(QColor(shot.pixel(58, 58)), QColor(200, 0, 0));
}

TEST_F(TForm4Test, SplashFillsTenPerCentPerTickAndClosesOnTheEleventh)
{
    QList<int> positions;
    bool visibleAtFull = false;
    form.Timer1().start();
    runModal([&] { form.showAsSplash(); },
             [&] {
                 for (int tick = 1; tick <= 10; ++tick) {
                     form.Timer1Timer();
                     positions.append(form.LMDProgressFill1()->position());
                 }
                 visibleAtFull = form.isVisible();
                 form.Timer1Timer();
             });
    EXPECT_EQ(positions, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_TRUE(visibleAtFull);
    EXPECT_EQ(form.result(), QDialog::Accepted);  // not the watchdog
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1().isActive());
    EXPECT_EQ(form.splashCounter(), 11);
}

// Nor is a key lost: the splash keeps every press for the main window.
TEST_F(TForm4Test, NeitherAKeyNorACloseRequestEndsTheSplash)
{
    form.Timer1().start();
    bool stillVisible = false;
    runModal([&] { form.showAsSplash(); },
             [&] {
                 QTest::keyClick(&form, Qt::Key_Escape);
                 QTest::keyClick(&form, Qt::Key_Return);
                 QTest::keyClick(&form, Qt::Key_1);
                 form.close();
                 stillVisible = form.isVisible();
                 for (int i = 0; i < 11; ++i)
                     form.Timer1Timer();
             });
    EXPECT_TRUE(stillVisible);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    std::vector<int> kept;
    for (const auto& key : form.takeSplashKeys())
        kept.push_back(key->key());
    EXPECT_EQ(kept, (std::vector<int>{Qt::Key_Escape, Qt::Key_Return, Qt::Key_1}));
    EXPECT_TRUE(form.takeSplashKeys().empty());
}

TEST_F(TForm4Test, ASecondSplashNeverRestartsTheAnimation)
{
    runSplashToTheEnd();
    ASSERT_EQ(form.splashCounter(), 11);

    form.setResult(42);
    runModal([&] { form.showAsSplash(); }, [] {});
    QCoreApplication::processEvents();
    EXPECT_EQ(form.splashCounter(), 11);
    EXPECT_EQ(form.LMDProgressFill1()->position(), 100);
    EXPECT_FALSE(form.Timer1().isActive());
    EXPECT_EQ(form.result(), 42);  // returned at once: no modal loop ran
}

TEST_F(TForm4Test, AboutAfterTheSplashShowsTheButtonAndStays)
{
    runSplashToTheEnd();

    bool buttonShown = false, barShown = true, timerActive = true, stayed = false;
    runModal([&] { form.showAsAbout(); },
             [&] {
                 buttonShown = form.LMDButton1()->isVisible();
                 barShown = form.LMDProgressFill1()->isVisible();
                 timerActive = form.Timer1().isActive();
                 QTest::keyClick(&form, Qt::Key_Escape);
                 form.close();
                 stayed = form.isVisible();
                 QTest::mouseClick(form.LMDButton1(), Qt::LeftButton);
             });
    EXPECT_TRUE(buttonShown);
    EXPECT_FALSE(barShown);
    EXPECT_FALSE(timerActive);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.splashCounter(), 11);
}

TEST_F(TForm4Test, EnterPressesOk)
{
    runSplashToTheEnd();
    EXPECT_EQ(answerModals([&] { form.showAsAbout(); }), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TForm4Test, AboutBeforeTheSplashEndedStopsTheAnimationForGood)
{
    form.Timer1().start();
    for (int i = 0; i < 3; ++i)
        form.Timer1Timer();
    EXPECT_EQ(answerModals([&] { form.showAsAbout(); }), 1);
    EXPECT_FALSE(form.Timer1().isActive());

    // A splash now would have nothing to close it: it is not shown.
    form.setResult(42);
    runModal([&] { form.showAsSplash(); }, [] {});
    QCoreApplication::processEvents();
    EXPECT_EQ(form.result(), 42);
    EXPECT_EQ(form.splashCounter(), 3);
}

}  // namespace

TEST_F(TForm4Test, ScreenReaderReadsTheAboutTexts)
{
    installAccessibility();
    QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&form);
    QStringList texts;
    for (int i = 0; i < dialog->childCount(); ++i) {
        QAccessibleInterface* child = dialog->child(i);
        if (child->role() == QAccessible::StaticText)
            texts.append(child->text(QAccessible::Name));
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Пальцеход"), QStringLiteral("Версия 1.02"),
                                  QStringLiteral("Обучающая программа-тренажер для тренировки работы с клавиатурой. "
                                                 "Используются клавиши среднего ряда клавиатуры"),
                                  QStringLiteral("Свободная программа для школ и дома")}));
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form.LMDProgressFill1());
    EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
    form.Timer1Timer();
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 10);
}
