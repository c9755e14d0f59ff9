#include "documents.h"

#include <QFile>

// Outside any namespace, as Q_INIT_RESOURCE requires.
void initDialogsResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(dialog_docs);
        return true;
    }();
    (void)done;
}

QList<QByteArray> builtInDocuments()
{
    initDialogsResources();
    QList<QByteArray> docs;
    for (const char* name : {":/docs/help.rtf", ":/docs/guidance.rtf"}) {
        QFile file(QString::fromLatin1(name));
        // The resources are compiled in; an unreadable one is a broken build.
        docs.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return docs;
}
