#include "rtfreader.h"

#include "cp1251.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string_view>

namespace {

constexpr int kMaxDepth = 128;           // groups nested deeper share their parent's state
constexpr long kMaxParameter = 1000000;  // numeric parameters are clamped to ±this
constexpr int kMaxWordLength = 32;       // longer control words are cut (and so unknown)
constexpr int kTwipsPerPixel = 15;       // 1440 twips an inch, 96 pixels an inch
constexpr int kMaxMarginPixels = 2000;

enum class Destination { Text, Skip, FontTable, ColorTable };

struct CharacterProps {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;  // \fs: 12 pt
    int font = -1;        // -1: the default font (\deff)
    int color = 0;        // 0: automatic

    bool operator==(const CharacterProps&) const = default;
};

struct ParagraphProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;  // twips
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct GroupState {
    CharacterProps chars;
    ParagraphProps para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;  // \uc
};

// Words that open a destination whose content is not document text.
constexpr std::string_view kSkippedDestinations[] = {
    "stylesheet",
    "info",
    "pict",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "object",
    "fldinst",
    "footnote",
    "annotation",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "generator",
    "xmlnstbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "filetbl",
    "revtbl",
    "pgdsctbl",
    "author",
    "operator",
    "title",
    "subject",
    "keywords",
    "comment",
    "doccomm",
    "company",
    "nonshppict",
    "shppict",
    "private",
    "bkmkstart",
    "bkmkend",
    "atnid",
    "atnauthor",
    "txe",
    "xe",
    "tc",
    "objdata",
    "result",
};

int clampInt(long value, long low, long high)
{
    return int(std::clamp(value, low, high));
}

class RtfReader {
public:
    RtfReader(const QByteArray& rtf, QTextDocument& doc)
        : pos_(rtf.constData()), end_(rtf.constData() + rtf.size()), cursor_(&doc)
    {
    }

    void run()
    {
        while (pos_ < end_ && !finished_) {
            const char c = *pos_++;
            if (c == '\r' || c == '\n')
                continue;  // line breaks of the file are not text
            if (skipAfterUnicode_ > 0 && c != '{' && c != '}') {
                --skipAfterUnicode_;
                if (c == '\\')
                    readControl(/*discard=*/true);
                continue;
            }
            skipAfterUnicode_ = 0;
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': readControl(/*discard=*/false); break;
            default: plainByte(static_cast<unsigned char>(c)); break;
            }
        }
        flush();
        cursor_.setBlockFormat(blockFormat());
    }

private:
    // ---- groups -------------------------------------------------------

    void openGroup()
    {
        seenGroup_ = true;
        if (stack_.size() >= kMaxDepth) {
            ++overflowDepth_;
            return;
        }
        stack_.append(state_);
    }

    void closeGroup()
    {
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        if (state_.destination == Destination::FontTable)
            finishFontEntry();
        if (stack_.isEmpty())
            return;  // an unmatched "}" is ignored
        state_ = stack_.takeLast();
        if (stack_.isEmpty() && seenGroup_)
            finished_ = true;  // the document's outer group has closed
    }

    // ---- control words and symbols -------------------------------------

