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
        library.add(2, cell);
        cell.addFrame(0.25f, 0.0f, 0.375f, 0.5f);
        library.add(2, cell); // two frames: what index 2 held is gone
        EXPECT_EQ(library.get(2), nullptr);
        const unsigned sheet = cache.get("sheet")->getId();
        ASSERT_EQ(GlRecorder::uploads().size(), 1u); // one image read once, whatever asks for it
        const GlUpload& upload = GlRecorder::uploads()[0];
        EXPECT_EQ(std::tie(upload.texture, upload.width, upload.height, upload.pixels),
                  std::make_tuple(sheet, 3, 2, sheetTexels));

        library.get(0)->draw(100.0f, 50.0f);
        library.get(0)->draw(10.0f, 20.0f);
        SpriteDefinition wide; // replaces the sprite under index 0
        wide.setSize(32.0f, 4.0f);
        wide.setTextureName("sheet");
        wide.addFrame(0.5f, 0.5f, 0.75f, 1.0f);
        library.add(0, wide);
        library.get(0)->draw(0.0f, 0.0f);
        const auto& strips = GlRecorder::strips();
        EXPECT_EQ(corners(strips.at(0)), rectangle(100, 50, 116, 58, 0.125, 0, 0.25, 0.5));
        EXPECT_EQ(corners(strips.at(1)), rectangle(10, 20, 26, 28, 0.125, 0, 0.25, 0.5));
        EXPECT_EQ(corners(strips.at(2)), rectangle(0, 0, 32, 4, 0.5, 0.5, 0.75, 1));
        const auto& [name, r, g, b, blend, vertices] = strips.at(1); // white: texels unchanged
        EXPECT_EQ(std::tie(name, r, g, b, blend), std::make_tuple(sheet, 1.0f, 1.0f, 1.0f, true));
        EXPECT_FALSE(GlRecorder::isEnabled(GL_BLEND));

        EXPECT_EQ(cache.get("late"), nullptr);
        writeImage("late", 1, 1); // a failure is not remembered: the file is tried again
        EXPECT_NE(cache.get("late"), nullptr);
        Texture reloaded;
        ASSERT_TRUE(reloaded.load("data/sheet.tga") && reloaded.load("data/sheet.tga"));
        EXPECT_EQ(GlRecorder::deletedTextures().size(), 1u); // the first of its two
    }
    EXPECT_EQ(GlRecorder::deletedTextures().size(), 4u);
    EXPECT_TRUE(GlRecorder::liveTextures().empty());
}

namespace {

// A TGA header: its image type (9 to 11 run-length encoded), bits per pixel, size,
// colour map entries (24-bit) and image id length.
std::string header(int type, int bits, int width, int height, int mapEntries = 0,
                   int idLength = 0) {
    const auto pair = [](int value) { return std::string{char(value), char(value >> 8)}; };
    return std::string{char(idLength), char(mapEntries > 0), char(type), 0, 0} + pair(mapEntries) +
           '\x18' + std::string(4, '\0') + pair(width) + pair(height) + char(bits) + '\x20';
}

TEST(HostileImage, LoadsOnlyWhatItsFileAndOpenGLCanHold) {
    const std::string twoRuns = "\xff\1\2\3\4\xff\1\2\3\4"; // 2 times 128 pixels of one colour
    const std::string twoByteRuns = "\xff\x80\xff\x80";     // 2 times 128 one-byte pixels
    const std::string map(3 * 256, 'x');
    const ScratchFolder scratch;
    const std::string path = (scratch.path / "image.tga").string();
    for (const auto& [file, loads] : std::vector<std::pair<std::string, bool>>{
             {header(10, 32, 128, 2) + twoRuns, true}, // true colour, run-length encoded
             {header(10, 32, 128, 3) + twoRuns, false},
             {header(10, 32, 128, 2, 0, 5) + "12345" + twoRuns, true},
             {header(10, 32, 128, 3, 0, 5) + "12345" + twoRuns, false}, // the id holds no pixels
             {header(9, 8, 16, 16, 256) + map + twoByteRuns, true},     // colour-mapped, run-length
             {header(9, 8, 16, 17, 256) + map + twoByteRuns, false},
             {header(11, 8, 16, 16) + twoByteRuns, true}, // grey, run-length
             {header(11, 8, 16, 17) + twoByteRuns, false},
             {header(10, 32, 256, 1) + twoRuns, false}, // wider than OpenGL takes
             {header(10, 32, 1, 256) + twoRuns, false}, // taller than OpenGL takes
             {header(1, 8, 16, 16, 256) + map + std::string(256, 'x'), true},
             {header(1, 8, 16, 16, 256) + std::string(3 * 256, 'x'),
              false}}) { // the map holds none
        GlRecorder::reset();
        GlRecorder::setMaxTextureSize(128);
        std::ofstream(path, std::ios::binary) << file;
        Texture texture;
        EXPECT_EQ(texture.load(path.c_str()), loads) << file.size() << " bytes";
        EXPECT_EQ(GlRecorder::liveTextures().size(), loads ? 1u : 0u);
    }
}

} // namespace
