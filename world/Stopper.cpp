#include "world/Stopper.h"

Stopper::Stopper() {
    setKind(KIND_STOPPER);
}

void Stopper::update(float dt) {
    age = age + dt;
    if (age > STOPPER_LIFETIME) {
        setRemoved(true);
    }
}

void Stopper::onCollision(Sphere& other, Vector2, float) {
    if (other.getKind() != KIND_TESTER) {
        setRemoved(true);
    }
}
