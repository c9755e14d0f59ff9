#include "makeface.h"

#include "checked.h"
#include "colorref.h"
#include "floodfill.h"
#include "shapes.h"

namespace {

constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb black = 0xFF000000;

}  // namespace

QImage MakeFace(int width, int height, bool raised, uint32_t fillColour)
{
    const int w = width;
    const int h = height;
    const QRgb face = colorRef(clButtonFace).rgb();
    const QRgb shadow = colorRef(clButtonShadow).rgb();

    QImage image(w, h, QImage::Format_RGB32);
    image.fill(white);

    // A bent line splits the white into a band (the top five rows and a strip
    // left of the bend) and the body below and right of it. Its x coordinates
    // come from the height, so the bend always sits at the left end.
    const int halfHeight = checkedDiv(h, 2);
    drawPolyline(image,
                 {QPoint(halfHeight, checkedAdd(checkedDiv(checkedMul(6, h), 5), -1)),
                  QPoint(checkedDiv(h, 4), checkedDiv(checkedMul(3, h), 4)), QPoint(halfHeight, 5), QPoint(w, 5)},
                 face);

    const QPoint topLeft(0, 0);
    const QPoint bottomRight(checkedAdd(w, -1), checkedAdd(h, -1));
    floodFillSurface(image, raised ? topLeft : bottomRight, face);
    floodFillSurface(image, raised ? bottomRight : topLeft, shadow);

    // Outer outline, then the inner plate outlined in black.
    drawRoundRect(image, 0, 0, checkedAdd(w, -1), checkedAdd(h, -1), h, h, black, std::nullopt);
    drawRoundRect(image, 5, 5, checkedAdd(w, -6), checkedAdd(h, -6), checkedAdd(h, -10), checkedAdd(h, -10), black,
                  colorRef(fillColour).rgb());

    // Everything outside the outer outline goes back to white.
    for (const QPoint corner : {bottomRight, QPoint(0, bottomRight.y()), QPoint(bottomRight.x(), 0), topLeft})
        floodFillBorder(image, corner, black, white);
    return image;
}
