#include "tools/sphere-sheet/SphereShading.h"

#include <algorithm>
#include <cmath>

// Chosen so that players with the common forms of colour blindness can still
// tell them apart; also different in brightness. Yellow stands out best on the
// black field and against the blue score text, hence the nucleus.
const Colour SPHERE_PALETTE[5] = {
    {240, 228, 66},  // yellow
    {86, 180, 233},  // sky blue
    {213, 94, 0},    // vermilion
    {0, 158, 115},   // bluish green
    {204, 121, 167}, // reddish purple
};

namespace {

const int SUBSAMPLES = 8; // per axis, for the anti-aliased outline

struct Vec3 {
    double x, y, z;
};

Vec3 normalised(Vec3 v) {
    const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / len, v.y / len, v.z / len};
}

double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Shading is done on linear light, then converted back for the file.
double toLinear(double srgb) {
    const double c = srgb / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Linear-light colour of the sphere surface at (dx, dy) from its centre, in
// units of the radius.
LinearColour shade(const Colour& base, double dx, double dy) {
    const double dz = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
    const Vec3 normal{dx, dy, dz};
    const Vec3 light = normalised({-0.45, -0.6, 0.66});
    const Vec3 halfway = normalised({light.x, light.y, light.z + 1.0});

    const double diffuse = std::max(0.0, dot(normal, light));
    const double specular = 0.55 * std::pow(std::max(0.0, dot(normal, halfway)), 40.0);
    // A little light bounced from below keeps the shadowed side from going flat.
    const double bounce = 0.08 * std::max(0.0, dy) * dz;
    const double lit = 0.14 + 0.9 * diffuse + bounce;

    return {toLinear(base.red) * lit + specular, toLinear(base.green) * lit + specular,
            toLinear(base.blue) * lit + specular};
}

std::uint8_t toSrgbByte(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(std::clamp(encoded * 255.0, 0.0, 255.0)));
}

} // namespace

PixelShade shadePixel(const Colour& base, int x, int y, double centreX, double centreY,
                      double radius) {
    LinearColour sum{0.0, 0.0, 0.0};
    int covered = 0;
    for (int sy = 0; sy < SUBSAMPLES; ++sy) {
        for (int sx = 0; sx < SUBSAMPLES; ++sx) {
            const double dx = (x + (sx + 0.5) / SUBSAMPLES - centreX) / radius;
            const double dy = (y + (sy + 0.5) / SUBSAMPLES - centreY) / radius;
            if (dx * dx + dy * dy >= 1.0) {
                continue;
            }
            const LinearColour lit = shade(base, dx, dy);
            sum = {sum.red + lit.red, sum.green + lit.green, sum.blue + lit.blue};
            ++covered;
        }
    }
    if (covered == 0) {
        return {shade(base, 0.0, 1.0), 0.0};
    }
    return {{sum.red / covered, sum.green / covered, sum.blue / covered},
            static_cast<double>(covered) / (SUBSAMPLES * SUBSAMPLES)};
}

void storeRgba(std::uint8_t* rgba, const PixelShade& shade) {
    rgba[0] = toSrgbByte(shade.colour.red);
    rgba[1] = toSrgbByte(shade.colour.green);
    rgba[2] = toSrgbByte(shade.colour.blue);
    rgba[3] = static_cast<std::uint8_t>(std::lround(255.0 * shade.coverage));
}
