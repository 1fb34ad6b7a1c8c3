#include "tests/support/GlRecorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>

namespace {

struct Translation {
    float x = 0.0f;
    float y = 0.0f;
};

struct Recording {
    std::vector<GlCall> calls;
    std::vector<GlStrip> strips;
    std::vector<GlUpload> uploads;
    std::set<unsigned> liveTextures;
    std::vector<unsigned> deletedTextures;
    std::set<unsigned> enabled;
    unsigned nextTexture = 1;
    unsigned boundTexture = 0;
    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Translation> modelView{Translation{}};
    GlStrip current;
    bool inStrip = false;
    float red = 1.0f, green = 1.0f, blue = 1.0f;
    double u = 0.0, v = 0.0;
    int maxTextureSize = 8192;
};

Recording& recording() {
    static Recording instance;
    return instance;
}

void record(const char* name, std::initializer_list<double> args) {
    recording().calls.push_back(GlCall{name, std::vector<double>(args)});
}

bool onModelView() {
    return recording().matrixMode == GL_MODELVIEW;
}

} // namespace

namespace GlRecorder {

void reset() {
    const int maxTextureSize = recording().maxTextureSize;
    recording() = Recording();
    recording().maxTextureSize = maxTextureSize;
}
std::size_t callCount() {
    return recording().calls.size();
}
const std::vector<GlStrip>& strips() {
    return recording().strips;
}
const std::vector<GlUpload>& uploads() {
    return recording().uploads;
}
const std::set<unsigned>& liveTextures() {
    return recording().liveTextures;
}
const std::vector<unsigned>& deletedTextures() {
    return recording().deletedTextures;
}
bool isEnabled(unsigned capability) {
    return recording().enabled.count(capability) != 0;
}
int pushedMatrices() {
    return static_cast<int>(recording().modelView.size()) - 1;
}
void setMaxTextureSize(int size) {
    recording().maxTextureSize = size;
}

const std::vector<GlCall>& calls() {
    return recording().calls;
}
std::vector<GlCall> callsNamed(const std::string& name) {
    std::vector<GlCall> matching;
    for (const GlCall& call : recording().calls) {
        if (call.name == name) {
            matching.push_back(call);
        }
    }
    return matching;
}
std::vector<std::string> names() {
    std::vector<std::string> result;
    for (const GlCall& call : recording().calls) {
        result.push_back(call.name);
    }
    return result;
}

} // namespace GlRecorder

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
void glGetIntegerv(GLenum name, GLint* value) {
    record("glGetIntegerv", {double(name)});
    *value = name == GL_MAX_TEXTURE_SIZE ? recording().maxTextureSize : 0;
}
void glMatrixMode(GLenum mode) {
    record("glMatrixMode", {double(mode)});
    recording().matrixMode = mode;
}
void glLoadIdentity() {
    record("glLoadIdentity", {});
    if (onModelView()) {
        recording().modelView.back() = Translation{};
    }
}
void glPushMatrix() {
    record("glPushMatrix", {});
    if (onModelView()) {
        recording().modelView.push_back(recording().modelView.back());
    }
}
void glPopMatrix() {
    record("glPopMatrix", {});
    if (onModelView() && recording().modelView.size() > 1) {
        recording().modelView.pop_back();
    }
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", {x, y, z});
    if (onModelView()) {
        recording().modelView.back().x += x;
        recording().modelView.back().y += y;
    }
}
void glBegin(GLenum mode) {
    record("glBegin", {double(mode)});
    Recording& r = recording();
    r.current = GlStrip{};
    r.current.texture = r.boundTexture;
    r.current.blended = r.enabled.count(GL_BLEND) != 0;
    r.inStrip = true;
}
void glEnd() {
    record("glEnd", {});
    recording().strips.push_back(recording().current);
    recording().inStrip = false;
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b});
    recording().red = r;
    recording().green = g;
    recording().blue = b;
}
void glTexCoord2d(GLdouble s, GLdouble t) {
    record("glTexCoord2d", {s, t});
    recording().u = s;
    recording().v = t;
}
void glVertex2f(GLfloat x, GLfloat y) {
    record("glVertex2f", {x, y});
    Recording& r = recording();
    const Translation& at = r.modelView.back();
    r.current.red = r.red;
    r.current.green = r.green;
    r.current.blue = r.blue;
    r.current.vertices.push_back(GlVertex{x + at.x, y + at.y, r.u, r.v});
}
void glBindTexture(GLenum target, GLuint texture) {
    record("glBindTexture", {double(target), double(texture)});
    recording().boundTexture = texture;
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
    GlUpload upload{recording().boundTexture, width, height, {}};
    if (pixels != nullptr && internalFormat == GL_RGBA && format == GL_RGBA &&
        type == GL_UNSIGNED_BYTE) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        upload.pixels.assign(bytes, bytes + std::size_t(width) * std::size_t(height) * 4);
    }
    recording().uploads.push_back(upload);
}

// Calls whose effect no test reads: only counted.
void glBlendFunc(GLenum s, GLenum d) {
    record("glBlendFunc", {double(s), double(d)});
}
void glPushAttrib(GLbitfield mask) {
    record("glPushAttrib", {double(mask)});
}
void glPopAttrib() {
    record("glPopAttrib", {});
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
void glTexParameteri(GLenum target, GLenum name, GLint value) {
    record("glTexParameteri", {double(target), double(name), double(value)});
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}

} // extern "C"
