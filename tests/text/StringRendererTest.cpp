#include "tests/support/GlRecorder.h"
#include "text/Font.h"
#include "text/StringObject.h"
#include "text/StringRendererSimple.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <climits>

namespace {

using ::testing::ElementsAre;

constexpr unsigned PAGE = 9;

// A 256 by 256 page whose glyphs are given by id.
class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlRecorder::reset();
        font.scaleW = 256;
        font.scaleH = 256;
        text.x = 20.0f;
        text.y = 15.0f;
        text.colour = 0xff0000f0;
        text.visible = true;
        renderer.setFont(&font);
    }

    void define(unsigned id, const Glyph& glyph) {
        if (font.glyphs.size() <= id) {
            font.glyphs.resize(id + 1);
            font.glyphCount = id + 1;
        }
        font.glyphs[id] = std::make_unique<Glyph>(glyph);
        font.glyphs[id]->texture = PAGE;
    }

    void draw(const std::string& characters) {
        text.text = characters;
        renderer.draw();
    }

    // The pen position of each drawn glyph.
    static std::vector<std::pair<double, double>> translations() {
        std::vector<std::pair<double, double>> result;
        for (const GlCall& call : GlRecorder::callsNamed("glTranslatef")) {
            result.emplace_back(call.args[0], call.args[1]);
        }
        return result;
    }

    Font font;
    StringObject text;
    StringRendererSimple renderer{&text};
};

TEST_F(RendererTest, InvisibleStringMakesNoCall) {
    define('A', Glyph{0, 0, 8, 8, 0, 0, 8});
    text.visible = false;
    draw("AAA");
    EXPECT_TRUE(GlRecorder::calls().empty());
}

