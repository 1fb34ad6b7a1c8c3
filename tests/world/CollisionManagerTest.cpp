#include "world/CollisionManager.h"
#include "tests/world/Placement.h"

#include <gtest/gtest.h>

namespace {

void expectPoint(Vector2 actual, float x, float y) {
    EXPECT_NEAR(actual.x, x, 1e-3f);
    EXPECT_NEAR(actual.y, y, 1e-3f);
}

// The contact time, or -1, after checking that test's answer agrees with it.
float contactTime(const Sphere& first, const Sphere& second, CollisionResult& result) {
    const bool touched = CollisionManager::test(first, second, result);
    EXPECT_EQ(touched, result.t != -1.0f);
    return result.t;
}

} // namespace

// The contact times of the common cases are checked through the self test's report.

TEST(CollisionManagerTest, ContactCentresFollowTheArgumentOrder) {
    Sphere resting;
    Sphere mover;
    resting.placeAtRest(Vector2(2.0f, 8.0f));
    moveBetween(mover, Vector2(-16.0f, 0.0f), Vector2(16.0f, 0.0f));
    CollisionResult result;
    EXPECT_NEAR(contactTime(resting, mover, result), 0.129487f, 1e-5f);
    expectPoint(result.firstContact, 2.0f, 8.0f);
    expectPoint(result.secondContact, -11.856406f, 0.0f);
    EXPECT_NEAR(contactTime(mover, resting, result), 0.129487f, 1e-5f);
    expectPoint(result.firstContact, -11.856406f, 0.0f);
    expectPoint(result.secondContact, 2.0f, 8.0f);

    Sphere other;
    other.placeAtRest(Vector2(2.0f, 18.0f)); // exactly touching counts
    EXPECT_EQ(contactTime(resting, other, result), 0.0f);
    expectPoint(result.secondContact, 2.0f, 18.0f);
}

TEST(CollisionManagerTest, ClosedFormFindsTheFirstTouchAlongThePath) {
    Sphere resting;
    resting.placeAtRest(Vector2(0.0f, 0.0f));
    Sphere mover;
    CollisionResult result;
    moveBetween(mover, Vector2(-48.0f, 0.0f), Vector2(-8.0f, 0.0f)); // stops inside reach
    EXPECT_FLOAT_EQ(contactTime(resting, mover, result), 0.8f);
    expectPoint(result.secondContact, -16.0f, 0.0f);
    moveBetween(mover, Vector2(-60.0f, 0.0f), Vector2(-20.0f, 0.0f)); // stops short
    EXPECT_EQ(contactTime(resting, mover, result), -1.0f);

    // Already overlapping: moving in, the touch lies behind the start.
    moveBetween(mover, Vector2(-10.0f, 0.0f), Vector2(-5.0f, 0.0f));
    EXPECT_FLOAT_EQ(contactTime(resting, mover, result), -1.2f);
    expectPoint(result.secondContact, -16.0f, 0.0f);
    moveBetween(mover, Vector2(-10.0f, 0.0f), Vector2(-40.0f, 0.0f));
    EXPECT_EQ(contactTime(resting, mover, result), 0.0f);
    expectPoint(result.secondContact, -10.0f, 0.0f);
}

TEST(CollisionManagerTest, MovingPairsReportTheSampledCentres) {
    Sphere first;
    Sphere second;
    CollisionResult result;
    moveBetween(first, Vector2(-16.0f, 2.0f), Vector2(16.0f, 2.0f));
    moveBetween(second, Vector2(2.0f, -32.0f), Vector2(2.0f, 32.0f));
    EXPECT_FLOAT_EQ(contactTime(first, second, result), 0.5625f);
    expectPoint(result.firstContact, 2.0f, 2.0f);
    expectPoint(result.secondContact, 2.0f, 4.0f);

    // Grown boxes that merely touch still go to the search, which here finds the
    // spheres overlapping beyond the end of the step.
    moveBetween(first, Vector2(-100.0f, 0.0f), Vector2(-90.0f, 0.0f));
    moveBetween(second, Vector2(-74.0f, -20.0f), Vector2(-74.0f, -10.0f));
    EXPECT_FLOAT_EQ(contactTime(first, second, result), 1.3f);
    expectPoint(result.firstContact, -87.0f, 0.0f);
    expectPoint(result.secondContact, -74.0f, -7.0f);

    // Boxes apart: no search, so the contact fields are left alone.
    moveBetween(second, Vector2(100.0f, 5.0f), Vector2(-73.0f, 5.0f));
    result.firstContact = Vector2(123.0f, 456.0f);
    EXPECT_EQ(contactTime(first, second, result), -1.0f);
    expectPoint(result.firstContact, 123.0f, 456.0f);
}

TEST(CollisionManagerTest, SearchOfZeroLengthReportsOnlySpheresThatTouch) {
    // The first sphere starts on the second one's line, so the crossing is at its start.
    Sphere vertical;
    moveBetween(vertical, Vector2(0.0f, -20.0f), Vector2(0.0f, 20.0f));
    Sphere first;
    CollisionResult result;
    moveBetween(first, Vector2(0.0f, 30.0f), Vector2(10.0f, 30.0f));
    EXPECT_EQ(contactTime(first, vertical, result), -1.0f);
    moveBetween(first, Vector2(0.0f, -10.0f), Vector2(10.0f, -10.0f));
    EXPECT_EQ(contactTime(first, vertical, result), 0.0f);
    expectPoint(result.secondContact, 0.0f, -20.0f);
}
