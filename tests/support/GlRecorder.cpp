#include "tests/support/GlRecorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <tuple>

GlRecording& GlRecorder::state() {
    static GlRecording recording;
    return recording;
}

void GlRecorder::reset() {
    state() = GlRecording();
}

namespace {

// Every OpenGL entry point counts itself first.
GlRecording& called() {
    ++GlRecorder::state().calls;
    return GlRecorder::state();
}

} // namespace

// Calls whose effect no test reads are only counted.
#define COUNTED(name, parameters)                                                                  \
    void name parameters {                                                                         \
        called();                                                                                  \
    }

extern "C" {

COUNTED(glBlendFunc, (GLenum, GLenum))
COUNTED(glPushAttrib, (GLbitfield))
COUNTED(glPopAttrib, ())
COUNTED(glShadeModel, (GLenum))
COUNTED(glCullFace, (GLenum))
COUNTED(glFrontFace, (GLenum))
COUNTED(glClearColor, (GLclampf, GLclampf, GLclampf, GLclampf))
COUNTED(glClearDepth, (GLclampd))
COUNTED(glClear, (GLbitfield))
COUNTED(glViewport, (GLint, GLint, GLsizei, GLsizei))
COUNTED(glOrtho, (GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble))
COUNTED(glTexEnvf, (GLenum, GLenum, GLfloat))
COUNTED(glTexParameteri, (GLenum, GLenum, GLint))
COUNTED(gluPerspective, (GLdouble, GLdouble, GLdouble, GLdouble))

void glEnable(GLenum cap) {
    called().enabled.insert(cap);
}
void glDisable(GLenum cap) {
    called().enabled.erase(cap);
}
void glGetIntegerv(GLenum name, GLint* value) {
    *value = name == GL_MAX_TEXTURE_SIZE ? called().maxTextureSize : 0;
}
void glMatrixMode(GLenum mode) {
    called().onModelView = mode == GL_MODELVIEW;
}
void glLoadIdentity() {
    if (called().onModelView)
        GlRecorder::state().modelView.back() = GlVertex{};
}
void glPushMatrix() {
    GlRecording& r = called();
    if (r.onModelView)
        r.modelView.push_back(r.modelView.back());
}
void glPopMatrix() {
    GlRecording& r = called();
    if (r.onModelView && r.modelView.size() > 1)
        r.modelView.pop_back();
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat) {
    GlRecording& r = called();
    if (r.onModelView)
        r.modelView.back() = GlVertex{r.modelView.back().x + x, r.modelView.back().y + y};
}
void glBegin(GLenum) {
    GlRecording& r = called();
    // The colour carries over from the strip before, as OpenGL's current colour does.
    const GlStrip& last = r.current;
    r.current = GlStrip{
        r.boundTexture, last.red, last.green, last.blue, r.enabled.count(GL_BLEND) != 0, {}};
}
void glEnd() {
    called().strips.push_back(GlRecorder::state().current);
}
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    GlStrip& strip = called().current;
    std::tie(strip.red, strip.green, strip.blue) = std::tie(red, green, blue);
}
void glTexCoord2d(GLdouble u, GLdouble v) {
    GlVertex& pending = called().pending;
    std::tie(pending.u, pending.v) = std::tie(u, v);
}
void glVertex2f(GLfloat x, GLfloat y) {
    GlRecording& r = called();
    r.pending.x = x + r.modelView.back().x;
    r.pending.y = y + r.modelView.back().y;
    r.current.vertices.push_back(r.pending);
}
void glBindTexture(GLenum, GLuint texture) {
    called().boundTexture = texture;
}
void glGenTextures(GLsizei n, GLuint* textures) {
    GlRecording& r = called();
    for (GLsizei i = 0; i < n; ++i)
        r.liveTextures.insert(textures[i] = r.nextTexture++);
}
void glDeleteTextures(GLsizei n, const GLuint* textures) {
    GlRecording& r = called();
    for (GLsizei i = 0; i < n; ++i) {
        r.liveTextures.erase(textures[i]);
        r.deletedTextures.push_back(textures[i]);
    }
}
void glTexImage2D(GLenum, GLint, GLint internalFormat, GLsizei width, GLsizei height, GLint,
                  GLenum format, GLenum type, const GLvoid* pixels) {
    GlUpload upload{called().boundTexture, width, height, {}};
    if (pixels != nullptr && internalFormat == GL_RGBA && format == GL_RGBA &&
        type == GL_UNSIGNED_BYTE) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        upload.pixels.assign(bytes, bytes + std::size_t(width) * std::size_t(height) * 4);
    }
    GlRecorder::state().uploads.push_back(upload);
}

} // extern "C"
