#include "world/SphereTester.h"

SphereTester::SphereTester() {
    setKind(KIND_TESTER);
}

void SphereTester::onCollision(Sphere& other, Vector2, float) {
    if (other.getKind() == KIND_STUCK) {
        hit = true;
    }
}
