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
    pairs.added();
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

    pairs.beginStep();
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
    if (pairSearch == PairSearch::EVERY_PAIR) {
        for (std::size_t before = 0; before < index; ++before) {
            testPair(before, index);
        }
        return;
    }
    // The pairs left out are those that could do nothing (see PairFinder).
    pairs.beginPass(index);
    for (std::size_t earlier = 0; pairs.next(earlier);) {
        pairs.tested(testPair(earlier, index));
    }
    pairs.endPass();
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
        link(current, other);
        return true;
    }
    return bothStuck(current, other) && inLinkRange(current, other) && link(current, other);
}

bool World::link(Sphere& later, Sphere& earlier) {
    if (later.isLinkedTo(earlier) || hasUnrecordedLink(later, earlier)) {
        return false;
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
    return true;
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
    pairs.removing(index);
    spheres.erase(spheres.begin() + static_cast<std::ptrdiff_t>(index));
}
