#include <gtest/gtest.h>
#include <ostream>
#include <map>
#include <string>
#include <vector>

#include "floodfill.h"
#include "pixels.h"

namespace {

// Small pictures written as text, one character a pixel.
const std::map<char, QRgb> palette = {
    {'.', 0xFFFFFFFF}, {'#', 0xFF000000}, {'r', 0xFFFF0000}, {'g', 0xFF00FF00}, {'b', 0xFF0000FF}};

QImage fromText(const std::vector<std::string>& rows)
{
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, palette.at(rows[size_t(y)][size_t(x)]));
    return image;
}

std::vector<std::string> toText(const QImage& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            char c = '?';
            for (const auto& [key, colour] : palette)
                if ((colour & 0xFFFFFF) == rgbAt(image, x, y))
                    c = key;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

struct FillCase {
    const char* name;
    std::vector<std::string> before;
    QPoint start;
    bool border;  // fill up to black; otherwise the start pixel's colour
    char fill;
    std::vector<std::string> after;
};

// ctest names the case by this, the same in every run.
void PrintTo(const FillCase& c, std::ostream* os)
{
    *os << c.name;
}

class FloodFillCases : public ::testing::TestWithParam<FillCase> {};

TEST_P(FloodFillCases, FillsTheExpectedPixels)
{
    const FillCase& c = GetParam();
    QImage image = fromText(c.before);
    if (c.border)
        floodFillBorder(image, c.start, 0xFF000000, palette.at(c.fill));
    else
        floodFillSurface(image, c.start, palette.at(c.fill));
    EXPECT_EQ(toText(image), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FloodFillCases,
    ::testing::Values(
        // A diagonal wall keeps a 4-connected fill out.
        FillCase{"surfaceStopsAtDiagonalWall",
                 {"....#", "...#.", "..#..", ".#...", "#...."},
                 {0, 0},
                 false,
                 'r',
                 {"rrrr#", "rrr#.", "rr#..", "r#...", "#...."}},
        // Only the start pixel's colour is filled, whatever surrounds it.
        FillCase{"surfaceFillsOnlyItsColour",
                 {"..g..", ".ggg.", "..g..", "rrrrr"},
                 {2, 1},
                 false,
                 'b',
                 {"..b..", ".bbb.", "..b..", "rrrrr"}},
        // A border fill crosses every other colour, the fill colour included,
        // and winds round corners.
        FillCase{"borderCrossesOtherColours",
                 {"#######", "#.r.g.#", "#####.#", "#b....#", "#######"},
                 {1, 1},
                 true,
                 'r',
                 {"#######", "#rrrrr#", "#####r#", "#rrrrr#", "#######"}},
        FillCase{"borderWithFillColourAlreadyThere",
                 {"..#..", ".g#..", "..#g."},
                 {0, 0},
                 true,
                 '.',
                 {"..#..", "..#..", "..#g."}},
        FillCase{"borderStartOnBorderFillsNothing", {"...", ".#.", "..."}, {1, 1}, true, 'r', {"...", ".#.", "..."}},
        FillCase{"surfaceSameColourChangesNothing", {"...", ".#."}, {0, 0}, false, '.', {"...", ".#."}},
        FillCase{"startOutsideFillsNothing", {"...", "..."}, {3, 0}, false, 'r', {"...", "..."}}),
    [](const auto& info) { return std::string(info.param.name); });

// A winding corridor through a big picture: a recursive fill would go
// hundreds of thousands of calls deep here.
TEST(FloodFill, LargeWindingAreaFillsWithoutRecursion)
{
    const int size = 1200;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Walls on every other row, open alternately at the right and left end.
    for (int y = 1; y < size; y += 2)
        for (int x = 0; x < size; ++x)
            if (((y / 2) % 2 == 0) ? x < size - 1 : x > 0)
                image.setPixel(x, y, 0xFF000000);

    QImage surface = image;
    floodFillSurface(surface, QPoint(0, 0), 0xFFFF0000);
    QImage border = image;
    floodFillBorder(border, QPoint(0, 0), 0xFF000000, 0xFF00FF00);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool open = rgbAt(image, x, y) == 0xFFFFFF;
            ASSERT_EQ(rgbAt(surface, x, y), open ? 0xFF0000u : 0u) << x << "," << y;
            ASSERT_EQ(rgbAt(border, x, y), open ? 0x00FF00u : 0u) << x << "," << y;
        }
}

TEST(FloodFill, WholeLargePicture)
{
    QImage image(2000, 1500, QImage::Format_RGB32);
    image.fill(Qt::white);
    floodFillSurface(image, QPoint(1999, 1499), 0xFF0000FF);
    EXPECT_FALSE(boundsOf(image, image.rect(), [](uint32_t c) { return c != 0x0000FF; }).isValid());
}

}  // namespace
