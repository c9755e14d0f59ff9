#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <map>
#include <optional>

struct GameState;

// The keyboard picture under the typing field: the key caps with their
// letters (home-row letters black, the others grey) on a button-face ground,
// and the key of the expected letter lit with an ellipse in its finger's
// colour. KeyboardBitmap (601 x 151) is what the window shows.
class KeyboardTemplate {
public:
    static constexpr int Width = 601;
    static constexpr int Height = 151;
    static constexpr int MarkWidth = 37;  // the marking box of a key
    static constexpr int MarkHeight = 39;

    // Builds the template from the built-in key-cap picture and draws
    // KeyboardBitmap from it. Needs the application object (for the font).
    KeyboardTemplate();

    // Lights the key of the expected letter; returns the changed rectangle, or
    // nothing for a space or a character that has no key. (Should a key still
    // be lit, it is put back first and its rectangle included.)
    std::optional<QRect> markExpectedKey(const GameState& state);

    // Puts the lit key back as it was before; returns the changed rectangle,
    // or nothing when no key is lit.
    std::optional<QRect> unmarkKey(const GameState& state);

    const QImage& image() const { return KeyboardBitmap; }

    bool keyMarked() const { return !SavedKeyImage.isNull(); }

private:
    const QImage& fingerLight(uint32_t colour);

    QImage KeyboardBitmap;
    QImage SavedKeyImage;  // the lit key's area as it was, while a key is lit
    QPoint savedAt_;       // where SavedKeyImage came from
    std::map<uint32_t, QImage> lights_;
};
