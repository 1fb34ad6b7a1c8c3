#include "gfx/SpriteDefinition.h"
#include "gfx/SpriteLibrary.h"
#include "gfx/TextureCache.h"
#include "tests/gfx/GfxTestKit.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

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
        library.add(5, cell);
        cell.addFrame(0.25f, 0.0f, 0.375f, 0.5f);
        library.add(2, cell); // two frames: what index 2 held is gone
        EXPECT_EQ(library.get(2), nullptr);
        const unsigned sheet = cache.get("sheet")->getId();
        ASSERT_EQ(GlRecorder::state().uploads.size(),
                  1u); // one image read once, whatever asks for it
        const GlUpload& upload = GlRecorder::state().uploads[0];
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
        const auto& strips = GlRecorder::state().strips;
        EXPECT_EQ(corners(strips.at(0)), rectangle(100, 50, 116, 58, 0.125, 0, 0.25, 0.5));
        EXPECT_EQ(corners(strips.at(1)), rectangle(10, 20, 26, 28, 0.125, 0, 0.25, 0.5));
        EXPECT_EQ(corners(strips.at(2)), rectangle(0, 0, 32, 4, 0.5, 0.5, 0.75, 1));
        const auto& [name, r, g, b, blend, vertices] = strips.at(1); // white: texels unchanged
        EXPECT_EQ(std::tie(name, r, g, b, blend), std::make_tuple(sheet, 1.0f, 1.0f, 1.0f, true));
        EXPECT_FALSE(GlRecorder::state().enabled.count(GL_BLEND));

        EXPECT_EQ(cache.get("late"), nullptr);
        writeImage("late", 1, 1);    // a failure is not remembered: the file is tried again,
        cell.setTextureName("late"); // even for a definition that makes no sprite
        library.add(3, cell);
        EXPECT_EQ(GlRecorder::state().uploads.size(), 2u);
        Texture reloaded;
        ASSERT_TRUE(reloaded.load("data/sheet.tga") && reloaded.load("data/sheet.tga"));
        EXPECT_EQ(GlRecorder::state().deletedTextures.size(), 1u); // the first of its two
    }
    EXPECT_EQ(GlRecorder::state().deletedTextures.size(), 4u);
    EXPECT_TRUE(GlRecorder::state().liveTextures.empty());
}
