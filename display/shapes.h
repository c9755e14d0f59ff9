#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <initializer_list>
#include <optional>

// Pixel-exact drawing on RGB32 pictures with a one-pixel pen and no
// antialiasing, in the classic canvas convention: a line leaves out its end
// point, and a shape given by (left, top, right, bottom) covers the pixels
// left..right-1 and top..bottom-1. Pixels outside the picture are skipped.

// Fills the rectangle (clipped to the picture) with the colour.
void fillRect(QImage& image, const QRect& rect, QRgb colour);

// A straight line from `from` up to, but not including, `to`.
void drawLine(QImage& image, QPoint from, QPoint to, QRgb pen);

// A polyline through the points; like a run of drawLine calls, so only the
// last point is left out.
void drawPolyline(QImage& image, std::initializer_list<QPoint> points, QRgb pen);

// Whether pixel (x, y) belongs to the rounded rectangle (left, top, right,
// bottom) with a corner ellipse of cornerWidth x cornerHeight. The corner
// ellipse is limited to the rectangle's size, so a corner as large as the
// rectangle gives an ellipse. A pixel counts when its centre lies inside.
bool inRoundRect(int x, int y, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

// Outlines the rounded rectangle with the pen (its boundary pixels: those with
// a side-neighbour outside the shape) and fills the rest of it with the brush
// if one is given. The outline is 8-connected, so a 4-connected flood fill
// never crosses it.
void drawRoundRect(QImage& image, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight, QRgb pen,
                   std::optional<QRgb> brush);

// The ellipse inscribed in (left, top, right, bottom), outlined with the pen and
// filled with the brush.
void drawEllipse(QImage& image, int left, int top, int right, int bottom, QRgb pen, std::optional<QRgb> brush);
