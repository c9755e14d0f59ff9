#include "cp1251.h"
#include "rtfreader.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <ostream>

#include <algorithm>
#include <ctime>
#include <random>

namespace {

// Processor time this thread has used: the reader's speed is judged on it, so
// a machine busy with other work does not make it look slow.
int64_t threadCpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return int64_t(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// A document read from RTF.
struct Parsed : QTextDocument {
    explicit Parsed(const QByteArray& rtf) { readRtf(rtf, *this); }
};

QString rawText(const QByteArray& rtf)
{
    return Parsed(rtf).toRawText();
}

QByteArray wrap(const QByteArray& body)
{
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0 " + body + "}";
}

// The format of the fragment holding `piece`.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& piece)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(piece))
                return it.fragment().charFormat();
    ADD_FAILURE() << "no fragment holds " << piece.toStdString();
    return {};
}

QTextBlock blockWith(const QTextDocument& doc, const QString& piece)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        if (block.text().contains(piece))
            return block;
    ADD_FAILURE() << "no block holds " << piece.toStdString();
    return {};
}

QStringList blockTexts(const QTextDocument& doc)
{
    QStringList texts;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

const QByteArray kFormatted =
    wrap("{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}{\\f1\\fswiss Arial;}{\\f2\\fmodern Courier New;}}"
         "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\n"
         "\\pard\\qc\\f1\\fs32\\b Title\\b0\\par\n"
         "\\pard\\qj\\f0\\fs24 plain {\\i italic} {\\ul under \\ulnone none} {\\cf1 red} {\\cf2\\f2 navy} {\\b0\\b1 "
         "bold}\\par\n"
         "\\pard\\qr right\\line next\\tab tabbed\\par\n"
         "\\pard left {\\b\\i\\plain reset}");

TEST(RtfReader, ParagraphsAndAlignment)
{
    const Parsed doc(kFormatted);
    EXPECT_EQ(blockTexts(doc),
              (QStringList{QStringLiteral("Title"), QStringLiteral("plain italic under none red navy bold"),
                           QStringLiteral("right\u2028next\ttabbed"), QStringLiteral("left reset")}));
    EXPECT_EQ(blockWith(doc, QStringLiteral("Title")).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockWith(doc, QStringLiteral("plain")).blockFormat().alignment(), Qt::AlignJustify);
    EXPECT_EQ(blockWith(doc, QStringLiteral("right")).blockFormat().alignment(), Qt::AlignRight);
    EXPECT_EQ(blockWith(doc, QStringLiteral("left")).blockFormat().alignment(), Qt::AlignLeft);  // \pard
}

TEST(RtfReader, CharacterFormats)
{
    const Parsed doc(kFormatted);
    const QTextCharFormat title = formatOf(doc, QStringLiteral("Title"));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16.0);
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});

    const QTextCharFormat plain = formatOf(doc, QStringLiteral("plain"));
    EXPECT_EQ(plain.fontWeight(), QFont::Normal);
    EXPECT_FALSE(plain.fontItalic());
    EXPECT_FALSE(plain.fontUnderline());
    EXPECT_DOUBLE_EQ(plain.fontPointSize(), 12.0);
    EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{QStringLiteral("Times New Roman")});
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));

    EXPECT_TRUE(formatOf(doc, QStringLiteral("italic")).fontItalic());
    EXPECT_TRUE(formatOf(doc, QStringLiteral("under")).fontUnderline());
    EXPECT_FALSE(formatOf(doc, QStringLiteral("none")).fontUnderline());
    EXPECT_EQ(formatOf(doc, QStringLiteral("red")).foreground().color(), QColor(255, 0, 0));
    const QTextCharFormat navy = formatOf(doc, QStringLiteral("navy"));
    EXPECT_EQ(navy.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(navy.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
    EXPECT_EQ(formatOf(doc, QStringLiteral("bold")).fontWeight(), QFont::Bold);

    // A group's formats end with the group.
    EXPECT_FALSE(formatOf(doc, QStringLiteral("right")).fontItalic());
    const QTextCharFormat reset = formatOf(doc, QStringLiteral("reset"));
    EXPECT_EQ(reset.fontWeight(), QFont::Normal);
    EXPECT_FALSE(reset.fontItalic());
    EXPECT_EQ(reset.fontFamilies().toStringList(), QStringList{QStringLiteral("Times New Roman")});  // \deff0
}

TEST(RtfReader, ParagraphSpacingAndIndents)
{
    const Parsed doc(wrap("\\pard\\li300\\fi-150\\sb120\\sa60 x\\par"));
    const QTextBlockFormat format = doc.begin().blockFormat();
    EXPECT_DOUBLE_EQ(format.leftMargin(), 20.0);
    EXPECT_DOUBLE_EQ(format.textIndent(), -10.0);
    EXPECT_DOUBLE_EQ(format.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(format.bottomMargin(), 4.0);
}

TEST(RtfReader, Windows1251Letters)
{
    EXPECT_EQ(rawText(wrap("\\'cf\\'e0\\'eb\\'fc\\'f6\\'e5\\'f5\\'ee\\'e4")), QStringLiteral("Пальцеход"));
    EXPECT_EQ(rawText(wrap("\\'C0\\'df\\'e0\\'ff \\'a8\\'b8 \\'b9 \\'ab\\'bb \\'97")),
              QStringLiteral("АЯая Ёё № «» —"));
    // Raw 8-bit bytes read in the same code page.
    EXPECT_EQ(rawText(wrap("\xcf\xf0\xe8\xe2\xe5\xf2")), QStringLiteral("Привет"));
    // A broken escape reads nothing and loses nothing after it.
    EXPECT_EQ(rawText(wrap("a\\'zzb\\'4")), QStringLiteral("azzb"));
}

TEST(Cp1251, TableAgreesWithTheSystemCodec)
{
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        GTEST_SKIP() << "Qt has no Windows-1251 codec here";
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98)
            continue;  // unassigned
        const char c = char(byte);
        const QString expected = decoder.decode(QByteArrayView(&c, 1));
        ASSERT_EQ(expected.size(), 1);
        EXPECT_EQ(cp1251::toUnicode(uchar(byte)), expected.at(0).unicode()) << byte;
        EXPECT_EQ(cp1251::fromUnicode(expected.at(0).unicode()), byte);
    }
}

