#include "gfx/Texture.h"

#include "tests/gfx/ScratchDataDirectory.h"
#include "tests/support/GlRecorder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { GlRecorder::reset(); }

    ScratchDataDirectory scratch;
};

// A 3 by 2 image whose every pixel differs, alpha included.
RgbaImage patternImage() {
    RgbaImage image(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* pixel = image.at(x, y);
            pixel[0] = static_cast<std::uint8_t>(10 + 40 * x);
            pixel[1] = static_cast<std::uint8_t>(20 + 100 * y);
            pixel[2] = static_cast<std::uint8_t>(200 - 30 * x - 50 * y);
            pixel[3] = static_cast<std::uint8_t>(40 * x + 90 * y); // 0 at the top-left
        }
    }
    return image;
}

TEST_F(TextureTest, ThirtyTwoBitImageIsUploadedAsIsWithItsAlpha) {
    const RgbaImage image = patternImage();
    Texture texture;
    ASSERT_TRUE(texture.load(scratch.writeImage("pattern", image).c_str()));

    ASSERT_EQ(GlRecorder::uploads().size(), 1u);
    const GlUpload& upload = GlRecorder::uploads().front();
    // Same bytes in the same order: red first, top row first, alpha untouched.
    EXPECT_EQ(upload.pixels, image.pixels);
}

TEST_F(TextureTest, TwentyFourBitImageBecomesOpaque) {
    const RgbaImage image = patternImage();
    Texture texture;
    ASSERT_TRUE(texture.load(scratch.writeImage("opaque", image, TgaDepth::Rgb24).c_str()));

    ASSERT_EQ(GlRecorder::uploads().size(), 1u);
    const std::vector<unsigned char>& uploaded = GlRecorder::uploads().front().pixels;
    ASSERT_EQ(uploaded.size(), image.pixels.size());
    for (std::size_t i = 0; i < uploaded.size(); i += 4) {
        EXPECT_EQ(uploaded[i], image.pixels[i]);
        EXPECT_EQ(uploaded[i + 1], image.pixels[i + 1]);
        EXPECT_EQ(uploaded[i + 2], image.pixels[i + 2]);
        EXPECT_EQ(uploaded[i + 3], 255) << "pixel " << i / 4;
    }
}

TEST_F(TextureTest, ImageKeepsItsOwnSizeWithoutPadding) {
    Texture odd;
    ASSERT_TRUE(odd.load(scratch.writeImage("odd", solidImage(5, 3, 1, 2, 3)).c_str()));
    Texture square;
    ASSERT_TRUE(square.load(scratch.writeImage("square", solidImage(128, 128, 1, 2, 3)).c_str()));

    EXPECT_FLOAT_EQ(odd.getWidth(), 5.0f);
    EXPECT_FLOAT_EQ(odd.getHeight(), 3.0f);
    EXPECT_FLOAT_EQ(square.getWidth(), 128.0f);
    EXPECT_FLOAT_EQ(square.getHeight(), 128.0f);
    ASSERT_EQ(GlRecorder::uploads().size(), 2u);
    EXPECT_EQ(GlRecorder::uploads()[0].width, 5);
    EXPECT_EQ(GlRecorder::uploads()[0].height, 3);
}

TEST_F(TextureTest, FailedLoadMakesAndDeletesNoTexture) {
    {
        std::ofstream("data/garbage.tga") << "this is not an image";
        Texture missing;
        Texture garbage;
        EXPECT_FALSE(missing.load("data/nothing-here.tga"));
        EXPECT_FALSE(garbage.load("data/garbage.tga"));
        EXPECT_FALSE(missing.isLoaded());
        EXPECT_FALSE(garbage.isLoaded());
    }
    EXPECT_TRUE(GlRecorder::callsNamed("glGenTextures").empty());
    EXPECT_TRUE(GlRecorder::callsNamed("glDeleteTextures").empty());
}

TEST_F(TextureTest, DestroyingDeletesExactlyItsOwnTextureOnce) {
    const std::string path = scratch.writeImage("one", solidImage(2, 2, 9, 9, 9));
    Texture kept;
    ASSERT_TRUE(kept.load(path.c_str()));
    unsigned id = 0;
    {
        Texture dropped;
        ASSERT_TRUE(dropped.load(path.c_str()));
        id = dropped.getId();
        ASSERT_NE(id, kept.getId());
    }
    EXPECT_EQ(GlRecorder::deletedTextures(), std::vector<unsigned>{id});
    EXPECT_EQ(GlRecorder::liveTextures(), std::set<unsigned>{kept.getId()});
}

TEST_F(TextureTest, LoadingAgainReplacesTheEarlierTexture) {
    Texture texture;
    ASSERT_TRUE(texture.load(scratch.writeImage("small", solidImage(2, 2, 9, 9, 9)).c_str()));
    const unsigned first = texture.getId();
    ASSERT_TRUE(texture.load(scratch.writeImage("large", solidImage(4, 8, 9, 9, 9)).c_str()));

    EXPECT_EQ(GlRecorder::deletedTextures(), std::vector<unsigned>{first});
    EXPECT_EQ(GlRecorder::liveTextures(), std::set<unsigned>{texture.getId()});
    EXPECT_FLOAT_EQ(texture.getWidth(), 4.0f);
    EXPECT_FLOAT_EQ(texture.getHeight(), 8.0f);
}

} // namespace
