#include "tests/support/GameWindow.h"

#include "tests/support/WaitUntil.h"

#include <cstdlib>

std::string gameBinary() {
    const char* binaryDir = std::getenv("ORBI_BINARY_DIR");
    return std::string(binaryDir != nullptr ? binaryDir : "build") + "/app/orbicascade";
}

GameWindow::GameWindow(const std::vector<std::string>& command, const std::string& workingDirectory,
                       const std::vector<std::string>& environment)
    : child(command, workingDirectory, environment) {}

bool GameWindow::waitForWindow(int timeoutMs) {
    return waitUntil(timeoutMs, [] { return !findWindow("Orbicascade").empty(); });
}

void GameWindow::xdotool(const std::string& arguments) const {
    // Looked up afresh: the first window SDL maps may be replaced as the video mode is set.
    const std::string window = findWindow("Orbicascade");
    std::string command = arguments;
    for (std::size_t at = command.find("WINDOW"); at != std::string::npos;
         at = command.find("WINDOW", at + window.size())) {
        command.replace(at, 6, window);
    }
    runCommand("xdotool " + command + " >/dev/null 2>&1");
}

::testing::AssertionResult showsHud(const Screenshot& shot) {
    const Rgb blue{0, 0, 239};
    struct Place {
        const char* what;
        int x0, y0, x1, y1, least;
    };
    for (const Place& place :
         {Place{"\"Score:\"", 20, 15, 90, 45, 40}, Place{"the score digits", 90, 15, 160, 45, 40},
          Place{"\"Sphere:\"", 20, 400, 100, 430, 40},
          Place{"the count digits", 100, 400, 150, 430, 30}}) {
        if (shot.countNear(place.x0, place.y0, place.x1, place.y1, blue, 40) <= place.least) {
            return ::testing::AssertionFailure() << place.what << " not shown in blue";
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsHudAndNucleus(const Screenshot& shot) {
    if (shot.isEmpty()) {
        return ::testing::AssertionFailure() << "no screenshot of the game's window";
    }
    if (!isYellow(shot.at(320, 240))) {
        return ::testing::AssertionFailure() << "no nucleus at the centre";
    }
    return showsHud(shot);
}

bool isYellow(Rgb pixel) {
    return pixel.red > 150 && pixel.green > 130 && pixel.blue < 110;
}
