// Plays a scripted game in the game's own window and saves its last frame as a
// PNG: the picture at the top of the README. Time advances by a fixed step and
// the stoppers drop at chosen frames, so the same build draws the same picture.
//
//   screenshot [output.png]   (default: packaging/screenshot.png)
//
// Run it from the repository root (the game reads data/) on a 640x480 screen
// of 24 bits; tools/make-screenshot.sh does both under xvfb-run.

#include "app/GameAssembly.h"
#include "gfx/Display.h"
#include "tools/png/PngWriter.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const int WIDTH = 640;
const int HEIGHT = 480;
const float FRAME_TIME = 0.02f;
const int FRAMES_PER_LAUNCH = 50; // a sphere is launched every second
const int FRAMES = 90 * FRAMES_PER_LAUNCH;

// Halfway between launches a stopper drops on the launch orbit (radius 200
// around the nucleus, clockwise from the launch point), 131 degrees on from the
// last one within the 300 degrees that keep clear of the launch point, so the
// braked spheres fall in from every side.
void dropStopper(Game& game, int launch) {
    const double degrees = 40.0 + (131 * launch) % 300;
    const double radians = degrees * (std::acos(-1.0) / 180.0);
    game.click(static_cast<int>(320.0 - 200.0 * std::cos(radians)),
               static_cast<int>(240.0 - 200.0 * std::sin(radians)));
}

// OpenGL hands rows over bottom first; the image keeps them top first. Where
// the window has an alpha channel it holds what blending left behind, so the
// picture is read as opaque.
RgbaImage readFrame() {
    RgbaImage image(WIDTH, HEIGHT);
    glPixelTransferf(GL_ALPHA_BIAS, 1.0f);
    for (int y = 0; y < HEIGHT; ++y) {
        glReadPixels(0, HEIGHT - 1 - y, WIDTH, 1, GL_RGBA, GL_UNSIGNED_BYTE, image.at(0, y));
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "packaging/screenshot.png";
    std::atexit(SDL_Quit);

    Display display;
    if (!display.init(WIDTH, HEIGHT)) {
        std::fprintf(stderr, "The game's window could not be opened.\n");
        return 1;
    }
    display.begin2D();
    GameAssembly assembly(display);
    Game& game = assembly.getGame();
    for (int frame = 0; frame < FRAMES; ++frame) {
        display.clear();
        game.update(FRAME_TIME);
        if (frame % FRAMES_PER_LAUNCH == FRAMES_PER_LAUNCH / 2) {
            dropStopper(game, frame / FRAMES_PER_LAUNCH);
        }
    }
    if (!writePng(path, readFrame())) {
        std::fprintf(stderr, "Cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
