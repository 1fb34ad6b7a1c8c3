#ifndef ORBICASCADE_TOOLS_SPHERESHADING_H
#define ORBICASCADE_TOOLS_SPHERESHADING_H

#include <cstdint>

// The look of the game's spheres, shared by every picture that shows them.

struct Colour {
    double red, green, blue; // 0 to 255, sRGB
};

// The five sphere colours, by colour index; 0 is the nucleus and the stoppers.
extern const Colour SPHERE_PALETTE[5];

// Light in linear units, 0 to 1 per channel.
struct LinearColour {
    double red, green, blue;
};

// What a sphere shows over one pixel: the mean colour of the part it covers
// and the fraction covered. A pixel it misses gets the sphere's rim colour.
struct PixelShade {
    LinearColour colour;
    double coverage;
};

// The pixel whose top-left corner is (x, y), for a sphere centred at
// (centreX, centreY), all in pixels; light from the upper left and in front.
PixelShade shadePixel(const Colour& base, int x, int y, double centreX, double centreY,
                      double radius);

// Stores the shade as four bytes: sRGB red, green, blue and coverage as alpha.
void storeRgba(std::uint8_t* rgba, const PixelShade& shade);

#endif
