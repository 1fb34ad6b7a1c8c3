// The game installed under a scratch prefix and unpacked from its package, each
// started through its command from an unrelated folder.
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
// the command started it in its data folder.
void playsFromAnotherFolder(const std::filesystem::path& command) {
    XvfbSession server;
    GameWindow game({"env", "-C", "/", command.string(), "--ignored"});
    ASSERT_TRUE(game.waitForWindow()) << game.process().standardError();
    // The first frames come late on a slow machine.
    EXPECT_TRUE(waitUntil(10000, [&] { return bool(showsHudAndNucleus(game.shoot())); }));
    EXPECT_EQ(game.quit(), 0);
}

TEST(Install, InstalledCommandPlaysUnderAnyPrefix) {
    ScratchFolder prefix;
    ASSERT_TRUE(runs("cmake --install . --prefix " + prefix.path.string()));
    playsFromAnotherFolder(prefix.path / "games/orbicascade");
}

// Unpacked rather than installed, through a symbolic link such as a player
// might keep in ~/bin.
TEST(Install, PackagedCommandPlaysWhereverUnpacked) {
    ScratchFolder scratch;
    const std::string folder = scratch.path.string();
    ASSERT_TRUE(
        runs("cpack -G DEB -B " + folder + " && dpkg-deb -x " + folder + "/*.deb " + folder));
    std::filesystem::create_symlink(scratch.path / "usr/games/orbicascade", scratch.path / "link");
    playsFromAnotherFolder(scratch.path / "link");
}

} // namespace
