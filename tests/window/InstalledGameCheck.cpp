// installed-game-check COMMAND [ARG...] checks a game installed, or unpacked
// from its package, on a 24-bit screen (see playsFromRoot), and prints the SDL
// stack it ran on, which the library path it passes on selects; or says what
// failed and exits with 1. All within 30 seconds.
#include "tests/support/RealWindow.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: installed-game-check COMMAND [ARG...]\n";
        return 2;
    }
    // Every wait gives up then, leaving time to stop the game and its X server.
    lastMoment = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    try {
        std::cout << playsFromRoot({argv + 1, argv + argc}, 24) << '\n';
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "installed-game-check: " << failure.what() << '\n';
        return 1;
    }
}
