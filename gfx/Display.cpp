#include "gfx/Display.h"

#include <SDL.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <strings.h>

namespace {

// The game draws with OpenGL, which SDL 1.2 gives on this platform only through
// its X11 driver. Left to choose, SDL falls back to drivers that cannot, one of
// which takes over the terminal to draw in text; a driver the user names is
// still honoured.
std::string chooseVideoDriver() {
    const char* named = std::getenv("SDL_VIDEODRIVER");
    if (named != nullptr && *named != '\0') {
        return named;
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    return "x11";
}

// Asks for the colour channel sizes that match the desktop depth; false for a
// depth the game does not run at.
bool requestChannelSizes(unsigned bitsPerPixel) {
    int channelBits = 0;
    switch (bitsPerPixel) {
    case 16:
        channelBits = 5;
        break;
    case 24:
    case 32:
        channelBits = 8;
        break;
    default:
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    return true;
}

} // namespace

bool Display::init(unsigned newWidth, unsigned newHeight) {
    width = newWidth;
    height = newHeight;

    const bool onX11 = strcasecmp(chooseVideoDriver().c_str(), "x11") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        return fail(onX11 ? Failure::NO_X_DISPLAY : Failure::NO_VIDEO_DRIVER,
                    "Video initialization failed: ");
    }
    SDL_WM_SetCaption("Orbicascade", "Orbicascade");

    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info == nullptr) {
        return fail(Failure::NO_VIDEO_INFO, "Video query failed: ");
    }
#ifdef __EMSCRIPTEN__
    // The browser's SDL leaves the screen format unset: a canvas is always
    // 8 bits per channel.
    bitsPerPixel = 32;
#else
    // sdl12-compat gives a depth of 0 for a screen format it cannot name, such
    // as an 8-bit palette.
    bitsPerPixel = info->vfmt->BitsPerPixel;
#endif
    if (!requestChannelSizes(bitsPerPixel)) {
        failure = bitsPerPixel == 0 ? Failure::UNKNOWN_DEPTH : Failure::UNSUPPORTED_DEPTH;
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    std::cerr << "Trying to create visual with width: " << width << ", height: " << height
              << ", bpp: " << bitsPerPixel << std::endl;
    if (SDL_SetVideoMode(static_cast<int>(width), static_cast<int>(height),
                         static_cast<int>(bitsPerPixel), SDL_OPENGL) == nullptr) {
        return fail(Failure::NO_VIDEO_MODE, "Video mode set failed: ");
    }

    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    glShadeModel(GL_SMOOTH);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, aspect, 1.0, 1024.0);
    return true;
}

bool Display::fail(Failure what, const char* message) {
    failure = what;
    videoError = SDL_GetError();
    std::cerr << message << videoError << std::endl;
    return false;
}

void Display::begin2D() {
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, static_cast<double>(width), static_cast<double>(height), 0.0, 0.0, 1.0);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void Display::end2D() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void Display::clear() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
