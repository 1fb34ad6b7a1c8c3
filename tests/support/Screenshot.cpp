#include "tests/support/Screenshot.h"

#include "tests/support/ChildProcess.h"

#include <cstdlib>
#include <sstream>

std::string findWindow(const std::string& caption) {
    // Only a mapped window: the first one SDL makes may be replaced as the video mode is set.
    const std::string ids =
        runCommand("xdotool search --onlyvisible --name '^" + caption + "$' 2>/dev/null");
    return ids.substr(0, ids.find('\n'));
}

Screenshot Screenshot::ofWindow(const std::string& caption) {
    Screenshot shot;
    const std::string window = findWindow(caption);
    // Binary PPM: "P6 width height 255", one white space, then the pixels.
    std::istringstream in(
        window.empty() ? ""
                       : runCommand("import -window " + window + " -depth 8 ppm:- 2>/dev/null"));
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    shot.rgb.resize(static_cast<std::size_t>(shot.width * shot.height * 3));
    if (magic != "P6" || maxValue != 255 ||
        !in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<long>(shot.rgb.size()))) {
        return Screenshot();
    }
    return shot;
}

Rgb Screenshot::at(int x, int y) const {
    const std::size_t i = static_cast<std::size_t>((y * width + x) * 3);
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
}

int Screenshot::countNear(int x0, int y0, int x1, int y1, Rgb colour, int tolerance) const {
    int count = 0;
    for (int y = y0; y < y1 && y < height; ++y) {
        for (int x = x0; x < x1 && x < width; ++x) {
            const Rgb pixel = at(x, y);
            count += std::abs(pixel.red - colour.red) <= tolerance &&
                     std::abs(pixel.green - colour.green) <= tolerance &&
                     std::abs(pixel.blue - colour.blue) <= tolerance;
        }
    }
    return count;
}
