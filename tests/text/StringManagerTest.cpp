#include "text/StringManager.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"
#include "tests/support/GlRecorder.h"
#include "tools/tga/TgaWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const std::string HEADER = "info face=\"Test\" size=17\n"
                           "common lineHeight=20 base=16 scaleW=64 scaleH=64 pages=1 packed=0\n";
const std::string GLYPHS = "char id=65 x=1 y=1 width=8 height=10 xoffset=0 yoffset=2 xadvance=9 "
                           "page=0\n"
                           "char id=66 x=11 y=1 width=7 height=10 xoffset=1 yoffset=2 xadvance=8 "
                           "page=0\n";

// Runs each test in a fresh directory with its own data/ folder, where the
// manager and the texture cache look for their files.
class StringManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlRecorder::reset();
        previous = fs::current_path();
        char pattern[] = "/tmp/orbi-text-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        fs::create_directory(directory / "data");
        fs::current_path(directory);
    }

    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(directory);
    }

    static void writeDescriptor(const std::string& name, const std::string& text) {
        std::ofstream("data/" + name + ".fnt", std::ios::binary) << text;
    }

    static void writePage(const std::string& name, int size) {
        ASSERT_TRUE(writeTga("data/" + name + "_00.tga", RgbaImage(size, size), TgaDepth::Rgba32));
    }

    StringObject* addString(StringManager& manager, const std::string& text, float x, float y) {
        StringObject* string = manager.createString();
        string->fontName = "test";
        string->text = text;
        string->colour = 0xff0000f0;
        string->x = x;
        string->y = y;
        string->visible = true;
        return string;
    }

    // The pen position of every glyph drawn since the last reset, in order.
    static std::vector<std::vector<double>> translations() {
        std::vector<std::vector<double>> result;
        for (const GlCall& call : GlRecorder::callsNamed("glTranslatef")) {
            result.push_back({call.args[0], call.args[1]});
        }
        return result;
    }

    fs::path previous;
    fs::path directory;
    TextureCache cache;
};

using V = std::vector<double>;

TEST_F(StringManagerTest, LoadsDescriptorWithItsPageFromTheCache) {
    writeDescriptor("test", HEADER + GLYPHS);
    writePage("test", 64);
    StringManager manager(&cache);
    manager.loadFont("test");

    const Font* font = manager.findFont("test");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->glyphCount, 67u);
    EXPECT_EQ(font->scaleW, 64u);
    const Texture* page = cache.get("test_00");
    ASSERT_NE(page, nullptr);
    ASSERT_NE(font->find('A'), nullptr);
    EXPECT_EQ(font->find('A')->texture, page->getId());
    EXPECT_EQ(font->find('B')->x, 11);
    EXPECT_EQ(manager.findFont("Test"), nullptr);
}

TEST_F(StringManagerTest, MissingDescriptorReportsTheNameAndLoadsThePageAnyway) {
    writePage("lost", 32);
    StringManager manager(&cache);
    ::testing::internal::CaptureStderr();
    manager.loadFont("lost");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Failed to open font file : lost\n");
    EXPECT_EQ(manager.findFont("lost"), nullptr);
    ASSERT_EQ(GlRecorder::uploads().size(), 1u);
    EXPECT_EQ(GlRecorder::uploads()[0].width, 32);
}

TEST_F(StringManagerTest, MissingPageLeavesGlyphsWithoutTexture) {
    writeDescriptor("bare", HEADER + GLYPHS);
    StringManager manager(&cache);
    ::testing::internal::CaptureStderr();
    manager.loadFont("bare");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    const Font* font = manager.findFont("bare");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->find('A'), nullptr);
    EXPECT_EQ(font->find('A')->texture, 0u);
}

TEST_F(StringManagerTest, LoadingANameAgainReplacesTheFont) {
    writeDescriptor("test", HEADER + GLYPHS);
    writePage("test", 64);
    StringManager manager(&cache);
    manager.loadFont("test");
    writeDescriptor("test", HEADER + "char id=90 x=1 y=1 width=8 height=10 xoffset=0 yoffset=2 "
                                     "xadvance=9 page=0\n");
    manager.loadFont("test");
    const Font* font = manager.findFont("test");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->glyphCount, 91u);
    EXPECT_EQ(font->find('A'), nullptr);
    EXPECT_EQ(GlRecorder::uploads().size(), 1u); // the page is cached, not read again
}

