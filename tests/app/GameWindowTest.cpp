#include "tests/support/ChildProcess.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/XvfbSession.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <thread>

// The game played in a real window on a private X server, driven with xdotool
// the way a player would.
namespace {

const Rgb HUD_BLUE{0, 0, 239};
const Rgb GAME_OVER_WHITE{239, 239, 255};
const Rgb BLACK{0, 0, 0};

std::string gameBinary() {
    const char* binaryDir = std::getenv("ORBI_BINARY_DIR");
    return std::string(binaryDir != nullptr ? binaryDir : "build") + "/app/orbicascade";
}

void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// The nucleus and every stopper show colour 0 of the sphere sheet, a yellow.
bool isYellow(Rgb pixel) {
    return pixel.red > 150 && pixel.green > 130 && pixel.blue < 110;
}

int countYellow(const Screenshot& shot, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += isYellow(shot.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

class GameWindowTest : public ::testing::Test {
protected:
    explicit GameWindowTest(int depth = 24) : xvfb(depth) {}

    void SetUp() override {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        game = std::make_unique<ChildProcess>(std::vector<std::string>{gameBinary()}, ".");
        ASSERT_TRUE(waitUntil(15000, [] { return !findWindow("Orbicascade").empty(); }))
            << "no window; the game wrote: " << game->standardError();
        window = findWindow("Orbicascade");
    }

    void xdotool(const std::string& arguments) {
        runCommand("xdotool " + arguments + " >/dev/null 2>&1");
    }

    // Looks the window up again (the test may have started another game) and
    // gives it the keyboard: without a window manager the focus can be left
    // with a window that is gone.
    void pressEscape() {
        const std::string current = findWindow("Orbicascade");
        xdotool("mousemove --window " + current + " 320 240 windowfocus " + current +
                " key Escape");
    }

    Screenshot shoot() { return Screenshot::ofWindow("Orbicascade"); }

    XvfbSession xvfb;
    std::unique_ptr<ChildProcess> game;
    std::string window;
};

TEST_F(GameWindowTest, OpensItsCaptionedWindowAndQuitsOnEscapeWithinASecond) {
    const std::string geometry = runCommand("xwininfo -id " + window);
    EXPECT_NE(geometry.find("Width: 640"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Height: 480"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("\"Orbicascade\""), std::string::npos) << geometry;
    EXPECT_NE(game->standardError().find(
                  "Trying to create visual with width: 640, height: 480, bpp: 32\n"),
              std::string::npos)
        << game->standardError();

    pause(300);
    ASSERT_TRUE(game->isRunning());
    const auto sent = std::chrono::steady_clock::now();
    pressEscape();
    const std::optional<int> status = game->waitForExit(5000);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - sent);
    ASSERT_TRUE(status.has_value()) << "the game did not quit";
    EXPECT_EQ(*status, 0);
    EXPECT_LT(took.count(), 1000) << "quitting took " << took.count() << " ms";
}

TEST_F(GameWindowTest, ShowsTheHeadsUpDisplayAndTheNucleusThenSpheresThatCircleAndStick) {
    // Spheres circle the nucleus until something brakes them: two stoppers on
    // the first sphere's way up from the spawn point slow it enough to fall in.
    xdotool("mousemove --window " + window + " 120 240 click 1 mousemove --window " + window +
            " 120 212 click 1");
    pause(400);
    const Screenshot start = shoot();
    ASSERT_FALSE(start.isEmpty());
    EXPECT_GT(start.countNear(20, 15, 90, 45, HUD_BLUE, 40), 40) << "\"Score:\" in blue";
    EXPECT_GT(start.countNear(90, 15, 160, 45, HUD_BLUE, 40), 40) << "the score digits";
    EXPECT_GT(start.countNear(20, 400, 100, 430, HUD_BLUE, 40), 40) << "\"Sphere:\" in blue";
    EXPECT_GT(start.countNear(100, 400, 150, 430, HUD_BLUE, 40), 30) << "the count digits";
    EXPECT_TRUE(isYellow(start.at(320, 240))) << "the nucleus sits at the centre";
    EXPECT_EQ(start.countNear(300, 150, 340, 190, BLACK, 0), 40 * 40) << "nothing else yet";

    const int clusterBefore = 64 * 64 - start.countNear(288, 208, 352, 272, BLACK, 8);
    pause(4000);
    const Screenshot later = shoot();
    const int clusterAfter = 64 * 64 - later.countNear(288, 208, 352, 272, BLACK, 8);
    EXPECT_GT(clusterAfter, clusterBefore + 100) << "a sphere stuck to the nucleus";
    const int field = 640 * 380 - later.countNear(0, 50, 640, 430, BLACK, 8);
    EXPECT_GT(field, clusterAfter + 100) << "more spheres circle outside the centre";
    pressEscape();
    EXPECT_EQ(game->waitForExit(5000), std::optional<int>(0));
}

TEST_F(GameWindowTest, AClickDropsAStopperWhereTheButtonWentDownThatVanishesSoon) {
    pause(300);
    // Pressed at (600, 440), released elsewhere: the stopper goes where the press was.
    xdotool("mousemove --window " + window + " 600 440 mousedown 1 mousemove --window " + window +
            " 540 380 mouseup 1");
    pause(150);
    const Screenshot dropped = shoot();
    EXPECT_GT(countYellow(dropped, 592, 432, 608, 448), 60) << "a stopper at the press";
    EXPECT_EQ(countYellow(dropped, 532, 372, 548, 388), 0) << "none at the release";

    pause(3500);
    EXPECT_EQ(countYellow(shoot(), 590, 430, 610, 450), 0) << "the stopper vanished";
    pressEscape();
    EXPECT_EQ(game->waitForExit(5000), std::optional<int>(0));
}

TEST_F(GameWindowTest, TwoHundredQuickClicksFillTheWorldAndEndTheGame) {
    pause(300);
    const Screenshot before = shoot();
    const int whiteBefore = before.countNear(270, 200, 400, 230, GAME_OVER_WHITE, 30);
    std::ostringstream burst;

    // Stoppers 20 pixels apart do not touch, so none ends another. They go
    // inside the circling spheres' orbit, clear of the nucleus and of where
    // "Game Over" will show. The clicks go in bursts of twenty: SDL's event
    // queue holds 128 events, and a slow (sanitized) build would drop what
    // does not fit between two frames.
    int count = 0;
    for (int y = 80; y <= 400; y += 20) {
        for (int x = 160; x <= 480 && count < 200; x += 20) {
            const double fromCentre = std::hypot(x - 320, y - 240);
            const bool underText = x >= 254 && x <= 398 && y >= 184 && y <= 240;
            if (fromCentre < 40 || fromCentre > 170 || underText) {
                continue;
            }
            burst << " mousemove --window " << window << ' ' << x << ' ' << y
                  << " mousedown 1 mouseup 1";
            if (++count % 20 == 0) {
                xdotool(burst.str());
                burst.str("");
                pause(50);
            }
        }
    }
    ASSERT_EQ(count, 200);

    Screenshot over;
    EXPECT_TRUE(waitUntil(10000, [&] {
        over = shoot();
        return over.countNear(270, 200, 400, 230, GAME_OVER_WHITE, 30) > whiteBefore + 100;
    })) << "\"Game Over\" in near white";
    pause(1000);
    EXPECT_TRUE(shoot().sameAs(over)) << "the world is frozen";

    pressEscape();
    EXPECT_EQ(game->waitForExit(5000), std::optional<int>(0));
}

// Without data files the game still runs: sprites without a texture, no text.
TEST_F(GameWindowTest, RunsWithoutItsDataFiles) {
    char directory[] = "/tmp/orbi-no-data-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    game.reset();
    ASSERT_TRUE(waitUntil(5000, [] { return findWindow("Orbicascade").empty(); }));
    game = std::make_unique<ChildProcess>(std::vector<std::string>{gameBinary()}, directory);
    ASSERT_TRUE(waitUntil(15000, [] { return !findWindow("Orbicascade").empty(); }));
    pause(500);
    EXPECT_TRUE(game->isRunning()) << game->standardError();
    EXPECT_NE(game->standardError().find("Failed to open font file : hockey\n"), std::string::npos)
        << game->standardError();
    pressEscape();
    EXPECT_EQ(game->waitForExit(5000), std::optional<int>(0));
    rmdir(directory);
}

class SixteenBitGameWindowTest : public GameWindowTest {
protected:
    SixteenBitGameWindowTest() : GameWindowTest(16) {}
};

TEST_F(SixteenBitGameWindowTest, AsksForSixteenBitsOnASixteenBitScreen) {
    EXPECT_NE(game->standardError().find(
                  "Trying to create visual with width: 640, height: 480, bpp: 16\n"),
              std::string::npos)
        << game->standardError();
    pressEscape();
    EXPECT_EQ(game->waitForExit(5000), std::optional<int>(0));
}

// With no X server to talk to there is no window: the game says so and stops.
// (The X11 driver is named because SDL would otherwise fall back to others,
// such as a text-mode one, that the game refuses for their depth.)
TEST(GameWithoutDisplay, ReportsTheFailureAndExitsWithAnError) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    setenv("DISPLAY", ":65000", 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    ChildProcess game({gameBinary()}, ".");
    const std::optional<int> status = game.waitForExit(10000);
    unsetenv("SDL_VIDEODRIVER");
    if (display != nullptr) {
        setenv("DISPLAY", saved.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }

    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    EXPECT_EQ(game.standardError().find("Video initialization failed: "), 0u)
        << game.standardError();
    EXPECT_NE(game.standardError().find("\nOrbicascade cannot run without its window.\n"),
              std::string::npos)
        << game.standardError();
}

} // namespace
