#include "app/InputHandler.h"

std::optional<Click> InputHandler::handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        pressed = true;
        pressX = event.button.x;
        pressY = event.button.y;
        break;
    case SDL_MOUSEBUTTONUP: {
        // A release whose press happened outside the window is not a click.
        const bool wasPressed = pressed;
        pressed = false;
        if (wasPressed) {
            return Click{pressX, pressY};
        }
        break;
    }
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE) {
            quitRequested = true;
        }
        break;
    case SDL_QUIT:
        quitRequested = true;
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::vector<Click> InputHandler::pollAll() {
    std::vector<Click> clicks;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (const std::optional<Click> click = handle(event)) {
            clicks.push_back(*click);
        }
    }
    return clicks;
}
