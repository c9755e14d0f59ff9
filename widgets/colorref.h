// Colour values as 0x00BBGGRR numbers (COLORREF), and the fixed system colours.
#pragma once

#include <QColor>
#include <cstdint>

// Colours are written 0x00BBGGRR (red in the low byte). Values with the high
// bit set name system colours, which are fixed to the classic scheme so that
// every desktop shows the same pixels.
inline constexpr uint32_t clButtonFace = 0x8000000F;
inline constexpr uint32_t clButtonShadow = 0x80000010;
inline constexpr uint32_t clAppWorkSpace = 0x8000000C;
inline constexpr uint32_t clHighlight = 0x8000000D;

// 0x00BBGGRR or a system colour value to an opaque QColor.
QColor colorRef(uint32_t value);
