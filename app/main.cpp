#include "app/GameAssembly.h"
#include "app/InputHandler.h"
#include "gfx/Display.h"

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// Why the window could not be opened, in words the player can act on.
std::string explainFailure(const Display& display) {
    switch (display.getFailure()) {
    case Display::Failure::NO_X_DISPLAY: {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0') {
            return "No X display to open the window on: DISPLAY is not set.";
        }
        return std::string("Cannot connect to the X display \"") + name + "\" named by DISPLAY.";
    }
    case Display::Failure::UNKNOWN_DEPTH:
        return "Orbicascade needs a screen of 16, 24 or 32 bits per pixel; SDL cannot tell this "
               "screen's depth.";
    case Display::Failure::UNSUPPORTED_DEPTH:
        return "Orbicascade needs a screen of 16, 24 or 32 bits per pixel, not " +
               std::to_string(display.getBitsPerPixel()) + ".";
    case Display::Failure::NO_VIDEO_DRIVER:
        return "The video driver named by SDL_VIDEODRIVER did not start: " +
               display.getVideoError();
    case Display::Failure::NO_VIDEO_INFO:
    case Display::Failure::NO_VIDEO_MODE:
    case Display::Failure::NONE:
        break;
    }
    return "No OpenGL window could be made: " + display.getVideoError();
}

float secondsNow() {
    return static_cast<float>(SDL_GetTicks()) / 1000.0f;
}

} // namespace

int main(int, char**) {
    std::atexit(SDL_Quit);

    Display display;
    if (!display.init(640, 480)) {
        // Without a window there is nothing to play and no way to quit.
        std::cerr << explainFailure(display) << '\n'
                  << "Orbicascade cannot run without its window." << std::endl;
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
#ifdef __EMSCRIPTEN__
        // A page shows nothing and hears no input until its script returns to
        // the browser: each frame hands control back and resumes here.
        emscripten_sleep(0);
#endif
    }
    return 0;
}
