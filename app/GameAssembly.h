#ifndef ORBICASCADE_APP_GAMEASSEMBLY_H
#define ORBICASCADE_APP_GAMEASSEMBLY_H

#include "app/Game.h"
#include "gfx/SpriteLibrary.h"
#include "gfx/TextureCache.h"
#include "text/StringManager.h"

#include <memory>

class Display;

// Everything the game stands on besides the display, made in start-up order:
// the texture cache, the sprite library with the five sphere sprites, the
// string manager with the font "hockey", then the game; destroyed in reverse.
class GameAssembly {
public:
    explicit GameAssembly(Display& display);
    GameAssembly(const GameAssembly&) = delete;
    GameAssembly& operator=(const GameAssembly&) = delete;

    Game& getGame() { return *game; }

private:
    TextureCache textures;
    SpriteLibrary sprites;
    StringManager strings;
    std::unique_ptr<Game> game;
};

#endif
