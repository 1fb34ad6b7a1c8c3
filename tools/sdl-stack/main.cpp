// Names the SDL stack a program runs on, then the SDL library files it loaded:
//
//   sdl-stack        the stack that a program built for SDL 1.2, such as the
//                    game, gets on this library path (this one is such a program)
//   sdl-stack PID    the stack of a running program, the game for instance
//
// e.g. "sdl1.2-on-sdl2 /usr/lib/x86_64-linux-gnu/libSDL2-2.0.so.0.2600.5 ...".
// Exits with 1 when the program loaded no SDL 1.2. Configuring the build runs
// it to find the stacks the window tests run on.
#include "tools/sdl-stack/SdlStack.h"

#include <SDL.h>

#include <iostream>

int main(int argc, char** argv) {
    // sdl12-compat and sdl2-compat load the SDL beneath them as they are
    // loaded themselves, so this process has its whole stack before main runs.
    // The call keeps the linker from dropping SDL as unused.
    SDL_Linked_Version();
    const auto libraries = sdlLibrariesOf(argc > 1 ? argv[1] : "self");
    const std::string stack = sdlStackName(libraries);
    if (stack.empty()) {
        std::cerr << "sdl-stack: no SDL 1.2 loaded\n";
        return 1;
    }
    std::cout << stack;
    for (const std::string& library : libraries) {
        std::cout << ' ' << library;
    }
    std::cout << '\n';
    return 0;
}