TEST_F(StringManagerTest, NewManagerDoesNothing) {
    StringManager manager(&cache);
    manager.update(0.016f);
    manager.draw();
    EXPECT_TRUE(GlRecorder::calls().empty());
}

TEST_F(StringManagerTest, DrawsEveryStringAndFollowsItsFields) {
    writeDescriptor("test", HEADER + GLYPHS);
    writePage("test", 64);
    StringManager manager(&cache);
    manager.loadFont("test");
    StringObject* first = addString(manager, "AB", 20, 15);
    StringObject* second = addString(manager, "B", 100, 400);
    EXPECT_NE(first, second);
    GlRecorder::reset();

    manager.update(0.016f);
    manager.draw();
    const bool firstFirst = std::less<StringObject*>()(first, second);
    const V a{20, 15}, b{29, 15}, c{100, 400};
    if (firstFirst) {
        EXPECT_THAT(translations(), ElementsAre(a, b, c));
    } else {
        EXPECT_THAT(translations(), ElementsAre(c, a, b));
    }

    // Field changes show at the next frame: new text, hidden string.
    first->text = "BA";
    second->visible = false;
    GlRecorder::reset();
    manager.update(0.016f);
    manager.draw();
    EXPECT_THAT(translations(), ElementsAre(a, V{28, 15}));

    second->visible = true;
    GlRecorder::reset();
    manager.draw();
    EXPECT_EQ(translations().size(), 3u);
}

TEST_F(StringManagerTest, DestroyingOneStringLeavesTheOthers) {
    writeDescriptor("test", HEADER + GLYPHS);
    writePage("test", 64);
    StringManager manager(&cache);
    manager.loadFont("test");
    StringObject* strings[3] = {addString(manager, "A", 10, 10), addString(manager, "A", 20, 20),
                                addString(manager, "A", 30, 30)};
    manager.destroyString(strings[1]);
    StringObject stranger;
    stranger.visible = true;
    manager.destroyString(&stranger); // not registered: nothing happens
    manager.destroyString(nullptr);

    GlRecorder::reset();
    manager.update(0.016f);
    manager.draw();
    auto drawn = translations();
    std::sort(drawn.begin(), drawn.end());
    EXPECT_THAT(drawn, ElementsAre(V{10, 10}, V{30, 30}));
    EXPECT_EQ(strings[0]->x, 10.0f); // the others are still alive and untouched
    EXPECT_EQ(strings[2]->x, 30.0f);
}

TEST_F(StringManagerTest, FontIsLookedUpAfreshEveryUpdate) {
    writeDescriptor("test", HEADER + GLYPHS);
    writePage("test", 64);
    StringManager manager(&cache);
    StringObject* string = addString(manager, "A", 10, 10);

    // Not loaded yet: nothing drawn, and the lookup files no empty entry.
    manager.update(0.016f);
    manager.draw();
    EXPECT_TRUE(GlRecorder::calls().empty());
    EXPECT_EQ(manager.findFont("test"), nullptr);

    manager.loadFont("test");
    GlRecorder::reset();
    manager.draw(); // the renderer is only told at the next update
    EXPECT_TRUE(GlRecorder::calls().empty());
    manager.update(0.016f);
    manager.draw();
    EXPECT_EQ(translations().size(), 1u);

    string->fontName = "other";
    GlRecorder::reset();
    manager.update(0.016f);
    manager.draw();
    EXPECT_TRUE(GlRecorder::calls().empty());
}

TEST_F(StringManagerTest, DestructionFreesNoTexture) {
    writeDescriptor("test", HEADER + GLYPHS);
    writePage("test", 64);
    {
        StringManager manager(&cache);
        manager.loadFont("test");
        for (int i = 0; i < 5; ++i) {
            addString(manager, "AB", 10.0f * i, 0);
        }
        manager.update(0.016f);
        manager.draw();
    }
    EXPECT_TRUE(GlRecorder::deletedTextures().empty());
    EXPECT_EQ(GlRecorder::liveTextures().size(), 1u);
}

} // namespace
