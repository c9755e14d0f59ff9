#pragma once

#include <QImage>

// A copy of `image` (ARGB32, premultiplied) in which every pixel of colour
// `key` is fully transparent and every other pixel opaque. A null image stays
// null.
QImage withTransparentColor(const QImage& image, QRgb key);

// The colour of the bottom-left pixel, the usual transparent colour of a
// picture drawn on a plain background; opaque white for a null image.
QRgb bottomLeftColor(const QImage& image);
