#include "tform7.h"

#include "documents.h"
#include "fonts.h"
#include "picturebutton.h"
#include "titlebar.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QTextEdit>

TForm7::TForm7(const QList<QImage>& buttonFaces, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      richEdit1_(new QTextEdit(this)),
      button_(new PictureButton(this)),
      docs1_(richEdit1_)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Методические указания"));
    setFont(courierNew(19, true));
    setFixedSize(391, 377);

    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    richEdit1_->setGeometry(10, 10, 371, 301);
    richEdit1_->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    richEdit1_->setReadOnly(true);
    richEdit1_->setUndoRedoEnabled(false);
    richEdit1_->setLineWrapMode(QTextEdit::WidgetWidth);
    richEdit1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    button_->setObjectName(QStringLiteral("LMDMMButton1"));
    button_->setGeometry(125, 325, 150, 40);
    button_->setFaces(buttonFaces);
    button_->setCaption(QStringLiteral("ОК"));
    connect(button_, &PictureButton::clicked, this, &TForm7::LMDMMButton1Click);

    docs1_.setDocuments(builtInDocuments());
    TitleBar::installWhereWanted(this);
}

void TForm7::showHelp()
{
    setWindowTitle(QStringLiteral("Справочная информация"));
    docs1_.select(HelpDocument);
    showDocument();
}

void TForm7::showGuidance()
{
    setWindowTitle(QStringLiteral("Методические указания"));
    docs1_.select(GuidanceDocument);
    showDocument();
}

void TForm7::showDocument()
{
    // A listener reads the document line by line with a caret of the
    // keyboard's, from its start; a reader who sees it scrolls with the
    // arrow keys and sees no caret.
    Qt::TextInteractionFlags flags = Qt::TextSelectableByMouse;
    if (QAccessible::isActive())
        flags |= Qt::TextSelectableByKeyboard;
    richEdit1_->setTextInteractionFlags(flags);
    richEdit1_->setFocus();
    exec();
}

void TForm7::keyPressEvent(QKeyEvent* event)
{
    // Keys the view leaves alone arrive here; Enter closes like "ОК".
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm7::LMDMMButton1Click()
{
    accept();
}
