#include <QFontMetrics>
#include <gtest/gtest.h>
#include <ostream>

#include "colorref.h"
#include "fieldtext.h"
#include "pixels.h"
#include "typingfield.h"

namespace {

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t grey = 0xC0C0C0;
constexpr uint32_t black = 0x000000;
constexpr uint32_t purple = 0x800080;  // 0x800080 is its own mirror in 0x00BBGGRR

bool isGrey(uint32_t c)
{
    return c == grey;
}
bool isPurple(uint32_t c)
{
    return c == purple;
}

// The exercise letters plus a space; "Д" reaches below the baseline.
const char16_t* const homeRowLine = u"ФЫВА ПРОЛДЖЭ ";

TEST(TypingField, PictureIsWhiteFieldOfTheFieldSize)
{
    TypingField field;
    EXPECT_TRUE(field.image().isNull());
    field.create();
    ASSERT_EQ(field.image().size(), QSize(601, 251));
    EXPECT_FALSE(boundsOf(field.image(), field.image().rect(), [](uint32_t c) { return c != white; }).isValid());
}

TEST(TypingField, FortyPixelBoldAdvancesTwentyFourPixels)
{
    const QFontMetrics metrics(fieldFont());
    const QString letters = QString::fromUtf16(u"ФЫВАПРОЛДЖЭЙЦУКЕНГШЩЗХЪЯЧСМИТЬБЮ. ");
    for (const QChar c : letters)
        EXPECT_EQ(metrics.horizontalAdvance(c), 24) << QString(c).toStdString();
    EXPECT_EQ(metrics.horizontalAdvance(letters), 24 * letters.size());
}

struct LevelCase {
    int32_t level;
    int firstLineTop;
};

void PrintTo(const LevelCase& c, std::ostream* os)
{
    *os << "level " << c.level;
}

class TypingFieldLevels : public ::testing::TestWithParam<LevelCase> {};

// Each line's capitals stand 7..32 pixels below the line's top; the field
// holds Level + 2 lines, 50 pixels apart, and nothing else.
TEST_P(TypingFieldLevels, LinesStartAtTheirOffsetAndFiftyPixelsApart)
{
    const LevelCase c = GetParam();
    GameState state = stateWith(c.level, {u"ФЫВА ", u"ПРОЛ ", u"ЖЭФЫ ", u"ВАПР ", u"ОЛЖЭ "});
    TypingField field;
    field.create();
    field.drawExercise(state);
    const QImage& image = field.image();

    EXPECT_EQ(TypingField::verticalOffset(c.level), c.firstLineTop);
    const int lines = c.level + 2;
    for (int n = 1; n <= lines; ++n) {
        const int top = c.firstLineTop + (n - 1) * 50;
        EXPECT_EQ(TypingField::lineOrigin(n, c.level), QPoint(2, top));
        const QRect ink = boundsOf(image, QRect(0, top, 601, 50), isGrey);
        EXPECT_EQ(ink.top(), top + 7) << "line " << n;
        EXPECT_EQ(ink.bottom(), top + 32) << "line " << n;
        // "ФЫВА " : four letters at positions 1..4, nothing at the space
        EXPECT_GE(ink.left(), 2);
        EXPECT_LT(ink.right(), 4 * 24 + 2);
    }
    const int used = c.firstLineTop + lines * 50;
    EXPECT_FALSE(boundsOf(image, QRect(0, 0, 601, c.firstLineTop), isGrey).isValid());
    EXPECT_FALSE(boundsOf(image, QRect(0, used, 601, 251 - used), isGrey).isValid());
}

INSTANTIATE_TEST_SUITE_P(Levels, TypingFieldLevels,
                         ::testing::Values(LevelCase{1, 50}, LevelCase{2, 25}, LevelCase{3, 0}));

TEST(TypingField, EveryCharacterSitsInItsTwentyFourPixelCell)
{
    GameState state = stateWith(3, {u"ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ", u"", u"", u"", u""});
    TypingField field;
    field.create();
    field.drawExercise(state);
    const QRect first = boundsOf(field.image(), QRect(2, 0, 24, 50), isGrey);
    ASSERT_TRUE(first.isValid());
    for (int p = 2; p <= 24; ++p) {  // the 25th is cut by the field's edge
        const int cell = (p - 1) * 24 + 2;
        const QRect ink = boundsOf(field.image(), QRect(cell, 0, 24, 50), isGrey);
        EXPECT_EQ(ink, first.translated(cell - 2, 0)) << "position " << p;
    }
}

struct CursorCase {
    int32_t level;
    int32_t line;
    int32_t pos;
    QRect rect;
};

void PrintTo(const CursorCase& c, std::ostream* os)
{
    *os << "level " << c.level << ", line " << c.line << ", letter " << c.pos;
}

class TypingFieldCursor : public ::testing::TestWithParam<CursorCase> {};

TEST_P(TypingFieldCursor, UnderlineIsTwentyFourBySixPurple)
{
    const CursorCase c = GetParam();
    GameState state = stateWith(c.level, {u"ФЫВА ПРОЛ ", u"ДЖЭ ФЫВА ", u"ПРОЛ ", u"ДЖЭ ", u"ФЫВА ПРОЛ ДЖЭ ФЫВА ПРОЛ "},
                                c.line, c.pos);
    EXPECT_EQ(TypingField::cursorRect(c.line, c.pos, c.level), c.rect);

    TypingField field;
    field.create();
    field.drawExercise(state);
    const QImage before = field.image();
    const QRect changed = field.showCursor(state);
    const QRect visible = c.rect.intersected(QRect(0, 0, 601, 251));
    EXPECT_EQ(changed, visible);
    EXPECT_EQ(boundsOf(field.image(), field.image().rect(), isPurple), visible);
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        for (int x = visible.left(); x <= visible.right(); ++x)
            ASSERT_EQ(rgbAt(field.image(), x, y), purple) << x << "," << y;
    EXPECT_EQ(differingArea(before, field.image()), visible);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, TypingFieldCursor,
    ::testing::Values(CursorCase{1, 1, 1, QRect(2, 88, 24, 6)},        // first letter, level 1
                      CursorCase{3, 1, 1, QRect(2, 38, 24, 6)},        // first letter, level 3
                      CursorCase{2, 2, 3, QRect(50, 113, 24, 6)},      // middle of a line
                      CursorCase{1, 1, 10, QRect(218, 88, 24, 6)},     // last character of line 1 (its space)
                      CursorCase{3, 5, 25, QRect(578, 238, 24, 6)}));  // 25th character: the field's edge cuts it

// A correct key turns the grey glyph black pixel for pixel, and the underline
// goes; the picture is otherwise unchanged.
class TypingFieldTypedLetter : public ::testing::TestWithParam<int32_t> {};

TEST_P(TypingFieldTypedLetter, BlackGlyphCoversExactlyTheGreyOne)
{
    const int32_t pos = GetParam();
    GameState state = stateWith(1, {homeRowLine, u"ЖЭ ", u"ФЫ "}, 1, pos);
    TypingField field;
    field.create();
    field.drawExercise(state);
    const QImage grey = field.image();
    field.showCursor(state);
    const QRect changed = field.markTypedLetter(state);

    QImage expected = grey;
    const QRect cell((pos - 1) * 24 + 2, 50, 24, 50);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (rgbAt(grey, x, y) == 0xC0C0C0)
                expected.setPixel(x, y, 0xFF000000);
    EXPECT_EQ(differingArea(expected, field.image()), QRect()) << "position " << pos;
    EXPECT_TRUE(changed.contains(cell));
    EXPECT_TRUE(changed.contains(TypingField::cursorRect(1, pos, 1)));
}

INSTANTIATE_TEST_SUITE_P(HomeRow, TypingFieldTypedLetter, ::testing::Range(1, 14));

TEST(TypingField, SpaceGetsAnUnderlineAndStaysBlank)
{
    GameState state = stateWith(1, {u"ФЫ ВА ", u"ПР ", u"ОЛ "}, 1, 3);
    TypingField field;
    field.create();
    field.drawExercise(state);
    const QImage before = field.image();
    EXPECT_EQ(field.showCursor(state), QRect(50, 88, 24, 6));
    EXPECT_EQ(boundsOf(field.image(), field.image().rect(), isPurple), QRect(50, 88, 24, 6));
    field.markTypedLetter(state);
    EXPECT_EQ(differingArea(before, field.image()), QRect());
}

// Typing a whole exercise in order leaves every letter black, no grey and no
// underline; the rectangles handed back cover every changed pixel.
TEST(TypingField, TypingTheExerciseTurnsEveryLetterBlack)
{
    GameState state = stateWith(1, {u"ФЫВА ", u"ПРОЛ ", u"ДЖЭ "});
    TypingField field;
    field.create();
    field.drawExercise(state);
    QImage expected = field.image();
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (rgbAt(expected, x, y) == grey)
                expected.setPixel(x, y, 0xFF000000);

    for (state.CurrentLine = 1; state.CurrentLine <= 3; ++state.CurrentLine) {
        const int32_t length = int32_t(state.line(state.CurrentLine).size());
        for (state.CurrentPos = 1; state.CurrentPos <= length; ++state.CurrentPos) {
            QImage before = field.image();
            const QRect cursor = field.showCursor(state);
            EXPECT_TRUE(cursor.contains(differingArea(before, field.image())));
            before = field.image();
            const QRect typed = field.markTypedLetter(state);
            EXPECT_TRUE(typed.contains(differingArea(before, field.image())));
        }
    }
    EXPECT_EQ(differingArea(expected, field.image()), QRect());
    EXPECT_FALSE(
        boundsOf(field.image(), field.image().rect(), [](uint32_t c) { return c != white && c != black; }).isValid());
}

TEST(TypingField, NewExerciseRepaintsTheWholeField)
{
    GameState state = stateWith(3, {u"ФЫВА ", u"ПРОЛ ", u"ДЖЭ ", u"ФЫ ", u"ВА "});
    TypingField field;
    field.create();
    field.drawExercise(state);
    field.showCursor(state);
    field.markTypedLetter(state);
    state.Level = 1;
    state.line(1) = u"ЭЖ ";
    field.drawExercise(state);
    TypingField fresh;
    fresh.create();
    fresh.drawExercise(state);
    EXPECT_EQ(differingArea(fresh.image(), field.image()), QRect());
}

}  // namespace
