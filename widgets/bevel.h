#pragma once

#include <QRect>

class QPainter;

// One-pixel bevel lines: Raised is light on the top and left edges and
// shadowed on the bottom and right ones, Lowered the reverse.
enum class Bevel { None, Raised, Lowered };

// Draws a one-pixel bevel along the inside of `rect` and returns the rectangle
// inside it (the same rectangle for Bevel::None).
QRect drawBevel(QPainter& painter, const QRect& rect, Bevel bevel);

// The classic two-pixel sunken edge of wells and meters: shadow and dark grey
// up-left, white and button face down-right. Returns the rectangle inside it.
QRect drawSunkenEdge(QPainter& painter, const QRect& rect);
