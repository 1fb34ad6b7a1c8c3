#ifndef ORBICASCADE_TESTS_XVFBSESSION_H
#define ORBICASCADE_TESTS_XVFBSESSION_H

#include <string>
#include <sys/types.h>

// A private X server for one test: starts Xvfb on a display number it picks
// itself, points DISPLAY at it for this process and its children, and stops it
// (restoring DISPLAY) when destroyed.
class XvfbSession {
public:
    explicit XvfbSession(int depth = 24);
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool isRunning() const { return pid > 0; }

private:
    void stop();

    pid_t pid = -1;
    bool hadDisplay = false;
    std::string previousDisplay;
};

#endif
