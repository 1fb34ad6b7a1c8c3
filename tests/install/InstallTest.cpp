#include "tests/support/GameWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct ScratchFolder {
    char name[25] = "/tmp/orbi-install-XXXXXX";
    const fs::path path = mkdtemp(name);
    ~ScratchFolder() { fs::remove_all(path); }
};

// Runs a build tool to its end; true when it succeeded.
bool runs(const std::vector<std::string>& command) {
    ChildProcess tool(command);
    const std::optional<int> status = tool.waitForExit(120000);
    EXPECT_EQ(status, 0) << command[0] << ":\n" << tool.standardOutput() << tool.standardError();
    return status == 0;
}

// "/" holds no data/: the game draws its heads-up display and nucleus only if
// the command started it in its data folder.
void playsFromAnotherFolder(const fs::path& command) {
    XvfbSession server(24);
    ASSERT_TRUE(server.isRunning());
    GameWindow game({command.string(), "--ignored"}, "/");
    ASSERT_TRUE(game.waitForWindow()) << game.process().standardError();
    // The first frames come late on a slow machine.
    EXPECT_TRUE(waitUntil(10000, [&] { return bool(showsHudAndNucleus(game.shoot())); }))
        << showsHudAndNucleus(game.shoot()).message();
    game.pressEscape();
    EXPECT_EQ(game.process().waitForExit(10000), 0);
}

TEST(InstallTest, InstalledCommandPlaysUnderAnyPrefix) {
    ScratchFolder prefix;
    ASSERT_TRUE(runs({ORBI_CMAKE, "--install", ORBI_BUILD_DIR, "--prefix", prefix.path.string()}));
    playsFromAnotherFolder(prefix.path / "games/orbicascade");
}

// Unpacked rather than installed, through a symbolic link such as a player
// might keep in ~/bin.
TEST(InstallTest, PackagedCommandPlaysWhereverUnpacked) {
    ScratchFolder scratch;
    ASSERT_TRUE(runs({ORBI_CPACK, "--config", ORBI_BUILD_DIR "/CPackConfig.cmake", "-B",
                      scratch.path.string()}));
    const std::string folder = scratch.path.string();
    ASSERT_TRUE(runs({"sh", "-c", "dpkg-deb -x " + folder + "/*.deb " + folder + "/root"}));
    fs::create_symlink(scratch.path / "root/usr/games/orbicascade", scratch.path / "link");
    playsFromAnotherFolder(scratch.path / "link");
}

} // namespace
