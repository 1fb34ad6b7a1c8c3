#ifndef ORBICASCADE_TESTS_PROCESSES_H
#define ORBICASCADE_TESTS_PROCESSES_H

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

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
    // The largest resident set the process had, once it has ended.
    long peakMemoryKb() const { return peakKb; }

private:
    pid_t pid = -1;
    bool reaped = false;
    int exitStatus = -1;
    long peakKb = 0;
    std::string outputPath = "/tmp/orbi-child-XXXXXX";
    std::string errorPath = "/tmp/orbi-child-XXXXXX";
};

// Runs a shell command to its end and returns what it wrote to standard output.
std::string runCommand(const std::string& command);

// A private X server: Xvfb on a display number it picks itself, with DISPLAY
// pointing at it for this process and its children until the object goes away.
class XvfbSession {
public:
    explicit XvfbSession(int depth = 24);
    ~XvfbSession();

    bool isRunning() { return server.isRunning(); }

private:
    std::optional<std::string> previousDisplay;
    ChildProcess server;
};

#endif
