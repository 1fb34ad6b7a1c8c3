#include "tests/support/XvfbSession.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

XvfbSession::XvfbSession(int depth) {
    if (const char* display = std::getenv("DISPLAY")) {
        hadDisplay = true;
        previousDisplay = display;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    const std::string screen = "800x600x" + std::to_string(depth);
    pid = fork();
    if (pid == 0) {
        // A test killed by a timeout must not leave its X server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // Xvfb's chatter about fonts and keymaps is not the test's business.
        if (freopen("/dev/null", "w", stderr) != nullptr) {
            execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0",
                   screen.c_str(), "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number to the pipe once it accepts clients.
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    char c = 0;
    while (pid > 0 && poll(&ready, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        stop();
    } else {
        setenv("DISPLAY", (":" + number).c_str(), 1);
    }
}

XvfbSession::~XvfbSession() {
    stop();
    if (hadDisplay) {
        setenv("DISPLAY", previousDisplay.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

void XvfbSession::stop() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    pid = -1;
}
