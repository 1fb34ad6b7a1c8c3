#include "app/Playfield.h"

#include "world/FallingSphere.h"
#include "world/SphereLink.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

template <typename Kind> Kind& place(Playfield& field, float x, float y, int colour = 0) {
    auto sphere = std::make_unique<Kind>();
    sphere->setPosition(Vector2(x, y));
    sphere->setPosition(Vector2(x, y));
    sphere->setColour(colour);
    Kind& placed = *sphere;
    field.add(std::move(sphere));
    return placed;
}

bool linked(const Playfield& field, const Sphere& a, const Sphere& b) {
    const auto& links = field.getLinks();
    return std::any_of(links.begin(), links.end(), [&](const std::unique_ptr<SphereLink>& link) {
        return (link->first == &a && link->second == &b) ||
               (link->first == &b && link->second == &a);
    });
}

// Every slot holds a live link that names its sphere, and every link names
// spheres that are in the world.
void expectConsistent(const Playfield& field) {
    const auto& spheres = field.getSpheres();
    const auto& links = field.getLinks();
    auto inWorld = [&](const Sphere* sphere) {
        return std::any_of(spheres.begin(), spheres.end(),
                           [&](const std::unique_ptr<Sphere>& s) { return s.get() == sphere; });
    };
    for (const auto& link : links) {
        EXPECT_TRUE(inWorld(link->first));
        EXPECT_TRUE(inWorld(link->second));
    }
    for (const auto& sphere : spheres) {
        for (const SphereLink* slot : sphere->getLinks()) {
            if (slot == nullptr) {
                continue;
            }
            EXPECT_TRUE(std::any_of(links.begin(), links.end(),
                                    [&](const auto& link) { return link.get() == slot; }));
            EXPECT_TRUE(slot->first == sphere.get() || slot->second == sphere.get());
        }
    }
}

TEST(PlayfieldStep, SimulatesAtMostSeventyMilliseconds) {
    Playfield field;
    EXPECT_FLOAT_EQ(field.step(0.05f), 0.05f);
    EXPECT_FLOAT_EQ(field.step(0.5f), 0.07f);
}

TEST(PlayfieldLinks, StuckSpheresOfOneColourLinkWithinRangeAndScore) {
    Playfield field;
    Sphere& first = place<Sphere>(field, 0.0f, 0.0f, 2);
    Sphere& second = place<Sphere>(field, 18.0f, 0.0f, 2);
    field.step(0.02f);
    EXPECT_TRUE(linked(field, first, second)) << "18 apart is within link range";
    EXPECT_EQ(field.getScore(), 1u);
    EXPECT_EQ(first.getChain(), 1u);
    EXPECT_EQ(second.getChain(), 1u);

    field.step(0.02f);
    EXPECT_EQ(field.getLinks().size(), 1u) << "no second link while the first exists";
    EXPECT_EQ(field.getScore(), 1u);
}

TEST(PlayfieldLinks, StuckSpheresNineteenApartStayUnlinked) {
    Playfield field;
    place<Sphere>(field, 0.0f, 0.0f, 2);
    place<Sphere>(field, 19.0f, 0.0f, 2);
    field.step(0.02f);
    EXPECT_TRUE(field.getLinks().empty());
    EXPECT_EQ(field.getScore(), 0u);
}

TEST(PlayfieldLinks, AThirdSphereTouchingTheLaterOneScoresItsChain) {
    Playfield field;
    place<Sphere>(field, 0.0f, 0.0f, 1);
    Sphere& middle = place<Sphere>(field, 18.0f, 0.0f, 1);
    Sphere& third = place<Sphere>(field, 34.0f, 0.0f, 1);
    field.step(0.02f);
    EXPECT_TRUE(linked(field, middle, third));
    EXPECT_EQ(third.getChain(), 1u);
    EXPECT_EQ(field.getScore(), 2u);
}

TEST(PlayfieldLinks, DifferentColoursOrAFallingSphereLinkWithoutScoring) {
    Playfield field;
    Sphere& red = place<Sphere>(field, 0.0f, 0.0f, 1);
    Sphere& green = place<Sphere>(field, 16.0f, 0.0f, 2);
    field.step(0.02f);
    EXPECT_TRUE(linked(field, red, green));
    EXPECT_EQ(field.getScore(), 0u);

    Playfield other;
    Sphere& sensor = place<SphereTester>(other, -200.0f, 0.0f);
    auto& falling = place<FallingSphere>(other, -200.0f, 0.0f);
    falling.setVelocity(Vector2(0.0f, -180.0f));
    other.step(0.01f);
    EXPECT_TRUE(linked(other, sensor, falling));
    EXPECT_EQ(other.getScore(), 0u);
}

