#ifndef ORBICASCADE_TESTS_REALWINDOW_H
#define ORBICASCADE_TESTS_REALWINDOW_H

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// What tests of the game in a real window need: programs started and stopped,
// private X servers, screenshots, and the game itself driven like a player would.

// When every wait gives up, for a program with a time limit; never unless set.
inline auto lastMoment = std::chrono::steady_clock::time_point::max();

// Calls the condition every 20 ms until it holds or the time is up; returns whether it held.
template <typename Condition> bool waitUntil(int timeoutMs, Condition condition) {
    const auto deadline = std::min(lastMoment, std::chrono::steady_clock::now() +
                                                   std::chrono::milliseconds(timeoutMs));
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string fileContents(const std::string& path); // "" if unreadable

// A program started by a test, with its standard output and error kept in files for the test to
// read. It is stopped, with all else in its process group (what a shell started), if it still runs
// when the object goes away, or when the test itself dies. (Start it through env(1) to change its
// environment or working directory.)
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& command);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t id() const { return pid; }
    bool isRunning();
    // The exit status once the process has ended within the time given;
    // nothing while it runs on or when a signal ended it.
    std::optional<int> waitForExit(int timeoutMs);
    std::string howItEnded(); // its exit status, or the signal that ended it
    std::string standardOutput() const { return fileContents(outputPath); }
    std::string standardError() const { return fileContents(errorPath); }

private:
    pid_t pid = -1;
    std::optional<int> waitStatus; // once reaped
    std::string outputPath = "/tmp/orbi-child-XXXXXX";
    std::string errorPath = "/tmp/orbi-child-XXXXXX";
};

// Runs a shell command, stopped with all it started if it outlasts the time,
// and returns what it wrote to standard output.
std::string runCommand(const std::string& command, int timeoutMs = 10000);

// A private X server: Xvfb with any further options on a display number it picks itself, stopped
// when the object goes away. DISPLAY names it for this process and its children.
class XvfbSession {
public:
    explicit XvfbSession(int depth = 24, const std::string& options = "");

private:
    ChildProcess server;
};

struct Rgb {
    int red = 0, green = 0, blue = 0;
};
// Colour 0 of the sphere sheet: the nucleus and every stopper.
bool isYellow(Rgb pixel);

// What a window showed, captured with ImageMagick's import on the current DISPLAY.
class Screenshot {
public:
    // The window of that X id; empty when there is none.
    static Screenshot ofWindow(const std::string& id);

    bool isEmpty() const { return pixels.empty(); }
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    // The pixels of [x0, x1) by [y0, y1) that pass the test.
    template <typename Test> int count(int x0, int y0, int x1, int y1, Test test) const {
        int passed = 0;
        for (int y = y0; y < y1 && y < height; ++y)
            for (int x = x0; x < x1 && x < width; ++x)
                passed += test(at(x, y));
        return passed;
    }

private:
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
};

// The game built with the tests (in $ORBI_BINARY_DIR, which CTest sets).
std::string gameBinary();

// Whether a process ran on the SDL stack (see tools/sdl-stack) that the test is
// named for, which CTest gives in ORBI_SDL_STACK; on any stack when that is unset.
::testing::AssertionResult runsOnNamedStack(const std::string& stack);

// A game program started by a test on the current DISPLAY (see XvfbSession) and driven the way a
// player would, through xdotool. Once the game has ended or lost its window, each step throws,
// which ends the test at once and says why: nothing is sent to a game that is gone.
class GameWindow {
public:
    explicit GameWindow(const std::vector<std::string>& command = {gameBinary()})
        : child(command) {}

    // Whether a window captioned "Orbicascade" appeared within the time.
    bool waitForWindow(int timeoutMs = 15000) {
        return waitUntil(timeoutMs, [this] { return !window().empty(); });
    }
    Screenshot shoot() { return Screenshot::ofWindow(window()); } // empty before the window
    // Runs xdotool with the arguments, in which %1 stands for the game's window.
    void xdotool(const std::string& arguments);
    // Gives the window the keyboard (there is no window manager), presses
    // Escape and returns the exit status, if the game ended within a second.
    std::optional<int> quit() {
        xdotool("mousemove --window %1 320 240 windowfocus %1 key Escape");
        return child.waitForExit(1000);
    }
    // The SDL stack the game's process had loaded when its window opened.
    const std::string& stack() const { return loadedStack; }
    ChildProcess& process() { return child; }

private:
    std::string window(); // its X id, "" before it first opens

    ChildProcess child;
    std::string loadedStack; // "" before the window opened
};

// The heads-up display in blue at its places: "Score:", the score digits,
// "Sphere:" and the count digits (never in an empty shot).
bool showsHud(const Screenshot& shot);

// The game started by its command from "/" (data/ found only if the command finds it) on a private
// X server of that depth, and played: its window opens at the screen's depth, shows the heads-up
// display and nucleus, a stopper where a click's button went down, Escape ends it with exit status
// 0, nothing on standard output. Returns the SDL stack it ran on; throws what failed.
std::string playsFromRoot(std::vector<std::string> command, int depth);

#endif
