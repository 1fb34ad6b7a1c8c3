#include "world/CollisionSelfTest.h"
#include "tests/world/Placement.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(CollisionSelfTestTest, ReportsEveryCaseAndTheVerdict) {
    std::ostringstream out;
    EXPECT_TRUE(runCollisionTests(out));
    EXPECT_EQ(out.str(), "Static spheres\n"
                         "Test 1 : Success. -1\nTest 2 : Success. 0\n"
                         "Test 3 : Success. 0\nTest 4 : Success. -1\n"
                         "One static spheres\n"
                         "Test 1 : Success. 0.129487\nTest 2 : Success. 0.129487\n"
                         "Test 3 : Success. -1\nTest 4 : Success. -1\n"
                         "Test 5 : Success. -1\nTest 6 : Success. -1\n"
                         "Test 7 : Success. 0.0625\nTest 8 : Success. 0.0625\n"
                         "Moving spheres\n"
                         "Test 1 : Success. 0.5625\nTest 2 : Success. 0.53125\n"
                         "Test 3 : Success. 0.625\nTest 4 : Success. 0.625\n"
                         "Test 5 : Success. -1\nTest 6 : Success. -1\n"
                         "Test 7 : Success. -1\nTest 8 : Success. -1\n"
                         "Test 9 : Success. -1\nTest 10 : Success. -1\n"
                         "Test 11 : Success. 1\nTest 12 : Success. 1\n"
                         "All tests passed.\n");
}

TEST(CollisionSelfTestTest, AFailedCaseStillPrintsItsTime) {
    Sphere resting;
    Sphere mover;
    resting.placeAtRest(Vector2(2.0f, 8.0f));
    moveBetween(mover, Vector2(-16.0f, 8.0f), Vector2(16.0f, 8.0f));
    std::ostringstream out;
    EXPECT_FALSE(checkCollision(resting, mover, 7, false, out));
    EXPECT_TRUE(checkCollision(mover, resting, 8, true, out));
    EXPECT_EQ(out.str(), "Test 7 : Failure. 0.0625\nTest 8 : Success. 0.0625\n");
}
