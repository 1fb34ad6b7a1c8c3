#include "gfx/Display.h"

#include "tests/support/GlRecorder.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Args = std::vector<double>;

// Without a window: SDL is pointed at a video driver that does not exist, so
// init fails at its first step, which still records the size for begin2D.
class DisplayStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* driver = std::getenv("SDL_VIDEODRIVER")) {
            previousDriver = driver;
        }
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        testing::internal::CaptureStderr();
        initialised = display.init(640, 480);
        initMessage = testing::internal::GetCapturedStderr();
        GlRecorder::reset();
    }

    void TearDown() override {
        SDL_Quit();
        if (previousDriver.empty()) {
            unsetenv("SDL_VIDEODRIVER");
        } else {
            setenv("SDL_VIDEODRIVER", previousDriver.c_str(), 1);
        }
    }

    Display display;
    bool initialised = true;
    std::string initMessage;
    std::string previousDriver;
};

std::vector<std::pair<std::string, Args>> recorded() {
    std::vector<std::pair<std::string, Args>> result;
    for (const GlCall& call : GlRecorder::calls()) {
        result.emplace_back(call.name, call.args);
    }
    return result;
}

TEST_F(DisplayStateTest, FailedVideoStartIsReportedAndKeepsTheSize) {
    EXPECT_FALSE(initialised);
    const std::string reason = SDL_GetError();
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(initMessage, "Video initialization failed: " + reason + "\n");
    EXPECT_EQ(display.getWidth(), 640u);
    EXPECT_EQ(display.getHeight(), 480u);
}

TEST_F(DisplayStateTest, Begin2DSetsAPixelProjectionWithTheOriginTopLeft) {
    display.begin2D();
    const std::vector<std::pair<std::string, Args>> expected = {
        {"glPushAttrib", {GL_ENABLE_BIT}},
        {"glDisable", {GL_DEPTH_TEST}},
        {"glDisable", {GL_CULL_FACE}},
        {"glEnable", {GL_TEXTURE_2D}},
        {"glEnable", {GL_BLEND}},
        {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}},
        {"glViewport", {0, 0, 640, 480}},
        {"glMatrixMode", {GL_PROJECTION}},
        {"glPushMatrix", {}},
        {"glLoadIdentity", {}},
        // left, right, bottom, top: y grows downwards.
        {"glOrtho", {0, 640, 480, 0, 0, 1}},
        {"glMatrixMode", {GL_MODELVIEW}},
        {"glPushMatrix", {}},
        {"glLoadIdentity", {}},
        {"glTexEnvf", {GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE}},
    };
    EXPECT_EQ(recorded(), expected);
}

TEST_F(DisplayStateTest, End2DPopsWhatBegin2DPushed) {
    display.begin2D();
    GlRecorder::reset();
    display.end2D();
    const std::vector<std::pair<std::string, Args>> expected = {
        {"glMatrixMode", {GL_MODELVIEW}},
        {"glPopMatrix", {}},
        {"glMatrixMode", {GL_PROJECTION}},
        {"glPopMatrix", {}},
        {"glPopAttrib", {}},
    };
    EXPECT_EQ(recorded(), expected);
}

TEST_F(DisplayStateTest, ClearAlwaysClearsToTransparentBlackAndFarDepth) {
    glClearColor(0.5f, 0.25f, 1.0f, 1.0f);
    glClearDepth(0.0);
    GlRecorder::reset();
    display.clear();
    const std::vector<std::pair<std::string, Args>> expected = {
        {"glClearColor", {0, 0, 0, 0}},
        {"glClearDepth", {1}},
        {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
    };
    EXPECT_EQ(recorded(), expected);
}

} // namespace
