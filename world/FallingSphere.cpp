#include "world/FallingSphere.h"

#include <cmath>

namespace {

const float GRAVITY = 6.67f;
const float GRAVITY_SCALE = 1000000.0f;
const float SQUARED_FIELD_RADIUS = 1000000.0f;
const float STOPPER_BRAKE = 0.6f;

} // namespace

FallingSphere::FallingSphere() {
    setKind(KIND_FALLING);
}

void FallingSphere::update(float dt) {
    if (dt == 0.0f || getKind() == KIND_STUCK) {
        return;
    }
    const Vector2 position = getPosition();
    if (std::fabs(dot(position, position)) > SQUARED_FIELD_RADIUS) {
        setRemoved(true);
        return;
    }

    // The velocity term carries the whole step; there is no factor one half on the pull.
    Vector2 delta = velocity * dt;
    const float distance = length(position);
    const float pull = GRAVITY * mass * GRAVITY_SCALE / (distance * distance);
    const float pullStep = pull * (dt * dt);
    // At (or within rounding of) the origin there is no direction to fall in and
    // the pull would be infinite: the sphere coasts for this step instead.
    if (std::isfinite(pullStep)) {
        Vector2 outwards = position;
        normalize(outwards);
        delta = (-outwards) * pullStep + delta;
    }
    move(delta);
    // Re-derived from the displacement actually made.
    velocity = (getPosition() - getPreviousPosition()) * (1.0f / dt);
}

void FallingSphere::onCollision(Sphere& other, Vector2 contact, float) {
    switch (other.getKind()) {
    case KIND_STOPPER:
        velocity = velocity * STOPPER_BRAKE;
        break;
    case KIND_STUCK:
        if (getKind() == KIND_STUCK) {
            pushAwayFrom(other, contact);
        } else {
            placeAtRest(contact);
            velocity = Vector2();
            setKind(KIND_STUCK);
        }
        break;
    default:
        // Falling spheres pass through each other and through the sensor.
        break;
    }
}

void FallingSphere::pushAwayFrom(const Sphere& other, Vector2 contact) {
    const Vector2 anchor = other.getPosition();
    if (std::fabs(dot(contact, contact)) <= std::fabs(dot(anchor, anchor))) {
        return; // the inner one of the two stays
    }
    Vector2 outwards = fromTo(anchor, contact);
    normalize(outwards);
    placeAtRest(anchor + outwards * (getRadius() + other.getRadius()));
}
