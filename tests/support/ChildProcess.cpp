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

// A new empty file for one of the child's output streams.
int temporaryFile(std::string& path) {
    char pathTemplate[] = "/tmp/orbi-child-XXXXXX";
    const int fd = mkstemp(pathTemplate);
    path = pathTemplate;
    return fd;
}

std::string contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command,
                           const std::string& workingDirectory,
                           const std::vector<std::string>& environment) {
    const int outputFd = temporaryFile(outputPath);
    const int errorFd = temporaryFile(errorPath);
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
                setenv(change.substr(0, equals).c_str(), change.c_str() + equals + 1, 1);
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
    if (isRunning()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::remove(outputPath.c_str());
    std::remove(errorPath.c_str());
}

bool ChildProcess::isRunning() {
    int status = 0;
    rusage usage{};
    if (pid > 0 && !reaped && wait4(pid, &status, WNOHANG, &usage) == pid) {
        reaped = true;
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        peakKb = usage.ru_maxrss;
    }
    return pid > 0 && !reaped;
}

std::optional<int> ChildProcess::waitForExit(int timeoutMs) {
    waitUntil(timeoutMs, [this] { return !isRunning(); });
    return reaped && exitStatus >= 0 ? std::optional<int>(exitStatus) : std::nullopt;
}

std::string ChildProcess::standardOutput() const {
    return contents(outputPath);
}

std::string ChildProcess::standardError() const {
    return contents(errorPath);
}

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t count = 0;
         pipe != nullptr && (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, count);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return output;
}
