#ifndef ORBICASCADE_TESTS_GLRECORDER_H
#define ORBICASCADE_TESTS_GLRECORDER_H

#include <set>
#include <string>
#include <vector>

// A stand-in for libGL and libGLU that draws nothing but remembers what a
// drawing would have put on screen: every triangle strip with its corners in
// window pixels (after the model-view translations), its texture, colour and
// blending, every texture uploaded, and the enable state. Test executables
// link it in place of the real libraries.

struct GlVertex {
    float x = 0.0f; // window pixels
    float y = 0.0f;
    double u = 0.0; // texture coordinates
    double v = 0.0;
};

struct GlStrip {
    unsigned texture = 0;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    bool blended = false;
    std::vector<GlVertex> vertices;
};

struct GlUpload {
    unsigned texture = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // RGBA, top row first
};

// Kept until every test checks effects instead of call lists.
struct GlCall {
    std::string name;
    std::vector<double> args;
};

namespace GlRecorder {

// Forgets everything drawn, uploaded and enabled, and every texture name.
void reset();
// How many OpenGL calls were made since the last reset.
std::size_t callCount();
const std::vector<GlStrip>& strips();
const std::vector<GlUpload>& uploads();
// Texture names made and not yet deleted; every deletion, in order.
const std::set<unsigned>& liveTextures();
const std::vector<unsigned>& deletedTextures();
bool isEnabled(unsigned capability);
// Model-view matrices pushed and not yet popped.
int pushedMatrices();
// What glGetIntegerv reports as the largest texture side.
void setMaxTextureSize(int size);

const std::vector<GlCall>& calls();
std::vector<GlCall> callsNamed(const std::string& name);
std::vector<std::string> names();

} // namespace GlRecorder

#endif
