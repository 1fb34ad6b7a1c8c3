// Draws strings with the game's font in a real window and reads the screen
// back: each string shows its colour inside its glyphs' quads, and every pixel
// outside the quads keeps the background.

#include "gfx/Display.h"
#include "gfx/TextureCache.h"
#include "tests/support/DisplayOnXvfb.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WaitUntil.h"
#include "text/StringManager.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

const Rgb BACKGROUND{64, 64, 64};
const int TOLERANCE = 3;

struct Placed {
    std::string text;
    std::uint32_t colour;
    Rgb seen; // the colour where a glyph's texel is fully covered
    float x;
    float y;
};

struct Quad {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

bool near(Rgb a, Rgb b) {
    return std::abs(a.red - b.red) <= TOLERANCE && std::abs(a.green - b.green) <= TOLERANCE &&
           std::abs(a.blue - b.blue) <= TOLERANCE;
}

// The screen rectangles of a string's glyphs, one a character with ink.
std::vector<Quad> quadsOf(const Font& font, const Placed& string) {
    std::vector<Quad> quads;
    int pen = static_cast<int>(string.x);
    const int top = static_cast<int>(string.y);
    for (const char c : string.text) {
        const Glyph* glyph = font.find(static_cast<unsigned char>(c));
        if (glyph == nullptr) {
            continue;
        }
        if (glyph->width > 0 && glyph->height > 0) {
            quads.push_back(Quad{pen + glyph->xoffset, top + glyph->yoffset,
                                 pen + glyph->xoffset + glyph->width,
                                 top + glyph->yoffset + glyph->height});
        }
        pen += glyph->xadvance;
    }
    return quads;
}

class TextWindowTest : public DisplayOnXvfb {};

TEST_F(TextWindowTest, StringsShowTheirColourOnlyWhereTheirGlyphsAre) {
    // The heads-up display's blue and the near white of its game-over text;
    // colour bytes are scaled by 1/256, so 255 shows as 254.
    const std::vector<Placed> strings{
        {"Score: 00042", 0xff0000f0, Rgb{0, 0, 239}, 20.0f, 15.0f},
        {"Game Over", 0xfff0f0ff, Rgb{239, 239, 254}, 270.0f, 200.0f},
    };
    std::vector<std::vector<Quad>> quads;
    {
        TextureCache cache;
        StringManager manager(&cache);
        manager.loadFont("hockey");
        const Font* font = manager.findFont("hockey");
        ASSERT_NE(font, nullptr);
        for (const Placed& placed : strings) {
            StringObject* string = manager.createString();
            string->fontName = "hockey";
            string->text = placed.text;
            string->colour = placed.colour;
            string->x = placed.x;
            string->y = placed.y;
            string->visible = true;
            quads.push_back(quadsOf(*font, placed));
        }
        StringObject* hidden = manager.createString();
        hidden->fontName = "hockey";
        hidden->text = "Hidden";
        hidden->colour = 0xffff0000;
        hidden->x = 300.0f;
        hidden->y = 400.0f;

        glClearColor(BACKGROUND.red / 255.0f, BACKGROUND.green / 255.0f, BACKGROUND.blue / 255.0f,
                     1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        manager.update(0.016f);
        manager.draw();
        glFinish();
        SDL_GL_SwapBuffers();
    }

    Screenshot shot;
    waitUntil(5000, [&] {
        shot = Screenshot::ofWindow("Orbicascade");
        return !shot.isEmpty() &&
               shot.countNear(quads[0][0].left, quads[0][0].top, quads[0][0].right,
                              quads[0][0].bottom, strings[0].seen, TOLERANCE) > 0;
    });
    ASSERT_EQ(shot.getWidth(), 640);
    ASSERT_EQ(shot.getHeight(), 480);

    for (std::size_t s = 0; s < strings.size(); ++s) {
        int full = 0;
        for (const Quad& quad : quads[s]) {
            const int inGlyph = shot.countNear(quad.left, quad.top, quad.right, quad.bottom,
                                               strings[s].seen, TOLERANCE);
            EXPECT_GT(inGlyph, 0) << strings[s].text << " glyph at " << quad.left;
            full += inGlyph;
        }
        EXPECT_GT(full, 100) << strings[s].text;
        // Glyph boxes are not solid: the page's transparent texels let the
        // background through between the strokes.
        int area = 0;
        int background = 0;
        for (const Quad& quad : quads[s]) {
            area += (quad.right - quad.left) * (quad.bottom - quad.top);
            background +=
                shot.countNear(quad.left, quad.top, quad.right, quad.bottom, BACKGROUND, TOLERANCE);
        }
        EXPECT_GT(background * 5, area) << strings[s].text;
    }

    int stray = 0;
    for (int y = 0; y < shot.getHeight(); ++y) {
        for (int x = 0; x < shot.getWidth(); ++x) {
            bool inQuad = false;
            for (const auto& stringQuads : quads) {
                for (const Quad& quad : stringQuads) {
                    inQuad = inQuad || quad.contains(x, y);
                }
            }
            if (!inQuad && !near(shot.at(x, y), BACKGROUND)) {
                ++stray;
            }
        }
    }
    EXPECT_EQ(stray, 0) << "pixels outside every glyph that are not background";
}

} // namespace
