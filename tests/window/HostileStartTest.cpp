#include "tests/support/RealWindow.h"
#include "tests/support/ScratchFolder.h"
#include "tools/sdl-stack/SdlStack.h"

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
        EXPECT_TRUE(runsOnNamedStack(game.stack()));
        EXPECT_EQ(game.quit(), 0);
        EXPECT_EQ(game.process().standardOutput(), "");
    }
}

// Each reason ends the game's own line, SDL's words after a colon left open (".+"). sdl12-compat
// has a 32-bit dummy screen without OpenGL and no depth for an 8-bit X screen, where SDL 3 crashes.
// The game ends too soon to be looked at: the dynamic loader's record tells which stack ran.
TEST(FailedStart, SaysWhyAndWritesNothingOnStandardOutput) {
    const std::string noOpenGl = "No OpenGL window could be made: .+", not8 = "pixel, not 8.";
    for (auto [depth, options, environment, reason, onCompat] :
         std::vector<std::tuple<int, std::string, std::string, std::string, std::string>>{
             {0, "", "-u DISPLAY", "DISPLAY is not set.", ""}, // "": the same on sdl12-compat
             {0, "", "DISPLAY=", "DISPLAY is not set.", ""},
             {0, "", "DISPLAY=:65000", "\":65000\" named by DISPLAY.", ""},
             {8, "", "", not8, "pixel; SDL cannot tell this screen's depth."},
             {24, "-extension GLX", "", noOpenGl, ""},
             {0, "", "-u DISPLAY SDL_VIDEODRIVER=dummy", not8, noOpenGl}}) {
        SCOPED_TRACE(environment + " " + reason);
        const auto screen = depth > 0 ? std::make_unique<XvfbSession>(depth, options) : nullptr;
        const ScratchFolder record;
        ChildProcess game({"sh", "-c",
                           "exec env -u SDL_VIDEODRIVER " + environment +
                               " LD_DEBUG=files LD_DEBUG_OUTPUT=\"$1/ld\" \"$0\"",
                           gameBinary(), record.path});
        game.waitForExit(10000);
        const std::string stack = sdlStackName(
            sdlLibraries(fileContents(record.path / ("ld." + std::to_string(game.id())))));
        EXPECT_TRUE(runsOnNamedStack(stack));
        const bool crashes = stack == "sdl1.2-on-sdl3" && depth == 8;
        const std::string why = stack == "sdl1.2-classic" || onCompat.empty() ? reason : onCompat;
        EXPECT_EQ(game.howItEnded(), crashes ? "killed by signal 11" : "exit status 1");
        EXPECT_THAT(game.standardError(),
                    testing::ContainsRegex(
                        crashes ? "^$" : why + "\nOrbicascade cannot run without its window.\n$"));
        EXPECT_EQ(game.standardOutput(), "");
    }
}

} // namespace
