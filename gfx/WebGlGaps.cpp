// OpenGL 1.1 calls the game makes that Emscripten's emulation of it over WebGL
// lacks; built for the browser only (app/web/Web.cmake).
#include <GL/gl.h>

#include <array>
#include <vector>

namespace {

// The enable bits WebGL keeps (the emulation leaves texturing always on), saved
// by glPushAttrib for glPopAttrib.
const std::array<GLenum, 3> CAPABILITIES = {GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST};
std::vector<std::array<bool, 3>> savedEnables;

} // namespace

void glPushAttrib(GLbitfield) {
    std::array<bool, 3> enabled{};
    for (std::size_t i = 0; i < CAPABILITIES.size(); ++i) {
        enabled[i] = glIsEnabled(CAPABILITIES[i]) == GL_TRUE;
    }
    savedEnables.push_back(enabled);
}

void glPopAttrib() {
    if (savedEnables.empty()) {
        return;
    }
    for (std::size_t i = 0; i < CAPABILITIES.size(); ++i) {
        savedEnables.back()[i] ? glEnable(CAPABILITIES[i]) : glDisable(CAPABILITIES[i]);
    }
    savedEnables.pop_back();
}

// WebGL takes texture coordinates as floats anyway.
void glTexCoord2d(GLdouble u, GLdouble v) {
    glTexCoord2f(static_cast<GLfloat>(u), static_cast<GLfloat>(v));
}
