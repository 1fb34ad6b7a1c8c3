// Writes the sphere sheet: a 128 by 128 RGBA image, an 8 by 8 grid of 16 pixel
// cells whose first five top-row cells hold the spheres of colours 0 to 4.
//
//   sphere-sheet [output path]   (default: data/color-sphere-sprite.tga)

#include "tools/sphere-sheet/SphereShading.h"
#include "tools/tga/TgaWriter.h"

#include <cstdio>

namespace {

const int SHEET_SIZE = 128;
const int CELL_SIZE = 16;
// The disc stays one full pixel clear of every cell edge, so linear filtering
// never pulls a neighbouring cell into view.
const double SPHERE_RADIUS = 7.0;

void drawSphere(RgbaImage& sheet, int cellX, int cellY, const Colour& base) {
    const double centre = CELL_SIZE / 2.0;
    for (int y = 0; y < CELL_SIZE; ++y) {
        for (int x = 0; x < CELL_SIZE; ++x) {
            // Transparent texels keep the rim colour that shadePixel gives them,
            // so filtering at the outline blends towards the sphere, not into a
            // dark fringe.
            storeRgba(sheet.at(cellX * CELL_SIZE + x, cellY * CELL_SIZE + y),
                      shadePixel(base, x, y, centre, centre, SPHERE_RADIUS));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "data/color-sphere-sprite.tga";

    RgbaImage sheet(SHEET_SIZE, SHEET_SIZE);
    int cell = 0;
    for (const Colour& colour : SPHERE_PALETTE) {
        drawSphere(sheet, cell++, 0, colour);
    }
    if (!writeTga(path, sheet)) {
        std::fprintf(stderr, "Cannot write %s\n", path);
        return 1;
    }
    return 0;
}
