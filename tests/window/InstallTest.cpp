// The game installed under a scratch prefix and unpacked from its package, each
// started through its command from an unrelated folder by installed-game-check.
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

// The check plays the game through the command and names the SDL stack it ran on.
void passesInstalledGameCheck(const std::filesystem::path& command) {
    ChildProcess check(
        {"sh", "-c", "exec \"$ORBI_BINARY_DIR\"/tests/window/installed-game-check \"$0\" --ignored",
         command});
    ASSERT_EQ(check.waitForExit(30000), 0) << check.standardError();
    const std::string stack = check.standardOutput();
    EXPECT_TRUE(runsOnNamedStack(stack.substr(0, stack.find('\n'))));
}

TEST(Install, InstalledCommandPlaysUnderAnyPrefix) {
    ScratchFolder prefix;
    ASSERT_TRUE(runs("cmake --install . --prefix " + prefix.path.string()));
    passesInstalledGameCheck(prefix.path / "games/orbicascade");
}

// Unpacked rather than installed, through a symbolic link such as a player
// might keep in ~/bin.
TEST(Install, PackagedCommandPlaysWhereverUnpacked) {
    ScratchFolder scratch;
    const std::string folder = scratch.path.string();
    ASSERT_TRUE(
        runs("cpack -G DEB -B " + folder + " && dpkg-deb -x " + folder + "/*.deb " + folder));
    std::filesystem::create_symlink(scratch.path / "usr/games/orbicascade", scratch.path / "link");
    passesInstalledGameCheck(scratch.path / "link");
}

} // namespace
