#pragma once

#include <QImage>
#include <cstdint>

// A bevelled, rounded pill of width x height on a white surround (white is the
// transparent colour of the image lists that take it): a light band along the
// top and the left end, a shadow body, a black outer outline and an inner plate
// of fillColour (0x00BBGGRR or a system colour) outlined in black. `raised`
// puts the button face on the band and the shadow on the body; sunken swaps
// them. With width == height the face is a round lamp.
QImage MakeFace(int width, int height, bool raised, uint32_t fillColour);