TEST_F(RendererTest, EmptyTextOnlySetsAndResetsState) {
    draw("");
    EXPECT_THAT(GlRecorder::names(),
                ElementsAre("glEnable", "glEnable", "glBlendFunc", "glMatrixMode", "glLoadIdentity",
                            "glMatrixMode", "glDisable"));
    const auto& calls = GlRecorder::calls();
    EXPECT_EQ(calls[0].args[0], GL_TEXTURE_2D);
    EXPECT_EQ(calls[1].args[0], GL_BLEND);
    EXPECT_THAT(calls[2].args, ElementsAre(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(calls[3].args[0], GL_TEXTURE);
    EXPECT_EQ(calls[5].args[0], GL_MODELVIEW);
    EXPECT_EQ(calls[6].args[0], GL_BLEND);
    EXPECT_TRUE(GlRecorder::isEnabled(GL_TEXTURE_2D));
}

TEST_F(RendererTest, OneGlyphIsOneTexturedStrip) {
    font.scaleH = 128; // a page twice as wide as high
    define('A', Glyph{16, 32, 8, 16, -1, 3, 12});
    draw("A");
    const auto& calls = GlRecorder::calls();
    std::vector<std::string> glyphCalls;
    for (std::size_t i = 6; i < calls.size(); ++i) {
        glyphCalls.push_back(calls[i].name);
    }
    EXPECT_THAT(glyphCalls, ElementsAre("glBindTexture", "glPushMatrix", "glTranslatef", "glBegin",
                                        "glColor3f", "glTexCoord2d", "glVertex2f", "glTexCoord2d",
                                        "glVertex2f", "glTexCoord2d", "glVertex2f", "glTexCoord2d",
                                        "glVertex2f", "glEnd", "glPopMatrix", "glDisable"));
    EXPECT_THAT(GlRecorder::callsNamed("glBindTexture")[0].args, ElementsAre(GL_TEXTURE_2D, PAGE));
    EXPECT_THAT(GlRecorder::callsNamed("glBegin")[0].args, ElementsAre(GL_TRIANGLE_STRIP));
    EXPECT_THAT(GlRecorder::callsNamed("glTranslatef")[0].args, ElementsAre(20.0, 15.0, 0.0));

    // Texture rectangle from the declared page size, quad from the offsets.
    std::vector<std::vector<double>> texCoords;
    std::vector<std::vector<double>> vertices;
    for (const GlCall& call : GlRecorder::callsNamed("glTexCoord2d")) {
        texCoords.push_back(call.args);
    }
    for (const GlCall& call : GlRecorder::callsNamed("glVertex2f")) {
        vertices.push_back(call.args);
    }
    using V = std::vector<double>;
    EXPECT_THAT(texCoords, ElementsAre(V{0.0625, 0.25}, V{0.09375, 0.25}, V{0.0625, 0.375},
                                       V{0.09375, 0.375}));
    EXPECT_THAT(vertices, ElementsAre(V{-1, 3}, V{7, 3}, V{-1, 19}, V{7, 19}));
}

TEST_F(RendererTest, ColourBytesAreDividedBy256) {
    define('A', Glyph{0, 0, 8, 8, 0, 0, 8});
    draw("A");
    text.colour = 0xfff0f0ff;
    draw("A");
    text.colour = 0x00123456; // the alpha byte changes nothing
    draw("A");
    const auto colours = GlRecorder::callsNamed("glColor3f");
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_THAT(colours[0].args, ElementsAre(0.0, 0.0, 0.9375));
    EXPECT_THAT(colours[1].args, ElementsAre(0.9375, 0.9375, 0.99609375));
    EXPECT_NEAR(colours[2].args[0], 0x12 / 256.0, 1e-7);
    EXPECT_NEAR(colours[2].args[1], 0x34 / 256.0, 1e-7);
    EXPECT_NEAR(colours[2].args[2], 0x56 / 256.0, 1e-7);
}

TEST_F(RendererTest, PenAdvancesByXadvanceOnly) {
    define('A', Glyph{0, 0, 8, 8, 5, 0, 12});
    define('B', Glyph{0, 0, 0, 0, 0, 0, 7}); // degenerate, still advances
    text.x = 20.5f;
    draw("ABA");
    using P = std::pair<double, double>;
    EXPECT_THAT(translations(), ElementsAre(P{20.5, 15}, P{32.5, 15}, P{39.5, 15}));
    const auto vertices = GlRecorder::callsNamed("glVertex2f");
    ASSERT_EQ(vertices.size(), 12u);
    for (std::size_t i = 4; i < 8; ++i) {
        EXPECT_THAT(vertices[i].args, ElementsAre(0.0, 0.0));
    }
}

TEST_F(RendererTest, UndefinedCharactersAreSkippedWithoutAdvancing) {
    define('A', Glyph{0, 0, 8, 8, 0, 0, 10});
    define(200, Glyph{0, 0, 8, 8, 0, 0, 10}); // bytes above 127 are never drawn
    // '@' is a null slot below 'A', 'z' lies beyond the table.
    draw(std::string("A@z\x01") + '\0' + "\xc8\xff" + "A");
    using P = std::pair<double, double>;
    EXPECT_THAT(translations(), ElementsAre(P{20, 15}, P{30, 15}));
    EXPECT_EQ(GlRecorder::callsNamed("glBegin").size(), 2u);
    EXPECT_EQ(GlRecorder::names().back(), "glDisable");
}

TEST_F(RendererTest, NoUsableFontDrawsNothing) {
    define('A', Glyph{0, 0, 8, 8, 0, 0, 10});
    renderer.setFont(nullptr);
    draw("A");
    EXPECT_TRUE(GlRecorder::calls().empty());

    renderer.setFont(&font);
    font.scaleW = 0;
    draw("A");
    font.scaleW = 256;
    font.scaleH = 0;
    draw("A");
    EXPECT_TRUE(GlRecorder::calls().empty());
}

TEST_F(RendererTest, ExtremeGlyphValuesDoNotOverflow) {
    define('A', Glyph{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN});
    draw("AA");
    const auto vertices = GlRecorder::callsNamed("glVertex2f");
    ASSERT_EQ(vertices.size(), 8u);
    EXPECT_FLOAT_EQ(static_cast<float>(vertices[3].args[0]), 2.0f * INT_MAX);
    EXPECT_FLOAT_EQ(static_cast<float>(vertices[3].args[1]), -1.0f);
    const auto texCoords = GlRecorder::callsNamed("glTexCoord2d");
    EXPECT_NEAR(texCoords[3].args[0], 2.0 * INT_MAX / 256.0, 1.0);
    using P = std::pair<double, double>;
    EXPECT_THAT(translations(), ElementsAre(P{20, 15}, P{20.0f + float(INT_MIN), 15}));
}

} // namespace
