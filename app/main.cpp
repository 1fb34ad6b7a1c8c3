#include "app/GameAssembly.h"
#include "app/InputHandler.h"
#include "gfx/Display.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

namespace {

float secondsNow() {
    return static_cast<float>(SDL_GetTicks()) / 1000.0f;
}

} // namespace

int main(int, char**) {
    std::atexit(SDL_Quit);

    Display display;
    if (!display.init(640, 480)) {
        // Without a window there is nothing to play and no way to quit.
        std::cerr << "Orbicascade cannot run without its window." << std::endl;
        return EXIT_FAILURE;
    }
    display.begin2D();

    GameAssembly assembly(display);
    Game& game = assembly.getGame();

    // Loading time before this reading is never fed to the game.
    float previous = secondsNow();
    InputHandler input;
    while (!input.isQuitRequested()) {
        display.clear();
        const float now = secondsNow();
        game.update(now - previous);
        previous = now;
        for (const Click& click : input.pollAll()) {
            game.click(click.x, click.y);
        }
        SDL_GL_SwapBuffers();
    }
    return 0;
}
