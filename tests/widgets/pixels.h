#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QWidget;

// What a widget looks like on a background of a known colour: the widget is
// rendered over `background`, so transparent parts show that colour.
QImage renderOver(QWidget& widget, QColor background = QColor(0x12, 0x34, 0x56));

// The smallest rectangle holding every pixel of `image` that differs from
// `background` (a null rectangle when there is none).
QRect inkBounds(const QImage& image, QColor background);

// How many pixels of `image` inside `area` have exactly colour `color`.
int countColor(const QImage& image, const QRect& area, QColor color);
