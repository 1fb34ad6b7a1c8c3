#include "tests/app/HeadlessGame.h"
#include "tests/support/GlRecorder.h"

#include "text/StringObject.h"
#include "world/SphereTester.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

// Long play with random clicks, seeded so that every run plays the same games.
namespace {

const float SOAK_SECONDS = 30.0f * 60.0f;

struct SoakReport {
    int frames = 0;
    int games = 0;
    int endedBySensor = 0;
    int endedByLimit = 0;
};

// Every link names two spheres of the world, every slot holds a live link that
// names its sphere, no centre is NaN, and the count reads 0 to 198.
void checkWorld(const Game& game) {
    const Playfield& field = game.getPlayfield();
    std::set<const Sphere*> spheres;
    for (const auto& sphere : field.getSpheres()) {
        spheres.insert(sphere.get());
        const Vector2 p = sphere->getPosition();
        ASSERT_FALSE(std::isnan(p.x) || std::isnan(p.y));
        ASSERT_FALSE(std::isnan(sphere->getPreviousPosition().x));
    }
    std::set<const SphereLink*> links;
    for (const auto& link : field.getLinks()) {
        links.insert(link.get());
        ASSERT_TRUE(spheres.count(link->first) && spheres.count(link->second));
        ASSERT_NE(link->first, link->second);
    }
    for (const auto& sphere : field.getSpheres()) {
        for (const SphereLink* slot : sphere->getLinks()) {
            if (slot != nullptr) {
                ASSERT_TRUE(links.count(slot));
                ASSERT_TRUE(slot->first == sphere.get() || slot->second == sphere.get());
            }
        }
    }
    const std::string& count = game.getSphereCountText()->text;
    ASSERT_EQ(count.size(), 3u);
    const int room = std::stoi(count);
    ASSERT_GE(room, 0);
    ASSERT_LE(room, 198);
}

TEST(GameSoak, ThirtyMinutesOfRandomClicksKeepTheWorldSound) {
    HeadlessGame game;
    std::mt19937 random(20261206);
    // Frames of 11 to 60 ms: each one is exactly one world step.
    std::uniform_real_distribution<float> frameTime(0.011f, 0.06f);
    std::uniform_int_distribution<int> x(0, 639);
    std::uniform_int_distribution<int> y(0, 479);
    std::bernoulli_distribution clicks(0.06);

    SoakReport report;
    float played = 0.0f;
    int frozenFrames = 0;
    while (played < SOAK_SECONDS) {
        GlRecorder::reset();
        const float dt = frameTime(random);
        const bool wasOver = game->isOver();
        const bool wasHit = game->getSentinel()->isHit();
        game->update(dt);
        if (!wasOver && !wasHit && game->getSentinel()->isHit()) {
            // Game over is decided at the start of a frame: it shows from the next one.
            EXPECT_FALSE(game->isOver());
            EXPECT_FALSE(game->getGameOverText()->visible);
        }
        played += dt;
        ++report.frames;
        if (clicks(random)) {
            game->click(x(random), y(random));
        }
        checkWorld(*game);
        if (::testing::Test::HasFatalFailure()) {
            FAIL() << "after " << played << " s of play, frame " << report.frames;
        }
        if (game->isOver() && ++frozenFrames == 30) {
            ++report.games;
            (game->getSentinel()->isHit() ? report.endedBySensor : report.endedByLimit) += 1;
            game.restart();
            frozenFrames = 0;
        }
    }

    std::cout << "soak: " << played << " s of play, " << report.frames << " frames, "
              << report.games << " games (" << report.endedBySensor << " ended by the sensor, "
              << report.endedByLimit << " by the sphere limit)\n";
    EXPECT_GT(report.endedBySensor, 0) << "the cluster reaches the spawn point in some games";
    EXPECT_GT(report.endedByLimit, 0) << "stoppers fill the world in others";
}

} // namespace
