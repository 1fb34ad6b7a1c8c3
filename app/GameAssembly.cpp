#include "app/GameAssembly.h"

#include "app/SphereSprites.h"

GameAssembly::GameAssembly(Display& display) : sprites(&textures), strings(&textures) {
    registerSphereSprites(sprites);
    strings.loadFont("hockey");
    game = std::make_unique<Game>(&display, &sprites, &strings);
}