    // Reads what follows a backslash. With `discard` the word or symbol only
    // counts as a fallback character of \uN and has no effect.
    void readControl(bool discard)
    {
        if (pos_ >= end_)
            return;
        const char c = *pos_;
        if (!isAsciiLetter(c)) {
            ++pos_;
            if (c == '\'') {
                const int byte = readHexByte();
                if (!discard && byte >= 0)
                    textChar(QChar(cp1251::toUnicode(static_cast<unsigned char>(byte))));
            } else if (!discard) {
                controlSymbol(c);
            }
            return;
        }
        char word[kMaxWordLength + 1];
        int length = 0;
        while (pos_ < end_ && isAsciiLetter(*pos_)) {
            if (length < kMaxWordLength)
                word[length++] = *pos_;
            ++pos_;
        }
        word[length] = '\0';
        bool hasParameter = false;
        long parameter = 0;
        bool negative = false;
        if (pos_ + 1 < end_ && *pos_ == '-' && isDigit(pos_[1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < end_ && isDigit(*pos_)) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (*pos_ - '0'), kMaxParameter);
            ++pos_;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < end_ && *pos_ == ' ')
            ++pos_;  // the delimiting space belongs to the word
        const std::string_view name(word, std::size_t(length));
        if (name == "bin") {
            // Binary data: skipped in any case, never read as text.
            pos_ += std::min<long>(std::max(parameter, 0L), end_ - pos_);
            return;
        }
        if (!discard)
            controlWord(name, hasParameter, parameter);
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}': textChar(QLatin1Char(c)); break;
        case '~': textChar(QChar(0x00A0)); break;  // non-breaking space
        case '_': textChar(QChar(0x2011)); break;  // non-breaking hyphen
        case '*': setDestination(Destination::Skip); break;
        case '\r':
        case '\n': paragraph(); break;  // "\" before a line break is \par
        default: break;                 // \- optional hyphen, \| \: and unknown symbols
        }
    }

    void controlWord(std::string_view name, bool hasParameter, long parameter)
    {
        // Destination words may come anywhere in their group.
        if (name == "fonttbl") {
            setDestination(Destination::FontTable);
            fontNumber_ = 0;
            fontName_.clear();
            return;
        }
        if (name == "colortbl") {
            setDestination(Destination::ColorTable);
            resetColorEntry();
            return;
        }
        if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), name)
            != std::end(kSkippedDestinations)) {
            setDestination(Destination::Skip);
            return;
        }
        switch (state_.destination) {
        case Destination::Skip: return;
        case Destination::FontTable: fontTableWord(name, hasParameter, parameter); return;
        case Destination::ColorTable: colorTableWord(name, parameter); return;
        case Destination::Text: textWord(name, hasParameter, parameter); return;
        }
    }

    void fontTableWord(std::string_view name, bool hasParameter, long parameter)
    {
        if (name == "f") {
            finishFontEntry();
            fontNumber_ = clampInt(parameter, -kMaxParameter, kMaxParameter);
        } else if (name == "u" && hasParameter) {
            unicodeChar(parameter);
        }
    }

    void colorTableWord(std::string_view name, long parameter)
    {
        int* component = name == "red" ? &red_ : name == "green" ? &green_ : name == "blue" ? &blue_ : nullptr;
        if (component) {
            *component = clampInt(parameter, 0, 255);
            colorGiven_ = true;
        }
    }

    void textWord(std::string_view name, bool hasParameter, long parameter)
    {
        const auto flag = [&] { return !hasParameter || parameter != 0; };
        CharacterProps& chars = state_.chars;
        ParagraphProps& para = state_.para;

        if (name == "par" || name == "page" || name == "sect" || name == "row") {
            paragraph();
        } else if (name == "line") {
            textChar(QChar(QChar::LineSeparator));
        } else if (name == "tab" || name == "cell") {
            textChar(QLatin1Char('\t'));
        } else if (name == "pard") {
            para = ParagraphProps();
        } else if (name == "plain") {
            chars = CharacterProps();
        } else if (name == "b") {
            chars.bold = flag();
        } else if (name == "i") {
            chars.italic = flag();
        } else if (name == "ul" || name == "uld" || name == "uldb" || name == "ulw" || name == "uldash"
                   || name == "ulth" || name == "ulwave") {
            chars.underline = flag();
        } else if (name == "ulnone") {
            chars.underline = false;
        } else if (name == "fs") {
            chars.halfPoints = hasParameter ? clampInt(parameter, 2, 400) : 24;
        } else if (name == "f") {
            chars.font = clampInt(parameter, -kMaxParameter, kMaxParameter);
        } else if (name == "deff") {
            defaultFont_ = clampInt(parameter, -kMaxParameter, kMaxParameter);
        } else if (name == "cf") {
            chars.color = clampInt(parameter, 0, kMaxParameter);
        } else if (name == "ql") {
            para.alignment = Qt::AlignLeft;
        } else if (name == "qc") {
            para.alignment = Qt::AlignHCenter;
        } else if (name == "qr") {
            para.alignment = Qt::AlignRight;
        } else if (name == "qj") {
            para.alignment = Qt::AlignJustify;
        } else if (name == "li") {
            para.leftIndent = clampInt(parameter, 0, kMaxMarginPixels * kTwipsPerPixel);
        } else if (name == "fi") {
            para.firstIndent =
                clampInt(parameter, -kMaxMarginPixels * kTwipsPerPixel, kMaxMarginPixels * kTwipsPerPixel);
        } else if (name == "sb") {
            para.spaceBefore = clampInt(parameter, 0, kMaxMarginPixels * kTwipsPerPixel);
        } else if (name == "sa") {
            para.spaceAfter = clampInt(parameter, 0, kMaxMarginPixels * kTwipsPerPixel);
        } else if (name == "uc") {
            state_.unicodeSkip = clampInt(parameter, 0, 16);
        } else if (name == "u" && hasParameter) {
            unicodeChar(parameter);
        } else if (name == "emdash") {
            textChar(QChar(0x2014));
        } else if (name == "endash") {
            textChar(QChar(0x2013));
        } else if (name == "bullet") {
            textChar(QChar(0x2022));
        } else if (name == "lquote") {
            textChar(QChar(0x2018));
        } else if (name == "rquote") {
            textChar(QChar(0x2019));
        } else if (name == "ldblquote") {
            textChar(QChar(0x201C));
        } else if (name == "rdblquote") {
            textChar(QChar(0x201D));
        } else if (name == "emspace" || name == "enspace") {
            textChar(QLatin1Char(' '));
        }
        // Any other word is ignored.
    }

    void setDestination(Destination destination)
    {
        // A skipped group stays skipped whatever its words say.
        if (state_.destination != Destination::Skip)
            state_.destination = destination;
    }

    // \uN: N is a signed 16-bit number; the fallback characters that follow
    // are skipped.
    void unicodeChar(long parameter)
    {
        long code = parameter < 0 ? parameter + 65536 : parameter;
        if (code < 0 || code > 0xFFFF)
            code = 0xFFFD;
        textChar(QChar(char16_t(code)));
        skipAfterUnicode_ = state_.unicodeSkip;
    }

    // ---- text -----------------------------------------------------------

    void plainByte(unsigned char byte)
    {
        if (byte == '\t') {
            textChar(QLatin1Char('\t'));
            return;
        }
        if (byte < 0x20 || byte == 0x7F)
            return;  // control characters are not text
        textChar(QChar(cp1251::toUnicode(byte)));
    }

    void textChar(QChar ch)
    {
        switch (state_.destination) {
        case Destination::Text: appendText(ch); break;
        case Destination::FontTable:
            if (ch == QLatin1Char(';'))
                finishFontEntry();
            else
                fontName_.append(ch);
            break;
        case Destination::ColorTable:
            if (ch == QLatin1Char(';')) {
                colors_.append(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
                resetColorEntry();
            }
            break;
        case Destination::Skip: break;
        }
    }

    // Characters that mean structure to QTextDocument (object and frame
    // markers) or nothing at all (control characters from \uN) never get in.
    void appendText(QChar ch)
    {
        const char16_t c = ch.unicode();
        if (c < 0x20 && c != '\t')
            return;
        if (c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1)
            ch = QChar(QChar::ReplacementCharacter);
        // Text is gathered in runs of one character format.
        if (!pending_.isEmpty() && pendingChars_ != state_.chars)
            flush();
        if (pending_.isEmpty())
            pendingChars_ = state_.chars;
        pending_.append(ch);
    }

    void paragraph()
    {
        if (state_.destination != Destination::Text)
            return;
        flush();
        const QTextBlockFormat format = blockFormat();
        cursor_.setBlockFormat(format);
        cursor_.insertBlock(format, charFormat(state_.chars));
    }

    // Writes the text gathered so far in its character format and gives the
    // current paragraph its format.
    void flush()
    {
        if (pending_.isEmpty())
            return;
        // Lone halves of surrogate pairs are not characters.
        for (qsizetype i = 0; i < pending_.size(); ++i) {
            const QChar ch = pending_.at(i);
            if (ch.isHighSurrogate() && i + 1 < pending_.size() && pending_.at(i + 1).isLowSurrogate())
                ++i;
            else if (ch.isSurrogate())
                pending_[i] = QChar(QChar::ReplacementCharacter);
        }
        cursor_.setBlockFormat(blockFormat());
        cursor_.insertText(pending_, charFormat(pendingChars_));
        pending_.clear();
    }

    QTextCharFormat charFormat(const CharacterProps& chars) const
    {
        QTextCharFormat format;
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontPointSize(chars.halfPoints / 2.0);
        const auto font = fonts_.constFind(chars.font >= 0 ? chars.font : defaultFont_);
        if (font != fonts_.constEnd() && !font->isEmpty())
            format.setFontFamilies(QStringList{*font});
        if (chars.color > 0 && chars.color < colors_.size() && colors_.at(chars.color).isValid())
            format.setForeground(colors_.at(chars.color));
        return format;
    }

    QTextBlockFormat blockFormat() const
    {
        const ParagraphProps& para = state_.para;
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.leftIndent / kTwipsPerPixel);
        format.setTextIndent(para.firstIndent / kTwipsPerPixel);
        format.setTopMargin(para.spaceBefore / kTwipsPerPixel);
        format.setBottomMargin(para.spaceAfter / kTwipsPerPixel);
        return format;
    }

    // ---- tables ---------------------------------------------------------

    void finishFontEntry()
    {
        const QString name = fontName_.trimmed();
        if (!name.isEmpty() && !fonts_.contains(fontNumber_))
            fonts_.insert(fontNumber_, name);
        fontName_.clear();
    }

    void resetColorEntry()
    {
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
    }

    // ---- bytes ----------------------------------------------------------

    int readHexByte()
    {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (pos_ >= end_)
                return -1;
            const int digit = hexValue(*pos_);
            if (digit < 0)
                return -1;
            value = value * 16 + digit;
            ++pos_;
        }
        return value;
    }

    static bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    const char* pos_;
    const char* end_;
    QTextCursor cursor_;

    GroupState state_;
    QList<GroupState> stack_;
    int overflowDepth_ = 0;
    bool seenGroup_ = false;
    bool finished_ = false;
    int skipAfterUnicode_ = 0;
    QString pending_;
    CharacterProps pendingChars_;  // the format of pending_

    QHash<int, QString> fonts_;
    int defaultFont_ = 0;
    int fontNumber_ = 0;
    QString fontName_;

    QList<QColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;
};

}  // namespace

void readRtf(const QByteArray& rtf, QTextDocument& into)
{
    into.clear();
    RtfReader reader(rtf, into);
    reader.run();
}
