// TDocs: the list of built-in documents behind the document viewer.
#pragma once

#include <QByteArray>
#include <QList>

class QTextEdit;

// A list of RTF documents bound to a rich-text view: selecting a document
// loads it into the view from the start. Selecting the document already shown
// leaves the view alone (its scroll position stays), and an index with no
// document changes nothing.
class TDocs {
public:
    explicit TDocs(QTextEdit* view);

    // Replaces the list and shows document 0 (if there is one).
    void setDocuments(const QList<QByteArray>& documents);
    qsizetype count() const { return documents_.size(); }
    QByteArray document(qsizetype index) const { return documents_.value(index); }

    // The document shown, or -1 before any.
    int selectedIndex() const { return selected_; }
    // Returns true when the view was (re)loaded.
    bool select(int index);

private:
    QTextEdit* view_;
    QList<QByteArray> documents_;
    int selected_ = -1;
};
