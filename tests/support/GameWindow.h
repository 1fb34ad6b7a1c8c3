#ifndef ORBICASCADE_TESTS_GAMEWINDOW_H
#define ORBICASCADE_TESTS_GAMEWINDOW_H

#include "tests/support/Processes.h"

#include <gtest/gtest.h>

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// Whether a pixel is within tolerance of the colour on every channel.
inline auto near(Rgb colour, int tolerance) {
    return [=](Rgb pixel) {
        return std::abs(pixel.red - colour.red) <= tolerance &&
               std::abs(pixel.green - colour.green) <= tolerance &&
               std::abs(pixel.blue - colour.blue) <= tolerance;
    };
}
// Colour 0 of the sphere sheet: the nucleus and every stopper.
bool isYellow(Rgb pixel);

// What a window showed, captured with ImageMagick's import on the current DISPLAY.
class Screenshot {
public:
    // The first mapped window titled exactly caption; empty when there is none.
    static Screenshot ofWindow(const std::string& caption);

    bool isEmpty() const { return width == 0; }
    Rgb at(int x, int y) const;
    // The pixels of [x0, x1) by [y0, y1) that pass the test.
    template <typename Test> int count(int x0, int y0, int x1, int y1, Test test) const {
        int passed = 0;
        for (int y = y0; y < y1 && y < height; ++y) {
            for (int x = x0; x < x1 && x < width; ++x) {
                passed += test(at(x, y));
            }
        }
        return passed;
    }
    bool operator==(const Screenshot& other) const {
        return width == other.width && rgb == other.rgb;
    }

private:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Where the tests and the game were built, and the game.
std::string buildDirectory();
std::string gameBinary();

// A game program started by a test on the current DISPLAY (see XvfbSession)
// and driven the way a player would, through xdotool.
class GameWindow {
public:
    explicit GameWindow(const std::vector<std::string>& command = {gameBinary()})
        : child(command) {}

    // Whether a window captioned "Orbicascade" appeared within the time.
    bool waitForWindow(int timeoutMs = 15000);
    Screenshot shoot() const { return Screenshot::ofWindow("Orbicascade"); }
    // Runs xdotool with the arguments; "WINDOW" in them stands for the game's window.
    void xdotool(const std::string& arguments) const;
    // Gives the window the keyboard (there is no window manager), presses
    // Escape and returns the exit status, if the game ended within a second.
    std::optional<int> quit() {
        xdotool("mousemove --window WINDOW 320 240 windowfocus WINDOW key Escape");
        return child.waitForExit(1000);
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

#endif
