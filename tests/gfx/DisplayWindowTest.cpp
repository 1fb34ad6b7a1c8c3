#include "gfx/Display.h"

#include "tests/support/GlRecorder.h"
#include "tests/support/Screenshot.h"
#include "tests/support/XvfbSession.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

namespace {

using Args = std::vector<double>;

// Opens the display on a private X server of the given depth. OpenGL calls go
// to the recorder; SDL still makes a real window and context.
class DisplayWindowTest : public ::testing::Test {
protected:
    explicit DisplayWindowTest(int depth = 24) : server(depth) {}

    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        GlRecorder::reset();
        testing::internal::CaptureStderr();
        opened = display.init(640, 480);
        message = testing::internal::GetCapturedStderr();
    }

    void TearDown() override { SDL_Quit(); }

    static std::string caption() {
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption(&title, &icon);
        return std::string(title ? title : "(none)") + "|" + (icon ? icon : "(none)");
    }

    XvfbSession server;
    Display display;
    bool opened = false;
    std::string message;
};

class OnTrueColourScreen : public DisplayWindowTest {};

class OnHighColourScreen : public DisplayWindowTest {
protected:
    OnHighColourScreen() : DisplayWindowTest(16) {}
};

class OnPaletteScreen : public DisplayWindowTest {
protected:
    OnPaletteScreen() : DisplayWindowTest(8) {}
};

TEST_F(OnTrueColourScreen, OpensACaptionedDoubleBufferedWindow) {
    ASSERT_TRUE(opened) << message;
    EXPECT_EQ(message, "Trying to create visual with width: 640, height: 480, bpp: 32\n");
    EXPECT_EQ(display.getBitsPerPixel(), 32u);
    EXPECT_EQ(caption(), "Orbicascade|Orbicascade");
    EXPECT_FALSE(findWindow("Orbicascade").empty());

    const SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 640);
    EXPECT_EQ(screen->h, 480);
    EXPECT_EQ(screen->flags & (SDL_OPENGL | SDL_FULLSCREEN | SDL_RESIZABLE), Uint32(SDL_OPENGL));

    int doubleBuffered = 0;
    int depthBits = 0;
    int redBits = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffered);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &redBits);
    EXPECT_EQ(doubleBuffered, 1);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(redBits, 8);
}

TEST_F(OnTrueColourScreen, SetsTheFixedStateAndAPerspectiveProjection) {
    ASSERT_TRUE(opened) << message;
    const std::vector<std::string> expectedNames = {
        "glShadeModel", "glCullFace", "glFrontFace",  "glEnable",       "glClearColor",
        "glClearDepth", "glViewport", "glMatrixMode", "glLoadIdentity", "gluPerspective"};
    ASSERT_EQ(GlRecorder::names(), expectedNames);

    const std::vector<GlCall>& calls = GlRecorder::calls();
    EXPECT_EQ(calls[0].args, Args{GL_SMOOTH});
    EXPECT_EQ(calls[1].args, Args{GL_BACK});
    EXPECT_EQ(calls[2].args, Args{GL_CCW});
    EXPECT_EQ(calls[3].args, Args{GL_CULL_FACE});
    EXPECT_EQ(calls[4].args, (Args{0, 0, 0, 0}));
    EXPECT_EQ(calls[5].args, Args{1});
    EXPECT_EQ(calls[6].args, (Args{0, 0, 640, 480}));
    EXPECT_EQ(calls[7].args, Args{GL_PROJECTION});
    ASSERT_EQ(calls[9].args.size(), 4u);
    EXPECT_DOUBLE_EQ(calls[9].args[0], 60.0);
    EXPECT_NEAR(calls[9].args[1], 640.0 / 480.0, 1e-6);
    EXPECT_DOUBLE_EQ(calls[9].args[2], 1.0);
    EXPECT_DOUBLE_EQ(calls[9].args[3], 1024.0);
    EXPECT_FALSE(GlRecorder::isEnabled(GL_DEPTH_TEST));
}

TEST_F(OnHighColourScreen, AsksForFiveBitsAChannel) {
    ASSERT_TRUE(opened) << message;
    EXPECT_EQ(message, "Trying to create visual with width: 640, height: 480, bpp: 16\n");
    EXPECT_EQ(display.getBitsPerPixel(), 16u);
    ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->format->BitsPerPixel, 16);

    int redBits = 0;
    int blueBits = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &redBits);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &blueBits);
    EXPECT_EQ(redBits, 5);
    EXPECT_EQ(blueBits, 5);
}

TEST_F(OnPaletteScreen, RefusesSilentlyAfterSettingTheCaption) {
    EXPECT_FALSE(opened);
    EXPECT_EQ(message, "");
    EXPECT_EQ(display.getBitsPerPixel(), 8u);
    EXPECT_EQ(caption(), "Orbicascade|Orbicascade");
    EXPECT_EQ(SDL_GetVideoSurface(), nullptr);
    EXPECT_TRUE(GlRecorder::calls().empty());
}

} // namespace
