#include "accessibility.h"
#include "imagebox.h"
#include "messagesizing.h"
#include "modal.h"
#include "picturebutton.h"
#include "simplelabel.h"
#include "tform8.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct MeasuringCase {
    const char* name;
    QString text;
    QString expected;
};

// ctest names the case by this, the same in every run.
void PrintTo(const MeasuringCase& c, std::ostream* os)
{
    *os << c.name;
}

class MeasuringStringTest : public ::testing::TestWithParam<MeasuringCase> {};

TEST_P(MeasuringStringTest, TakesTheLongestLinePlusTwoSpaces)
{
    EXPECT_EQ(measuringString(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MeasuringStringTest,
    ::testing::Values(
        MeasuringCase{"OneLine", QStringLiteral("Молодец!"), QStringLiteral("Молодец!  ")},
        MeasuringCase{"Empty", QString(), QStringLiteral("  ")},
        MeasuringCase{"LongestInTheMiddle", QStringLiteral("ab\r\nЛучше всех\r\ncd"), QStringLiteral("Лучше всех  ")},
        MeasuringCase{"LongestLast", QStringLiteral("ab\r\ncdef"), QStringLiteral("cdef  ")},
        MeasuringCase{"EqualLinesFirstWins", QStringLiteral("один\r\nдва!\r\nтри!"), QStringLiteral("один  ")},
        MeasuringCase{"TrailingBreak", QStringLiteral("abc\r\n"), QStringLiteral("abc  ")},
        MeasuringCase{"LoneCarriageReturn", QStringLiteral("ab\rcde"), QStringLiteral("cde  ")},
        MeasuringCase{"LoneLineFeed", QStringLiteral("abcd\nx"), QStringLiteral("abcd  ")},
        MeasuringCase{"BlankLinesBetween", QStringLiteral("a\r\n\r\n\r\nbc"), QStringLiteral("bc  ")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageWidths, LabelGetsTheTextAndTheClient180More)
{
    const MessageWidths w = messageWidths(300, 8);
    EXPECT_EQ(w.label, 300);
    EXPECT_EQ(w.client, 480);
}

TEST(MessageWidths, OuterWidthIsCutToExactly800)
{
    for (int frame : {0, 8, 16}) {
        SCOPED_TRACE(frame);
        const MessageWidths w = messageWidths(1000, frame);
        EXPECT_EQ(w.client + frame, 800);
        EXPECT_EQ(w.client - w.label, 180);
    }
    // Exactly at the limit nothing is cut; one pixel more is.
    EXPECT_EQ(messageWidths(612, 8).client, 792);
    EXPECT_EQ(messageWidths(613, 8).client, 792);
    EXPECT_EQ(messageWidths(613, 8).label, 612);
}

class TForm8Test : public ::testing::Test {
protected:
    static QList<QImage> faces()
    {
        QImage up(150, 40, QImage::Format_RGB32);
        up.fill(Qt::gray);
        QImage down = up;
        down.fill(Qt::darkGray);
        return {up, down};
    }
    int charWidth() const { return QFontMetrics(form.LMDSimpleLabel1()->font()).horizontalAdvance(QLatin1Char('x')); }

    TForm8 form{faces()};
};

TEST_F(TForm8Test, DesignLayout)
{
    EXPECT_EQ(form.size(), QSize(510, 111));
    EXPECT_EQ(form.Image1()->geometry(), QRect(69, 13, 32, 32));
    EXPECT_EQ(form.LMDSimpleLabel1()->geometry(), QRect(170, 10, 330, 91));
    EXPECT_EQ(form.LMDMMButton1()->geometry(), QRect(10, 58, 150, 40));
    EXPECT_EQ(form.LMDMMButton1()->caption(), QStringLiteral("Продолжить"));
    EXPECT_EQ(form.LMDMMButton1()->faceCount(), 2);
    EXPECT_EQ(form.font().pixelSize(), 19);
    EXPECT_TRUE(form.font().bold());
    EXPECT_FALSE(form.windowFlags() & (Qt::WindowContextHelpButtonHint | Qt::WindowMinMaxButtonsHint));
}

TEST_F(TForm8Test, SizesToTheWidestLine)
{
    const QString text = QStringLiteral("Конец упражнения.\r\nОшибок: 0. Отлично!\r\nТак держать");
    form.prepareMessage(text, QStringLiteral("Конец упражнения"), TForm8::Information);

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Конец упражнения"));
    EXPECT_EQ(form.LMDSimpleLabel1()->text(), text);
    const int expected = 21 * charWidth();  // "Ошибок: 0. Отлично!" and two spaces
    EXPECT_EQ(form.LMDSimpleLabel1()->width(), expected);
    EXPECT_EQ(form.width(), expected + 180);
    EXPECT_EQ(form.height(), 111);
    EXPECT_EQ(form.LMDSimpleLabel1()->geometry().topLeft(), QPoint(170, 10));
    EXPECT_EQ(form.LMDSimpleLabel1()->height(), 91);
    // The label lays the text out in its three lines, none cut.
    EXPECT_EQ(form.LMDSimpleLabel1()->lines().size(), 3);
}

TEST_F(TForm8Test, ResizesAtEveryShow)
{
    form.prepareMessage(QString(40, QLatin1Char('a')), QString(), 64);
    form.prepareMessage(QStringLiteral("Победа!"), QString(), 64);
    EXPECT_EQ(form.width(), 9 * charWidth() + 180);
}

TEST_F(TForm8Test, VeryLongLineMakesTheWindowExactly800Wide)
{
    const QString text(200, QLatin1Char('w'));
    form.prepareMessage(text, QString(), 64);
    EXPECT_EQ(form.frameGeometry().width() - form.geometry().width(), form.frameWidth());
    EXPECT_EQ(form.width() + form.frameWidth(), 800);

    form.setFrameWidthOverride(12);
    form.prepareMessage(text, QString(), 64);
    EXPECT_EQ(form.width(), 788);
    EXPECT_EQ(form.LMDSimpleLabel1()->width(), 608);
}

struct IconCase {
    int kind;
    bool shown;
};

void PrintTo(const IconCase& c, std::ostream* os)
{
    *os << "kind " << c.kind << (c.shown ? ", shown" : ", none");
}

class TForm8IconTest : public TForm8Test, public ::testing::WithParamInterface<IconCase> {};

TEST_P(TForm8IconTest, ShowsTheSystemIconOfTheKind)
{
    // A previous icon never lingers.
    form.prepareMessage(QStringLiteral("x"), QString(), TForm8::Warning);
    form.prepareMessage(QStringLiteral("x"), QString(), GetParam().kind);
    const QImage& icon = form.Image1()->image();
    if (GetParam().shown) {
        EXPECT_EQ(form.shownIconKind(), GetParam().kind);
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(32, 32));
    } else {
        EXPECT_EQ(form.shownIconKind(), 0);
        EXPECT_TRUE(icon.isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, TForm8IconTest,
                         ::testing::Values(IconCase{16, true}, IconCase{32, true}, IconCase{48, true},
                                           IconCase{64, true}, IconCase{0, false}, IconCase{65, false},
                                           IconCase{-64, false}));

TEST_F(TForm8Test, DistinctKindsShowDistinctIcons)
{
    QList<QImage> icons;
    for (int kind : {16, 32, 48, 64}) {
        form.prepareMessage(QStringLiteral("x"), QString(), kind);
        icons.append(form.Image1()->image());
    }
    for (int i = 0; i < icons.size(); ++i)
        for (int j = i + 1; j < icons.size(); ++j)
            EXPECT_NE(icons[i], icons[j]) << i << " " << j;
}

TEST_F(TForm8Test, EnterClosesAndShowMessageReturns)
{
    QString seenTitle;
    const int answered =
        answerModals([&] { form.showMessage(QStringLiteral("Победа!"), QStringLiteral("Победа!"), 64); },
                     [&](QWidget* modal) { seenTitle = modal->windowTitle(); });
    EXPECT_EQ(answered, 1);
    EXPECT_EQ(seenTitle, QStringLiteral("Победа!"));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TForm8Test, EscapeAndOtherKeysDoNotClose)
{
    form.prepareMessage(QStringLiteral("x"), QString(), 64);
    form.show();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Space, Qt::Key_A, Qt::Key_F1})
        QTest::keyClick(&form, key);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Enter);  // the keypad's Enter
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TForm8Test, ButtonCloses)
{
    bool wasVisible = false;
    QTimer::singleShot(0, &form, [&] {
        wasVisible = form.isVisible();
        QTest::mouseClick(form.LMDMMButton1(), Qt::LeftButton);
    });
    QTimer::singleShot(kHungAfter, &form, [&] { form.done(-1); });  // a broken button must not hang the test
    form.showMessage(QStringLiteral("x"), QString(), 64);
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(TForm8Placement, CentredOnTheMainWindow)
{
    QWidget mainWindow;
    mainWindow.setGeometry(100, 80, 792, 554);
    mainWindow.show();
    TForm8 form({}, &mainWindow);
    form.prepareMessage(QStringLiteral("Победа!"), QString(), 64);
    form.show();
    const QPoint delta = form.frameGeometry().center() - mainWindow.frameGeometry().center();
    EXPECT_LE(delta.manhattanLength(), 2);
}

}  // namespace

TEST_F(TForm8Test, ScreenReaderReadsTheMessageAndTheIcon)
{
    installAccessibility();
    form.prepareMessage(QStringLiteral("Молодец!\r\nОшибок: 0"), QStringLiteral("Конец упражнения"),
                        TForm8::Information);
    QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&form);
    EXPECT_EQ(dialog->text(QAccessible::Name), QStringLiteral("Конец упражнения"));
    EXPECT_EQ(dialog->text(QAccessible::Description), QStringLiteral("Молодец!\nОшибок: 0"));
    QAccessibleInterface* icon = QAccessible::queryAccessibleInterface(form.Image1());
    EXPECT_EQ(icon->text(QAccessible::Name), QStringLiteral("Сведения"));
    EXPECT_FALSE(isDecoration(form.Image1()));
    // The button holds the focus, so that it is read after the message.
    EXPECT_EQ(form.focusWidget(), form.LMDMMButton1());

    // Without an icon nothing of it is said.
    form.prepareMessage(QStringLiteral("Победа!"), QStringLiteral("Итог"), 0);
    EXPECT_EQ(dialog->text(QAccessible::Description), QStringLiteral("Победа!"));
    EXPECT_EQ(icon->text(QAccessible::Name), QString());
    EXPECT_TRUE(isDecoration(form.Image1()));
}
