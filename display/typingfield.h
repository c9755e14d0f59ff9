#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <map>

struct GameState;

// The typing field: the exercise lines in big grey letters, typed letters in
// black and a purple underline under the letter expected next, all drawn into
// TypingBitmap (601 x 251). The window shows the picture and repaints the
// rectangles the operations return.
class TypingField {
public:
    static constexpr int Width = 601;
    static constexpr int Height = 251;
    static constexpr int LinePitch = 50;  // a line is 50 pixels high
    static constexpr int CharPitch = 24;  // every character advances 24 pixels

    // A new white TypingBitmap; the old one is dropped.
    void create();

    // Fills the field white and writes lines 1 .. Level + 2 in button-face grey,
    // the lines centred vertically in the field.
    void drawExercise(const GameState& state);

    // Underlines the expected letter (CurrentLine, CurrentPos) in purple.
    // Returns the changed rectangle.
    QRect showCursor(const GameState& state);

    // Erases the underline and redraws the expected letter in black over its
    // grey glyph. Returns the changed rectangle.
    QRect markTypedLetter(const GameState& state);

    const QImage& image() const { return TypingBitmap; }

    // Geometry: the top of the first line (50, 25 or 0 for levels 1, 2, 3),
    // the top-left corner of line n's first character cell, and the underline
    // of the character at position p of line n (24 x 6, 38 pixels below the
    // line's top).
    static int32_t verticalOffset(int32_t level);
    static QPoint lineOrigin(int32_t line, int32_t level);
    static QRect cursorRect(int32_t line, int32_t pos, int32_t level);

private:
    void ensureCreated();
    const QImage& typedLetter(char16_t letter);

    QImage TypingBitmap;
    QFont font_;
    std::map<char16_t, QImage> typedLetters_;  // the black letters, each on a white 28 x 50 picture
};
