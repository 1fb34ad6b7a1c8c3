// Seeded worlds stepped over near pairs and over every pair agree to the last bit.
#include "app/Playfield.h"
#include "world/FallingSphere.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace {

using std::make_unique;
using Words = std::vector<std::uint32_t>;

// Everything the rules decide: floats by their bits, spheres and links by places.
Words snapshot(const Playfield& field) {
    std::map<const void*, std::uint32_t> place{{nullptr, 0}};
    for (const auto& sphere : field.getSpheres()) {
        place.emplace(sphere.get(), place.size());
    }
    Words words{field.getScore()};
    for (const auto& link : field.getLinks()) {
        place.emplace(link.get(), place.size());
        words.insert(words.end(), {place[link->first], place[link->second]});
    }
    for (const auto& sphere : field.getSpheres()) {
        const auto* falling = dynamic_cast<const FallingSphere*>(sphere.get());
        const Vector2 vectors[] = {sphere->getPosition(), sphere->getPreviousPosition(),
                                   falling != nullptr ? falling->getVelocity() : Vector2()};
        words.resize(words.size() + 6);
        std::memcpy(&words.back() - 5, vectors, sizeof vectors);
        words.insert(words.end(), {static_cast<std::uint32_t>(sphere->getKind()),
                                   sphere->isRemoved(), sphere->getChain()});
        for (const SphereLink* slot : sphere->getLinks()) {
            words.push_back(place[slot]);
        }
    }
    return words;
}

// A seeded world that crowds every rule, after each step.
std::vector<Words> play(Playfield::PairSearch search, unsigned seed) {
    Playfield field(search);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> angle(0.0f, 6.2832f), unit(0.0f, 1.0f), dt(0.004f, 0.07f);
    auto add = [&](auto sphere, Vector2 centre) -> auto& {
        auto& added = *sphere;
        added.placeAtRest(centre);
        added.setColour(static_cast<int>(random() % 5));
        field.add(std::move(sphere));
        return added;
    };
    // Clusters at the nucleus and the sensor: coincident, overlapping, touching, near.
    add(make_unique<FallingSphere>(), Vector2()).setKind(KIND_STUCK); // stuck, as in the game
    const auto& sensor = add(make_unique<SphereTester>(), Vector2(-200.0f, 0.0f));
    const float gaps[] = {0.0f, 11.0f, 16.0f, 16.0f, 17.5f, 18.2f};
    for (int i = 0; i < 70; ++i) {
        const Vector2 base = field.getSpheres()[random() % field.size()]->getPosition();
        const Vector2 gap = Vector2(std::cos(1.3f * i), std::sin(1.3f * i)) * gaps[i % 6];
        add(make_unique<FallingSphere>(), base + gap).setKind(KIND_STUCK);
    }
    // Two spheres reaching one stopper in the same step.
    add(make_unique<FallingSphere>(), Vector2(-30.0f, -99.0f)).setVelocity(Vector2(1200.0f, 0.0f));
    add(make_unique<Stopper>(), Vector2(0.0f, -99.0f));
    add(make_unique<FallingSphere>(), Vector2(30.0f, -99.0f)).setVelocity(Vector2(-1200.0f, 0.0f));
    std::vector<Words> history;
    for (int step = 0; step < 240; ++step) {
        if (step % 4 == 0) { // orbiting, fast and leaving spheres, and stoppers
            const float turn = angle(random), speed = step % 12 ? 180.0f : 4000.0f * unit(random);
            const Vector2 out(std::cos(turn), std::sin(turn));
            add(make_unique<FallingSphere>(), out * (60.0f + 900.0f * unit(random)))
                .setVelocity(Vector2(out.y, -out.x) * speed);
            add(make_unique<Stopper>(), Vector2(unit(random) - 0.5f, unit(random) - 0.5f) * 600.0f);
        }
        field.step(dt(random));
        history.push_back(snapshot(field));
        history.back().push_back(sensor.isHit());
    }
    return history;
}

TEST(PlayfieldEquivalence, NearPairsGiveTheWorldOfEveryPairAfterEachStep) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const auto fast = play(Playfield::PairSearch::NEAR_PAIRS, seed);
        const auto reference = play(Playfield::PairSearch::EVERY_PAIR, seed);
        for (std::size_t step = 0; step < reference.size(); ++step) {
            ASSERT_EQ(fast[step], reference[step]) << "seed " << seed << ", after step " << step;
        }
    }
}

} // namespace
