#include "modal.h"
#include "picturebutton.h"
#include "tform7.h"

#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray rtfOf(const char* text)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1251 ") + text + "}";
}

// TDocs on its own, with small documents.
class TDocsTest : public ::testing::Test {
protected:
    QTextEdit view;
    TDocs docs{&view};
};

TEST_F(TDocsTest, ShowsDocumentZeroWhenGivenTheList)
{
    EXPECT_EQ(docs.selectedIndex(), -1);
    docs.setDocuments({rtfOf("first"), rtfOf("second")});
    EXPECT_EQ(docs.selectedIndex(), 0);
    EXPECT_EQ(view.toPlainText(), QStringLiteral("first"));
}

TEST_F(TDocsTest, SelectsOnlyExistingOtherDocuments)
{
    docs.setDocuments({rtfOf("first"), rtfOf("second")});
    EXPECT_TRUE(docs.select(1));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("second"));
    for (int index : {1, 2, -1, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(docs.select(index));
        EXPECT_EQ(docs.selectedIndex(), 1);
        EXPECT_EQ(view.toPlainText(), QStringLiteral("second"));
    }
    EXPECT_TRUE(docs.select(0));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("first"));
}

TEST_F(TDocsTest, AnEmptyListSelectsNothing)
{
    docs.setDocuments({});
    EXPECT_EQ(docs.selectedIndex(), -1);
    EXPECT_FALSE(docs.select(0));
}

class TForm7Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Shown once so the view is laid out and can scroll; hidden again, as
        // between uses in the program.
        form.show();
        QCoreApplication::processEvents();
        form.hide();
        // A dialog that fails to close must not hang the run.
        QObject::connect(&watchdog, &QTimer::timeout, &form, [this] {
            if (form.isVisible())
                form.done(-1);
        });
        watchdog.start(kHungAfter);
    }
    QScrollBar* scrollBar() { return form.RichEdit1()->verticalScrollBar(); }
    QString viewText() { return form.RichEdit1()->toPlainText(); }

    TForm7 form{{}};
    QTimer watchdog;
};

TEST_F(TForm7Test, AsCreated)
{
    TForm7 fresh({});
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Методические указания"));
    EXPECT_EQ(fresh.size(), QSize(391, 377));
    EXPECT_EQ(fresh.RichEdit1()->geometry(), QRect(10, 10, 371, 301));
    EXPECT_TRUE(fresh.RichEdit1()->isReadOnly());
    EXPECT_EQ(fresh.RichEdit1()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(fresh.RichEdit1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(fresh.RichEdit1()->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(fresh.LMDMMButton1()->geometry(), QRect(125, 325, 150, 40));
    EXPECT_EQ(fresh.LMDMMButton1()->caption(), QStringLiteral("ОК"));
    EXPECT_EQ(fresh.Docs1().count(), 2);
    EXPECT_EQ(fresh.Docs1().selectedIndex(), 0);
    EXPECT_TRUE(fresh.RichEdit1()->toPlainText().contains(QStringLiteral("Назначение")));
}

TEST_F(TForm7Test, HelpDocumentIsLongEnoughToScroll)
{
    EXPECT_GT(scrollBar()->maximum(), 100);
}

TEST_F(TForm7Test, HelpAfterHelpKeepsTheScrollPosition)
{
    scrollBar()->setValue(120);
    int seen = -1;
    QString title;
    EXPECT_EQ(answerModals([&] { form.showHelp(); },
                           [&](QWidget*) {
                               seen = scrollBar()->value();
                               title = form.windowTitle();
                           }),
              1);
    EXPECT_EQ(title, QStringLiteral("Справочная информация"));
    EXPECT_EQ(seen, 120);
    EXPECT_EQ(scrollBar()->value(), 120);
}

TEST_F(TForm7Test, GuidanceThenHelpSwitchesBack)
{
    scrollBar()->setValue(120);
    QString shown, title;
    answerModals([&] { form.showGuidance(); },
                 [&](QWidget*) {
                     shown = viewText();
                     title = form.windowTitle();
                 });
    EXPECT_EQ(title, QStringLiteral("Методические указания"));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("О методических указаниях")));
    EXPECT_EQ(form.Docs1().selectedIndex(), 1);

    answerModals([&] { form.showHelp(); }, [&](QWidget*) { shown = viewText(); });
    EXPECT_TRUE(shown.contains(QStringLiteral("Назначение")));
    EXPECT_EQ(form.Docs1().selectedIndex(), 0);
    EXPECT_EQ(scrollBar()->value(), 0);  // loaded from the start
    EXPECT_EQ(form.RichEdit1()->textCursor().position(), 0);
}

TEST_F(TForm7Test, OutOfRangeIndexChangesNothing)
{
    scrollBar()->setValue(50);
    const QString before = viewText();
    EXPECT_FALSE(form.Docs1().select(2));
    EXPECT_FALSE(form.Docs1().select(-1));
    EXPECT_EQ(form.Docs1().selectedIndex(), 0);
    EXPECT_EQ(viewText(), before);
    EXPECT_EQ(scrollBar()->value(), 50);
}

TEST_F(TForm7Test, ClosedByOkEscapeAndEnter)
{
    QTimer::singleShot(0, &form, [&] { QTest::mouseClick(form.LMDMMButton1(), Qt::LeftButton); });
    form.showHelp();
    EXPECT_EQ(form.result(), QDialog::Accepted);

    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        SCOPED_TRACE(key);
        form.show();
        form.activateWindow();
        form.RichEdit1()->setFocus();
        // Sent to the view, which has the focus: it must let them through.
        QTest::keyClick(form.RichEdit1(), key);
        EXPECT_FALSE(form.isVisible());
    }
}

}  // namespace
