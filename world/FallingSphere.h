#ifndef ORBICASCADE_WORLD_FALLINGSPHERE_H
#define ORBICASCADE_WORLD_FALLINGSPHERE_H

#include "world/Sphere.h"

// A sphere pulled towards the world origin with a force that falls off with the
// square of the distance. It sticks where it touches a stuck sphere, is braked by
// stoppers and removes itself once it strays beyond the playing field.
class FallingSphere : public Sphere {
public:
    FallingSphere();

    void update(float dt) override;
    void onCollision(Sphere& other, Vector2 contact, float t) override;

    void setVelocity(Vector2 newVelocity) { velocity = newVelocity; }
    Vector2 getVelocity() const { return velocity; }

private:
    // Resting-against-resting contacts: the outer sphere moves out to touching distance.
    void pushAwayFrom(const Sphere& other, Vector2 contact);

    Vector2 velocity;
    float mass = 1.0f;
};

#endif
