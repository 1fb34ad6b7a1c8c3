#ifndef ORBICASCADE_TESTS_WORLD_PLACEMENT_H
#define ORBICASCADE_TESTS_WORLD_PLACEMENT_H

#include "world/Sphere.h"

// Leaves a sphere as if its last step took it from one point to the other.
inline void moveBetween(Sphere& sphere, Vector2 from, Vector2 to) {
    sphere.setPosition(from);
    sphere.setPosition(to);
}

#endif
