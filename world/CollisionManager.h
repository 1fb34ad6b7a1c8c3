#ifndef ORBICASCADE_WORLD_COLLISIONMANAGER_H
#define ORBICASCADE_WORLD_COLLISIONMANAGER_H

#include "world/Sphere.h"
#include "world/Vector2.h"

#include <cmath>
#include <utility>

// Where each sphere was when they touched, and when, as a fraction of the step
// (0 at the previous centres, 1 at the current ones). t is exactly -1 when they
// did not touch; it is not clamped, so it can be negative for spheres that
// already overlapped, or above 1 for two moving spheres.
struct CollisionResult {
    Vector2 firstContact;
    Vector2 secondContact;
    float t = -1;
};

// Swept contact tests: each sphere travelled in a straight line from its previous
// centre to its current one during the step, so a fast sphere cannot jump
// through a resting one.
//
// The world tests every pair every step, and nearly all pairs are two resting
// spheres of the cluster or a falling sphere far from a resting one, so those
// paths are inline and cheap; the sweeps themselves live out of line.
class CollisionManager {
public:
    static constexpr int SEARCH_PASSES = 11;
    static constexpr float CONTACT_TOLERANCE = 0.01f;

    // Fills result (firstContact belongs to first) and returns whether they touched.
    static bool test(const Sphere& first, const Sphere& second, CollisionResult& result) {
        const bool firstResting = first.isResting();
        const bool secondResting = second.isResting();
        // One branch for both flags (`&`, not `&&`): this is the pair nearly every test meets.
        if (firstResting & secondResting) {
            result.firstContact = first.getPosition();
            result.secondContact = second.getPreviousPosition();
            testUnmoved(first, second, result);
        } else if (firstResting) {
            testAgainstResting(first, second, result);
        } else if (secondResting) {
            testAgainstResting(second, first, result);
            std::swap(result.firstContact, result.secondContact);
        } else {
            testMovingPairIfNear(first, second, result);
        }
        return result.t != NO_CONTACT;
    }

    // Exact: the moving sphere's path against a sphere that did not move.
    // firstContact belongs to the resting sphere.
    static void testAgainstResting(const Sphere& resting, const Sphere& moving,
                                   CollisionResult& result) {
        const Vector2 centre = resting.getPosition();
        const Vector2 start = moving.getPreviousPosition();
        const Vector2 end = moving.getPosition();
        result.firstContact = centre;
        result.secondContact = start;
        result.t = NO_CONTACT;

        const Vector2 path = fromTo(start, end);
        if (dot(path, path) == 0.0f) {
            testUnmoved(resting, moving, result);
        } else if (!isClearOfPath(centre, start, end, resting.getRadius() + moving.getRadius())) {
            sweepPastResting(resting, moving, result);
        }
    }

    // Sampled: looks at both spheres at the start, the middle and the end of the
    // first sphere's way to the crossing of the two paths.
    static void testMovingPair(const Sphere& first, const Sphere& second, CollisionResult& result);

private:
    static constexpr float NO_CONTACT = -1.0f;

    // Neither centre moves: the spheres touch from the start when the contact
    // centres already in result are within reach.
    static void testUnmoved(const Sphere& first, const Sphere& second, CollisionResult& result) {
        const float reach = first.getRadius() + second.getRadius();
        const Vector2 apart = fromTo(result.secondContact, result.firstContact);
        result.t = std::fabs(dot(apart, apart)) <= reach * reach ? 0.0f : NO_CONTACT;
    }

    // True only when the centre lies so far outside the box spanned by the path
    // that the sweep cannot find a contact. The sweep's rounding grows with the
    // size of the path's coordinates, and the slack stays far above it.
    static bool isClearOfPath(Vector2 centre, Vector2 start, Vector2 end, float reach) {
        const float xLow = start.x < end.x ? start.x : end.x;
        const float xHigh = start.x < end.x ? end.x : start.x;
        const float yLow = start.y < end.y ? start.y : end.y;
        const float yHigh = start.y < end.y ? end.y : start.y;
        const float slack =
            1.0f + (std::fabs(start.x) + std::fabs(start.y) + std::fabs(end.x) + std::fabs(end.y)) *
                       (1.0f / 1024.0f);
        const float clearance = reach + slack;
        return xLow - centre.x > clearance || centre.x - xHigh > clearance ||
               yLow - centre.y > clearance || centre.y - yHigh > clearance;
    }

    // The closed form past its first step: the moving sphere did move.
    static void sweepPastResting(const Sphere& resting, const Sphere& moving,
                                 CollisionResult& result);

    // Moving pairs whose sweep boxes, grown by the radii, are apart cannot touch.
    static void testMovingPairIfNear(const Sphere& first, const Sphere& second,
                                     CollisionResult& result);
};

#endif
