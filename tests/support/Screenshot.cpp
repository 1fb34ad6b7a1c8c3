#include "tests/support/Screenshot.h"

#include "tests/support/ChildProcess.h"

#include <cstdlib>
#include <sstream>

namespace {

// Parses binary PPM (P6, maxval 255) as import writes it.
bool parsePpm(const std::string& data, int& width, int& height, std::vector<unsigned char>& rgb) {
    std::istringstream in(data);
    std::string magic;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    if (magic != "P6" || width <= 0 || height <= 0 || maxValue != 255) {
        return false;
    }
    in.get(); // the single white space after the header
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    rgb.resize(size);
    in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in.gcount()) == size;
}

} // namespace

std::string findWindow(const std::string& caption) {
    // Only a mapped window: the first one SDL makes may be replaced as the video mode is set.
    std::string ids =
        runCommand("xdotool search --onlyvisible --name '^" + caption + "$' 2>/dev/null");
    return ids.substr(0, ids.find('\n'));
}

Screenshot Screenshot::ofWindow(const std::string& caption) {
    Screenshot shot;
    const std::string window = findWindow(caption);
    if (window.empty()) {
        return shot;
    }
    const std::string data = runCommand("import -window " + window + " -depth 8 ppm:- 2>/dev/null");
    if (!parsePpm(data, shot.width, shot.height, shot.rgb)) {
        shot = Screenshot();
    }
    return shot;
}

Rgb Screenshot::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) *
                          3;
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
}

int Screenshot::countNear(int x0, int y0, int x1, int y1, Rgb colour, int tolerance) const {
    int count = 0;
    for (int y = y0; y < y1 && y < height; ++y) {
        for (int x = x0; x < x1 && x < width; ++x) {
            const Rgb pixel = at(x, y);
            if (std::abs(pixel.red - colour.red) <= tolerance &&
                std::abs(pixel.green - colour.green) <= tolerance &&
                std::abs(pixel.blue - colour.blue) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

bool Screenshot::sameAs(const Screenshot& other) const {
    return width == other.width && height == other.height && rgb == other.rgb;
}
