#include "floodfill.h"

#include <vector>

namespace {

constexpr QRgb rgbMask = 0x00FFFFFF;

// The image's pixels, detached once: QImage::scanLine() checks for sharing
// on every call, which made the fills spend most of their time there.
class Pixels {
public:
    explicit Pixels(QImage& image)
        : first_(reinterpret_cast<QRgb*>(image.bits())), stride_(image.bytesPerLine() / qsizetype(sizeof(QRgb)))
    {
    }
    QRgb& at(int x, int y) const { return first_[y * stride_ + x]; }

private:
    QRgb* first_;
    qsizetype stride_;
};

void ensureRgb32(QImage& image)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
}

// Scanline fill: pops a seed, widens it to the whole run of fillable pixels on
// its row, paints the run and pushes one seed for every run of fillable pixels
// touching it in the rows above and below. `fillable(x, y)` must turn false for
// a pixel once `paint(x, y)` has run on it, so every pixel is painted once.
template <typename Fillable, typename Paint>
void scanlineFill(QImage& image, QPoint start, Fillable fillable, Paint paint)
{
    const int width = image.width();
    const int height = image.height();
    std::vector<QPoint> seeds;
    seeds.push_back(start);
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        const int y = seed.y();
        if (!fillable(seed.x(), y))
            continue;
        int left = seed.x();
        while (left > 0 && fillable(left - 1, y))
            --left;
        int right = seed.x();
        while (right + 1 < width && fillable(right + 1, y))
            ++right;
        for (int x = left; x <= right; ++x)
            paint(x, y);
        for (const int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                if (fillable(x, ny)) {
                    if (!inRun)
                        seeds.emplace_back(x, ny);
                    inRun = true;
                } else {
                    inRun = false;
                }
            }
        }
    }
}

}  // namespace

void floodFillSurface(QImage& image, QPoint start, QRgb fill)
{
    if (!image.rect().contains(start))
        return;
    ensureRgb32(image);
    const QRgb surface = image.pixel(start) & rgbMask;
    fill = (fill & rgbMask) | 0xFF000000;
    if (surface == (fill & rgbMask))
        return;  // already that colour: nothing would change
    const Pixels pixels(image);
    scanlineFill(
        image, start, [&](int x, int y) { return (pixels.at(x, y) & rgbMask) == surface; },
        [&](int x, int y) { pixels.at(x, y) = fill; });
}

void floodFillBorder(QImage& image, QPoint start, QRgb border, QRgb fill)
{
    if (!image.rect().contains(start))
        return;
    ensureRgb32(image);
    border &= rgbMask;
    fill = (fill & rgbMask) | 0xFF000000;
    // The fill colour may already occur inside the area (white over white), so
    // painted pixels are remembered rather than recognised by their colour.
    const int width = image.width();
    std::vector<bool> painted(size_t(width) * size_t(image.height()), false);
    const Pixels pixels(image);
    scanlineFill(
        image, start,
        [&](int x, int y) {
            return !painted[size_t(y) * size_t(width) + size_t(x)] && (pixels.at(x, y) & rgbMask) != border;
        },
        [&](int x, int y) {
            painted[size_t(y) * size_t(width) + size_t(x)] = true;
            pixels.at(x, y) = fill;
        });
}
