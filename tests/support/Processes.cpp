#include "tests/support/Processes.h"

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

std::string contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command) {
    const int outputFd = mkstemp(outputPath.data());
    const int errorFd = mkstemp(errorPath.data());
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        dup2(outputFd, STDOUT_FILENO);
        dup2(errorFd, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(outputFd);
    close(errorFd);
}

ChildProcess::~ChildProcess() {
    // Asked first, so that an X server removes its lock; killed if that is ignored.
    if (isRunning() && kill(pid, SIGTERM) == 0 &&
        !waitUntil(3000, [this] { return !isRunning(); })) {
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
    ChildProcess shell({"sh", "-c", command});
    shell.waitForExit(120000);
    return shell.standardOutput();
}

XvfbSession::XvfbSession(int depth)
    : previousDisplay(std::getenv("DISPLAY") ? std::optional<std::string>(std::getenv("DISPLAY"))
                                             : std::nullopt),
      server({"Xvfb", "-displayfd", "1", "-screen", "0", "800x600x" + std::to_string(depth),
              "-nolisten", "tcp", "-noreset"}) {
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    waitUntil(20000, [&] {
        number = server.standardOutput();
        return number.find('\n') != std::string::npos || !server.isRunning();
    });
    setenv("DISPLAY", (":" + number.substr(0, number.find('\n'))).c_str(), 1);
}

XvfbSession::~XvfbSession() {
    if (previousDisplay) {
        setenv("DISPLAY", previousDisplay->c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}