TEST(PlayfieldLinks, ALinkDissolvesInTheFirstStepThatEndsBeyondItsRange) {
    Playfield field;
    Sphere& sensor = place<SphereTester>(field, 0.0f, 500.0f);
    auto& falling = place<FallingSphere>(field, 0.0f, 500.0f);
    falling.setVelocity(Vector2(0.0f, 100.0f));
    field.step(0.01f);
    ASSERT_TRUE(linked(field, sensor, falling));

    int steps = 0;
    while (linked(field, sensor, falling) && steps < 100) {
        const float before = std::sqrt(falling.squaredDistanceTo(sensor));
        field.step(0.01f);
        ++steps;
        const float after = std::sqrt(falling.squaredDistanceTo(sensor));
        if (linked(field, sensor, falling)) {
            EXPECT_LE(after, 18.25f);
        } else {
            EXPECT_GT(after, 18.24f);
            EXPECT_LE(before, 18.25f);
        }
    }
    EXPECT_FALSE(linked(field, sensor, falling));
    EXPECT_EQ(sensor.getLinks()[0], nullptr) << "the slot is cleared with the link";
}

TEST(PlayfieldRemoval, ASphereThatRemovesItselfLeavesInTheSameStepWithItsLinks) {
    Playfield field;
    place<Stopper>(field, 100.0f, 100.0f);
    auto& sensor = place<SphereTester>(field, 108.0f, 100.0f);
    field.step(0.02f);
    ASSERT_EQ(field.getLinks().size(), 1u) << "a sensor touching a stopper is linked";
    EXPECT_EQ(field.size(), 2u) << "a sensor does not end a stopper";

    for (int i = 0; i < 160; ++i) {
        field.step(0.02f);
    }
    EXPECT_EQ(field.size(), 1u) << "the stopper expired";
    EXPECT_TRUE(field.getLinks().empty());
    EXPECT_EQ(sensor.getLinks()[0], nullptr);
}

TEST(PlayfieldRemoval, AHitStopperBrakesAndLeavesInTheNextStep) {
    Playfield field;
    place<Stopper>(field, 0.0f, -500.0f);
    auto& falling = place<FallingSphere>(field, -20.0f, -500.0f);
    falling.setVelocity(Vector2(1000.0f, 0.0f));
    field.step(0.02f);
    EXPECT_EQ(field.size(), 2u) << "flagged, but still in the world this step";
    EXPECT_NEAR(falling.getVelocity().x, 600.0f, 1.0f);
    field.step(0.02f);
    EXPECT_EQ(field.size(), 1u);
    expectConsistent(field);
}

// Seven sensors packed around one point, all linked to each other (so their
// six slots are full), and a fast falling sphere that crosses all seven and
// ends beyond the 1000-unit field: it records six of its seven links, the
// sensors none, so one link is recorded by neither sphere.
TEST(PlayfieldSlotOverflow, NoLinkOutlivesASphereWithSevenContacts) {
    Playfield field;
    std::vector<Sphere*> sensors;
    for (int i = 0; i < 7; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / 7.0f;
        sensors.push_back(
            &place<SphereTester>(field, 1002.0f + 5.0f * std::cos(angle), 5.0f * std::sin(angle)));
    }
    auto& crossing = place<FallingSphere>(field, 964.0f, 0.0f);
    crossing.setVelocity(Vector2(2000.0f, 0.0f));

    field.step(0.02f);
    ASSERT_EQ(field.getLinks().size(), 21u + 7u);
    for (Sphere* sensor : sensors) {
        EXPECT_TRUE(linked(field, *sensor, crossing));
    }
    expectConsistent(field);

    ASSERT_GT(crossing.getPosition().x, 1000.0f);
    field.step(0.02f); // beyond 1000 units: it leaves the world
    ASSERT_EQ(field.size(), 7u);
    EXPECT_EQ(field.getLinks().size(), 21u);
    expectConsistent(field);
    field.step(0.02f);
    expectConsistent(field);
}

// A stuck sphere in range of seven same-coloured stuck spheres records six
// links; the seventh is kept by the world but is not made, nor scored, again.
TEST(PlayfieldSlotOverflow, AnUnrecordedPairIsNotLinkedOrScoredAgain) {
    Playfield field;
    for (int i = 0; i < 7; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / 7.0f;
        place<Sphere>(field, 17.0f * std::cos(angle), 17.0f * std::sin(angle), 3);
    }
    Sphere& centre = place<Sphere>(field, 0.0f, 0.0f, 3);
    field.step(0.02f);
    const std::size_t linkCount = field.getLinks().size();
    const std::uint32_t score = field.getScore();
    EXPECT_EQ(std::count_if(field.getLinks().begin(), field.getLinks().end(),
                            [&](const auto& link) { return link->first == &centre; }),
              7);

    for (int i = 0; i < 10; ++i) {
        field.step(0.02f);
    }
    EXPECT_EQ(field.getLinks().size(), linkCount);
    EXPECT_EQ(field.getScore(), score);
    expectConsistent(field);
}

} // namespace
