#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "gamestate.h"

// Helpers of the display tests: pixels compared as 0xRRGGBB.

inline uint32_t rgbAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

inline uint32_t rgbAt(const QImage& image, QPoint point)
{
    return rgbAt(image, point.x(), point.y());
}

// The smallest rectangle holding every pixel that differs between the two
// pictures (empty when they are equal).
inline QRect differingArea(const QImage& a, const QImage& b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (rgbAt(a, x, y) != rgbAt(b, x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

// The smallest rectangle holding the pixels inside `within` that satisfy `test`.
inline QRect boundsOf(const QImage& image, const QRect& within, const std::function<bool(uint32_t)>& test)
{
    QRect area;
    const QRect clipped = within.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (test(rgbAt(image, x, y)))
                area |= QRect(x, y, 1, 1);
    return area;
}

// A state at the given level with the given lines in slots 1.. and the
// position (line, pos).
inline GameState stateWith(int32_t level, std::initializer_list<const char16_t*> lines, int32_t line = 1,
                           int32_t pos = 1)
{
    GameState state;
    state.Level = level;
    int32_t n = 1;
    for (const char16_t* text : lines)
        state.line(n++) = text;
    state.CurrentLine = line;
    state.CurrentPos = pos;
    return state;
}
