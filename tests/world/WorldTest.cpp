#include "world/World.h"
#include "gfx/Sprite.h"
#include "tests/support/GlRecorder.h"
#include "world/CollisionManager.h"
#include "world/FallingSphere.h"
#include "world/PairFinder.h"
#include "world/SphereLink.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <random>
#include <sstream>

const Vector2 ANY(NAN, NAN), UNTOUCHED(99, 99); // not checked; a contact field left alone

void expectAt(Vector2 at, Vector2 want, float within = 1e-3f) {
    EXPECT_LE(std::isnan(want.x) ? 0 : std::hypot(at.x - want.x, at.y - want.y), within);
}

template <class S = Sphere> S moved(Vector2 from, Vector2 to, S sphere = {}) { // to == from: rests
    sphere.setPosition(from);
    sphere.setPosition(to);
    return sphere;
}

// Two spheres, each moved from one centre to another, and what the contact test reports.
struct Placement {
    Vector2 firstFrom, firstTo, secondFrom, secondTo;
    float t; // -1: no contact
    Vector2 firstContact, secondContact;
};

TEST(WorldObjects, CollisionPlacements) {
    const Placement placements[] = {
        {{2, 8}, {2, 8}, {-16, 0}, {16, 0}, 0.129487f, {2, 8}, {-11.8564f, 0}},
        {{-16, 0}, {16, 0}, {2, 8}, {2, 8}, 0.129487f, {-11.8564f, 0}, {2, 8}},
        {{0, 0}, {0, 0}, {-10, 0}, {-5, 0}, -1.2f, {0, 0}, {-16, 0}}, // overlapping, moving in
        {{-10, 0}, {-40, 0}, {0, 0}, {0, 0}, 0, {-10, 0}, {0, 0}},    // overlapping, moving out
        {{0, 0}, {0, 0}, {-40, -40}, {-12, -12}, -1, ANY, ANY},       // stops short
        {{0, 50}, {0, 50}, {16, 50}, {16, 50}, 0, {0, 50}, {16, 50}}, // resting, just touching
        {{-16, 2}, {16, 2}, {2, -32}, {2, 32}, 0.5625f, {2, 2}, {2, 4}},
        {{-54, 0}, {54, 0}, {0, 0}, {54, 0}, 1, {54, 0}, {54, 0}},            // parallel paths
        {{-74, -20}, {-74, -10}, {-100, 0}, {-90, 0}, 2, {-74, 0}, {-80, 0}}, // boxes touch
        {{-100, 0}, {-90, 0}, {100, 5}, {-73, 5}, -1, UNTOUCHED, UNTOUCHED},  // boxes apart
        {{0, -20}, {0, 20}, {0, -10}, {10, -10}, 0, {0, -20}, {0, -10}},      // zero-length search
        {{0, 30}, {10, 30}, {0, -20}, {0, 20}, -1, ANY, ANY},                 // the same, apart
    };
    Vector2 down(0, -180), zero;
    normalize(down);
    normalize(zero);
    EXPECT_TRUE(down.x == 0 && down.y == -1 && zero.x == 0 && zero.y == 0) << "zero stays zero";
    for (const Placement& placed : placements) {
        CollisionResult result{UNTOUCHED, UNTOUCHED};
        CollisionManager::test(moved(placed.firstFrom, placed.firstTo),
                               moved(placed.secondFrom, placed.secondTo), result);
        EXPECT_NEAR(result.t, placed.t, 1e-5f);
        expectAt(result.firstContact, placed.firstContact);
        expectAt(result.secondContact, placed.secondContact);
    }
}

TEST(WorldObjects, LinksSpreadTheLargestChain) {
    Sphere hub, outer, spoke[Sphere::MAX_LINKS + 1];
    std::deque<SphereLink> links; // addresses stay put
    spoke[4].setChain(7);
    for (Sphere& other : spoke)
        links.emplace_back(&other, &hub).attach();
    links.emplace_back(&outer, &spoke[4]).attach();
    EXPECT_TRUE(spoke[6].isLinkedTo(hub) && !hub.isLinkedTo(spoke[6])) << "a seventh: in one only";
    hub.setChain(2); // spokes 0 to 3 take the 2 before spoke 4 raises the hub: they get 7 too
    for (int i = 0; i < Sphere::MAX_LINKS; ++i)
        EXPECT_TRUE(hub.isLinkedTo(spoke[i]) && spoke[i].getChain() == 7) << i;
    EXPECT_EQ(outer.getChain(), 0u) << "spoke 4's equal value ends the spread";
    for (float apart : {18.2f, 18.25f}) { // 331.24 and 333.06 squared units
        hub.placeAtRest({apart, 0});      // from spoke 0, at the origin
        EXPECT_EQ(links[0].isBroken(), apart > 18.2f);
    }
}

