#include "tests/support/GlRecorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>

namespace {

struct Recording {
    std::vector<GlCall> calls;
    std::vector<GlUpload> uploads;
    std::set<unsigned> liveTextures;
    std::vector<unsigned> deletedTextures;
    std::set<unsigned> enabled;
    unsigned nextTexture = 1;
};

Recording& recording() {
    static Recording instance;
    return instance;
}

void record(const char* name, std::initializer_list<double> args) {
    recording().calls.push_back(GlCall{name, std::vector<double>(args)});
}

} // namespace

void GlRecorder::reset() {
    recording() = Recording();
}
const std::vector<GlCall>& GlRecorder::calls() {
    return recording().calls;
}
const std::vector<GlUpload>& GlRecorder::uploads() {
    return recording().uploads;
}
const std::set<unsigned>& GlRecorder::liveTextures() {
    return recording().liveTextures;
}
std::vector<unsigned> GlRecorder::deletedTextures() {
    return recording().deletedTextures;
}
bool GlRecorder::isEnabled(unsigned capability) {
    return recording().enabled.count(capability) != 0;
}

std::vector<GlCall> GlRecorder::callsNamed(const std::string& name) {
    std::vector<GlCall> matching;
    for (const GlCall& call : recording().calls) {
        if (call.name == name) {
            matching.push_back(call);
        }
    }
    return matching;
}

std::vector<std::string> GlRecorder::names() {
    std::vector<std::string> result;
    for (const GlCall& call : recording().calls) {
        result.push_back(call.name);
    }
    return result;
}

extern "C" {

void glEnable(GLenum cap) {
    record("glEnable", {double(cap)});
    recording().enabled.insert(cap);
}
void glDisable(GLenum cap) {
    record("glDisable", {double(cap)});
    recording().enabled.erase(cap);
}
GLboolean glIsEnabled(GLenum cap) {
    record("glIsEnabled", {double(cap)});
    return recording().enabled.count(cap) ? GL_TRUE : GL_FALSE;
}
void glBlendFunc(GLenum s, GLenum d) {
    record("glBlendFunc", {double(s), double(d)});
}
void glMatrixMode(GLenum mode) {
    record("glMatrixMode", {double(mode)});
}
void glLoadIdentity() {
    record("glLoadIdentity", {});
}
void glPushMatrix() {
    record("glPushMatrix", {});
}
void glPopMatrix() {
    record("glPopMatrix", {});
}
void glPushAttrib(GLbitfield mask) {
    record("glPushAttrib", {double(mask)});
}
void glPopAttrib() {
    record("glPopAttrib", {});
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", {x, y, z});
}
void glBegin(GLenum mode) {
    record("glBegin", {double(mode)});
}
void glEnd() {
    record("glEnd", {});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b});
}
void glTexCoord2d(GLdouble s, GLdouble t) {
    record("glTexCoord2d", {s, t});
}
void glVertex2f(GLfloat x, GLfloat y) {
    record("glVertex2f", {x, y});
}
void glShadeModel(GLenum mode) {
    record("glShadeModel", {double(mode)});
}
void glCullFace(GLenum mode) {
    record("glCullFace", {double(mode)});
}
void glFrontFace(GLenum mode) {
    record("glFrontFace", {double(mode)});
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", {r, g, b, a});
}
void glClearDepth(GLclampd depth) {
    record("glClearDepth", {depth});
}
void glClear(GLbitfield mask) {
    record("glClear", {double(mask)});
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    record("glOrtho", {l, r, b, t, n, f});
}
void glTexEnvf(GLenum target, GLenum name, GLfloat value) {
    record("glTexEnvf", {double(target), double(name), value});
}
void glBindTexture(GLenum target, GLuint texture) {
    record("glBindTexture", {double(target), double(texture)});
}
void glTexParameteri(GLenum target, GLenum name, GLint value) {
    record("glTexParameteri", {double(target), double(name), double(value)});
}
void glGenTextures(GLsizei n, GLuint* textures) {
    record("glGenTextures", {double(n)});
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = recording().nextTexture++;
        recording().liveTextures.insert(textures[i]);
    }
}
void glDeleteTextures(GLsizei n, const GLuint* textures) {
    record("glDeleteTextures", {double(n)});
    for (GLsizei i = 0; i < n; ++i) {
        recording().liveTextures.erase(textures[i]);
        recording().deletedTextures.push_back(textures[i]);
    }
}
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    record("glTexImage2D", {double(target), double(level), double(internalFormat), double(width),
                            double(height), double(border), double(format), double(type)});
    GlUpload upload;
    upload.width = width;
    upload.height = height;
    upload.internalFormat = unsigned(internalFormat);
    upload.format = format;
    upload.type = type;
    if (pixels != nullptr && format == GL_RGBA && type == GL_UNSIGNED_BYTE) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        upload.pixels.assign(bytes, bytes + std::size_t(width) * std::size_t(height) * 4);
    }
    recording().uploads.push_back(upload);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}

} // extern "C"
