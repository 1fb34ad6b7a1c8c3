#include "tests/support/RealWindow.h"
#include "tests/support/ScratchFolder.h"

#include <gmock/gmock.h>

// What a player sees when data files are hostile or the window cannot be opened.
namespace {

TEST(HostileStart, GameStartsPromptlyAndQuitsOnEscape) {
    XvfbSession xvfb;
    const ScratchFolder scratch;
    const std::string root = scratch.path.string();
    const std::string hugeHeader = "cp " + std::filesystem::current_path().string() +
                                   "/tests/gfx/image-corpus/refused-header-alone-claims-huge.tga";
    for (const auto& [file, make, hud, nucleus] :
         std::vector<std::tuple<std::string, std::string, bool, bool>>{
             {"unused", "touch", true, true},                      // intact data
             {"color-sphere-sprite.tga", hugeHeader, true, false}, // 65535 by 65535, no pixels
             {"color-sphere-sprite.tga", "mkfifo", true, false},
             {"hockey_00.tga", "mkfifo", false, true},
             {"hockey.fnt", "mkfifo", false, true},
             {"hockey.fnt", "ln -s /dev/zero", false, true},
             {"*", "rm -f", false, false}}) { // no data at all
        const std::string replaced = " data/" + file;
        SCOPED_TRACE(make + replaced);
        ASSERT_EQ(runCommand("rm -rf " + root + "/data && cp -r data " + root + " && cd " + root +
                             " && rm -f" + replaced + " && " + make + replaced + " && echo ok"),
                  "ok\n");
        GameWindow game({"env", "-C", root, gameBinary()});
        // Playing within seconds: the font, and the sheet where intact, drawn.
        EXPECT_TRUE(waitUntil(10000, [&, hud = hud, nucleus = nucleus] {
            const Screenshot shot = game.shoot();
            return !shot.isEmpty() && (!hud || showsHud(shot)) &&
                   (!nucleus || isYellow(shot.at(320, 240)));
        }));
        EXPECT_EQ(game.quit(), 0);
        EXPECT_EQ(game.process().standardOutput(), "");
    }
}

// Each reason ends the game's own line, SDL's words after a colon left open (".+"). sdl12-compat,
// named by CTest, has a 32-bit dummy screen without OpenGL and no depth for an 8-bit X screen.
TEST(FailedStart, SaysWhyAndWritesNothingOnStandardOutput) {
    const char* runtime = std::getenv("ORBI_SDL_RUNTIME");
    const bool compat = runtime != nullptr && std::string(runtime) == "sdl12-compat";
    const std::string noOpenGl = "No OpenGL window could be made: .+", not8 = "pixel, not 8.";
    for (auto [depth, options, environment, reason] :
         std::vector<std::tuple<int, std::string, std::string, std::string>>{
             {0, "", "-u DISPLAY", "DISPLAY is not set."},
             {0, "", "DISPLAY=", "DISPLAY is not set."},
             {0, "", "DISPLAY=:65000", "\":65000\" named by DISPLAY."},
             {8, "", "", compat ? "pixel; SDL cannot tell this screen's depth." : not8},
             {24, "-extension GLX", "", noOpenGl},
             {0, "", "-u DISPLAY SDL_VIDEODRIVER=dummy", compat ? noOpenGl : not8}}) {
        SCOPED_TRACE(environment + " " + reason);
        const auto screen = depth > 0 ? std::make_unique<XvfbSession>(depth, options) : nullptr;
        ChildProcess game(
            {"sh", "-c", "exec env -u SDL_VIDEODRIVER " + environment + " \"$0\"", gameBinary()});
        EXPECT_EQ(game.waitForExit(10000), std::optional<int>(1));
        EXPECT_THAT(
            game.standardError(),
            testing::ContainsRegex(reason + "\nOrbicascade cannot run without its window.\n$"));
        EXPECT_EQ(game.standardOutput(), "");
    }
}

} // namespace
