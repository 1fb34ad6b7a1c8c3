#ifndef ORBICASCADE_WORLD_WORLD_H
#define ORBICASCADE_WORLD_WORLD_H

#include "world/PairFinder.h"
#include "world/Sphere.h"
#include "world/SphereLink.h"

#include <cstdint>
#include <memory>
#include <vector>

// Every sphere of the world, in order of creation, and the links between
// spheres that touch or nearly touch. One step moves every sphere, takes out
// those that asked to leave, tests each pair for contact and tells both
// spheres of it, links touching (and nearly touching stuck) spheres, scores
// new links between stuck spheres of one colour and dissolves links whose
// spheres have drifted apart.
class World {
public:
    static constexpr float LARGEST_STEP = 0.07f;

    // Which pairs a step hands to the contact test. Every pair is the
    // reference: the rules as written, one pair after another. Near pairs are
    // those PairFinder finds, near each other and changed since their last
    // test; they must give the same world to the last bit, only sooner.
    enum class PairSearch { NEAR_PAIRS, EVERY_PAIR };

    explicit World(PairSearch search = PairSearch::NEAR_PAIRS)
        : pairSearch(search), pairs(spheres) {}
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Appends a sphere; the world owns it from now on.
    Sphere& add(std::unique_ptr<Sphere> sphere);

    // Simulates min(time, LARGEST_STEP) seconds and returns that amount.
    float step(float time);

    // Draws every sphere, front to back, so later spheres cover earlier ones.
    void draw() const;

    std::size_t size() const { return spheres.size(); }
    const std::vector<std::unique_ptr<Sphere>>& getSpheres() const { return spheres; }
    const std::vector<std::unique_ptr<SphereLink>>& getLinks() const { return links; }
    std::uint32_t getScore() const { return score; }

private:
    void testAgainstEarlier(std::size_t index);
    // Returns whether the test had an effect: a contact (which may have moved
    // or removed either sphere) or a link made.
    bool testPair(std::size_t earlier, std::size_t later);
    // Returns whether a link was made.
    bool link(Sphere& later, Sphere& earlier);
    bool hasUnrecordedLink(const Sphere& later, const Sphere& earlier) const;
    void removeSphereAt(std::size_t index);
    // Detaches and deletes every link the predicate picks, keeping the order of the rest.
    template <typename Predicate> void dropLinksIf(Predicate shouldDrop);

    PairSearch pairSearch;
    std::vector<std::unique_ptr<Sphere>> spheres;
    PairFinder pairs;
    std::vector<std::unique_ptr<SphereLink>> links;
    // Links that their later sphere could not record because its six slots
    // were full; searching that sphere's slots alone would not find them.
    std::vector<const SphereLink*> unrecordedLinks;
    std::uint32_t score = 0;
};

#endif
