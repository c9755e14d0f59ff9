#include <gtest/gtest.h>
#include <ostream>
#include <set>

#include "artwork.h"
#include "colorref.h"
#include "makeface.h"
#include "pixels.h"
#include "shapes.h"

namespace {

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t black = 0x000000;
constexpr uint32_t face = 0xC0C0C0;
constexpr uint32_t shadow = 0x808080;

uint32_t rgbOf(uint32_t colourRef)
{
    return colorRef(colourRef).rgb() & 0xFFFFFF;
}

// Whether a pixel lies inside the outer outline RoundRect(0, 0, w - 1, h - 1)
// with an h x h corner ellipse.
bool insideOutline(const QImage& image, int x, int y)
{
    const int w = image.width();
    const int h = image.height();
    return inRoundRect(x, y, 0, 0, w - 1, h - 1, h, h);
}

struct FaceCase {
    const char* name;
    int width;
    int height;
    bool raised;
    uint32_t fill;
};

// ctest names the case by this, the same in every run.
void PrintTo(const FaceCase& c, std::ostream* os)
{
    *os << c.name;
}

class MakeFaceShapes : public ::testing::TestWithParam<FaceCase> {};

// White outside the outer outline (transparent in the image lists), nothing
// white inside it (no see-through holes), black outlines, the plate's colour
// in the middle.
TEST_P(MakeFaceShapes, OpaqueRoundedShapeOnWhite)
{
    const FaceCase c = GetParam();
    const QImage image = MakeFace(c.width, c.height, c.raised, c.fill);
    ASSERT_EQ(image.size(), QSize(c.width, c.height));
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (insideOutline(image, x, y))
                ASSERT_NE(rgbAt(image, x, y), white) << c.name << " " << x << "," << y;
            else
                ASSERT_EQ(rgbAt(image, x, y), white) << c.name << " " << x << "," << y;
        }
    const int midX = c.width / 2;
    const int midY = c.height / 2;
    EXPECT_EQ(rgbAt(image, midX, 0), black);
    EXPECT_EQ(rgbAt(image, midX, c.height - 2), black);
    EXPECT_EQ(rgbAt(image, 0, midY), black);
    EXPECT_EQ(rgbAt(image, c.width - 2, midY), black);
    EXPECT_EQ(rgbAt(image, midX, 5), black);  // plate outline
    EXPECT_EQ(rgbAt(image, midX, c.height - 7), black);
    EXPECT_EQ(rgbAt(image, midX, midY), rgbOf(c.fill));                     // plate
    EXPECT_EQ(rgbAt(image, midX, 2), c.raised ? face : shadow);             // band along the top
    EXPECT_EQ(rgbAt(image, midX, c.height - 4), c.raised ? shadow : face);  // body
}

INSTANTIATE_TEST_SUITE_P(Faces, MakeFaceShapes,
                         ::testing::Values(FaceCase{"button", 150, 40, true, clButtonFace},
                                           FaceCase{"pressedButton", 150, 40, false, clButtonShadow},
                                           FaceCase{"lamp", 40, 40, true, 0x00FF00},
                                           FaceCase{"plaque", 140, 40, false, 0xF0FBFF}),
                         [](const auto& info) { return std::string(info.param.name); });

// Raised and sunken faces differ only in which region has the light and which
// the shadow colour.
TEST(MakeFace, RaisedAndSunkenSwapBandAndBody)
{
    const QImage raised = MakeFace(150, 40, true, 0xF0FBFF);
    const QImage sunken = MakeFace(150, 40, false, 0xF0FBFF);
    int swapped = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 150; ++x) {
            const uint32_t a = rgbAt(raised, x, y);
            const uint32_t b = rgbAt(sunken, x, y);
            if (a == b)
                continue;
            ++swapped;
            ASSERT_TRUE((a == face && b == shadow) || (a == shadow && b == face)) << x << "," << y;
        }
    EXPECT_GT(swapped, 500);
}

