#include "world/FallingSphere.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

#include <initializer_list>

TEST(StopperTest, LastsExactlyItsLifetime) {
    Stopper stopper;
    for (int i = 0; i < 6; ++i) {
        stopper.update(0.5f);
    }
    EXPECT_EQ(stopper.getAge(), Stopper::STOPPER_LIFETIME);
    EXPECT_FALSE(stopper.isRemoved());
    stopper.update(0.5f);
    EXPECT_TRUE(stopper.isRemoved());
}

TEST(StopperTest, AnyTouchButTheSensorsEndsIt) {
    Sphere stuck;
    Stopper other;
    FallingSphere falling;
    SphereTester sensor;
    for (Sphere* toucher : std::initializer_list<Sphere*>{&stuck, &other, &falling, &sensor}) {
        Stopper stopper;
        stopper.onCollision(*toucher, Vector2(), 0.0f);
        EXPECT_EQ(stopper.isRemoved(), toucher != &sensor) << "kind " << toucher->getKind();
    }
}

TEST(SphereTesterTest, OnlyAStuckSphereSetsTheHitForGood) {
    SphereTester sensor;
    FallingSphere falling;
    Stopper stopper;
    sensor.onCollision(falling, Vector2(), 0.0f);
    sensor.onCollision(stopper, Vector2(), 0.0f);
    EXPECT_FALSE(sensor.isHit());

    // A sphere that stuck earlier in the same step is stuck by the time the sensor hears of it.
    Sphere nucleus;
    falling.onCollision(nucleus, Vector2(-16.0f, 0.0f), 0.5f);
    sensor.onCollision(falling, Vector2(), 0.0f);
    sensor.onCollision(stopper, Vector2(), 0.0f);
    sensor.update(0.07f);
    EXPECT_TRUE(sensor.isHit());
}
