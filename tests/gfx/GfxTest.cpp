#include "gfx/SpriteDefinition.h"
#include "gfx/SpriteLibrary.h"
#include "gfx/TextureCache.h"
#include "tests/gfx/GfxTestKit.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>

TEST(Gfx, LoadsEachImageOnceAndDrawsSpritesOfOneFrameDefinitionsWhereAsked) {
    ScratchData scratch;
    const std::vector<std::uint8_t> sheetTexels = writeImage("sheet", 3, 2);
    GlRecorder::reset();
    {
        TextureCache cache;
        SpriteLibrary library(&cache);
        SpriteDefinition cell;
        cell.setSize(16.0f, 8.0f);
        cell.setTextureName("sheet");
        cell.addFrame(0.125f, 0.0f, 0.25f, 0.5f);
        library.add(0, cell);
        cell.addFrame(0.25f, 0.0f, 0.375f, 0.5f);
        library.add(2, cell);
        EXPECT_EQ(library.get(2), nullptr);
        const unsigned sheet = cache.get("sheet")->getId();
        ASSERT_EQ(GlRecorder::uploads().size(), 1u); // one image read once, whatever asks for it
        const GlUpload& upload = GlRecorder::uploads()[0];
        EXPECT_EQ(std::tie(upload.texture, upload.width, upload.height, upload.pixels),
                  std::make_tuple(sheet, 3, 2, sheetTexels));

        library.get(0)->draw(100.0f, 50.0f);
        library.get(0)->draw(10.0f, 20.0f);
        const auto& strips = GlRecorder::strips();
        EXPECT_EQ(corners(strips.at(0)), rectangle(100, 50, 116, 58, 0.125, 0, 0.25, 0.5));
        EXPECT_EQ(corners(strips.at(1)), rectangle(10, 20, 26, 28, 0.125, 0, 0.25, 0.5));
        const auto& [name, r, g, b, blend, vertices] = strips.at(1); // white: texels unchanged
        EXPECT_EQ(std::tie(name, r, g, b, blend), std::make_tuple(sheet, 1.0f, 1.0f, 1.0f, true));
        EXPECT_FALSE(GlRecorder::isEnabled(GL_BLEND));

        Texture reloaded;
        ASSERT_TRUE(reloaded.load("data/sheet.tga") && reloaded.load("data/sheet.tga"));
        EXPECT_EQ(GlRecorder::deletedTextures().size(), 1u); // the first of its two
    }
    EXPECT_EQ(GlRecorder::deletedTextures().size(), 3u);
    EXPECT_TRUE(GlRecorder::liveTextures().empty());
}

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
             {header(10, 32, 1, 256) + twoRuns, false}, // taller than OpenGL takes
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
