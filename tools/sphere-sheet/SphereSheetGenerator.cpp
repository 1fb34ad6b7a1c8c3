// Writes the sphere sheet: a 128 by 128 RGBA image, an 8 by 8 grid of 16 pixel
// cells whose first five top-row cells hold the spheres of colours 0 to 4.
//
//   sphere-sheet [output path]   (default: data/color-sphere-sprite.tga)

#include "tools/tga/TgaWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const int SHEET_SIZE = 128;
const int CELL_SIZE = 16;
// The disc stays one full pixel clear of every cell edge, so linear filtering
// never pulls a neighbouring cell into view.
const double SPHERE_RADIUS = 7.0;
const int SUBSAMPLES = 8; // per axis, for the anti-aliased outline

struct Colour {
    double red, green, blue; // 0 to 255, sRGB
};

// Chosen so that players with the common forms of colour blindness can still
// tell them apart; also different in brightness. Colour 0 is the nucleus and
// the stoppers: yellow stands out best on the black field and against the blue
// score text.
const Colour PALETTE[] = {
    {240, 228, 66},  // yellow
    {86, 180, 233},  // sky blue
    {213, 94, 0},    // vermilion
    {0, 158, 115},   // bluish green
    {204, 121, 167}, // reddish purple
};

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

double toSrgb(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return encoded * 255.0;
}

std::uint8_t toByte(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// Linear-light colour of the sphere surface at (dx, dy) from its centre, in
// units of the radius; light from the upper left and in front.
Vec3 shade(const Colour& base, double dx, double dy) {
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

void drawSphere(RgbaImage& sheet, int cellX, int cellY, const Colour& base) {
    const double centre = CELL_SIZE / 2.0;
    // Transparent texels carry the sphere's rim colour rather than black, so
    // filtering at the outline blends towards the sphere, not into a dark fringe.
    const Vec3 rim = shade(base, 0.0, 1.0);

    for (int y = 0; y < CELL_SIZE; ++y) {
        for (int x = 0; x < CELL_SIZE; ++x) {
            Vec3 sum{0.0, 0.0, 0.0};
            int covered = 0;
            for (int sy = 0; sy < SUBSAMPLES; ++sy) {
                for (int sx = 0; sx < SUBSAMPLES; ++sx) {
                    const double dx = (x + (sx + 0.5) / SUBSAMPLES - centre) / SPHERE_RADIUS;
                    const double dy = (y + (sy + 0.5) / SUBSAMPLES - centre) / SPHERE_RADIUS;
                    if (dx * dx + dy * dy >= 1.0) {
                        continue;
                    }
                    const Vec3 lit = shade(base, dx, dy);
                    sum = {sum.x + lit.x, sum.y + lit.y, sum.z + lit.z};
                    ++covered;
                }
            }
            const Vec3 colour =
                covered == 0 ? rim : Vec3{sum.x / covered, sum.y / covered, sum.z / covered};
            std::uint8_t* texel = sheet.at(cellX * CELL_SIZE + x, cellY * CELL_SIZE + y);
            texel[0] = toByte(toSrgb(colour.x));
            texel[1] = toByte(toSrgb(colour.y));
            texel[2] = toByte(toSrgb(colour.z));
            texel[3] = toByte(255.0 * covered / (SUBSAMPLES * SUBSAMPLES));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "data/color-sphere-sprite.tga";

    RgbaImage sheet(SHEET_SIZE, SHEET_SIZE);
    int cell = 0;
    for (const Colour& colour : PALETTE) {
        drawSphere(sheet, cell++, 0, colour);
    }
    if (!writeTga(path, sheet, TgaDepth::Rgba32)) {
        std::fprintf(stderr, "Cannot write %s\n", path);
        return 1;
    }
    return 0;
}
