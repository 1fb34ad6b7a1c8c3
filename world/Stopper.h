#ifndef ORBICASCADE_WORLD_STOPPER_H
#define ORBICASCADE_WORLD_STOPPER_H

#include "world/Sphere.h"

// A resting sphere the player drops to brake falling spheres. It goes at its
// first touch by anything but the sensor, or when it is too old.
class Stopper : public Sphere {
public:
    static constexpr float STOPPER_LIFETIME = 3.0f;

    Stopper();

    void update(float dt) override;
    void onCollision(Sphere& other, Vector2 contact, float t) override;

    float getAge() const { return age; }

private:
    float age = 0.0f;
};

#endif
