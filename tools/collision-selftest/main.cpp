#include "world/CollisionSelfTest.h"

// Runs the collision self test; the exit status tells whether every case passed.
int main() {
    return runCollisionTests() ? 0 : 1;
}
