#ifndef ORBICASCADE_WORLD_SPHERETESTER_H
#define ORBICASCADE_WORLD_SPHERETESTER_H

#include "world/Sphere.h"

// A resting sensor that remembers being reached by a stuck sphere; the flag is never cleared.
class SphereTester : public Sphere {
public:
    SphereTester();

    void onCollision(Sphere& other, Vector2 contact, float t) override;

    bool isHit() const { return hit; }

private:
    bool hit = false;
};

#endif
