#ifndef ORBICASCADE_TESTS_GLRECORDER_H
#define ORBICASCADE_TESTS_GLRECORDER_H

#include <set>
#include <vector>

// A stand-in for libGL and libGLU that draws nothing but remembers what a
// drawing would have put on screen. Test executables link it in place of the
// real libraries.

struct GlVertex {
    float x = 0.0f, y = 0.0f; // window pixels, after the model-view translations
    double u = 0.0, v = 0.0;  // texture coordinates
};

// What one glBegin/glEnd pair drew.
struct GlStrip {
    unsigned texture = 0; // bound at glBegin
    float red = 1.0f, green = 1.0f, blue = 1.0f;
    bool blended = false; // GL_BLEND enabled at glBegin
    std::vector<GlVertex> vertices;
};

struct GlUpload {
    unsigned texture = 0;
    int width = 0, height = 0;
    std::vector<unsigned char> pixels; // RGBA uploads only, top row first
};

struct GlRecording {
    std::size_t calls = 0; // every OpenGL call
    std::vector<GlStrip> strips;
    std::vector<GlUpload> uploads;
    std::set<unsigned> liveTextures; // made and not yet deleted
    std::vector<unsigned> deletedTextures;
    std::set<unsigned> enabled;
    int maxTextureSize = 8192; // what glGetIntegerv reports
    // The drawing state behind the above.
    unsigned nextTexture = 1, boundTexture = 0;
    bool onModelView = true;
    std::vector<GlVertex> modelView{GlVertex{}}; // translations, pushed and popped
    GlStrip current;                             // also holds the current colour
    GlVertex pending;                            // holds the current texture coordinates
};

// What has been recorded; tests read it directly.
class GlRecorder {
public:
    static GlRecording& state();
    // Forgets everything, as if no OpenGL call had been made.
    static void reset();
};

#endif
