#ifndef ORBICASCADE_TESTS_XVFBSESSION_H
#define ORBICASCADE_TESTS_XVFBSESSION_H

#include <string>
#include <sys/types.h>

// A private X server for one test: starts Xvfb on a display number it picks
// itself, points DISPLAY at it for this process and its children, and stops it
// (restoring DISPLAY) when destroyed.
class XvfbSession {
public:
    explicit XvfbSession(int depth = 24, int width = 800, int height = 600);
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool isRunning() const { return pid > 0; }
    // The DISPLAY value of the server, such as ":3"; empty when it did not start.
    const std::string& display() const { return displayName; }

private:
    pid_t pid = -1;
    std::string displayName;
    std::string previousDisplay;
    bool hadPreviousDisplay = false;
};

#endif
