// The game installed under a scratch prefix and unpacked from its package, each started through
// its command from an unrelated folder and played as installed-game-check plays it.
#include "tests/support/RealWindow.h"
#include "tests/support/ScratchFolder.h"

#include <gmock/gmock.h>

namespace {

// Runs a build tool from the build folder; true when it succeeded.
bool runs(const std::string& command) {
    const std::string said =
        runCommand("cd \"$ORBI_BINARY_DIR\" && " + command + " 2>&1; echo exit $?", 120000);
    EXPECT_THAT(said, testing::EndsWith("exit 0\n")) << command;
    return !testing::Test::HasFailure();
}

TEST(Install, InstalledCommandPlaysUnderAnyPrefix) {
    ScratchFolder prefix;
    ASSERT_TRUE(runs("cmake --install . --prefix " + prefix.path.string()));
    EXPECT_TRUE(
        runsOnNamedStack(playsFromRoot({prefix.path / "games/orbicascade", "--ignored"}, 16)));
}

// Unpacked rather than installed, through a symbolic link such as a player
// might keep in ~/bin.
TEST(Install, PackagedCommandPlaysWhereverUnpacked) {
    ScratchFolder scratch;
    const std::string folder = scratch.path.string();
    ASSERT_TRUE(
        runs("cpack -G DEB -B " + folder + " && dpkg-deb -x " + folder + "/*.deb " + folder));
    std::filesystem::create_symlink(scratch.path / "usr/games/orbicascade", scratch.path / "link");
    EXPECT_TRUE(runsOnNamedStack(playsFromRoot({scratch.path / "link"}, 24)));
}

} // namespace
