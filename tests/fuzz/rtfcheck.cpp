#include "rtfcheck.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QTextDocument>

#include <cmath>

#include "rtfreader.h"

namespace {

// Width of the viewer's text area in pixels.
constexpr int ViewerTextWidth = 371;

// Second reads (into a document that already holds text) are made for
// inputs up to this size; they double the cost.
constexpr size_t RereadLimit = 8192;

}  // namespace

std::optional<std::string> checkRtfInput(const uint8_t* data, size_t size)
{
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QTextDocument document;
    readRtf(rtf, document);
    const QString text = document.toRawText();
    if (static_cast<size_t>(text.size()) > size)
        return "the document holds " + std::to_string(text.size()) + " characters read from " + std::to_string(size)
               + " bytes";

    document.setTextWidth(ViewerTextWidth);
    const QSizeF laidOut = document.documentLayout()->documentSize();
    if (!std::isfinite(laidOut.width()) || !std::isfinite(laidOut.height()) || laidOut.height() < 0)
        return "the document does not lay out to a finite size";

    if (size <= RereadLimit) {
        QTextDocument reused;
        reused.setPlainText(QStringLiteral("Старый текст\nв две строки"));
        readRtf(rtf, reused);
        if (reused.toRawText() != text)
            return std::string("reading into a document that held text gives another text");
        if (reused.blockCount() != document.blockCount())
            return std::string("reading into a document that held text gives other paragraphs");
    }
    return std::nullopt;
}
