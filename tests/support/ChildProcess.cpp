#include "tests/support/ChildProcess.h"

#include "tests/support/WaitUntil.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::string& workingDirectory) {
    char pathTemplate[] = "/tmp/orbi-child-stderr-XXXXXX";
    const int errorFd = mkstemp(pathTemplate);
    if (errorFd < 0 || arguments.empty()) {
        return;
    }
    errorPath = pathTemplate;

    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(errorFd, STDERR_FILENO);
        const int nullFd = open("/dev/null", O_RDWR);
        dup2(nullFd, STDIN_FILENO);
        dup2(nullFd, STDOUT_FILENO);
        if (chdir(workingDirectory.c_str()) != 0) {
            _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(errorFd);
}

ChildProcess::~ChildProcess() {
    if (pid > 0 && !reaped) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (!errorPath.empty()) {
        std::remove(errorPath.c_str());
    }
}

bool ChildProcess::isRunning() {
    if (pid <= 0 || reaped) {
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
        reaped = true;
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::waitForExit(int timeoutMs) {
    if (pid <= 0) {
        return std::nullopt;
    }
    waitUntil(timeoutMs, [this] { return !isRunning(); });
    if (!reaped || exitStatus < 0) {
        return std::nullopt;
    }
    return exitStatus;
}

std::string ChildProcess::standardError() const {
    std::ifstream in(errorPath);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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