TEST(WorldObjects, SphereDrawsItsSpriteCentredOnItsScreenPosition) {
    Sphere sphere = moved({10, -20}, {10, -20});
    Sprite sprite;
    sprite.setSize({16, 16});
    sphere.setView(320, 240, 2, 0.5f); // on screen at (660, 110); the radius is not scaled
    sphere.draw();                     // no sprite: nothing
    sphere.setSprite(&sprite);
    sphere.draw();
    ASSERT_EQ(GlRecorder::state().strips.size(), 1u);
    for (const GlVertex& corner : GlRecorder::state().strips[0].vertices)
        EXPECT_TRUE((corner.x == 652 || corner.x == 668) && (corner.y == 102 || corner.y == 118))
            << corner.x << "," << corner.y;
}

// A sphere of one kind touches a falling sphere, a stopper and the sensor; the
// falling sphere then makes a step.
struct Touch {
    int kind;
    Vector2 fallingEndsAt, fallingVelocity;
    bool endsStopper, hitsSensor;
};

TEST(WorldObjects, TouchesOfEachKindThenAStep) {
    const Touch touches[] = {
        {KIND_FALLING, {-199.983325f, -1.8f}, {1.6675f, -180}, true, false}, // no 1/2 on the pull
        {KIND_STUCK, {-196, 10}, {}, true, true}, // stuck at (-190, 10), pushed from (-180, 10)
        {KIND_STOPPER, {-199.983325f, -0.3888f}, {1.6675f, -38.88f}, true, false}, // braked 3 times
        {KIND_TESTER, {-199.983325f, -1.8f}, {1.6675f, -180}, false, false},
    };
    for (const auto& [kind, fallingAt, velocity, endsStopper, hitsSensor] : touches) {
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
    for (float x :
         {0.0f, 1000.0f, 1000.5f}) { // at the centre of the pull, the field's edge, beyond
        FallingSphere falling = moved<FallingSphere>({x, 0}, {x, 0});
        falling.update(0.01f);
        const float movedTo = falling.getPosition().x;
        EXPECT_TRUE(falling.isRemoved() == (x > 1000) && (movedTo < x) == (x == 1000) &&
                    std::isfinite(movedTo))
            << x;
    }
}

// A contact is told every step it lasts, also between spheres at rest.
struct Told {
    int contacts = 0;
};
template <class K> struct Telling : K, Told {
    void onCollision(Sphere& other, Vector2 contact, float t) override {
        ++contacts;
        K::onCollision(other, contact, t);
    }
};

template <class K = Sphere> K& put(World& field, Vector2 at, int colour = 0, Vector2 v = {}) {
    auto sphere = std::make_unique<Telling<K>>();
    sphere->placeAtRest(at);
    sphere->setColour(colour);
    if constexpr (std::is_same_v<K, FallingSphere>)
        sphere->setVelocity(v);
    return static_cast<K&>(field.add(std::move(sphere)));
}

// Each placement, far from the others, is a case; the crossing sphere's seventh link is in no slot.
TEST(WorldStep, StepsLinkTouchingOrNearlyTouchingSpheresAndScoreMatchingStuckOnes) {
    World field;
    put(field, {0, 300}, 1);
    put(field, {18, 300}, 1);     // in link range of the first
    put(field, {34, 300}, 1);     // touches the second only
    put(field, {18, 306.08f}, 1); // on the second, in range of the third, 19 from the first
    const Sphere& stuck = put(field, {0, -500}, 4);
    auto& sticking = put<FallingSphere>(field, {-20, -500}, 4, {1000, 0});
    put<Stopper>(field, {0, -700});
    auto& braked = put<FallingSphere>(field, {-20, -700}, 0, {1000, 0});
    auto& unbraked = put<FallingSphere>(field, {0, -680}, 0, {0, -2000}); // reaches it second
    for (float x = 985; x < 995; x += 1.5f)
        put<SphereTester>(field, {x, 0});
    const Sphere& crossing = put<FallingSphere>(field, {990, 0}, 0, {100, 0});
    auto& outer = put<FallingSphere>(field, {300, 0}, 2); // stuck, farther out than what sticks
    outer.setKind(KIND_STUCK);
    put<FallingSphere>(field, {270, 3}, 3, {1000, 0});
    put(field, {0, 900}, 2);
    put<FallingSphere>(field, {-30, 917}, 2, {1500, 0}); // ends 17 from it: in range, not touching
    field.step(0.02f);
    EXPECT_TRUE(outer.getPosition().x == 300 && outer.getPosition().y == 0) << "told first, stays";
    EXPECT_EQ(field.getLinks().size(), 7u + 28u) << "the falling ones met and parted";
    EXPECT_EQ(field.getScore(), 6u) << "1, 1 along the row, 1 + 2 closing a loop, 1 on sticking";
    EXPECT_NEAR(sticking.squaredDistanceTo(stuck), 16 * 16, 0.01f) << "stuck where it touched";
    EXPECT_NEAR(braked.getVelocity().x, 600, 1);
    EXPECT_NEAR(unbraked.getVelocity().y, -2000, 1);
    field.step(0.02f);
    EXPECT_EQ(field.getLinks().size(), 6u + 28u) << "the hit stopper left with its link";
    while (crossing.getPosition().x <= 1000)
        field.step(0.02f);
    field.step(0.02f);
    EXPECT_EQ(field.getLinks().size(), 6u + 21u) << "the crossing sphere left with all its links";
}

// A link goes with either of its spheres. The links of a sphere whose six slots
// are full are each made once, and one does not stand in for another.
TEST(WorldStep, LinksOfLeavingSpheresAndOfFullOnes) {
    for (const bool laterLeads : {true, false}) { // the link's first sphere leaves, or its second
        World field;
        const auto& earlier =
            put<FallingSphere>(field, {laterLeads ? 980.0f : 990.0f, 0}, 0, {500, 0});
        put<FallingSphere>(field, {laterLeads ? 990.0f : 980.0f, 0}, 0, {500, 0});
        for (field.step(0.01f); field.size() == 2; field.step(0.01f))
            ASSERT_EQ(field.getLinks().size(), 1u) << "touching all along";
        const Sphere& stays = *field.getSpheres()[0];
        EXPECT_TRUE(field.getLinks().empty() && (&stays == &earlier) == laterLeads &&
                    std::count(stays.getLinks().begin(), stays.getLinks().end(), nullptr) == 6);
    }
    World field;
    for (int i = 0; i < 8; ++i) // a ring whose neighbours touch
        put(field, Vector2(std::cos(0.7854f * i), std::sin(0.7854f * i)) * 17.0f, 1);
    const Sphere& hub = put(field, {}, 1);
    field.step(0.01f);
    const std::uint32_t score = field.getScore();
    for (int step = 0; step < 3; field.step(0.01f), ++step)
        EXPECT_TRUE(field.getLinks().size() == 16u && field.getScore() == score &&
                    std::count(hub.getLinks().begin(), hub.getLinks().end(), nullptr) == 0);
}

// Which pairs a step tests. Spheres 1, 2 and 3 are near each other, 0 far off.
TEST(WorldPairs, AnUnchangedSphereMeetsWhatItAffectedAndWhatChangedNearIt) {
    std::vector<std::unique_ptr<Sphere>> spheres;
    PairFinder pairs(spheres);
    for (const float x : {-200.0f, 100.0f, 110.0f, 120.0f}) {
        spheres.push_back(std::make_unique<Sphere>());
        spheres.back()->placeAtRest({x, 0});
        pairs.added();
    }
    // The pairs handed out, earlier sphere first; those in effects had one.
    const auto step = [&](const std::string& effects) {
        std::string met;
        pairs.beginStep();
        for (std::size_t index = 0; index < spheres.size(); pairs.endPass(), ++index) {
            pairs.beginPass(index);
            for (std::size_t earlier = 0; pairs.next(earlier);) {
                met += std::to_string(earlier) + std::to_string(index) + ' ';
                pairs.tested(effects.find(met.substr(met.size() - 3)) != std::string::npos);
            }
        }
        return met;
    };
    EXPECT_EQ(step("12 "), "12 13 23 ") << "new: all near";
    EXPECT_EQ(step(""), "12 ") << "at rest: what had an effect";
    EXPECT_EQ(step(""), "");
    spheres[3]->placeAtRest({119, 0});
    EXPECT_EQ(step("23 "), "13 23 ") << "moved: all near";
    spheres[1]->setKind(KIND_FALLING);
    EXPECT_EQ(step(""), "12 13 23 ") << "a new kind: told to those after it";
    EXPECT_EQ(step(""), "");
    spheres[3]->placeAtRest({118, 0});
    EXPECT_EQ(step("23 "), "13 23 ");
    pairs.removing(2);
    spheres.erase(spheres.begin() + 2);
    EXPECT_EQ(step(""), "") << "what it affected left";
}

// Everything the rules decide, each float to the last bit, spheres and links by their places.
std::string snapshot(const World& field) {
    std::map<const void*, std::size_t> place{{nullptr, 0}};
    for (const auto& sphere : field.getSpheres())
        place.emplace(sphere.get(), place.size());
    std::ostringstream out;
    out << std::hexfloat << field.getScore();
    for (const auto& link : field.getLinks()) {
        place.emplace(link.get(), place.size());
        out << ' ' << place[link->first] << '-' << place[link->second];
    }
    for (const auto& sphere : field.getSpheres()) {
        const auto* falling = dynamic_cast<const FallingSphere*>(sphere.get());
        for (const Vector2 at : {sphere->getPosition(), sphere->getPreviousPosition(),
                                 falling != nullptr ? falling->getVelocity() : Vector2()})
            out << ' ' << at.x << ',' << at.y;
        out << " told " << dynamic_cast<const Told&>(*sphere).contacts << " kind "
            << sphere->getKind() << " removed " << sphere->isRemoved() << " chain "
            << sphere->getChain() << " links";
        for (const SphereLink* slot : sphere->getLinks())
            out << ' ' << place[slot];
        out << '\n';
    }
    return out.str();
}

// A seeded world that crowds every rule, after each step.
std::vector<std::string> play(World::PairSearch search, unsigned seed) {
    World field(search);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> angle(0.0f, 6.2832f), unit(0.0f, 1.0f), dt(0.004f, 0.07f);
    const auto colour = [&] { return static_cast<int>(random() % 5); };
    // Clusters at the nucleus and the sensor: coincident, overlapping, touching, near.
    put<FallingSphere>(field, {}, colour()).setKind(KIND_STUCK); // stuck, as in the game
    const auto& sensor = put<SphereTester>(field, {-200, 0});
    const float gaps[] = {0.0f, 11.0f, 16.0f, 16.0f, 17.5f, 18.2f};
    for (int i = 0; i < 70; ++i) {
        const Vector2 base = field.getSpheres()[random() % field.size()]->getPosition();
        const Vector2 gap = Vector2(std::cos(1.3f * i), std::sin(1.3f * i)) * gaps[i % 6];
        put<FallingSphere>(field, base + gap, colour()).setKind(KIND_STUCK);
    }
    std::vector<Sphere*> stuckLater; // at rest in link range, stuck only later
    for (int i = 0; i < 24; ++i) {   // and stoppers in the cluster's gaps, left to expire
        const Vector2 at = field.getSpheres()[random() % field.size()]->getPosition() +
                           Vector2(std::cos(2.0f * i), std::sin(2.0f * i)) * 17.0f;
        if (i % 6 != 0)
            put<Stopper>(field, at);
        else
            stuckLater.push_back(&put(field, at, colour()));
    }
    // Two spheres reaching one stopper in the same step.
    put<FallingSphere>(field, {-30, -99}, colour(), {1200, 0});
    put<Stopper>(field, {0, -99});
    put<FallingSphere>(field, {30, -99}, colour(), {-1200, 0});
    std::vector<std::string> history;
    for (int step = 0; step < 240; ++step) {
        for (Sphere* sphere : stuckLater)
            sphere->setKind(step < 100 ? KIND_FALLING : KIND_STUCK);
        if (step % 4 == 0) { // orbiting, fast and leaving spheres, and stoppers
            const float turn = angle(random), speed = step % 12 ? 180.0f : 4000.0f * unit(random);
            const Vector2 out(std::cos(turn), std::sin(turn));
            const Vector2 at = out * (60.0f + 900.0f * unit(random));
            put<FallingSphere>(field, at, colour(), Vector2(out.y, -out.x) * speed);
            put<Stopper>(field, Vector2(unit(random) - 0.5f, unit(random) - 0.5f) * 600.0f);
        }
        field.step(dt(random));
        history.push_back(snapshot(field) + (sensor.isHit() ? "sensor hit" : ""));
    }
    return history;
}

TEST(WorldStep, NearPairsGiveTheWorldOfEveryPairAfterEachStep) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const auto fast = play(World::PairSearch::NEAR_PAIRS, seed);
        const auto reference = play(World::PairSearch::EVERY_PAIR, seed);
        for (std::size_t step = 0; step < reference.size(); ++step)
            ASSERT_EQ(fast[step], reference[step]) << "seed " << seed << ", after step " << step;
    }
}
