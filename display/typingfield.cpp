#include "typingfield.h"

#include "checked.h"
#include "colorref.h"
#include "fieldtext.h"
#include "gamestate.h"
#include "shapes.h"

namespace {

constexpr QRgb white = 0xFFFFFFFF;
constexpr uint32_t cursorPurple = 0x800080;

// The typed letter is drawn through a small white picture whose white is
// transparent, with the character written 2 pixels from its left edge, so the
// black glyph lands exactly on the grey one.
constexpr int letterBoxWidth = 28;
constexpr int letterBoxHeight = 50;

}  // namespace

int32_t TypingField::verticalOffset(int32_t level)
{
    return checkedAdd(75, -checkedMul(level, 25));
}

QPoint TypingField::lineOrigin(int32_t line, int32_t level)
{
    return QPoint(2, checkedAdd(checkedMul(checkedAdd(line, -1), LinePitch), verticalOffset(level)));
}

QRect TypingField::cursorRect(int32_t line, int32_t pos, int32_t level)
{
    const int32_t left = checkedAdd(checkedMul(pos, CharPitch), -22);
    const int32_t top = checkedAdd(checkedAdd(checkedMul(line, LinePitch), verticalOffset(level)), -12);
    return QRect(left, top, CharPitch, 6);
}

void TypingField::create()
{
    TypingBitmap = QImage(Width, Height, QImage::Format_RGB32);
    TypingBitmap.fill(white);
    font_ = fieldFont();
    typedLetters_.clear();
}

void TypingField::ensureCreated()
{
    if (TypingBitmap.isNull())
        create();
}

const QImage& TypingField::typedLetter(char16_t letter)
{
    // Made once per character and kept: the picture only depends on it.
    QImage& box = typedLetters_[letter];
    if (box.isNull()) {
        box = QImage(letterBoxWidth, letterBoxHeight, QImage::Format_RGB32);
        box.fill(white);
        writeText(box, QPoint(2, 0), QString(QChar(letter)), font_, Qt::black);
    }
    return box;
}

void TypingField::drawExercise(const GameState& state)
{
    ensureCreated();
    TypingBitmap.fill(white);
    const QColor grey = colorRef(clButtonFace);
    const int32_t lines = checkedAdd(state.Level, 2);
    for (int32_t n = 1; n <= lines; ++n)
        writeText(TypingBitmap, lineOrigin(n, state.Level), QString::fromStdU16String(state.line(n)), font_, grey);
}

QRect TypingField::showCursor(const GameState& state)
{
    ensureCreated();
    const QRect cursor = cursorRect(state.CurrentLine, state.CurrentPos, state.Level);
    fillRect(TypingBitmap, cursor, colorRef(cursorPurple).rgb());
    return cursor.intersected(TypingBitmap.rect());
}

QRect TypingField::markTypedLetter(const GameState& state)
{
    ensureCreated();
    const QRect cursor = cursorRect(state.CurrentLine, state.CurrentPos, state.Level);
    const QPoint boxAt(checkedMul(checkedAdd(state.CurrentPos, -1), CharPitch),
                       lineOrigin(state.CurrentLine, state.Level).y());

    // The underline is erased before the letter is drawn: a descender (the
    // feet of Д) reaches into the underline's rows, and erasing afterwards
    // would cut it off the black letter.
    fillRect(TypingBitmap, cursor, white);
    const char16_t expected = state.expectedChar();
    if (expected != u'\0')
        drawTransparent(TypingBitmap, boxAt, typedLetter(expected));
    return cursor.united(QRect(boxAt, QSize(letterBoxWidth, letterBoxHeight))).intersected(TypingBitmap.rect());
}
