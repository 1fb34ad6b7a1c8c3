// The display's OpenGL state, read back from a real context on a private X server.
#include "gfx/Display.h"
#include "tests/support/RealWindow.h"
#include "tools/sdl-stack/SdlStack.h"

#include <GL/gl.h>
#include <SDL.h>

#include <array>
#include <cmath>

namespace {

std::array<GLfloat, 16> matrix(GLenum which) {
    std::array<GLfloat, 16> values{};
    glGetFloatv(which, values.data());
    return values;
}

TEST(Display, OpensInPerspectiveAndEnds2DWithWhatItBeganWith) {
    XvfbSession server;
    Display display;
    ASSERT_TRUE(display.init(640, 480) && display.getWidth() == 640 && display.getHeight() == 480);
    EXPECT_TRUE(runsOnNamedStack(sdlStackName(sdlLibrariesOf("self"))));
    const auto perspective = matrix(GL_PROJECTION_MATRIX); // 60 degrees high, width over height
    EXPECT_TRUE(perspective[5] == std::sqrt(3.0f) && perspective[0] == std::sqrt(3.0f) * 0.75f);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5.0f, 6.0f, 0.0f);
    const auto modelView = matrix(GL_MODELVIEW_MATRIX);

    display.begin2D(); // one unit a pixel, down from the top-left corner
    const auto pixels = matrix(GL_PROJECTION_MATRIX);
    EXPECT_TRUE(pixels[0] == 2.0f / 640 && pixels[5] == -2.0f / 480 && pixels[12] == -1 &&
                pixels[13] == 1);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), matrix(GL_TEXTURE_MATRIX)) << "identity";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) && glIsEnabled(GL_BLEND) && !glIsEnabled(GL_CULL_FACE));
    display.end2D();
    EXPECT_TRUE(matrix(GL_PROJECTION_MATRIX) == perspective &&
                matrix(GL_MODELVIEW_MATRIX) == modelView);
    EXPECT_TRUE(!glIsEnabled(GL_TEXTURE_2D) && !glIsEnabled(GL_BLEND) && glIsEnabled(GL_CULL_FACE));

    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClearDepth(0.5);
    glClear(GL_DEPTH_BUFFER_BIT);
    display.clear(); // to black and the farthest depth, whatever was set
    GLfloat depth = 0.0f;
    glReadPixels(0, 0, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    std::array<GLubyte, 3> pixel{1, 1, 1};
    glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel, (std::array<GLubyte, 3>{0, 0, 0}));
    SDL_Quit();
}

} // namespace
