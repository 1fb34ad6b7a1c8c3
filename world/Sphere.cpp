#include "world/Sphere.h"

#include "gfx/Sprite.h"
#include "world/SphereLink.h"

void Sphere::update(float) {}

void Sphere::draw() {
    if (sprite == nullptr) {
        return;
    }
    // The sprite is placed by its top-left corner; the offset is the world radius, unscaled.
    const Vector2 screen = getScreenPosition();
    sprite->draw(screen.x - SPHERE_RADIUS, screen.y - SPHERE_RADIUS);
}

void Sphere::onCollision(Sphere&, Vector2, float) {}

void Sphere::setChain(unsigned value) {
    chain = value;
    // A larger neighbour raises this sphere and restarts the scan, so every
    // neighbour seen before is offered the new value too. Values only grow,
    // which bounds the recursion.
    for (int slot = 0; slot < MAX_LINKS; ++slot) {
        const SphereLink* link = links[slot];
        if (link == nullptr) {
            continue;
        }
        Sphere* neighbour = link->first == this ? link->second : link->first;
        if (neighbour->chain < chain) {
            neighbour->setChain(chain);
        } else if (neighbour->chain > chain) {
            chain = neighbour->chain;
            slot = -1;
        }
    }
}

bool Sphere::addLink(SphereLink* link) {
    for (SphereLink*& slot : links) {
        if (slot == nullptr) {
            slot = link;
            return true;
        }
    }
    return false;
}

void Sphere::removeLink(SphereLink* link) {
    for (SphereLink*& slot : links) {
        if (slot == link) {
            slot = nullptr;
        }
    }
}

bool Sphere::isLinkedTo(const Sphere& other) const {
    for (const SphereLink* link : links) {
        if (link != nullptr && (link->first == &other || link->second == &other)) {
            return true;
        }
    }
    return false;
}
