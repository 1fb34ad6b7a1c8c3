#include "world/World.h"

#include "world/CollisionManager.h"
#include "world/Sphere.h"
#include "world/SphereLink.h"

#include <algorithm>

namespace {

bool bothStuck(const Sphere& a, const Sphere& b) {
    return a.getKind() == KIND_STUCK && b.getKind() == KIND_STUCK;
}

const float LINK_REACH = 2.0f * Sphere::SPHERE_RADIUS;
const float LINK_RANGE = LINK_RANGE_FACTOR * (LINK_REACH * LINK_REACH);

bool inLinkRange(const Sphere& a, const Sphere& b) {
    return a.squaredDistanceTo(b) <= LINK_RANGE;
}

bool recordedBy(const Sphere& sphere, const SphereLink* link) {
    const auto& slots = sphere.getLinks();
    return std::find(slots.begin(), slots.end(), link) != slots.end();
}

} // namespace

Sphere& World::add(std::unique_ptr<Sphere> sphere) {
    spheres.push_back(std::move(sphere));
    return *spheres.back();
}

void World::draw() const {
    for (const std::unique_ptr<Sphere>& sphere : spheres) {
        sphere->draw();
    }
}

template <typename Predicate> void World::dropLinksIf(Predicate shouldDrop) {
    const auto kept =
        std::remove_if(links.begin(), links.end(), [&](const std::unique_ptr<SphereLink>& link) {
            if (!shouldDrop(*link)) {
                return false;
            }
            link->first->removeLink(link.get());
            link->second->removeLink(link.get());
            unrecordedLinks.erase(
                std::remove(unrecordedLinks.begin(), unrecordedLinks.end(), link.get()),
                unrecordedLinks.end());
            return true;
        });
    links.erase(kept, links.end());
}

float World::step(float time) {
    const float seconds = time > LARGEST_STEP ? LARGEST_STEP : time;

    reachBoxes.resize(spheres.size());
    std::size_t index = 0;
    while (index < spheres.size()) {
        spheres[index]->update(seconds);
        if (spheres[index]->isRemoved()) {
            removeSphereAt(index);
            continue;
        }
        testAgainstEarlier(index);
        ++index;
    }

    dropLinksIf([](const SphereLink& link) { return link.isBroken(); });
    return seconds;
}

// Each pair is tested once per step, after both have moved, the earlier sphere
// first.
void World::testAgainstEarlier(std::size_t index) {
    if (pairSearch == PairSearch::NEAR_PAIRS) {
        testAgainstNearEarlier(index);
        return;
    }
    for (std::size_t before = 0; before < index; ++before) {
        testPair(before, index);
    }
}

// The same pairs in the same order, less those whose reach boxes do not
// overlap, which could neither touch nor link (see ReachBoxes::of). The boxes
// of the spheres before this one were set when they were tested and are
// refreshed whenever a contact may have moved a sphere, so they always match
// the spheres as they stand.
void World::testAgainstNearEarlier(std::size_t index) {
    const ReachBoxes::Box mine = ReachBoxes::of(*spheres[index]);
    reachBoxes.set(index, mine);
    reachBoxes.forEachOverlap(mine, index, [&](std::size_t earlier, ReachBoxes::Box& box) {
        if (!testPair(earlier, index)) {
            return false;
        }
        // This sphere may have stuck or been pushed out.
        const ReachBoxes::Box moved = ReachBoxes::of(*spheres[index]);
        if (moved == box) {
            return false;
        }
        box = moved;
        reachBoxes.set(index, moved);
        return true;
    });
}

bool World::testPair(std::size_t earlier, std::size_t later) {
    Sphere& other = *spheres[earlier];
    Sphere& current = *spheres[later];
    if (other.isRemoved()) {
        return false;
    }
    CollisionResult result;
    if (CollisionManager::test(other, current, result)) {
        other.onCollision(current, result.firstContact, result.t);
        current.onCollision(other, result.secondContact, result.t);
        reachBoxes.set(earlier, ReachBoxes::of(other));
        link(current, other);
        return true;
    }
    if (bothStuck(current, other) && inLinkRange(current, other)) {
        link(current, other);
    }
    return false;
}

void World::link(Sphere& later, Sphere& earlier) {
    if (later.isLinkedTo(earlier) || hasUnrecordedLink(later, earlier)) {
        return;
    }
    auto created = std::make_unique<SphereLink>(&later, &earlier);
    created->attach();
    if (!recordedBy(later, created.get())) {
        unrecordedLinks.push_back(created.get());
    }
    links.push_back(std::move(created));

    if (later.getColour() == earlier.getColour() && bothStuck(later, earlier)) {
        later.setChain(later.getChain() + 1);
        score += later.getChain();
    }
}

bool World::hasUnrecordedLink(const Sphere& later, const Sphere& earlier) const {
    return std::any_of(unrecordedLinks.begin(), unrecordedLinks.end(), [&](const SphereLink* link) {
        return link->first == &later && link->second == &earlier;
    });
}

void World::removeSphereAt(std::size_t index) {
    const Sphere* leaving = spheres[index].get();
    // Every link that names the sphere goes, not only those in its six slots,
    // so that no link outlives a sphere whose slots were full.
    dropLinksIf([leaving](const SphereLink& link) {
        return link.first == leaving || link.second == leaving;
    });
    // Its reach box needs no erasing: the next sphere's box overwrites it.
    spheres.erase(spheres.begin() + static_cast<std::ptrdiff_t>(index));
}
