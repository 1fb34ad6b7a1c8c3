#ifndef ORBICASCADE_GFX_DISPLAY_H
#define ORBICASCADE_GFX_DISPLAY_H

// The game's one window with its OpenGL context, opened through SDL. The window
// lives until SDL shuts down at exit, so the display owns nothing to release.
class Display {
public:
    Display() = default;

    // Opens a width by height window at the desktop's colour depth and sets the
    // fixed OpenGL state. Failures are written to standard error, except for an
    // unsupported desktop depth, which only returns false.
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

private:
    unsigned bitsPerPixel = 0;
    unsigned width = 0;
    unsigned height = 0;
};

#endif
