#include "tdocs.h"

#include "rtfreader.h"

#include <QScrollBar>
#include <QTextEdit>

TDocs::TDocs(QTextEdit* view) : view_(view) {}

void TDocs::setDocuments(const QList<QByteArray>& documents)
{
    documents_ = documents;
    selected_ = -1;
    select(0);
}

bool TDocs::select(int index)
{
    if (index == selected_ || index < 0 || index >= documents_.size())
        return false;
    selected_ = index;
    readRtf(documents_.at(index), *view_->document());
    view_->moveCursor(QTextCursor::Start);
    view_->verticalScrollBar()->setValue(0);
    return true;
}
