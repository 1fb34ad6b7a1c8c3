#include "world/FallingSphere.h"
#include "tests/world/Placement.h"
#include "world/CollisionManager.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

namespace {

// What the world step does with a contact: both spheres hear of it, the earlier one first.
void collide(Sphere& earlier, Sphere& later) {
    CollisionResult result;
    ASSERT_TRUE(CollisionManager::test(earlier, later, result));
    earlier.onCollision(later, result.firstContact, result.t);
    later.onCollision(earlier, result.secondContact, result.t);
}

} // namespace

TEST(FallingSphereTest, FirstStepFromTheSpawnPoint) {
    FallingSphere sphere;
    sphere.placeAtRest(Vector2(-200.0f, 0.0f));
    sphere.setVelocity(Vector2(0.0f, -180.0f));
    sphere.update(0.01f);
    EXPECT_NEAR(sphere.getPosition().x, -199.983325f, 2e-5f);
    EXPECT_NEAR(sphere.getPosition().y, -1.8f, 1e-6f);
    EXPECT_EQ(sphere.getPreviousPosition().x, -200.0f);
    // Re-derived from a displacement of hundredths on a centre near 200.
    EXPECT_NEAR(sphere.getVelocity().x, 1.6675f, 2e-3f);
    EXPECT_NEAR(sphere.getVelocity().y, -180.0f, 1e-3f);
}

TEST(FallingSphereTest, StaysPutWithoutTimeOnceStuckOrBeyondTheField) {
    FallingSphere sphere;
    moveBetween(sphere, Vector2(-200.0f, 0.0f), Vector2(-190.0f, 5.0f));
    sphere.setVelocity(Vector2(0.0f, -180.0f));
    sphere.update(0.0f);
    EXPECT_EQ(sphere.getPreviousPosition().x, -200.0f);
    EXPECT_EQ(sphere.getVelocity().y, -180.0f);
    sphere.setKind(KIND_STUCK);
    sphere.update(0.05f);
    EXPECT_EQ(sphere.getPosition().y, 5.0f);

    sphere.placeAtRest(Vector2(1000.5f, 0.0f));
    sphere.setKind(KIND_FALLING);
    sphere.update(0.01f);
    EXPECT_TRUE(sphere.isRemoved());
    EXPECT_EQ(sphere.getPosition().x, 1000.5f);
    FallingSphere edge;
    edge.placeAtRest(Vector2(1000.0f, 0.0f));
    edge.update(0.01f);
    EXPECT_FALSE(edge.isRemoved());
    EXPECT_LT(edge.getPosition().x, 1000.0f);
}

TEST(FallingSphereTest, CoastsWithoutPullAtTheOrigin) {
    FallingSphere sphere;
    sphere.setVelocity(Vector2(10.0f, 0.0f));
    sphere.update(0.01f);
    EXPECT_FLOAT_EQ(sphere.getPosition().x, 0.1f);
    EXPECT_EQ(sphere.getPosition().y, 0.0f);
    EXPECT_FLOAT_EQ(sphere.getVelocity().x, 10.0f);
}

TEST(FallingSphereTest, StoppersBrakeEachContactWhileOthersPassThrough) {
    FallingSphere sphere;
    moveBetween(sphere, Vector2(-20.0f, 0.0f), Vector2(-10.0f, 3.0f));
    sphere.setVelocity(Vector2(100.0f, -50.0f));
    FallingSphere other;
    SphereTester sensor;
    Stopper stopper;
    for (Sphere* toucher : {static_cast<Sphere*>(&other), static_cast<Sphere*>(&sensor),
                            static_cast<Sphere*>(&stopper), static_cast<Sphere*>(&stopper)}) {
        sphere.onCollision(*toucher, Vector2(), 0.5f);
    }
    EXPECT_FLOAT_EQ(sphere.getVelocity().x, 36.0f);
    EXPECT_FLOAT_EQ(sphere.getVelocity().y, -18.0f);
    EXPECT_EQ(sphere.getPosition().x, -10.0f);
    EXPECT_EQ(sphere.getPreviousPosition().x, -20.0f);
    EXPECT_EQ(sphere.getKind(), KIND_FALLING);
}

TEST(FallingSphereTest, SticksAtRestWhereItFirstTouchedTheCluster) {
    Sphere nucleus;
    FallingSphere sphere;
    sphere.placeAtRest(Vector2(-40.0f, 4.0f));
    sphere.setVelocity(Vector2(600.0f, 0.0f));
    sphere.update(0.07f); // far enough to jump clean over the nucleus
    ASSERT_GT(sphere.getPosition().x, 16.0f);

    collide(nucleus, sphere);
    EXPECT_EQ(sphere.getKind(), KIND_STUCK);
    EXPECT_NEAR(length(sphere.getPosition()), 16.0f, 1e-3f);
    EXPECT_LT(sphere.getPosition().x, 0.0f) << "stuck on the side it came from";
    EXPECT_TRUE(sphere.isResting());
    EXPECT_EQ(sphere.getVelocity().x, 0.0f);
}

TEST(FallingSphereTest, OuterOfTwoOverlappingStuckSpheresIsPushedOut) {
    FallingSphere spheres[4];
    const Vector2 places[4] = {Vector2(20.0f, 0.0f), Vector2(30.0f, 0.0f), Vector2(-21.0f, -28.0f),
                               Vector2(-15.0f, -20.0f)};
    for (int i = 0; i < 4; ++i) {
        spheres[i].setKind(KIND_STUCK);
        spheres[i].placeAtRest(places[i]);
    }
    collide(spheres[0], spheres[1]);
    EXPECT_EQ(spheres[0].getPosition().x, 20.0f);
    EXPECT_FLOAT_EQ(spheres[1].getPosition().x, 36.0f);
    EXPECT_TRUE(spheres[1].isResting());

    // The outer one first in the list, along a slanted line of centres.
    collide(spheres[2], spheres[3]);
    EXPECT_EQ(spheres[3].getPosition().x, -15.0f);
    EXPECT_NEAR(spheres[2].getPosition().x, -24.6f, 1e-4f);
    EXPECT_NEAR(spheres[2].getPosition().y, -32.8f, 1e-4f);
}
