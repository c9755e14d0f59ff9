#pragma once

#include <QImage>
#include <array>

// The generated pictures of the main window, made once at start-up.
struct Artwork {
    std::array<QImage, 2> buttonFaces;  // 150 x 40: raised button face, sunken button shadow
    std::array<QImage, 6> lamps;        // 40 x 40: green, yellow, red lamps, each dark then lit
    std::array<QImage, 4> plaques;      // 140 x 40, sunken cream, for Image4 .. Image7
};

// Draws the faces in the order the window hands them out: the two button
// faces, the six lamps, the four plaques.
Artwork makeArtwork();
