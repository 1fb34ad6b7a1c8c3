#ifndef ORBICASCADE_WORLD_SPHERELINK_H
#define ORBICASCADE_WORLD_SPHERELINK_H

class Sphere;

// Two spheres are in link range while their squared distance is at most this
// factor times the square of the sum of their radii.
constexpr float LINK_RANGE_FACTOR = 1.3f;

// A record joining two spheres that touch or nearly touch. The game owns it; the
// spheres only hold it in their link slots.
struct SphereLink {
    Sphere* first = nullptr;
    Sphere* second = nullptr;

    SphereLink(Sphere* firstSphere, Sphere* secondSphere)
        : first(firstSphere), second(secondSphere) {}

    // Enters the link into a free slot of first, then of second.
    void attach();
    // True once the centres are farther apart than the link range.
    bool isBroken() const;
};

#endif
