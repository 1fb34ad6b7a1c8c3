#ifndef ORBICASCADE_TESTS_GLRECORDER_H
#define ORBICASCADE_TESTS_GLRECORDER_H

#include <set>
#include <string>
#include <vector>

// A stand-in for libGL and libGLU that records every call instead of drawing.
// Test executables link it in place of the real libraries (the code under test
// calls OpenGL directly), then read back what was called, in order.
struct GlCall {
    std::string name;
    std::vector<double> args;
};

struct GlUpload {
    int width = 0;
    int height = 0;
    unsigned internalFormat = 0;
    unsigned format = 0;
    unsigned type = 0;
    std::vector<unsigned char> pixels; // width * height * 4 bytes for RGBA uploads
};

class GlRecorder {
public:
    // Forgets every call, upload and texture name, and the enable state.
    static void reset();

    static const std::vector<GlCall>& calls();
    static std::vector<GlCall> callsNamed(const std::string& name);
    static std::vector<std::string> names();
    static const std::vector<GlUpload>& uploads();

    // Texture names handed out by glGenTextures and not yet deleted.
    static const std::set<unsigned>& liveTextures();
    static std::vector<unsigned> deletedTextures();

    // What glIsEnabled would answer now.
    static bool isEnabled(unsigned capability);
};

#endif
