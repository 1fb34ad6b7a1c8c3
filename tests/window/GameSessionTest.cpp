// The game played in a real window on a private X server, driven with xdotool
// the way a player would.
#include "tests/support/RealWindow.h"

#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>

namespace {

void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

TEST(GameSession, APlayerClicksBrakesSpheresFillsTheWorldAndQuits) {
    XvfbSession server;
    GameWindow game;
    ASSERT_TRUE(game.waitForWindow()) << game.process().standardError();
    EXPECT_NE(game.process().standardError().find(
                  "Trying to create visual with width: 640, height: 480, bpp: 32\n"),
              std::string::npos);
    // Two stoppers on the first sphere's way up from the spawn point brake it
    // enough to fall in; a third goes where the button went down, not up.
    game.xdotool("mousemove --window %1 120 240 mousedown 1 mouseup 1 "
                 "mousemove --window %1 120 212 mousedown 1 mouseup 1 "
                 "mousemove --window %1 600 440 mousedown 1 "
                 "mousemove --window %1 540 380 mouseup 1");
    pause(200);
    const Screenshot start = game.shoot();
    EXPECT_TRUE(showsHudAndNucleus(start));
    EXPECT_GT(start.count(592, 432, 608, 448, isYellow), 60) << "a stopper at the press";
    EXPECT_EQ(start.count(532, 372, 548, 388, isYellow), 0) << "none at the release";
    const auto lit = [](Rgb pixel) { return !near(Rgb{0, 0, 0}, 8)(pixel); };
    const int clusterBefore = start.count(288, 208, 352, 272, lit);

    pause(4000);
    const Screenshot later = game.shoot();
    EXPECT_EQ(later.count(590, 430, 610, 450, isYellow), 0) << "the stopper vanished";
    const int clusterAfter = later.count(288, 208, 352, 272, lit);
    EXPECT_GT(clusterAfter, clusterBefore + 100) << "a sphere stuck to the nucleus";
    EXPECT_GT(later.count(0, 50, 640, 430, lit), clusterAfter + 100)
        << "more spheres circle outside the centre";

    // Stoppers 20 pixels apart, outside the orbit where no sphere ends them,
    // a row at a time to fit SDL's queue of 128 events, quickly enough that
    // more than 199 objects are alive at once: "Game Over" shows in near white.
    const Rgb nearWhite{239, 239, 255};
    const int whiteBefore = later.count(270, 200, 400, 230, near(nearWhite, 30));
    Screenshot over;
    auto isOver = [&] {
        over = game.shoot();
        return over.count(270, 200, 400, 230, near(nearWhite, 30)) > whiteBefore + 100;
    };
    std::ostringstream burst;
    for (int y = 10; y < 480; y += 20) {
        for (int x = 10; x < 640; x += 20) {
            if (std::hypot(x - 320, y - 240) > 220) {
                burst << " mousemove --window %1 " << x << ' ' << y << " mousedown 1 mouseup 1";
            }
        }
        game.xdotool(burst.str());
        burst.str("");
    }
    EXPECT_TRUE(waitUntil(5000, isOver)) << "no \"Game Over\"";
    pause(1000);
    EXPECT_TRUE(game.shoot() == over) << "the world is frozen";
    EXPECT_EQ(game.quit(), 0) << "Escape ends the game at once";
}

} // namespace
