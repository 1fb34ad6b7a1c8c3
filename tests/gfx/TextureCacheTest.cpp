#include "gfx/TextureCache.h"

#include "gfx/Texture.h"
#include "tests/gfx/ScratchDataDirectory.h"
#include "tests/support/GlRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class TextureCacheTest : public ::testing::Test {
protected:
    void SetUp() override { GlRecorder::reset(); }

    ScratchDataDirectory scratch;
};

TEST_F(TextureCacheTest, SameNameLoadsTheFileOnce) {
    scratch.writeImage("color-sphere-sprite", solidImage(8, 4, 1, 2, 3));
    TextureCache cache;

    Texture* first = cache.get("color-sphere-sprite");
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->getWidth(), 8.0f);
    // Gone from disk: a second read would now fail.
    scratch.remove("color-sphere-sprite");
    EXPECT_EQ(cache.get("color-sphere-sprite"), first);
    EXPECT_EQ(GlRecorder::callsNamed("glGenTextures").size(), 1u);
}

TEST_F(TextureCacheTest, MissingFileGivesNullEveryTimeUntilItAppears) {
    TextureCache cache;
    EXPECT_EQ(cache.get("late"), nullptr);
    EXPECT_EQ(cache.get("late"), nullptr);
    EXPECT_TRUE(GlRecorder::callsNamed("glGenTextures").empty());

    scratch.writeImage("late", solidImage(2, 2, 1, 2, 3));
    Texture* texture = cache.get("late");
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(texture->isLoaded());
}

TEST_F(TextureCacheTest, NamesDifferingInCaseAreSeparateFiles) {
    scratch.writeImage("Ball", solidImage(2, 2, 1, 2, 3));
    scratch.writeImage("ball", solidImage(4, 4, 1, 2, 3));
    TextureCache cache;

    Texture* upper = cache.get("Ball");
    Texture* lower = cache.get("ball");
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(lower, nullptr);
    EXPECT_NE(upper, lower);
    EXPECT_FLOAT_EQ(upper->getWidth(), 2.0f);
    EXPECT_FLOAT_EQ(lower->getWidth(), 4.0f);
    EXPECT_EQ(cache.get("BALL"), nullptr);
}

TEST_F(TextureCacheTest, DestroyingDeletesEveryTextureOnce) {
    for (const char* name : {"a", "b", "c"}) {
        scratch.writeImage(name, solidImage(2, 2, 1, 2, 3));
    }
    std::vector<unsigned> ids;
    {
        TextureCache cache;
        for (const char* name : {"c", "a", "b"}) {
            Texture* texture = cache.get(name);
            ASSERT_NE(texture, nullptr) << name;
            ids.push_back(texture->getId());
        }
        cache.get("a");
        EXPECT_TRUE(GlRecorder::deletedTextures().empty());
    }
    std::vector<unsigned> deleted = GlRecorder::deletedTextures();
    std::sort(deleted.begin(), deleted.end());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(deleted, ids);
    EXPECT_TRUE(GlRecorder::liveTextures().empty());
}

} // namespace
