// The game played in a real window on a private X server, driven with xdotool
// the way a player would.
#include "tests/support/GameWindow.h"

#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>

namespace {

void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int countYellow(const Screenshot& shot, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += isYellow(shot.at(x, y));
        }
    }
    return count;
}

// Escape ends the game at once, with status 0.
void quit(GameWindow& game) {
    const auto sent = std::chrono::steady_clock::now();
    game.pressEscape();
    EXPECT_EQ(game.process().waitForExit(5000), std::optional<int>(0));
    EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(1));
}

TEST(GameSession, APlayerClicksBrakesSpheresFillsTheWorldAndQuits) {
    XvfbSession server;
    GameWindow game;
    ASSERT_TRUE(server.isRunning() && game.waitForWindow()) << game.process().standardError();
    EXPECT_NE(game.process().standardError().find(
                  "Trying to create visual with width: 640, height: 480, bpp: 32\n"),
              std::string::npos);
    // Two stoppers on the first sphere's way up from the spawn point brake it
    // enough to fall in; a third goes where the button went down, not up.
    game.xdotool(
        "mousemove --window WINDOW 120 240 mousedown 1 mouseup 1 mousemove --window WINDOW 120 212 "
        "mousedown 1 mouseup 1 mousemove --window WINDOW 600 440 mousedown 1 mousemove --window "
        "WINDOW "
        "540 380 mouseup 1");
    pause(200);
    const Screenshot start = game.shoot();
    EXPECT_TRUE(showsHudAndNucleus(start));
    EXPECT_GT(countYellow(start, 592, 432, 608, 448), 60) << "a stopper at the press";
    EXPECT_EQ(countYellow(start, 532, 372, 548, 388), 0) << "none at the release";
    const Rgb black{0, 0, 0};
    const int clusterBefore = 64 * 64 - start.countNear(288, 208, 352, 272, black, 8);

    pause(4000);
    const Screenshot later = game.shoot();
    EXPECT_EQ(countYellow(later, 590, 430, 610, 450), 0) << "the stopper vanished";
    const int clusterAfter = 64 * 64 - later.countNear(288, 208, 352, 272, black, 8);
    EXPECT_GT(clusterAfter, clusterBefore + 100) << "a sphere stuck to the nucleus";
    EXPECT_GT(640 * 380 - later.countNear(0, 50, 640, 430, black, 8), clusterAfter + 100)
        << "more spheres circle outside the centre";

    // Stoppers 20 pixels apart, outside the orbit where no sphere ends them,
    // a row at a time to fit SDL's queue of 128 events, quickly enough that
    // more than 199 objects are alive at once: "Game Over" shows in near white.
    const Rgb nearWhite{239, 239, 255};
    const int whiteBefore = later.countNear(270, 200, 400, 230, nearWhite, 30);
    Screenshot over;
    auto isOver = [&] {
        over = game.shoot();
        return over.countNear(270, 200, 400, 230, nearWhite, 30) > whiteBefore + 100;
    };
    std::ostringstream burst;
    int clicks = 0;
    for (int y = 10; y < 480; y += 20) {
        for (int x = 10; x < 640; x += 20) {
            if (std::hypot(x - 320, y - 240) > 220 && ++clicks) {
                burst << " mousemove --window WINDOW " << x << ' ' << y << " mousedown 1 mouseup 1";
            }
        }
        game.xdotool(burst.str());
        burst.str("");
    }
    EXPECT_TRUE(waitUntil(5000, isOver)) << "no \"Game Over\" after " << clicks << " clicks";
    pause(1000);
    EXPECT_TRUE(game.shoot() == over) << "the world is frozen";
    quit(game);
}

TEST(GameSession, RunsOnASixteenBitScreen) {
    XvfbSession server(16);
    GameWindow game;
    ASSERT_TRUE(server.isRunning() && game.waitForWindow()) << game.process().standardError();
    EXPECT_NE(game.process().standardError().find("bpp: 16\n"), std::string::npos);
    pause(300);
    EXPECT_TRUE(showsHudAndNucleus(game.shoot()));
    quit(game);
}

} // namespace
