#include "keyboardtemplate.h"

#include <QPainter>
#include <algorithm>
#include <stdexcept>

#include "colorref.h"
#include "fieldtext.h"
#include "floodfill.h"
#include "gamestate.h"
#include "keytable.h"
#include "pictures.h"
#include "shapes.h"

namespace {

constexpr QRgb white = 0xFFFFFFFF;

// Plain copy of `area` of `source` to `at` in `target` (both RGB32, the area
// inside both pictures).
void copyPixels(QImage& target, QPoint at, const QImage& source, const QRect& area)
{
    for (int row = 0; row < area.height(); ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(area.top() + row)) + area.left();
        QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(at.y() + row)) + at.x();
        std::copy(from, from + area.width(), to);
    }
}

}  // namespace

KeyboardTemplate::KeyboardTemplate()
{
    // The key caps with the letters drawn on them, its light grey ground (the
    // bottom-left pixel) the transparent colour; only needed until the
    // keyboard picture is made.
    QImage templatePicture = lettersPicture();
    if (templatePicture.size() != QSize(Width, Height))
        throw std::runtime_error("the built-in key-cap picture is missing or has the wrong size");

    // Letters: the eleven home-row letters black, the rest button-face grey,
    // each written 7 pixels right of and 4 above its key's marking box.
    const QFont font = fieldFont();
    for (const KeyRecord& key : KeyTable) {
        const QColor colour = key.active ? QColor(Qt::black) : colorRef(clButtonFace);
        writeText(templatePicture, QPoint(key.x + 7, key.y - 4), QString(QChar(key.letter)), font, colour);
    }

    // A new white bitmap turned button face, with the template drawn over it
    // transparently: the grey ground shows as button face.
    KeyboardBitmap = QImage(Width, Height, QImage::Format_RGB32);
    KeyboardBitmap.fill(white);
    floodFillSurface(KeyboardBitmap, QPoint(0, 0), colorRef(clButtonFace).rgb());
    drawTransparent(KeyboardBitmap, QPoint(0, 0), templatePicture);
}

const QImage& KeyboardTemplate::fingerLight(uint32_t colour)
{
    // A white 37 x 39 picture with a filled ellipse of the finger colour; one
    // per finger colour, made when first needed.
    QImage& light = lights_[colour];
    if (light.isNull()) {
        light = QImage(MarkWidth, MarkHeight, QImage::Format_RGB32);
        light.fill(white);
        const QRgb finger = colorRef(colour).rgb();
        drawEllipse(light, 0, 0, MarkWidth, MarkHeight, finger, finger);
    }
    return light;
}

std::optional<QRect> KeyboardTemplate::markExpectedKey(const GameState& state)
{
    // Only one key is lit at a time: one still lit is put back first.
    const std::optional<QRect> changed = unmarkKey(state);

    const char16_t expected = state.expectedChar();
    if (expected == u' ')
        return changed;  // the space bar is never lit
    const KeyRecord* key = findKeyToMark(expected);
    if (!key)
        return changed;

    // Keep the key's area. The copy is 36 x 38; the saved picture's last
    // column and row stay white, which is what the key cap has there (its
    // white face reaches past the marking box), so the later restore of the
    // whole 37 x 39 puts back exactly what was there.
    const QPoint at(key->x, key->y);
    SavedKeyImage = QImage(MarkWidth, MarkHeight, QImage::Format_RGB32);
    SavedKeyImage.fill(white);
    copyPixels(SavedKeyImage, QPoint(0, 0), KeyboardBitmap, QRect(at, QSize(MarkWidth - 1, MarkHeight - 1)));
    savedAt_ = at;

    // AND a white picture holding an ellipse of the finger colour onto the
    // key: white leaves the key as it is, the ellipse tints its white face and
    // the black outline and letter stay black.
    QPainter painter(&KeyboardBitmap);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(at, fingerLight(key->colour));
    const QRect marked(at, QSize(MarkWidth, MarkHeight));
    return changed ? changed->united(marked) : marked;
}

std::optional<QRect> KeyboardTemplate::unmarkKey(const GameState&)
{
    // The saved area goes back where it was taken from; with strictly
    // alternating mark and unmark that is the key of the expected letter.
    if (SavedKeyImage.isNull())
        return std::nullopt;
    copyPixels(KeyboardBitmap, savedAt_, SavedKeyImage, SavedKeyImage.rect());
    SavedKeyImage = QImage();
    return QRect(savedAt_, QSize(MarkWidth, MarkHeight));
}
