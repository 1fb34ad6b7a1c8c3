#ifndef ORBICASCADE_APP_GAME_H
#define ORBICASCADE_APP_GAME_H

#include "app/PortableRandom.h"
#include "world/World.h"

#include <cstdint>

class Display;
class Sphere;
class SphereTester;
class SpriteLibrary;
class StringManager;
class StringObject;

// One play: the world with its nucleus and sensor, the frame's time fed to
// it in steps, a new falling sphere every second, game over, the player's
// stoppers and the heads-up display.
class Game {
public:
    static constexpr float SMALLEST_STEP = 0.01f;
    static constexpr float SPAWN_INTERVAL = 1.0f;
    static constexpr std::size_t SPHERE_LIMIT = 199;

    Game(Display* display, SpriteLibrary* sprites, StringManager* strings);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Advances the world by the frame's elapsed seconds and draws the frame.
    void update(float dt);
    // The player clicked at window position (x, y): a stopper drops there.
    void click(int x, int y);

    const World& getWorld() const { return world; }
    const SphereTester* getSentinel() const { return sentinel; }
    bool isOver() const { return over; }
    const StringObject* getScoreText() const { return scoreText; }
    const StringObject* getSphereCountText() const { return sphereCountText; }
    const StringObject* getGameOverText() const { return gameOverText; }

private:
    void spawn();
    void addStopper(float worldX, float worldY);
    void place(Sphere& sphere, float worldX, float worldY) const;
    void createHud();
    StringObject* createHudString(const char* text, float x, float y, std::uint32_t colour,
                                  bool visible);
    void refreshScore();
    void refreshSphereCount();

    float viewOffsetX;
    float viewOffsetY;
    float viewScaleX;
    float viewScaleY;
    float stepTime = 0.0f;
    float spawnTime = 0.0f;
    World world;
    SphereTester* sentinel = nullptr;
    SpriteLibrary* spriteLibrary;
    StringManager* stringManager;
    StringObject* scoreText = nullptr;
    StringObject* gameOverText = nullptr;
    StringObject* sphereCountText = nullptr;
    std::uint32_t shownScore = 0;
    bool over = false;
    PortableRandom random;
};

#endif
