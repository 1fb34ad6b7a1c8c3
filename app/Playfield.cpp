#include "app/Playfield.h"

#include "world/CollisionManager.h"
#include "world/Sphere.h"
#include "world/SphereLink.h"

#include <algorithm>
#include <cmath>

namespace {

bool bothStuck(const Sphere& a, const Sphere& b) {
    return a.getKind() == KIND_STUCK && b.getKind() == KIND_STUCK;
}

const float LINK_REACH = 2.0f * Sphere::SPHERE_RADIUS;
const float LINK_RANGE = LINK_RANGE_FACTOR * (LINK_REACH * LINK_REACH);

bool inLinkRange(const Sphere& a, const Sphere& b) {
    return a.squaredDistanceTo(b) <= LINK_RANGE;
}

Playfield::Footprint footprintOf(const Sphere& sphere) {
    return Playfield::Footprint{sphere.getPosition(), sphere.isResting(), sphere.isRemoved()};
}

// Two resting spheres farther apart than the link range can neither touch (the
// contact reach is shorter) nor link: most pairs of a grown cluster. The
// distance is worked out exactly as Entity::squaredDistanceTo does.
bool restingApart(const Playfield::Footprint& current, const Playfield::Footprint& earlier) {
    if (!current.resting || !earlier.resting) {
        return false;
    }
    const Vector2 apart = fromTo(current.position, earlier.position);
    return std::fabs(dot(apart, apart)) > LINK_RANGE;
}

bool recordedBy(const Sphere& sphere, const SphereLink* link) {
    const auto& slots = sphere.getLinks();
    return std::find(slots.begin(), slots.end(), link) != slots.end();
}

} // namespace

Sphere& Playfield::add(std::unique_ptr<Sphere> sphere) {
    spheres.push_back(std::move(sphere));
    return *spheres.back();
}

void Playfield::draw() const {
    for (const std::unique_ptr<Sphere>& sphere : spheres) {
        sphere->draw();
    }
}

template <typename Predicate> void Playfield::dropLinksIf(Predicate shouldDrop) {
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

float Playfield::step(float time) {
    const float seconds = time > LARGEST_STEP ? LARGEST_STEP : time;

    footprints.resize(spheres.size());
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
// first. The footprints of the spheres tested so far lie side by side, so the
// many pairs that cannot meet are passed over without visiting the spheres.
void Playfield::testAgainstEarlier(std::size_t index) {
    Sphere& current = *spheres[index];
    const Footprint& mine = footprints[index] = footprintOf(current);
    for (std::size_t before = 0; before < index; ++before) {
        const Footprint& earlier = footprints[before];
        if (earlier.removed || restingApart(mine, earlier)) {
            continue;
        }
        Sphere& other = *spheres[before];
        CollisionResult result;
        if (CollisionManager::test(other, current, result)) {
            other.onCollision(current, result.firstContact, result.t);
            current.onCollision(other, result.secondContact, result.t);
            // Either may have stuck, been pushed out or flagged itself removed.
            footprints[before] = footprintOf(other);
            footprints[index] = footprintOf(current);
            link(current, other);
        } else if (bothStuck(current, other) && inLinkRange(current, other)) {
            link(current, other);
        }
    }
}

void Playfield::link(Sphere& later, Sphere& earlier) {
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

bool Playfield::hasUnrecordedLink(const Sphere& later, const Sphere& earlier) const {
    return std::any_of(unrecordedLinks.begin(), unrecordedLinks.end(), [&](const SphereLink* link) {
        return link->first == &later && link->second == &earlier;
    });
}

void Playfield::removeSphereAt(std::size_t index) {
    const Sphere* leaving = spheres[index].get();
    // Every link that names the sphere goes, not only those in its six slots,
    // so that no link outlives a sphere whose slots were full.
    dropLinksIf([leaving](const SphereLink& link) {
        return link.first == leaving || link.second == leaving;
    });
    spheres.erase(spheres.begin() + static_cast<std::ptrdiff_t>(index));
    footprints.erase(footprints.begin() + static_cast<std::ptrdiff_t>(index));
}