// A lamp is round: its shape and its plate are symmetric about both axes of
// the outline's centre (19, 19).
TEST(MakeFace, LampsAreRound)
{
    const Artwork artwork = makeArtwork();
    for (const QImage& lamp : artwork.lamps) {
        ASSERT_EQ(lamp.size(), QSize(40, 40));
        const uint32_t plate = rgbAt(lamp, 19, 19);
        for (int y = 0; y < 39; ++y)
            for (int x = 0; x < 39; ++x) {
                const auto kind = [&](int px, int py) {
                    const uint32_t c = rgbAt(lamp, px, py);
                    return c == white ? 0 : c == black ? 1 : c == plate ? 2 : 3;
                };
                ASSERT_EQ(kind(x, y), kind(38 - x, y)) << x << "," << y;
                ASSERT_EQ(kind(x, y), kind(x, 38 - y)) << x << "," << y;
                ASSERT_EQ(kind(x, y), kind(y, x)) << x << "," << y;
            }
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(rgbAt(lamp, 39, i), white);
            EXPECT_EQ(rgbAt(lamp, i, 39), white);
        }
    }
}

TEST(Artwork, FacesInOrderWithTheirColours)
{
    const Artwork artwork = makeArtwork();
    for (const QImage& image : artwork.buttonFaces)
        EXPECT_EQ(image.size(), QSize(150, 40));
    EXPECT_EQ(rgbAt(artwork.buttonFaces[0], 75, 20), face);
    EXPECT_EQ(rgbAt(artwork.buttonFaces[0], 75, 2), face);
    EXPECT_EQ(rgbAt(artwork.buttonFaces[1], 75, 20), shadow);
    EXPECT_EQ(rgbAt(artwork.buttonFaces[1], 75, 2), shadow);
    EXPECT_EQ(rgbAt(artwork.buttonFaces[1], 75, 36), face);

    // 0x00BBGGRR: dark and lit green, yellow, red
    const std::array<uint32_t, 6> lamps = {0x008000, 0x00FF00, 0x808000, 0xFFFF00, 0x800000, 0xFF0000};
    for (size_t i = 0; i < lamps.size(); ++i)
        EXPECT_EQ(rgbAt(artwork.lamps[i], 19, 19), lamps[i]) << "lamp " << i;
    for (const QImage& plaque : artwork.plaques) {
        EXPECT_EQ(plaque.size(), QSize(140, 40));
        EXPECT_EQ(rgbAt(plaque, 70, 20), 0xFFFBF0u);
    }
}

// The canvas convention: a line leaves out its end point, a shape covers
// left..right-1 and top..bottom-1.
TEST(Shapes, EndPointsAndRightBottomEdgesAreExclusive)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    drawLine(image, QPoint(1, 1), QPoint(5, 1), 0xFF000000);
    EXPECT_EQ(boundsOf(image, image.rect(), [](uint32_t c) { return c == 0; }), QRect(1, 1, 4, 1));
    drawLine(image, QPoint(1, 3), QPoint(1, 3), 0xFF000000);
    EXPECT_EQ(rgbAt(image, 1, 3), white);

    image.fill(Qt::white);
    drawPolyline(image, {QPoint(0, 7), QPoint(3, 4), QPoint(7, 4)}, 0xFF000000);
    EXPECT_EQ(rgbAt(image, 0, 7), black);
    EXPECT_EQ(rgbAt(image, 3, 4), black);
    EXPECT_EQ(rgbAt(image, 6, 4), black);
    EXPECT_EQ(rgbAt(image, 7, 4), white);

    image.fill(Qt::white);
    drawRoundRect(image, 1, 2, 6, 7, 0, 0, 0xFF000000, 0xFFFF0000);
    EXPECT_EQ(boundsOf(image, image.rect(), [](uint32_t c) { return c != white; }), QRect(1, 2, 5, 5));
    EXPECT_EQ(boundsOf(image, image.rect(), [](uint32_t c) { return c == 0xFF0000; }), QRect(2, 3, 3, 3));
}

}  // namespace
