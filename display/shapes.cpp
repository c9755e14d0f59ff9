#include "shapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void ensureRgb32(QImage& image)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
}

void plot(QImage& image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour | 0xFF000000;
}

// Distance of a pixel centre from the near corner centre along one axis, in
// half pixels: 0 on the straight stretch between the two corners.
int64_t cornerOffset(int v, int low, int high, int corner)
{
    const int64_t doubled = 2 * int64_t(v) + 1;
    if (doubled < 2 * int64_t(low) + corner)
        return doubled - (2 * int64_t(low) + corner);
    if (doubled > 2 * int64_t(high) - corner)
        return doubled - (2 * int64_t(high) - corner);
    return 0;
}

}  // namespace

void fillRect(QImage& image, const QRect& rect, QRgb colour)
{
    ensureRgb32(image);
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row + area.left(), row + area.right() + 1, colour | 0xFF000000);
    }
}

void drawLine(QImage& image, QPoint from, QPoint to, QRgb pen)
{
    ensureRgb32(image);
    // Bresenham's line; the loop stops before the end point.
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int stepX = x < to.x() ? 1 : -1;
    const int stepY = y < to.y() ? 1 : -1;
    int error = dx + dy;
    while (x != to.x() || y != to.y()) {
        plot(image, x, y, pen);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void drawPolyline(QImage& image, std::initializer_list<QPoint> points, QRgb pen)
{
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous)
            drawLine(image, *previous, point, pen);
        previous = &point;
    }
}

bool inRoundRect(int x, int y, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (x < left || x >= right || y < top || y >= bottom)
        return false;
    // Work in half pixels so the test is exact and symmetric: a pixel centre
    // (x + 1/2, y + 1/2) lies in the corner ellipse with axes a = A/2, b = B/2
    // when X^2 B^2 + Y^2 A^2 <= A^2 B^2, X and Y measured in half pixels.
    const int64_t a = std::max(0, std::min(cornerWidth, right - left));
    const int64_t b = std::max(0, std::min(cornerHeight, bottom - top));
    const int64_t offsetX = cornerOffset(x, left, right, int(a));
    const int64_t offsetY = cornerOffset(y, top, bottom, int(b));
    if (offsetX == 0 || offsetY == 0)
        return true;
    return offsetX * offsetX * b * b + offsetY * offsetY * a * a <= a * a * b * b;
}

void drawRoundRect(QImage& image, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight, QRgb pen,
                   std::optional<QRgb> brush)
{
    ensureRgb32(image);
    if (right <= left || bottom <= top)
        return;
    // Each row of the shape is one run of pixels; rows top-1 and bottom are
    // empty. A pixel is on the outline when a side-neighbour is outside:
    // at either end of its run, or beyond the run of the row above or below.
    struct Run {
        int first = 1;
        int last = 0;  // empty while first > last
    };
    std::vector<Run> runs(size_t(bottom - top + 2));
    for (int y = top; y < bottom; ++y) {
        Run& run = runs[size_t(y - top + 1)];
        for (int x = left; x < right; ++x) {
            if (inRoundRect(x, y, left, top, right, bottom, cornerWidth, cornerHeight)) {
                run.first = x;
                break;
            }
        }
        for (int x = right - 1; x >= run.first; --x) {
            if (inRoundRect(x, y, left, top, right, bottom, cornerWidth, cornerHeight)) {
                run.last = x;
                break;
            }
        }
    }
    const auto within = [](const Run& run, int x) { return x >= run.first && x <= run.last; };
    for (int y = top; y < bottom; ++y) {
        const Run& above = runs[size_t(y - top)];
        const Run& run = runs[size_t(y - top + 1)];
        const Run& below = runs[size_t(y - top + 2)];
        for (int x = run.first; x <= run.last; ++x) {
            const bool edge = x == run.first || x == run.last || !within(above, x) || !within(below, x);
            if (edge)
                plot(image, x, y, pen);
            else if (brush)
                plot(image, x, y, *brush);
        }
    }
}

void drawEllipse(QImage& image, int left, int top, int right, int bottom, QRgb pen, std::optional<QRgb> brush)
{
    drawRoundRect(image, left, top, right, bottom, right - left, bottom - top, pen, brush);
}
