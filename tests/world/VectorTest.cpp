#include "world/Vector2.h"

#include <gtest/gtest.h>

TEST(VectorTest, NormalizeGivesUnitVectorsAndLeavesZeroAlone) {
    Vector2 up(0.0f, -180.0f);
    normalize(up);
    EXPECT_FLOAT_EQ(up.y, -1.0f);
    Vector2 slanted = fromTo(Vector2(1.0f, 2.0f), Vector2(4.0f, 6.0f));
    EXPECT_FLOAT_EQ(length(slanted), 5.0f);
    normalize(slanted);
    EXPECT_FLOAT_EQ(slanted.x, 0.6f);
    EXPECT_FLOAT_EQ(slanted.y, 0.8f);
    Vector2 zero;
    normalize(zero);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(length(zero), 0.0f);
}
