#include "world/SphereLink.h"

#include "world/Sphere.h"

#include <cmath>

void SphereLink::attach() {
    first->addLink(this);
    second->addLink(this);
}

bool SphereLink::isBroken() const {
    const Vector2 d = first->getPosition() - second->getPosition();
    const float reach = 2.0f * Sphere::SPHERE_RADIUS;
    return std::fabs(dot(d, d)) > reach * reach * LINK_RANGE_FACTOR;
}
