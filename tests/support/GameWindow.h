#ifndef ORBICASCADE_TESTS_GAMEWINDOW_H
#define ORBICASCADE_TESTS_GAMEWINDOW_H

#include "tests/support/ChildProcess.h"
#include "tests/support/Screenshot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The game built with the tests.
std::string gameBinary();

// A game program started by a test on the current DISPLAY (see XvfbSession)
// and driven the way a player would, through xdotool.
class GameWindow {
public:
    explicit GameWindow(const std::vector<std::string>& command = {gameBinary()},
                        const std::string& workingDirectory = ".",
                        const std::vector<std::string>& environment = {});

    // Whether a window captioned "Orbicascade" appeared within the time.
    bool waitForWindow(int timeoutMs = 15000);
    Screenshot shoot() const { return Screenshot::ofWindow("Orbicascade"); }
    // Runs xdotool with the arguments; "WINDOW" in them stands for the game's window.
    void xdotool(const std::string& arguments) const;
    // Gives the window the keyboard (there is no window manager) and presses Escape.
    void pressEscape() const {
        xdotool("mousemove --window WINDOW 320 240 windowfocus WINDOW key Escape");
    }
    ChildProcess& process() { return child; }

private:
    ChildProcess child;
};

// The heads-up display in blue at its places: "Score:", the score digits,
// "Sphere:" and the count digits.
::testing::AssertionResult showsHud(const Screenshot& shot);
// The heads-up display and the nucleus, yellow, at the centre of the window.
::testing::AssertionResult showsHudAndNucleus(const Screenshot& shot);
// Colour 0 of the sphere sheet: the nucleus and every stopper.
bool isYellow(Rgb pixel);

#endif
