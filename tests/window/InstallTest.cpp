// The game installed under a scratch prefix and unpacked from its package, each
// started through its command from an unrelated folder and played.
#include "tests/support/RealWindow.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Runs a build tool to its end; true when it succeeded.
bool runs(const std::string& command) {
    ChildProcess tool({"sh", "-c", "cd \"$ORBI_BINARY_DIR\" && " + command});
    EXPECT_EQ(tool.waitForExit(120000), 0)
        << command << tool.standardOutput() << tool.standardError();
    return tool.waitForExit(0) == 0;
}

// "/" holds no data/: the game draws its heads-up display and nucleus only if
// the command started it in its data folder. It opens its window at the
// screen's depth.
void playsFromAnotherFolder(const std::filesystem::path& command, int depth) {
    XvfbSession server(depth);
    GameWindow game({"env", "-C", "/", command.string(), "--ignored"});
    ASSERT_TRUE(game.waitForWindow()) << game.process().standardError();
    const std::string bits = std::to_string(depth == 24 ? 32 : depth);
    EXPECT_NE(game.process().standardError().find("bpp: " + bits + "\n"), std::string::npos);
    EXPECT_NE(runCommand("xwininfo -name Orbicascade").find("Depth: " + std::to_string(depth)),
              std::string::npos);
    // The first frames come late on a slow machine.
    EXPECT_TRUE(waitUntil(10000, [&] { return bool(showsHudAndNucleus(game.shoot())); }));
    // A click drops a stopper where the button went down, not where it came up.
    game.xdotool(
        "mousemove --window %1 600 440 mousedown 1 mousemove --window %1 540 380 mouseup 1");
    EXPECT_TRUE(
        waitUntil(2000, [&] { return game.shoot().count(592, 432, 608, 448, isYellow) > 60; }));
    EXPECT_EQ(game.shoot().count(532, 372, 548, 388, isYellow), 0);
    EXPECT_EQ(game.quit(), 0) << "Escape ends the game at once";
}

TEST(Install, InstalledCommandPlaysUnderAnyPrefixOnASixteenBitScreen) {
    ScratchFolder prefix;
    ASSERT_TRUE(runs("cmake --install . --prefix " + prefix.path.string()));
    playsFromAnotherFolder(prefix.path / "games/orbicascade", 16);
}

// Unpacked rather than installed, through a symbolic link such as a player
// might keep in ~/bin.
TEST(Install, PackagedCommandPlaysWhereverUnpacked) {
    ScratchFolder scratch;
    const std::string folder = scratch.path.string();
    ASSERT_TRUE(
        runs("cpack -G DEB -B " + folder + " && dpkg-deb -x " + folder + "/*.deb " + folder));
    std::filesystem::create_symlink(scratch.path / "usr/games/orbicascade", scratch.path / "link");
    playsFromAnotherFolder(scratch.path / "link", 24);
}

} // namespace
