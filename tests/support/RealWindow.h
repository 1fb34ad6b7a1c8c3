#ifndef ORBICASCADE_TESTS_REALWINDOW_H
#define ORBICASCADE_TESTS_REALWINDOW_H

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// What tests of the game in a real window need: programs started and stopped,
// private X servers, screenshots, and the game itself driven like a player would.

// Calls the condition every 20 ms until it holds or the time is up; returns whether it held.
template <typename Condition> bool waitUntil(int timeoutMs, Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A program started by a test, with its standard output and error kept in
// files for the test to read. It is stopped if it still runs when the object
// goes away, or when the test itself dies. (Start it through env(1) to change
// its environment or working directory.)
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& command);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool isRunning();
    // The exit status once the process has ended within the time given;
    // nothing while it runs on or when a signal ended it.
    std::optional<int> waitForExit(int timeoutMs);
    std::string standardOutput() const;
    std::string standardError() const;

private:
    pid_t pid = -1;
    bool reaped = false;
    int exitStatus = -1;
    std::string outputPath = "/tmp/orbi-child-XXXXXX";
    std::string errorPath = "/tmp/orbi-child-XXXXXX";
};

// Runs a shell command to its end and returns what it wrote to standard output.
std::string runCommand(const std::string& command);

// A private X server: Xvfb with any further options on a display number it picks itself, stopped
// when the object goes away. DISPLAY names it for this process and its children.
class XvfbSession {
public:
    explicit XvfbSession(int depth = 24, const std::string& options = "");

private:
    ChildProcess server;
};

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

private:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The game built with the tests (in $ORBI_BINARY_DIR, which CTest sets).
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
    // Runs xdotool with the arguments, in which %1 stands for the game's window.
    void xdotool(const std::string& arguments) const;
    // Gives the window the keyboard (there is no window manager), presses
    // Escape and returns the exit status, if the game ended within a second.
    std::optional<int> quit() {
        xdotool("mousemove --window %1 320 240 windowfocus %1 key Escape");
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
