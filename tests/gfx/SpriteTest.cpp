#include "gfx/Sprite.h"

#include "tests/support/GlRecorder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

using Args = std::vector<double>;

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlRecorder::reset();
        sprite.setSize(Vector2(16.0f, 12.0f));
        sprite.setTexture(7, 0.25f, 0.125f, 0.375f, 0.25f);
    }

    Sprite sprite;
};

TEST_F(SpriteTest, DrawsOneTexturedStripAtTheGivenCorner) {
    sprite.draw(100.0f, 50.0f);

    const std::vector<std::string> expectedNames = {
        "glEnable",     "glBlendFunc",  "glMatrixMode", "glLoadIdentity", "glBindTexture",
        "glMatrixMode", "glPushMatrix", "glTranslatef", "glBegin",        "glColor3f",
        "glTexCoord2d", "glVertex2f",   "glTexCoord2d", "glVertex2f",     "glTexCoord2d",
        "glVertex2f",   "glTexCoord2d", "glVertex2f",   "glEnd",          "glPopMatrix",
        "glDisable"};
    ASSERT_EQ(GlRecorder::names(), expectedNames);

    const std::vector<GlCall>& calls = GlRecorder::calls();
    EXPECT_EQ(calls[0].args, Args{GL_BLEND});
    EXPECT_EQ(calls[1].args, (Args{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
    EXPECT_EQ(calls[2].args, Args{GL_TEXTURE});
    EXPECT_EQ(calls[4].args, (Args{GL_TEXTURE_2D, 7}));
    EXPECT_EQ(calls[5].args, Args{GL_MODELVIEW});
    EXPECT_EQ(calls[7].args, (Args{100.0, 50.0, 0.0}));
    EXPECT_EQ(calls[8].args, Args{GL_TRIANGLE_STRIP});
    EXPECT_EQ(calls[9].args, (Args{1.0, 1.0, 1.0}));
    EXPECT_EQ(calls[20].args, Args{GL_BLEND});

    // Strip order: top-left, top-right, bottom-left, bottom-right, each
    // texture corner paired with the matching screen corner.
    const std::vector<GlCall> texCoords = GlRecorder::callsNamed("glTexCoord2d");
    const std::vector<GlCall> vertices = GlRecorder::callsNamed("glVertex2f");
    const Args expectedTex[] = {{0.25, 0.125}, {0.375, 0.125}, {0.25, 0.25}, {0.375, 0.25}};
    const Args expectedPos[] = {{0, 0}, {16, 0}, {0, 12}, {16, 12}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texCoords[i].args, expectedTex[i]) << "vertex " << i;
        EXPECT_EQ(vertices[i].args, expectedPos[i]) << "vertex " << i;
    }
}

TEST_F(SpriteTest, BlendingIsOffAfterEveryDrawWhateverItWasBefore) {
    glEnable(GL_BLEND);
    sprite.draw(0.0f, 0.0f);
    EXPECT_FALSE(GlRecorder::isEnabled(GL_BLEND));

    glDisable(GL_BLEND);
    sprite.draw(0.0f, 0.0f);
    EXPECT_FALSE(GlRecorder::isEnabled(GL_BLEND));
}

} // namespace
