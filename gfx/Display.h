#ifndef ORBICASCADE_GFX_DISPLAY_H
#define ORBICASCADE_GFX_DISPLAY_H

#include <string>

// The game's one window with its OpenGL context, opened through SDL. The window
// lives until SDL shuts down at exit, so the display owns nothing to release.
class Display {
public:
    // What stopped init, for the player to be told.
    enum class Failure {
        NONE,
        NO_X_DISPLAY,      // the X11 driver found no X server to talk to
        NO_VIDEO_DRIVER,   // a video driver named through SDL_VIDEODRIVER could not start
        NO_VIDEO_INFO,     // SDL could not describe the screen
        UNKNOWN_DEPTH,     // SDL described the screen without its depth
        UNSUPPORTED_DEPTH, // the screen's depth, getBitsPerPixel(), is not 16, 24 or 32
        NO_VIDEO_MODE,     // no OpenGL window of the size and depth could be made
    };

    Display() = default;

    // Opens a width by height window at the desktop's colour depth and sets the
    // fixed OpenGL state. Failures are written to standard error, except for a
    // desktop depth unknown or unsupported, which only returns false; either way
    // getFailure() then tells what failed.
    bool init(unsigned width, unsigned height);

    // Switches to a pixel projection: (0, 0) is the top-left corner, y grows
    // downwards; texturing and alpha blending on, depth test and culling off.
    void begin2D();
    // Restores the matrices and enable state that begin2D saved.
    void end2D();
    // Clears colour to black with alpha 0 and depth to 1.
    void clear();

    unsigned getWidth() const { return width; }
    unsigned getHeight() const { return height; }
    unsigned getBitsPerPixel() const { return bitsPerPixel; }
    Failure getFailure() const { return failure; }
    // SDL's own words for the failure; empty for an unknown or unsupported depth.
    const std::string& getVideoError() const { return videoError; }

private:
    bool fail(Failure what, const char* message);

    Failure failure = Failure::NONE;
    std::string videoError;
    unsigned bitsPerPixel = 0;
    unsigned width = 0;
    unsigned height = 0;
};

#endif
