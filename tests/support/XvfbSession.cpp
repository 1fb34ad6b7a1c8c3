#include "tests/support/XvfbSession.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

const int STARTUP_TIMEOUT_MS = 20000;

// Reads the display number Xvfb writes to the -displayfd pipe once it accepts clients.
std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd watch{fd, POLLIN, 0};
    while (poll(&watch, 1, STARTUP_TIMEOUT_MS) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    return number;
}

} // namespace

XvfbSession::XvfbSession(int depth, int width, int height) {
    if (const char* current = std::getenv("DISPLAY")) {
        previousDisplay = current;
        hadPreviousDisplay = true;
    }

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return;
    }
    const std::string screen =
        std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    const std::string writeFd = std::to_string(pipeFds[1]);

    pid = fork();
    if (pid == 0) {
        // A test killed by a timeout must not leave its X server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(pipeFds[0]);
        // Xvfb's chatter about missing fonts and keymaps is not the test's business.
        if (freopen("/dev/null", "w", stderr) == nullptr) {
            _exit(127);
        }
        execlp("Xvfb", "Xvfb", "-displayfd", writeFd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    const std::string number = pid > 0 ? readDisplayNumber(pipeFds[0]) : std::string();
    close(pipeFds[0]);

    if (number.empty()) {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
        return;
    }
    displayName = ":" + number;
    setenv("DISPLAY", displayName.c_str(), 1);
}

XvfbSession::~XvfbSession() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (hadPreviousDisplay) {
        setenv("DISPLAY", previousDisplay.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}
