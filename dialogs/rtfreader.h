#pragma once

#include <QByteArray>

class QTextDocument;

// Reads a Rich Text Format text into `into`, replacing its content.
//
// Understood: groups, \par \line \tab \page, \pard and the paragraph words
// \ql \qc \qr \qj \li \fi \sb \sa, \plain and the character words \b \i \ul
// \ulnone \fs \f (through the font table) \cf (through the colour table),
// \'hh in Windows-1251, \uN with \ucN fallback skipping, the control symbols
// \~ \_ \- \{ \} \\, and a few typographic words (\emdash, \ldblquote …).
// Ignorable {\* …} groups and non-text destinations (style sheet, info,
// pictures, headers …) are skipped, and unknown words are ignored.
//
// Any input is safe: truncated or unbalanced text, huge numbers, deep
// nesting and binary junk never crash, hang or read out of bounds; the
// document shows whatever text could be read. Work is linear in the input.
void readRtf(const QByteArray& rtf, QTextDocument& into);

// The built-in documents and their resource set.
#include "documents.h"
