// Checks the game's own font files, as generated and committed, against what
// the game needs of them. Runs from the repository root.

#include "gfx/TextureCache.h"
#include "tests/support/GlRecorder.h"
#include "text/FontReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class HockeyFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream descriptor("data/hockey.fnt", std::ios::binary);
        ASSERT_TRUE(descriptor) << "run from the repository root";
        font = readFont(descriptor, 1);
    }

    // Where the last pixel of ink ends when text is drawn from x.
    int inkEnd(const std::string& text, int x) const {
        int pen = x;
        int end = x;
        for (const char c : text) {
            const Glyph* glyph = font.find(static_cast<unsigned char>(c));
            if (glyph != nullptr) {
                end = std::max(end, pen + glyph->xoffset + glyph->width);
                pen += glyph->xadvance;
            }
        }
        return end;
    }

    Font font;
};

TEST_F(HockeyFontTest, DefinesPrintableAsciiOnAPowerOfTwoPage) {
    EXPECT_EQ(font.glyphCount, 127u);
    for (unsigned code = 0; code < 127; ++code) {
        EXPECT_EQ(font.find(code) != nullptr, code >= 32) << code;
    }
    EXPECT_GE(font.lineHeight, 20);
    EXPECT_LE(font.lineHeight, 24);
    for (const unsigned size : {font.scaleW, font.scaleH}) {
        EXPECT_GE(size, 64u);
        EXPECT_EQ(size & (size - 1), 0u) << size;
    }
}

TEST_F(HockeyFontTest, HeadsUpLabelsEndBeforeTheirNumbers) {
    EXPECT_LT(inkEnd("Score:", 20), 90);
    EXPECT_LT(inkEnd("Sphere:", 20), 100);
    EXPECT_LE(inkEnd("Game Over", 270), 640);
    for (unsigned code = 32; code < 127; ++code) {
        const Glyph* glyph = font.find(code);
        EXPECT_GE(glyph->yoffset, 0) << code;
        EXPECT_LE(glyph->yoffset + glyph->height, font.lineHeight) << code;
    }
}

// The glyph rectangles lie inside the page, at least one transparent texel
// apart, so linear filtering never picks up a neighbour; every texel outside
// them is transparent and the glyphs are white, so the string colour tints them.
TEST_F(HockeyFontTest, PageHoldsWhiteGlyphsWithTransparentMargins) {
    GlRecorder::reset();
    TextureCache cache;
    ASSERT_NE(cache.get("hockey_00"), nullptr);
    ASSERT_EQ(GlRecorder::uploads().size(), 1u);
    const GlUpload& page = GlRecorder::uploads()[0];
    ASSERT_EQ(page.width, static_cast<int>(font.scaleW));
    ASSERT_EQ(page.height, static_cast<int>(font.scaleH));

    std::vector<const Glyph*> drawn;
    for (unsigned code = 32; code < 127; ++code) {
        const Glyph* glyph = font.find(code);
        if (glyph->width > 0 && glyph->height > 0) {
            ASSERT_GE(glyph->x, 1) << code;
            ASSERT_GE(glyph->y, 1) << code;
            ASSERT_LE(glyph->x + glyph->width, page.width - 1) << code;
            ASSERT_LE(glyph->y + glyph->height, page.height - 1) << code;
            drawn.push_back(glyph);
        }
    }
    // Which glyph covers each texel; rectangles must not overlap.
    std::vector<const Glyph*> owner(static_cast<std::size_t>(page.width * page.height), nullptr);
    auto cell = [&](int x, int y) -> const Glyph*& {
        return owner[static_cast<std::size_t>(y * page.width + x)];
    };
    for (const Glyph* glyph : drawn) {
        for (int y = glyph->y; y < glyph->y + glyph->height; ++y) {
            for (int x = glyph->x; x < glyph->x + glyph->width; ++x) {
                ASSERT_EQ(cell(x, y), nullptr) << "overlap at " << x << "," << y;
                cell(x, y) = glyph;
            }
        }
    }
    // The one-texel ring around each rectangle belongs to no glyph.
    for (const Glyph* glyph : drawn) {
        for (int y = glyph->y - 1; y <= glyph->y + glyph->height; ++y) {
            for (int x = glyph->x - 1; x <= glyph->x + glyph->width; ++x) {
                ASSERT_TRUE(cell(x, y) == nullptr || cell(x, y) == glyph)
                    << "glyphs touch at " << x << "," << y;
            }
        }
    }

    int inked = 0;
    for (int i = 0; i < page.width * page.height; ++i) {
        const unsigned char* texel = &page.pixels[static_cast<std::size_t>(i) * 4];
        if (owner[static_cast<std::size_t>(i)] == nullptr) {
            ASSERT_EQ(texel[3], 0) << "texel " << i % page.width << "," << i / page.width;
        } else if (texel[3] > 0) {
            ++inked;
            ASSERT_EQ(texel[0], 255);
            ASSERT_EQ(texel[1], 255);
            ASSERT_EQ(texel[2], 255);
        }
    }
    EXPECT_GT(inked, 1000);
}

} // namespace
