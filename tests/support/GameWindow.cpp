#include "tests/support/GameWindow.h"

#include <cstdlib>
#include <sstream>

namespace {

// The X id of the first mapped window titled exactly caption, or "". Only a
// mapped one: the first window SDL makes may be replaced as the video mode is set.
std::string findWindow(const std::string& caption) {
    const std::string ids =
        runCommand("xdotool search --onlyvisible --name '^" + caption + "$' 2>/dev/null");
    return ids.substr(0, ids.find('\n'));
}

} // namespace

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

std::string buildDirectory() {
    const char* binaryDir = std::getenv("ORBI_BINARY_DIR");
    return binaryDir != nullptr ? binaryDir : "build";
}

std::string gameBinary() {
    return buildDirectory() + "/app/orbicascade";
}

bool GameWindow::waitForWindow(int timeoutMs) {
    return waitUntil(timeoutMs, [] { return !findWindow("Orbicascade").empty(); });
}

void GameWindow::xdotool(const std::string& arguments) const {
    const std::string window = findWindow("Orbicascade");
    std::string command = arguments;
    for (std::size_t at = command.find("WINDOW"); at != std::string::npos;
         at = command.find("WINDOW", at + window.size())) {
        command.replace(at, 6, window);
    }
    runCommand("xdotool " + command + " >/dev/null 2>&1");
}

::testing::AssertionResult showsHud(const Screenshot& shot) {
    struct Place {
        const char* what;
        int x0, y0, x1, y1, least;
    };
    for (const Place& place :
         {Place{"\"Score:\"", 20, 15, 90, 45, 40}, Place{"the score digits", 90, 15, 160, 45, 40},
          Place{"\"Sphere:\"", 20, 400, 100, 430, 40},
          Place{"the count digits", 100, 400, 150, 430, 30}}) {
        if (shot.count(place.x0, place.y0, place.x1, place.y1, near(Rgb{0, 0, 239}, 40)) <=
            place.least) {
            return ::testing::AssertionFailure() << place.what << " not shown in blue";
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsHudAndNucleus(const Screenshot& shot) {
    if (shot.isEmpty() || !isYellow(shot.at(320, 240))) {
        return ::testing::AssertionFailure() << "no nucleus at the centre";
    }
    return showsHud(shot);
}

bool isYellow(Rgb pixel) {
    return pixel.red > 150 && pixel.green > 130 && pixel.blue < 110;
}
