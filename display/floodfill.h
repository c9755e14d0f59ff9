#pragma once

#include <QImage>
#include <QPoint>

// Flood fills on RGB32 pictures, 4-connected, iterative (an explicit stack of
// scanline seeds), so a fill over the whole of a large picture needs no deep
// recursion. Colours compare on red, green and blue only. A start point
// outside the picture fills nothing.

// Fills the connected area that has the colour of the start pixel.
void floodFillSurface(QImage& image, QPoint start, QRgb fill);

// Fills the connected area reaching out from the start pixel up to pixels of
// the border colour. Nothing is filled when the start pixel has the border
// colour itself.
void floodFillBorder(QImage& image, QPoint start, QRgb border, QRgb fill);
