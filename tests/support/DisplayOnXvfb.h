#ifndef ORBICASCADE_TESTS_DISPLAYONXVFB_H
#define ORBICASCADE_TESTS_DISPLAYONXVFB_H

#include "gfx/Display.h"
#include "tests/support/XvfbSession.h"

#include <SDL.h>
#include <gtest/gtest.h>

// A test with the game's 640 by 480 window open on its own X server, in the
// display's 2-D pixel projection.
class DisplayOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        ASSERT_TRUE(display.init(640, 480));
        display.begin2D();
    }

    void TearDown() override { SDL_Quit(); }

    XvfbSession server;
    Display display;
};

#endif