TEST(Cp1251, RoundTripsEveryByte)
{
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98)
            continue;  // unassigned
        EXPECT_EQ(cp1251::fromUnicode(cp1251::toUnicode(uchar(byte))), byte) << byte;
    }
    EXPECT_EQ(cp1251::fromUnicode(U'ä'), -1);
    EXPECT_EQ(cp1251::fromUnicode(0xFFFD), -1);
}

struct TextCase {
    const char* name;
    QByteArray rtf;
    QString expected;
};

// ctest names the case by this, the same in every run.
void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class RtfTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfTextTest, ReadsTheText)
{
    EXPECT_EQ(rawText(GetParam().rtf), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfTextTest,
    ::testing::Values(
        // \uN with its fallback characters skipped
        TextCase{"Unicode", wrap("\\u1055?\\u1072?X"), QStringLiteral("ПаX")},
        TextCase{"UnicodeNegative", wrap("\\u-3?\\u-1?"), QStringLiteral("\uFFFD\uFFFF")},
        TextCase{"UnicodeSkipTwo", wrap("\\uc2\\u1055 abX"), QStringLiteral("ПX")},
        TextCase{"UnicodeSkipZero", wrap("\\uc0\\u1055 ab"), QStringLiteral("Пab")},
        TextCase{"UnicodeSkipsAnEscape", wrap("\\u1055\\'cfX"), QStringLiteral("ПX")},
        TextCase{"UnicodeSkipsAControlWord", wrap("\\uc1\\u1055\\par X"), QStringLiteral("ПX")},
        TextCase{"UnicodeSkipEndsAtGroup", wrap("{\\uc5\\u1055 ab}cd"), QStringLiteral("Пcd")},
        TextCase{"UnicodeSkipIsScoped", wrap("{\\uc3 }\\u1055?X"), QStringLiteral("ПX")},
        TextCase{"SurrogatePair", wrap("\\u-10179?\\u-8704?"), QString::fromUcs4(U"\U0001F600")},
        TextCase{"MarkersAndControlsNeutralised", wrap("\\u-4?\\u-560?\\u-559?\\u13?\\u10?\\u9?x"),
                 QStringLiteral("\uFFFD\uFFFD\uFFFD\tx")},
        TextCase{"LoneSurrogate", wrap("\\u-10179?x"), QStringLiteral("\uFFFDx")},
        TextCase{"OutOfRangeUnicode", wrap("\\u99999999999999?x"), QStringLiteral("\uFFFDx")},
        // control symbols
        TextCase{"Symbols", wrap("a\\~b\\_c\\-d\\{\\}\\\\\\|\\:"), QStringLiteral("a\u00A0b\u2011cd{}\\")},
        TextCase{"Typography", wrap("\\ldblquote x\\rdblquote\\emdash\\endash\\bullet"),
                 QStringLiteral("\u201Cx\u201D\u2014\u2013\u2022")},
        // destinations
        TextCase{"SkippedDestinations",
                 wrap("A{\\*\\foo hidden {nested}}B{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}"
                      "{\\pict\\bin4 }}{}C}D{\\header H}E"),
                 QStringLiteral("ABDE")},
        TextCase{"FieldShowsItsResult", wrap("{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"),
                 QStringLiteral("link")},
        TextCase{"UnknownWordsIgnored", wrap("\\foo\\bar12 \\baz-3 text"), QStringLiteral("text")},
        TextCase{"MinusWithoutDigitsIsText", wrap("\\b- x"), QStringLiteral("- x")},
        TextCase{"FileLineBreaksAreNotText", wrap("a\r\nb\nc"), QStringLiteral("abc")},
        TextCase{"EscapedLineBreakIsAParagraph", wrap("a\\\nb"), QStringLiteral("a\u2029b")},
        TextCase{"ControlBytesDropped",
                 QByteArray("{\\rtf1 a\x01\x7f"
                            "b\tc}"),
                 QStringLiteral("ab\tc")},
        // damaged input
        TextCase{"Truncated", "{\\rtf1 abc", QStringLiteral("abc")},
        TextCase{"TruncatedInAWord", "{\\rtf1 abc\\fs2", QStringLiteral("abc")},
        TextCase{"TruncatedInAnEscape", "{\\rtf1 abc\\'e", QStringLiteral("abc")},
        TextCase{"TrailingBackslash", "{\\rtf1 abc\\", QStringLiteral("abc")},
        TextCase{"UnmatchedCloseBraces", "}}}abc", QStringLiteral("abc")},
        TextCase{"TextAfterTheDocumentIgnored", "{\\rtf1 a}b", QStringLiteral("a")},
        TextCase{"BinPastTheEnd", "{\\rtf1 a\\bin999999999 b", QStringLiteral("a")},
        TextCase{"NegativeBin", "{\\rtf1 a\\bin-5 b}", QStringLiteral("ab")}, TextCase{"Empty", "", QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, HugeNumbersAreClamped)
{
    const Parsed doc(wrap("\\fs99999999999999999999999 big\\fs0 small\\f-99999999999 \\cf99999999999 x\\li-999999999 "
                          "\\sb99999999999 y\\uc99999999999\\u1055 abcdefghijklmnopqrstuvwxyz"));
    EXPECT_DOUBLE_EQ(formatOf(doc, QStringLiteral("big")).fontPointSize(), 200.0);
    EXPECT_DOUBLE_EQ(formatOf(doc, QStringLiteral("small")).fontPointSize(), 1.0);
    EXPECT_TRUE(doc.toRawText().endsWith(QStringLiteral("xyПqrstuvwxyz")));  // skipped 16 at most
}

TEST(RtfReader, ColourTableEntriesWithoutValuesAreAutomatic)
{
    const Parsed doc(wrap("{\\colortbl;;\\red0\\green128\\blue0;}{\\cf1 auto}{\\cf2 green}{\\cf7 none}"));
    EXPECT_FALSE(formatOf(doc, QStringLiteral("auto")).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf(doc, QStringLiteral("green")).foreground().color(), QColor(0, 128, 0));
    EXPECT_FALSE(formatOf(doc, QStringLiteral("none")).hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, FontTableWithoutEntryGroups)
{
    const Parsed doc(wrap("{\\fonttbl\\f0\\fswiss Arial;\\f1\\fmodern Courier New;}\\f1 mono"));
    EXPECT_EQ(formatOf(doc, QStringLiteral("mono")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Courier New")});
}

TEST(RtfReader, DeepNestingIsCappedAndRestored)
{
    constexpr int kDepth = 100000;
    const QByteArray deep = "{\\rtf1 " + QByteArray(kDepth, '{') + "\\b x" + QByteArray(kDepth, '}') + " y}";
    const int64_t start = threadCpuMilliseconds();
    const Parsed doc(deep);
    EXPECT_LT(threadCpuMilliseconds() - start, 2000);
    EXPECT_EQ(doc.toRawText(), QStringLiteral("x y"));
    EXPECT_EQ(formatOf(doc, QStringLiteral("x")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, QStringLiteral(" y")).fontWeight(), QFont::Normal);

    // Never closed at all.
    EXPECT_EQ(rawText(QByteArray(kDepth, '{') + "z"), QStringLiteral("z"));
}

TEST(RtfReader, ReplacesTheDocumentContent)
{
    QTextDocument doc;
    readRtf(wrap("first\\par second"), doc);
    readRtf(wrap("third"), doc);
    EXPECT_EQ(doc.toRawText(), QStringLiteral("third"));
}

// Seeded mutations of valid documents: whatever comes in, the reader returns
// in time with a consistent document.
TEST(RtfReader, SurvivesMutatedInput)
{
    QList<QByteArray> corpus = builtInDocuments();
    corpus.append(kFormatted);
    corpus.append(wrap("{\\uc2\\u1055 ab}\\bin3 {}{\\*\\x y}{\\colortbl;\\red1;}{\\fonttbl{\\f0 A;}}"));
    static const char kInteresting[] = "{}\\'-0123456789 ;abuc*\xff\x00\r\n";

    std::mt19937 random(20240611);
    const auto below = [&](qsizetype n) { return qsizetype(random() % quint32(std::max<qsizetype>(n, 1))); };

    const int64_t start = threadCpuMilliseconds();
    int runs = 0;
    for (; runs < 15000 && threadCpuMilliseconds() - start < 3000; ++runs) {
        QByteArray input = corpus.at(below(corpus.size()));
        const int edits = 1 + int(below(8));
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = below(input.size() + 1);
            switch (below(6)) {
            case 0:
                if (at < input.size())
                    input[at] = char(random());
                break;
            case 1: input.insert(at, kInteresting[below(sizeof kInteresting - 1)]); break;
            case 2: input.remove(at, below(64)); break;
            case 3: input.insert(at, input.mid(below(input.size()), below(256))); break;
            case 4: input.truncate(at); break;
            case 5: input.insert(at, QByteArray::number(quint64(random()) * quint64(random()))); break;
            }
        }
        if (runs % 10 == 0) {  // now and then pure junk
            input.resize(below(2048));
            for (char& c : input)
                c = char(random());
        }
        const int64_t before = threadCpuMilliseconds();
        QTextDocument doc;
        readRtf(input, doc);
        ASSERT_LT(threadCpuMilliseconds() - before, 1000) << "run " << runs;
        ASSERT_LE(doc.characterCount(), input.size() + 1) << "run " << runs;
    }
    EXPECT_GT(runs, 200);
}

TEST(BuiltInDocuments, AreSevenBitWindows1251Rtf)
{
    const QList<QByteArray> docs = builtInDocuments();
    ASSERT_EQ(docs.size(), 2);
    for (const QByteArray& doc : docs) {
        EXPECT_TRUE(doc.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"));
        EXPECT_TRUE(doc.contains("Times New Roman;") && doc.contains("Arial;") && doc.contains("Courier New;"));
        EXPECT_TRUE(doc.contains("{\\colortbl"));
        EXPECT_TRUE(std::all_of(doc.begin(), doc.end(), [](char c) { return uchar(c) < 0x80; }));
        EXPECT_GT(doc.size(), 2000);
    }
}

TEST(BuiltInDocuments, HelpHasItsFourHeadings)
{
    const Parsed doc(builtInDocuments().at(HelpDocument));
    const QStringList blocks = blockTexts(doc);
    qsizetype last = -1;
    for (const char* heading : {"Назначение", "Задача", "Сложность", "Пауза"}) {
        const QString text = QString::fromUtf8(heading);
        const qsizetype at = blocks.indexOf(text);
        ASSERT_GE(at, 0) << heading;
        EXPECT_GT(at, last) << heading;  // in this order
        last = at;
        EXPECT_EQ(formatOf(doc, text).fontWeight(), QFont::Bold);
    }
    const QString text = doc.toRawText();
    for (const char* phrase : {"Ф Ы В А", "О Л Д Ж", "голубой", "зеленый", "желтый", "розовый", "фиолетовой", "б/мин",
                               "15 минут", "20 минут", "F1", "«Звук включен»"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(phrase))) << phrase;
}

TEST(BuiltInDocuments, GuidanceIsHeaded)
{
    const Parsed doc(builtInDocuments().at(GuidanceDocument));
    EXPECT_EQ(doc.begin().text(), QStringLiteral("О методических указаниях"));
    EXPECT_EQ(formatOf(doc, QStringLiteral("О методических указаниях")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(doc.toRawText().contains(QStringLiteral("книгах для учителя")));
}

TEST(BuiltInDocuments, ReadCleanly)
{
    for (const QByteArray& rtf : builtInDocuments()) {
        const QString text = Parsed(rtf).toRawText();
        for (QChar bad : {QChar(u'\\'), QChar(u'{'), QChar(u'}'), QChar(u'?'), QChar(QChar::ReplacementCharacter)})
            EXPECT_FALSE(text.contains(bad)) << QString(bad).toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("  ")));  // no doubled spaces left by control words
    }
}

}  // namespace
