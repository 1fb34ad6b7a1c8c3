#ifndef ORBICASCADE_TESTS_HEADLESSGAME_H
#define ORBICASCADE_TESTS_HEADLESSGAME_H

#include "app/Game.h"
#include "app/SphereSprites.h"
#include "gfx/Display.h"
#include "gfx/SpriteLibrary.h"
#include "gfx/TextureCache.h"
#include "text/StringManager.h"

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
        registerSphereSprites(sprites);
        strings.loadFont("hockey");
        game = std::make_unique<Game>(&display, &sprites, &strings);
    }
    ~HeadlessGame() {
        game.reset();
        SDL_Quit();
    }

    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }
    // Starts a new play on the same display, sprites and font.
    void restart() {
        game.reset();
        game = std::make_unique<Game>(&display, &sprites, &strings);
    }

private:
    Display display;
    TextureCache textures;
    SpriteLibrary sprites{&textures};
    StringManager strings{&textures};
    std::unique_ptr<Game> game;
};

#endif
