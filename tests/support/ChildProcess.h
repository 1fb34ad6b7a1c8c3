#ifndef ORBICASCADE_TESTS_CHILDPROCESS_H
#define ORBICASCADE_TESTS_CHILDPROCESS_H

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A program started by a test, with its standard output and error kept in
// files for the test to read. The process is killed if it is still running
// when the object goes away.
class ChildProcess {
public:
    // Environment changes for the child: "NAME=value" sets, "NAME" unsets.
    explicit ChildProcess(const std::vector<std::string>& command,
                          const std::string& workingDirectory = ".",
                          const std::vector<std::string>& environment = {});
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
    std::string outputPath;
    std::string errorPath;
};

// Runs a shell command and returns what it wrote to standard output.
std::string runCommand(const std::string& command);

#endif
