#include "app/Game.h"

#include "app/HudText.h"
#include "gfx/Display.h"
#include "gfx/SpriteLibrary.h"
#include "text/StringManager.h"
#include "text/StringObject.h"
#include "world/FallingSphere.h"
#include "world/Sphere.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

namespace {

const Vector2 SPAWN_POINT(-200.0f, 0.0f);
const Vector2 SPAWN_VELOCITY(0.0f, -180.0f);
const int COLOUR_COUNT = 5;
const std::size_t COUNT_LIMIT = 200;

const char* const FONT_NAME = "hockey";
const std::uint32_t HUD_BLUE = 0xff0000f0;
const std::uint32_t GAME_OVER_WHITE = 0xfff0f0ff;

} // namespace

Game::Game(Display* display, SpriteLibrary* sprites, StringManager* strings)
    : viewOffsetX(static_cast<float>(display->getWidth()) * 0.5f),
      viewOffsetY(static_cast<float>(display->getHeight()) * 0.5f),
      viewScaleX(static_cast<float>(display->getWidth()) / 640.0f),
      viewScaleY(static_cast<float>(display->getHeight()) / 480.0f), spriteLibrary(sprites),
      stringManager(strings) {
    Sphere& nucleus = world.add(std::make_unique<Sphere>());
    place(nucleus, 0.0f, 0.0f);
    nucleus.setSprite(spriteLibrary->get(0));
    nucleus.setColour(0);

    // The sensor sits on the spawn point; it has no sprite, so it is never seen.
    auto sensor = std::make_unique<SphereTester>();
    sentinel = sensor.get();
    world.add(std::move(sensor));
    place(*sentinel, SPAWN_POINT.x, SPAWN_POINT.y);

    createHud();
}

Game::~Game() {
    // The other heads-up strings go with the string manager, destroyed next.
    stringManager->destroyString(scoreText);
}

void Game::update(float dt) {
    stepTime += dt;
    spawnTime += dt;

    // Decided once, at the start of the frame: a sensor hit during this
    // frame's steps shows from the next frame on.
    if (sentinel->isHit() || world.size() > SPHERE_LIMIT) {
        over = true;
    }
    if (over) {
        gameOverText->visible = true;
    } else {
        while (stepTime > SMALLEST_STEP) {
            stepTime -= world.step(stepTime);
        }
        if (world.getScore() != shownScore) {
            refreshScore();
        }
        if (spawnTime > SPAWN_INTERVAL) {
            spawnTime = 0.0f;
            spawn();
        }
    }

    world.draw();
    stringManager->update(dt);
    stringManager->draw();
}

void Game::click(int x, int y) {
    addStopper(static_cast<float>(x) / viewScaleX - viewOffsetX,
               static_cast<float>(y) / viewScaleY - viewOffsetY);
}

void Game::spawn() {
    const int colour = random.nextBelow(COLOUR_COUNT);

    auto sphere = std::make_unique<FallingSphere>();
    sphere->setSprite(spriteLibrary->get(static_cast<unsigned>(colour)));
    sphere->setColour(colour);
    place(*sphere, SPAWN_POINT.x, SPAWN_POINT.y);
    sphere->setVelocity(SPAWN_VELOCITY);
    world.add(std::move(sphere));
    refreshSphereCount();
}

void Game::addStopper(float worldX, float worldY) {
    auto stopper = std::make_unique<Stopper>();
    stopper->setSprite(spriteLibrary->get(0));
    place(*stopper, worldX, worldY);
    world.add(std::move(stopper));
}

void Game::place(Sphere& sphere, float worldX, float worldY) const {
    sphere.placeAtRest(Vector2(worldX, worldY));
    sphere.setView(viewOffsetX, viewOffsetY, viewScaleX, viewScaleY);
}

void Game::createHud() {
    createHudString("Score:", 20.0f, 15.0f, HUD_BLUE, true);
    scoreText = createHudString("00000", 90.0f, 15.0f, HUD_BLUE, true);
    createHudString("Sphere:", 20.0f, 400.0f, HUD_BLUE, true);
    sphereCountText = createHudString("198", 100.0f, 400.0f, HUD_BLUE, true);
    gameOverText = createHudString("Game Over", 270.0f, 200.0f, GAME_OVER_WHITE, false);
}

StringObject* Game::createHudString(const char* text, float x, float y, std::uint32_t colour,
                                    bool visible) {
    StringObject* string = stringManager->createString();
    string->visible = visible;
    string->fontName = FONT_NAME;
    string->text = text;
    string->colour = colour;
    string->x = x;
    string->y = y;
    return string;
}

void Game::refreshScore() {
    shownScore = world.getScore();
    scoreText->text = formatScore(shownScore);
}

void Game::refreshSphereCount() {
    sphereCountText->text = formatSphereCount(world.size(), COUNT_LIMIT);
}
