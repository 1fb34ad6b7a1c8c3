#include "gfx/Texture.h"
#include "tests/support/GlRecorder.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A TGA header of a type (10 RLE true-colour, 1 colour-mapped), depth, size and 24-bit map.
std::string header(int type, int bits, int width, int height, int entries = 0) {
    const auto pair = [](int value) { return std::string{char(value), char(value >> 8)}; };
    return std::string{0, char(entries > 0), char(type), 0, 0} + pair(entries) + '\x18' +
           std::string(4, '\0') + pair(width) + pair(height) + char(bits) + '\x20';
}

TEST(HostileImage, LoadsOnlyWhatItsFileAndOpenGLCanHold) {
    const std::string twoRuns = "\xff\1\2\3\4\xff\1\2\3\4"; // 2 times 128 pixels of one colour
    const ScratchFolder scratch;
    const std::string path = (scratch.path / "image.tga").string();
    for (const auto& [file, loads] : std::vector<std::pair<std::string, bool>>{
             {header(10, 32, 128, 2) + twoRuns, true},
             {header(10, 32, 128, 3) + twoRuns, false},
             {header(10, 32, 256, 1) + twoRuns, false}, // wider than OpenGL takes
             {header(1, 8, 16, 16, 256) + std::string(4 * 256, 'x'), true},
             {header(1, 8, 16, 16, 256) + std::string(3 * 256, 'x'), false}}) {
        GlRecorder::reset();
        GlRecorder::setMaxTextureSize(128);
        std::ofstream(path, std::ios::binary) << file;
        Texture texture;
        EXPECT_EQ(texture.load(path.c_str()), loads) << file.size() << " bytes";
        EXPECT_EQ(GlRecorder::liveTextures().size(), loads ? 1u : 0u);
    }
}

} // namespace
