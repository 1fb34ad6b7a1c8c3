#ifndef ORBICASCADE_TESTS_CHILDPROCESS_H
#define ORBICASCADE_TESTS_CHILDPROCESS_H

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A program started by a test, with its standard error kept in a file so the
// test can read what it wrote. The process is killed if it is still running
// when the object goes away.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& arguments, const std::string& workingDirectory);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool isStarted() const { return pid > 0; }
    // The exit status once the process has ended within the time given, or
    // nothing if it is still running (or was ended by a signal).
    std::optional<int> waitForExit(int timeoutMs);
    bool isRunning();
    std::string standardError() const;

private:
    pid_t pid = -1;
    bool reaped = false;
    int exitStatus = -1;
    std::string errorPath;
};

// Runs a shell command and returns what it wrote to standard output.
std::string runCommand(const std::string& command);

#endif
