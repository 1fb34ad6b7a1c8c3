#ifndef ORBICASCADE_TESTS_HEADLESSGAME_H
#define ORBICASCADE_TESTS_HEADLESSGAME_H

#include "app/GameAssembly.h"
#include "gfx/Display.h"

#include <SDL.h>

#include <cstdlib>
#include <memory>

// The game's start-up without a window: SDL's dummy video driver opens no
// window (so the display keeps only its size), and the OpenGL calls go to the
// recording stand-in this test links instead of libGL.
class HeadlessGame {
public:
    HeadlessGame() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        display.init(640, 480);
        restart();
    }
    ~HeadlessGame() {
        assembly.reset();
        SDL_Quit();
    }

    Game& operator*() { return assembly->getGame(); }
    Game* operator->() { return &assembly->getGame(); }
    // Starts a new play on the same display.
    void restart() {
        assembly.reset();
        assembly = std::make_unique<GameAssembly>(display);
    }

private:
    Display display;
    std::unique_ptr<GameAssembly> assembly;
};

#endif
