#include "gfx/Texture.h"

#include "tests/support/GlRecorder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const int SHEET_SIZE = 128;
const int CELL = 16;
const int SPHERES = 5;

// The sheet as the game uploads it, read from the repository's data/.
class SphereSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlRecorder::reset();
        ASSERT_TRUE(texture.load("data/color-sphere-sprite.tga"));
        ASSERT_EQ(GlRecorder::uploads().size(), 1u);
        ASSERT_EQ(GlRecorder::uploads().front().pixels.size(),
                  std::size_t(SHEET_SIZE * SHEET_SIZE * 4));
    }

    const unsigned char* texel(int x, int y) const {
        return GlRecorder::uploads().front().pixels.data() + (y * SHEET_SIZE + x) * 4;
    }
    int alpha(int x, int y) const { return texel(x, y)[3]; }

    Texture texture;
};

TEST_F(SphereSheetTest, IsAnEightByEightGridOf16PixelCells) {
    EXPECT_FLOAT_EQ(texture.getWidth(), 128.0f);
    EXPECT_FLOAT_EQ(texture.getHeight(), 128.0f);

    int visibleOutsideSpheres = 0;
    for (int y = 0; y < SHEET_SIZE; ++y) {
        for (int x = 0; x < SHEET_SIZE; ++x) {
            const bool sphereCell = y < CELL && x < SPHERES * CELL;
            visibleOutsideSpheres += !sphereCell && alpha(x, y) != 0;
        }
    }
    EXPECT_EQ(visibleOutsideSpheres, 0);
}

TEST_F(SphereSheetTest, EachSphereIsOpaqueInsideWithASoftEdgeAndAClearMargin) {
    for (int k = 0; k < SPHERES; ++k) {
        const int left = k * CELL;
        for (int i = 0; i < CELL; ++i) {
            // The outermost ring of the cell stays clear so filtering never
            // reaches the neighbouring cell.
            EXPECT_EQ(alpha(left + i, 0), 0) << "sphere " << k;
            EXPECT_EQ(alpha(left + i, CELL - 1), 0) << "sphere " << k;
            EXPECT_EQ(alpha(left, i), 0) << "sphere " << k;
            EXPECT_EQ(alpha(left + CELL - 1, i), 0) << "sphere " << k;
        }
        int partial = 0;
        int opaque = 0;
        for (int y = 0; y < CELL; ++y) {
            for (int x = 0; x < CELL; ++x) {
                const int a = alpha(left + x, y);
                partial += a > 0 && a < 255;
                opaque += a == 255;
            }
        }
        EXPECT_GT(partial, 8) << "sphere " << k << " has a hard outline";
        EXPECT_GT(opaque, 100) << "sphere " << k << " is too small";
        EXPECT_EQ(alpha(left + 7, 7), 255);
        EXPECT_EQ(alpha(left + 8, 8), 255);
    }
}

TEST_F(SphereSheetTest, SpheresHaveClearlyDifferentColours) {
    for (int a = 0; a < SPHERES; ++a) {
        for (int b = a + 1; b < SPHERES; ++b) {
            const unsigned char* first = texel(a * CELL + 8, 8);
            const unsigned char* second = texel(b * CELL + 8, 8);
            int distance = 0;
            for (int c = 0; c < 3; ++c) {
                distance += std::abs(first[c] - second[c]);
            }
            EXPECT_GT(distance, 90) << "spheres " << a << " and " << b;
        }
    }
}

} // namespace
