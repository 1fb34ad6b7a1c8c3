#ifndef ORBICASCADE_APP_INPUTHANDLER_H
#define ORBICASCADE_APP_INPUTHANDLER_H

#include <SDL.h>

#include <optional>
#include <vector>

// A finished click: the window position where the button went down.
struct Click {
    int x = 0;
    int y = 0;
};

// Turns SDL's input events into clicks and a quit request. A press is
// remembered across frames; the release that follows clicks at the press
// position, so moving the mouse before letting go does not move the stopper.
class InputHandler {
public:
    std::optional<Click> handle(const SDL_Event& event);

    // Drains SDL's event queue, handling every event, including those queued
    // after a quit request, and returns the clicks in order.
    std::vector<Click> pollAll();

    bool isQuitRequested() const { return quitRequested; }

private:
    bool pressed = false;
    int pressX = 0;
    int pressY = 0;
    bool quitRequested = false;
};

#endif
