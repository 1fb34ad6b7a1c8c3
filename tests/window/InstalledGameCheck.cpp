// Checks a game installed or unpacked from its package by playing it as a
// player would, started by its command from "/" (no data/ there: it draws
// only if the command finds its data), on private X servers of 16 and 24 bits:
// its window opens at the screen's depth, it draws the heads-up display and the
// nucleus, a click drops a stopper where the button went down, Escape ends it
// with exit status 0, and it writes nothing on standard output. Prints the SDL
// stack it ran on (see tools/sdl-stack), selected by LD_LIBRARY_PATH, which it
// passes on; or says what failed and exits with 1. Done within 30 seconds.
//
//   installed-game-check COMMAND [ARG...]
#include "tests/support/RealWindow.h"

#include <iostream>
#include <stdexcept>

namespace {

void require(bool passed, const std::string& what) {
    if (!passed) {
        throw std::runtime_error(what);
    }
}

// The SDL stack the game ran on; throws what failed.
std::string plays(const std::vector<std::string>& command, int depth) {
    const XvfbSession server(depth);
    GameWindow game(command);
    require(game.waitForWindow(), "no window");
    const std::string bits = std::to_string(depth == 24 ? 32 : depth);
    require(game.process().standardError().find("bpp: " + bits + "\n") != std::string::npos &&
                runCommand("xwininfo -name Orbicascade").find("Depth: " + std::to_string(depth)) !=
                    std::string::npos,
            "no window at the screen's depth, " + std::to_string(depth));
    // The first frames come late on a slow machine.
    require(waitUntil(10000, [&] { return bool(showsHudAndNucleus(game.shoot())); }),
            "no heads-up display and nucleus");
    game.xdotool(
        "mousemove --window %1 600 440 mousedown 1 mousemove --window %1 540 380 mouseup 1");
    require(waitUntil(2000,
                      [&] {
                          const Screenshot shot = game.shoot();
                          return shot.count(592, 432, 608, 448, isYellow) > 60 &&
                                 shot.count(532, 372, 548, 388, isYellow) == 0;
                      }),
            "no stopper where the button went down, or one where it came up");
    require(game.quit() == 0, "Escape did not end the game with exit status 0");
    require(game.process().standardOutput().empty(), "the game wrote on standard output");
    return game.stack();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: installed-game-check COMMAND [ARG...]\n";
        return 2;
    }
    // Every wait gives up then, leaving time to stop the game and its X server.
    lastMoment = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    std::vector<std::string> command{"env", "-C", "/"};
    command.insert(command.end(), argv + 1, argv + argc);
    try {
        const std::string stack = plays(command, 16);
        require(plays(command, 24) == stack, "another SDL stack on the second start");
        std::cout << stack << '\n';
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "installed-game-check: " << failure.what() << '\n';
        return 1;
    }
}
