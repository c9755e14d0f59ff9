#include "artwork.h"

#include "colorref.h"
#include "makeface.h"

namespace {

// Lamp colours in image-list order, 0x00BBGGRR.
constexpr std::array<uint32_t, 6> lampColours = {
    0x008000,  // green, dark
    0x00FF00,  // green, lit
    0x008080,  // yellow, dark
    0x00FFFF,  // yellow, lit
    0x000080,  // red, dark
    0x0000FF,  // red, lit
};

constexpr uint32_t cream = 0xF0FBFF;

}  // namespace

Artwork makeArtwork()
{
    Artwork artwork;
    artwork.buttonFaces[0] = MakeFace(150, 40, true, clButtonFace);
    artwork.buttonFaces[1] = MakeFace(150, 40, false, clButtonShadow);
    for (size_t i = 0; i < lampColours.size(); ++i)
        artwork.lamps[i] = MakeFace(40, 40, true, lampColours[i]);
    for (QImage& plaque : artwork.plaques)
        plaque = MakeFace(140, 40, false, cream);
    return artwork;
}
