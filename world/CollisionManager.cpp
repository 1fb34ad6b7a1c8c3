#include "world/CollisionManager.h"

#include <algorithm>

namespace {

float squaredLength(Vector2 v) {
    return std::fabs(dot(v, v));
}

} // namespace

void CollisionManager::testMovingPairIfNear(const Sphere& first, const Sphere& second,
                                            CollisionResult& result) {
    const Vector2 a0 = first.getPreviousPosition();
    const Vector2 a1 = first.getPosition();
    const Vector2 b0 = second.getPreviousPosition();
    const Vector2 b1 = second.getPosition();
    const float ra = first.getRadius();
    const float rb = second.getRadius();
    // Boxes that merely touch are not apart.
    const bool apart = std::min(a0.x, a1.x) - ra > std::max(b0.x, b1.x) + rb ||
                       std::min(b0.x, b1.x) - rb > std::max(a0.x, a1.x) + ra ||
                       std::min(a0.y, a1.y) - ra > std::max(b0.y, b1.y) + rb ||
                       std::min(b0.y, b1.y) - rb > std::max(a0.y, a1.y) + ra;
    if (apart) {
        result.t = NO_CONTACT;
    } else {
        testMovingPair(first, second, result);
    }
}

void CollisionManager::sweepPastResting(const Sphere& resting, const Sphere& moving,
                                        CollisionResult& result) {
    const Vector2 centre = resting.getPosition();
    const Vector2 start = moving.getPreviousPosition();
    const Vector2 end = moving.getPosition();
    const float reach = resting.getRadius() + moving.getRadius();
    const float squaredReach = reach * reach;
    const Vector2 path = fromTo(start, end);
    const Vector2 toCentre = fromTo(start, centre);
    const float squaredDistance = squaredLength(toCentre);
    Vector2 direction = path;
    normalize(direction);
    const float along = dot(direction, toCentre);
    if (along < 0.0f) {
        // Heading away: only spheres that already touched at the start meet.
        if (squaredDistance <= squaredReach) {
            result.t = 0.0f;
        }
        return;
    }

    const float pathLength = length(path);
    if (along > pathLength && squaredLength(fromTo(end, centre)) > squaredReach) {
        return;
    }

    const Vector2 closest = start + direction * along;
    const float squaredMiss = squaredLength(fromTo(closest, centre));
    if (squaredMiss > squaredReach) {
        return;
    }

    // How far along the path the gap first closes; zero or negative when the
    // spheres already overlapped at the start.
    const float entry = along - std::sqrt(squaredReach - squaredMiss);
    result.secondContact = start + direction * entry;
    result.t = entry / pathLength;
}

void CollisionManager::testMovingPair(const Sphere& first, const Sphere& second,
                                      CollisionResult& result) {
    const Vector2 a0 = first.getPreviousPosition();
    const Vector2 b0 = second.getPreviousPosition();
    const Vector2 pathA = fromTo(a0, first.getPosition());
    const Vector2 pathB = fromTo(b0, second.getPosition());
    const float lengthA = length(pathA);
    const float lengthB = length(pathB);

    // Where the two path lines cross, in units of the first path; parallel paths
    // are searched over the whole first path.
    const float denom = pathA.x * pathB.y - pathB.x * pathA.y;
    float crossing = 1.0f;
    if (denom != 0.0f) {
        crossing = ((a0.y - b0.y) * pathB.x - (a0.x - b0.x) * pathB.y) / denom;
        if (crossing < 0.0f) {
            result.t = NO_CONTACT;
            return;
        }
    }

    Vector2 directionA = pathA;
    normalize(directionA);
    Vector2 directionB = pathB;
    normalize(directionB);
    const float reach = first.getRadius() + second.getRadius();
    const float squaredReach = reach * reach;
    const float searchLength = crossing * lengthA;
    const float step = searchLength / 2.0f;

    float x = 0.0f;
    for (int pass = 0; pass < SEARCH_PASSES; ++pass) {
        // Both spheres at the same fraction of their paths.
        const Vector2 pointA = a0 + directionA * x;
        const Vector2 pointB = b0 + directionB * (x * lengthB / lengthA);
        result.firstContact = pointA;
        result.secondContact = pointB;
        if (squaredLength(fromTo(pointA, pointB)) - squaredReach < CONTACT_TOLERANCE) {
            result.t = x / lengthA;
            return;
        }
        x = x + step;
        // A zero-length search (the first sphere starts on the second one's line)
        // has nothing more to look at: spheres apart there did not touch.
        if (x < 0.0f || x > searchLength || step == 0.0f) {
            result.t = NO_CONTACT;
            return;
        }
    }
    result.t = x / lengthA;
}
