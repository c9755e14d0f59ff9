#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

// The big letters of the typing field and the keyboard picture: "Courier New"
// bold, 40 pixels, no antialiasing; every character advances 24 pixels.
QFont fieldFont();

// Writes text whose character cells start with their top-left corner at
// `origin`; the baseline lies the font's ascent below it. Only the glyphs are
// painted; the cell background is left as it is.
void writeText(QImage& image, QPoint origin, const QString& text, const QFont& font, const QColor& colour);

// Draws `source` onto `target` at `at`, leaving out every pixel of the colour
// of the source's bottom-left pixel (its transparent colour).
void drawTransparent(QImage& target, QPoint at, const QImage& source);
