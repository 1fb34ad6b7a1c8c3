#ifndef ORBICASCADE_APP_PLAYFIELD_H
#define ORBICASCADE_APP_PLAYFIELD_H

#include "world/Sphere.h"
#include "world/SphereLink.h"

#include <cstdint>
#include <memory>
#include <vector>

// Every object of the world, in order of creation, and the links between
// spheres that touch or nearly touch: the rules that move them, remove them,
// link them and score the links.
class Playfield {
public:
    static constexpr float LARGEST_STEP = 0.07f;

    // What the pair tests need to know of a sphere before visiting it.
    struct Footprint {
        Vector2 position;
        bool resting = false;
        bool removed = false;
    };

    Playfield() = default;
    Playfield(const Playfield&) = delete;
    Playfield& operator=(const Playfield&) = delete;

    // Appends a sphere; the playfield owns it from now on.
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
    void link(Sphere& later, Sphere& earlier);
    bool hasUnrecordedLink(const Sphere& later, const Sphere& earlier) const;
    void removeSphereAt(std::size_t index);
    // Detaches and deletes every link the predicate picks, keeping the order of the rest.
    template <typename Predicate> void dropLinksIf(Predicate shouldDrop);

    std::vector<std::unique_ptr<Sphere>> spheres;
    // One per sphere, kept in step with the spheres already tested this step.
    std::vector<Footprint> footprints;
    std::vector<std::unique_ptr<SphereLink>> links;
    // Links that their later sphere could not record because its six slots
    // were full; searching that sphere's slots alone would not find them.
    std::vector<const SphereLink*> unrecordedLinks;
    std::uint32_t score = 0;
};

#endif
