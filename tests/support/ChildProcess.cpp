#include "tests/support/ChildProcess.h"

#include "tests/support/WaitUntil.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string makeTemporaryFile(int& fd) {
    char pathTemplate[] = "/tmp/orbi-child-XXXXXX";
    fd = mkstemp(pathTemplate);
    return fd < 0 ? std::string() : std::string(pathTemplate);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command,
                           const std::string& workingDirectory,
                           const std::vector<std::string>& environment) {
    int outputFd = -1;
    int errorFd = -1;
    outputPath = makeTemporaryFile(outputFd);
    errorPath = makeTemporaryFile(errorFd);
    if (outputFd < 0 || errorFd < 0 || command.empty()) {
        return;
    }
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    pid = fork();
    if (pid == 0) {
        // A test killed by a timeout must not leave its programs behind.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (const std::string& change : environment) {
            const std::size_t equals = change.find('=');
            if (equals == std::string::npos) {
                unsetenv(change.c_str());
            } else {
                setenv(change.substr(0, equals).c_str(), change.substr(equals + 1).c_str(), 1);
            }
        }
        dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        dup2(outputFd, STDOUT_FILENO);
        dup2(errorFd, STDERR_FILENO);
        if (chdir(workingDirectory.c_str()) == 0) {
            execvp(argv[0], argv.data());
        }
        _exit(127);
    }
    close(outputFd);
    close(errorFd);
}

ChildProcess::~ChildProcess() {
    if (pid > 0 && !reaped) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::remove(outputPath.c_str());
    std::remove(errorPath.c_str());
}

bool ChildProcess::isRunning() {
    if (pid <= 0 || reaped) {
        return false;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, WNOHANG, &usage) == pid) {
        reaped = true;
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        peakKb = usage.ru_maxrss;
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::waitForExit(int timeoutMs) {
    waitUntil(timeoutMs, [this] { return !isRunning(); });
    if (!reaped || exitStatus < 0) {
        return std::nullopt;
    }
    return exitStatus;
}

std::string ChildProcess::standardOutput() const {
    return readFile(outputPath);
}

std::string ChildProcess::standardError() const {
    return readFile(errorPath);
}

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    std::size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, count);
    }
    pclose(pipe);
    return output;
}
