// Writes the game's icon at each size desktops ask for: the yellow nucleus
// with a ring of the five sphere colours stuck to it, shaded like the spheres
// in the game. Each size is drawn afresh rather than scaled, so small icons
// stay sharp.
//
//   icon-generator [output folder]   (default: packaging/icons)
//
// The files are named orbicascade-<size>.png.

#include "tools/png/PngWriter.h"
#include "tools/sphere-sheet/SphereShading.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int ICON_SIZES[] = {48, 64, 128};
const int RING_SPHERES = 5;

struct PlacedSphere {
    double x, y;
    const Colour& colour;
};

// Premultiplied linear light and coverage, so spheres blend where their
// outlines meet.
struct Accumulated {
    LinearColour light{0.0, 0.0, 0.0};
    double alpha = 0.0;

    void addBehind(const PixelShade& front) {
        const double behind = 1.0 - front.coverage;
        light = {front.colour.red * front.coverage + light.red * behind,
                 front.colour.green * front.coverage + light.green * behind,
                 front.colour.blue * front.coverage + light.blue * behind};
        alpha = front.coverage + alpha * behind;
    }

    PixelShade unpremultiplied() const {
        return {{light.red / alpha, light.green / alpha, light.blue / alpha}, alpha};
    }
};

RgbaImage drawIcon(int size) {
    // Three radii from the centre to the ring's outer edge, with a little room.
    const double radius = size / 6.4;
    const double centre = size / 2.0;
    const double pi = std::acos(-1.0);

    std::vector<PlacedSphere> spheres{{centre, centre, SPHERE_PALETTE[0]}};
    for (int i = 0; i < RING_SPHERES; ++i) {
        // The first ring sphere sits on top; the ring spheres touch the nucleus.
        const double angle = -pi / 2.0 + 2.0 * pi * i / RING_SPHERES;
        spheres.push_back({centre + 2.0 * radius * std::cos(angle),
                           centre + 2.0 * radius * std::sin(angle), SPHERE_PALETTE[i]});
    }

    RgbaImage icon(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Accumulated pixel;
            for (const PlacedSphere& sphere : spheres) {
                pixel.addBehind(shadePixel(sphere.colour, x, y, sphere.x, sphere.y, radius));
            }
            if (pixel.alpha > 0.0) {
                storeRgba(icon.at(x, y), pixel.unpremultiplied());
            }
        }
    }
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "packaging/icons";
    for (int size : ICON_SIZES) {
        const std::string path = folder + "/orbicascade-" + std::to_string(size) + ".png";
        if (!writePng(path, drawIcon(size))) {
            std::fprintf(stderr, "Cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
