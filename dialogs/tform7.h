// TForm7: the document viewer (the help and the teacher's note).
#pragma once

#include "tdocs.h"

#include <QDialog>
#include <QImage>
#include <QList>

class PictureButton;
class QTextEdit;

// The document viewer: one of the built-in documents (help, teaching
// guidance) in a read-only rich-text view, and an "ОК" button. The window
// keeps its last document between shows. Closed by "ОК", Enter, Escape or
// the close box.
class TForm7 : public QDialog {
    Q_OBJECT

public:
    explicit TForm7(const QList<QImage>& buttonFaces, QWidget* parent = nullptr);

    // Caption "Справочная информация", document 0, modal.
    void showHelp();
    // Caption "Методические указания", document 1, modal.
    void showGuidance();

    TDocs& Docs1() { return docs1_; }
    QTextEdit* RichEdit1() const { return richEdit1_; }
    PictureButton* LMDMMButton1() const { return button_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LMDMMButton1Click();
    void showDocument();

    QTextEdit* richEdit1_;
    PictureButton* button_;
    TDocs docs1_;
};
