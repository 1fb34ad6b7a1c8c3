#include "gfx/Display.h"
#include "gfx/Sprite.h"
#include "gfx/SpriteDefinition.h"
#include "gfx/SpriteLibrary.h"
#include "gfx/TextureCache.h"

#include "tests/support/DisplayOnXvfb.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WaitUntil.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

const int SPHERES = 5;
const int SIZE = 16;
const int TOP = 200;
const Rgb BACKGROUND{64, 64, 64};
const int TOLERANCE = 3;

int spriteLeft(int k) {
    return 100 + 80 * k;
}

bool near(Rgb a, Rgb b) {
    return std::abs(a.red - b.red) <= TOLERANCE && std::abs(a.green - b.green) <= TOLERANCE &&
           std::abs(a.blue - b.blue) <= TOLERANCE;
}

std::string describe(Rgb c) {
    return "(" + std::to_string(c.red) + ", " + std::to_string(c.green) + ", " +
           std::to_string(c.blue) + ")";
}

// The colour of one pixel of the sheet, read straight from the file rather than
// through the texture code under test.
Rgb sheetColour(SDL_Surface* sheet, int x, int y) {
    SDL_LockSurface(sheet);
    const auto* row = static_cast<const Uint8*>(sheet->pixels) + y * sheet->pitch;
    Uint32 value = 0;
    std::memcpy(&value, row + x * sheet->format->BytesPerPixel, sheet->format->BytesPerPixel);
    SDL_UnlockSurface(sheet);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, sheet->format, &r, &g, &b);
    return Rgb{r, g, b};
}

// The five sphere sprites registered as the game does, drawn in a real window
// over a grey field, then read back from the screen.
class SpherePictureTest : public DisplayOnXvfb {};

TEST_F(SpherePictureTest, EachSphereShowsItsColourInsideAndTheBackgroundAtItsCorners) {
    {
        TextureCache cache;
        SpriteLibrary library(&cache);
        for (int k = 0; k < SPHERES; ++k) {
            SpriteDefinition definition;
            definition.setSize(16.0f, 16.0f);
            definition.setTextureName("color-sphere-sprite");
            definition.addFrame(0.125f * k, 0.0f, 0.125f * (k + 1), 0.125f);
            library.add(k, definition);
        }

        glClearColor(BACKGROUND.red / 255.0f, BACKGROUND.green / 255.0f, BACKGROUND.blue / 255.0f,
                     1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        for (int k = 0; k < SPHERES; ++k) {
            ASSERT_NE(library.get(k), nullptr);
            library.get(k)->draw(float(spriteLeft(k)), float(TOP));
        }
        glFinish();
        SDL_GL_SwapBuffers();
    }

    Screenshot shot;
    waitUntil(5000, [&] {
        shot = Screenshot::ofWindow("Orbicascade");
        return !shot.isEmpty() && !near(shot.at(spriteLeft(0) + 8, TOP + 8), BACKGROUND);
    });
    ASSERT_FALSE(shot.isEmpty());
    ASSERT_EQ(shot.getWidth(), 640);
    ASSERT_EQ(shot.getHeight(), 480);
    EXPECT_TRUE(near(shot.at(20, 20), BACKGROUND)) << describe(shot.at(20, 20));

    SDL_Surface* sheet = IMG_Load("data/color-sphere-sprite.tga");
    ASSERT_NE(sheet, nullptr);
    for (int k = 0; k < SPHERES; ++k) {
        const int left = spriteLeft(k);
        // One texel a pixel: the middle of the sprite is the middle of its cell.
        for (int d : {7, 8}) {
            const Rgb expected = sheetColour(sheet, k * SIZE + d, d);
            const Rgb seen = shot.at(left + d, TOP + d);
            EXPECT_TRUE(near(seen, expected))
                << "sphere " << k << ": " << describe(seen) << " instead of " << describe(expected);
        }
        for (int cy : {TOP, TOP + SIZE - 1}) {
            for (int cx : {left, left + SIZE - 1}) {
                EXPECT_TRUE(near(shot.at(cx, cy), BACKGROUND))
                    << "sphere " << k << " corner " << cx << "," << cy << ": "
                    << describe(shot.at(cx, cy));
            }
        }
    }
    SDL_FreeSurface(sheet);
}

} // namespace
