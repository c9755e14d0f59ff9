#include "colorref.h"

QColor colorRef(uint32_t value)
{
    switch (value) {
    case clButtonFace: value = 0xC0C0C0; break;
    case clButtonShadow: value = 0x808080; break;
    case clAppWorkSpace: value = 0x808080; break;
    case clHighlight: value = 0x800000; break;  // navy
    default: break;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
