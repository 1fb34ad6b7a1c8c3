#include "gfx/SpriteLibrary.h"

#include "gfx/Sprite.h"
#include "gfx/SpriteDefinition.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"
#include "tests/gfx/ScratchDataDirectory.h"
#include "tests/support/GlRecorder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const char* const SHEET = "color-sphere-sprite";

class SpriteLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlRecorder::reset();
        scratch.writeImage(SHEET, solidImage(128, 128, 200, 100, 50));
    }

    ScratchDataDirectory scratch;
    TextureCache cache;
};

// The sphere registration the game makes at start-up: cell k of the sheet's top row.
SpriteDefinition sphereDefinition(unsigned k) {
    SpriteDefinition definition;
    definition.setSize(16.0f, 16.0f);
    definition.setTextureName(SHEET);
    definition.addFrame(0.125f * k, 0.0f, 0.125f * (k + 1), 0.125f);
    return definition;
}

TEST_F(SpriteLibraryTest, FiveSphereSpritesShareOneTexture) {
    SpriteLibrary library(&cache);
    for (unsigned k = 0; k < 5; ++k) {
        library.add(k, sphereDefinition(k));
    }

    const Texture* sheet = cache.get(SHEET);
    ASSERT_NE(sheet, nullptr);
    std::set<const Sprite*> distinct;
    for (unsigned k = 0; k < 5; ++k) {
        const Sprite* sprite = library.get(k);
        ASSERT_NE(sprite, nullptr) << k;
        distinct.insert(sprite);
        EXPECT_FLOAT_EQ(sprite->getSize().x, 16.0f);
        EXPECT_FLOAT_EQ(sprite->getSize().y, 16.0f);
        EXPECT_EQ(sprite->getTexture(), sheet->getId());
        EXPECT_FLOAT_EQ(sprite->getLeft(), 0.125f * k);
        EXPECT_FLOAT_EQ(sprite->getTop(), 0.0f);
        EXPECT_FLOAT_EQ(sprite->getRight(), 0.125f * (k + 1));
        EXPECT_FLOAT_EQ(sprite->getBottom(), 0.125f);
    }
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_EQ(library.get(5), nullptr);
    EXPECT_EQ(GlRecorder::callsNamed("glGenTextures").size(), 1u);
}

TEST_F(SpriteLibraryTest, DefinitionWithoutExactlyOneFrameLeavesTheIndexEmpty) {
    SpriteLibrary library(&cache);
    library.add(2, sphereDefinition(2));
    ASSERT_NE(library.get(2), nullptr);

    SpriteDefinition twoFrames = sphereDefinition(0);
    twoFrames.addFrame(0.5f, 0.5f, 1.0f, 1.0f);
    library.add(2, twoFrames);
    EXPECT_EQ(library.get(2), nullptr);

    SpriteDefinition noFrame;
    noFrame.setSize(16.0f, 16.0f);
    noFrame.setTextureName("other");
    scratch.writeImage("other", solidImage(4, 4, 1, 2, 3));
    library.add(3, noFrame);
    EXPECT_EQ(library.get(3), nullptr);

    // The texture was fetched all the same: asking for it now reads nothing new.
    const std::size_t loads = GlRecorder::callsNamed("glGenTextures").size();
    EXPECT_EQ(loads, 2u);
    EXPECT_NE(cache.get("other"), nullptr);
    EXPECT_EQ(GlRecorder::callsNamed("glGenTextures").size(), loads);
}

TEST_F(SpriteLibraryTest, AddingUnderAnIndexAgainReplacesTheSprite) {
    SpriteLibrary library(&cache);
    library.add(1, sphereDefinition(1));
    SpriteDefinition bigger = sphereDefinition(4);
    bigger.setSize(32.0f, 24.0f);
    library.add(1, bigger);

    const Sprite* sprite = library.get(1);
    ASSERT_NE(sprite, nullptr);
    EXPECT_FLOAT_EQ(sprite->getSize().x, 32.0f);
    EXPECT_FLOAT_EQ(sprite->getSize().y, 24.0f);
    EXPECT_FLOAT_EQ(sprite->getLeft(), 0.5f);
    EXPECT_FLOAT_EQ(sprite->getRight(), 0.625f);
}

TEST_F(SpriteLibraryTest, MissingTextureGivesASizedSpriteWithoutTexture) {
    SpriteLibrary library(&cache);
    SpriteDefinition definition;
    definition.setSize(16.0f, 8.0f);
    definition.setTextureName("no-such-sheet");
    definition.addFrame(0.25f, 0.5f, 0.75f, 1.0f);
    library.add(0, definition);

    const Sprite* sprite = library.get(0);
    ASSERT_NE(sprite, nullptr);
    EXPECT_FLOAT_EQ(sprite->getSize().x, 16.0f);
    EXPECT_FLOAT_EQ(sprite->getSize().y, 8.0f);
    EXPECT_EQ(sprite->getTexture(), 0u);
    EXPECT_FLOAT_EQ(sprite->getLeft(), 0.0f);
    EXPECT_FLOAT_EQ(sprite->getTop(), 0.0f);
    EXPECT_FLOAT_EQ(sprite->getRight(), 0.0f);
    EXPECT_FLOAT_EQ(sprite->getBottom(), 0.0f);
}

TEST_F(SpriteLibraryTest, DestroyingTheLibraryLeavesTheTexturesAlive) {
    {
        SpriteLibrary library(&cache);
        for (unsigned k = 0; k < 5; ++k) {
            library.add(k, sphereDefinition(k));
        }
    }
    EXPECT_TRUE(GlRecorder::deletedTextures().empty());
    EXPECT_EQ(GlRecorder::liveTextures().size(), 1u);
    EXPECT_NE(cache.get(SHEET), nullptr);
}

} // namespace
