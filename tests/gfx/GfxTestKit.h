#ifndef ORBICASCADE_TESTS_GFX_GFXTESTKIT_H
#define ORBICASCADE_TESTS_GFX_GFXTESTKIT_H

#include "tests/support/GlRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tools/tga/TgaWriter.h"

#include <algorithm>
#include <array>

// A fresh empty data/ folder, under the working directory while it lives.
struct ScratchData : ScratchFolder {
    const std::filesystem::path previous = std::filesystem::current_path();
    ScratchData() {
        std::filesystem::create_directory(path / "data");
        std::filesystem::current_path(path);
    }
    ~ScratchData() { std::filesystem::current_path(previous); }
};

// Writes data/<name>.tga; returns its texels (RGBA, top row first, no alpha 0 or 255).
inline std::vector<std::uint8_t> writeImage(const std::string& name, int width, int height) {
    RgbaImage image(width, height);
    int i = 0;
    std::generate(image.pixels.begin(), image.pixels.end(), [&] { return 20 * i++ + 7; });
    writeTga("data/" + name + ".tga", image);
    return image.pixels;
}

// Corners as x, y (window pixels), u, v, in strip order: top left, top right, bottom left...
inline std::vector<std::array<double, 4>> corners(const GlStrip& strip) {
    std::vector<std::array<double, 4>> result;
    for (const GlVertex& v : strip.vertices)
        result.push_back({v.x, v.y, v.u, v.v});
    return result;
}
inline std::vector<std::array<double, 4>> rectangle(double x0, double y0, double x1, double y1,
                                                    double u0, double v0, double u1, double v1) {
    return {{x0, y0, u0, v0}, {x1, y0, u1, v0}, {x0, y1, u0, v1}, {x1, y1, u1, v1}};
}

#endif
