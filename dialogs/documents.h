#pragma once

#include <QByteArray>
#include <QList>

// Index of each built-in document in builtInDocuments().
enum BuiltInDocument { HelpDocument = 0, GuidanceDocument = 1 };

// The two built-in RTF documents (Windows-1251): the help text and the
// note on teaching guidance, in that order.
QList<QByteArray> builtInDocuments();

// Makes the documents' resource set available; builtInDocuments() calls it
// itself, so callers need it only to read the resources directly.
void initDialogsResources();
