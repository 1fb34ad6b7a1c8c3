#include "gfx/Sprite.h"
#include "tests/support/GlRecorder.h"
#include "world/CollisionManager.h"
#include "world/FallingSphere.h"
#include "world/SphereLink.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <tuple>

const Vector2 ANY(NAN, NAN), UNTOUCHED(99, 99); // not checked; a contact field left alone

void expectAt(Vector2 at, Vector2 want, float within = 1e-3f) {
    EXPECT_LE(std::isnan(want.x) ? 0 : std::hypot(at.x - want.x, at.y - want.y), within);
}

template <class S = Sphere> S moved(Vector2 from, Vector2 to, S sphere = {}) { // to == from: rests
    sphere.setPosition(from);
    sphere.setPosition(to);
    return sphere;
}

TEST(World, CollisionPlacements) {
    const std::tuple<Vector2, Vector2, Vector2, Vector2, float, Vector2, Vector2> placements[] = {
        {{2, 8}, {2, 8}, {-16, 0}, {16, 0}, 0.129487f, {2, 8}, {-11.8564f, 0}},
        {{-16, 0}, {16, 0}, {2, 8}, {2, 8}, 0.129487f, {-11.8564f, 0}, {2, 8}},
        {{0, 0}, {0, 0}, {-10, 0}, {-5, 0}, -1.2f, {0, 0}, {-16, 0}}, // overlapping, moving in
        {{-10, 0}, {-40, 0}, {0, 0}, {0, 0}, 0, {-10, 0}, {0, 0}},    // overlapping, moving out
        {{0, 0}, {0, 0}, {-40, -40}, {-12, -12}, -1, ANY, ANY},       // stops short
        {{-16, 2}, {16, 2}, {2, -32}, {2, 32}, 0.5625f, {2, 2}, {2, 4}},
        {{-54, 0}, {54, 0}, {0, 0}, {54, 0}, 1, {54, 0}, {54, 0}},            // parallel paths
        {{-74, -20}, {-74, -10}, {-100, 0}, {-90, 0}, 2, {-74, 0}, {-80, 0}}, // boxes touch
        {{-100, 0}, {-90, 0}, {100, 5}, {-73, 5}, -1, UNTOUCHED, UNTOUCHED},  // boxes apart
        {{0, -20}, {0, 20}, {0, -10}, {10, -10}, 0, {0, -20}, {0, -10}},      // zero-length search
        {{0, 30}, {10, 30}, {0, -20}, {0, 20}, -1, ANY, ANY},                 // the same, apart
    };
    for (auto [a0, a1, b0, b1, t, aAt, bAt] : placements) {
        CollisionResult result{UNTOUCHED, UNTOUCHED};
        CollisionManager::test(moved(a0, a1), moved(b0, b1), result);
        EXPECT_NEAR(result.t, t, 1e-5f);
        expectAt(result.firstContact, aAt);
        expectAt(result.secondContact, bAt);
    }
}

TEST(World, LinksSpreadTheLargestChain) {
    Sphere hub, outer, s[Sphere::MAX_LINKS + 1];
    std::deque<SphereLink> links; // addresses stay put
    s[4].setChain(7);
    for (Sphere& other : s)
        links.emplace_back(&other, &hub).attach();
    links.emplace_back(&outer, &s[4]).attach();
    EXPECT_TRUE(s[6].isLinkedTo(hub) && !hub.isLinkedTo(s[6])) << "a seventh only in s[6]'s slots";
    hub.setChain(2); // s[0] to s[3] take the 2 before s[4] raises the hub: they get the 7 too
    for (int i = 0; i < Sphere::MAX_LINKS; ++i)
        EXPECT_TRUE(hub.isLinkedTo(s[i]) && s[i].getChain() == 7) << i;
    EXPECT_EQ(outer.getChain(), 0u) << "s[4]'s equal value ends the spread";
    for (float apart : {18.2f, 18.25f}) { // 331.24 and 333.06 squared units
        hub.placeAtRest({apart, 0});      // from s[0], at the origin
        EXPECT_EQ(links[0].isBroken(), apart > 18.2f);
    }
}

TEST(World, SphereDrawsItsSpriteCentredOnItsScreenPosition) {
    Sphere sphere = moved({10, -20}, {10, -20});
    Sprite sprite;
    sprite.setSize({16, 16});
    sphere.setView(320, 240, 2, 0.5f); // on screen at (660, 110); the radius is not scaled
    sphere.draw();                     // no sprite: nothing
    sphere.setSprite(&sprite);
    sphere.draw();
    ASSERT_EQ(GlRecorder::strips().size(), 1u);
    for (const GlVertex& v : GlRecorder::strips()[0].vertices)
        EXPECT_TRUE((v.x == 652 || v.x == 668) && (v.y == 102 || v.y == 118)) << v.x << "," << v.y;
}

TEST(World, TouchesOfEachKindThenAStep) { // on a falling sphere, a stopper and the sensor
    const std::tuple<int, Vector2, Vector2, bool, bool> touches[] = {
        {KIND_FALLING, {-199.983325f, -1.8f}, {1.6675f, -180}, true, false}, // no 1/2 on the pull
        {KIND_STUCK, {-196, 10}, {}, true, true}, // stuck at (-190, 10), pushed from (-180, 10)
        {KIND_STOPPER, {-199.983325f, -0.3888f}, {1.6675f, -38.88f}, true, false}, // braked 3 times
        {KIND_TESTER, {-199.983325f, -1.8f}, {1.6675f, -180}, false, false},
    };
    for (auto [kind, fallingAt, velocity, endsStopper, hitsSensor] : touches) {
        Sphere other = moved({-180, 10}, {-180, 10});
        FallingSphere falling = moved<FallingSphere>({-200, 0}, {-200, 0});
        Stopper stopper;
        SphereTester sensor;
        other.setKind(kind);
        falling.setVelocity({0, -180});
        falling.onCollision(other, {-190, 10}, 0.5f);
        EXPECT_EQ(falling.getKind() == KIND_STUCK && falling.isResting(), kind == KIND_STUCK);
        falling.onCollision(other, falling.getPosition(), 0.5f); // outside other: pushed out
        falling.onCollision(other, {-170, 10}, 0.5f);            // nearer the origin: stays
        falling.update(0.01f);
        falling.update(0);
        stopper.update(3); // exactly its lifetime: only a touch ends it yet
        stopper.onCollision(other, {}, 0);
        sensor.onCollision(other, {}, 0);
        expectAt(falling.getPosition(), fallingAt);
        expectAt(falling.getVelocity(), velocity, 2e-3f);
        EXPECT_TRUE(stopper.isRemoved() == endsStopper && sensor.isHit() == hitsSensor) << kind;
        stopper.update(0.01f);
        EXPECT_TRUE(stopper.isRemoved()) << "past three seconds";
    }
    for (float x : {1000.0f, 1000.5f}) { // the edge of the field, and beyond it
        FallingSphere far = moved<FallingSphere>({x, 0}, {x, 0});
        far.update(0.01f);
        EXPECT_TRUE(far.isRemoved() == (x > 1000) && (far.getPosition().x < x) == (x == 1000)) << x;
    }
}
