#include "world/CollisionSelfTest.h"

#include "world/CollisionManager.h"
#include "world/Sphere.h"

namespace {

void moveBetween(Sphere& sphere, Vector2 from, Vector2 to) {
    sphere.setPosition(from);
    sphere.setPosition(to);
}

// Case n tests (a, b), case n + 1 the same spheres as (b, a). Both always run.
bool checkBothOrders(const Sphere& a, const Sphere& b, int caseNumber, bool expected,
                     std::ostream& out) {
    const bool forward = checkCollision(a, b, caseNumber, expected, out);
    const bool reversed = checkCollision(b, a, caseNumber + 1, expected, out);
    return forward && reversed;
}

} // namespace

bool checkCollision(const Sphere& a, const Sphere& b, int caseNumber, bool expected,
                    std::ostream& out) {
    CollisionResult result;
    const bool met = CollisionManager::test(a, b, result) == expected;
    out << "Test " << caseNumber << (met ? " : Success. " : " : Failure. ")
        << static_cast<double>(result.t) << std::endl;
    return met;
}

bool testStaticSpheres(std::ostream& out) {
    out << "Static spheres\n";
    Sphere first;
    Sphere second;
    bool passed = true;

    first.placeAtRest(Vector2(2.0f, 2.0f));
    second.placeAtRest(Vector2(20.0f, 30.0f));
    passed = checkCollision(first, second, 1, false, out) && passed;
    second.placeAtRest(Vector2(5.0f, 10.0f));
    passed = checkCollision(first, second, 2, true, out) && passed;
    second.placeAtRest(Vector2(2.0f, 17.9f));
    passed = checkCollision(first, second, 3, true, out) && passed;
    second.placeAtRest(Vector2(2.0f, 18.1f));
    passed = checkCollision(first, second, 4, false, out) && passed;
    return passed;
}

bool testOneStaticSphere(std::ostream& out) {
    out << "One static spheres\n";
    Sphere first;
    Sphere second;
    bool passed = true;

    first.placeAtRest(Vector2(2.0f, 8.0f));
    moveBetween(second, Vector2(-16.0f, 0.0f), Vector2(16.0f, 0.0f));
    passed = checkBothOrders(first, second, 1, true, out) && passed;
    second.setPosition(Vector2(32.0f, 0.0f));
    passed = checkBothOrders(first, second, 3, false, out) && passed;
    moveBetween(second, Vector2(-16.0f, -16.0f), Vector2(16.0f, -16.0f));
    passed = checkBothOrders(first, second, 5, false, out) && passed;
    moveBetween(second, Vector2(-16.0f, 8.0f), Vector2(16.0f, 8.0f));
    passed = checkBothOrders(first, second, 7, true, out) && passed;
    return passed;
}

bool testMovingSpheres(std::ostream& out) {
    out << "Moving spheres\n";
    Sphere first;
    Sphere second;
    bool passed = true;

    moveBetween(first, Vector2(-16.0f, 2.0f), Vector2(16.0f, 2.0f));
    moveBetween(second, Vector2(2.0f, -32.0f), Vector2(2.0f, 32.0f));
    passed = checkBothOrders(first, second, 1, true, out) && passed;

    moveBetween(first, Vector2(-16.0f, -10.0f), Vector2(16.0f, -2.0f));
    moveBetween(second, Vector2(-16.0f, 10.0f), Vector2(16.0f, 2.0f));
    passed = checkBothOrders(first, second, 3, true, out) && passed;

    // Diverging paths, checked twice over from freshly made moves.
    for (int caseNumber = 5; caseNumber <= 7; caseNumber += 2) {
        moveBetween(first, Vector2(-16.0f, -10.0f), Vector2(16.0f, -20.0f));
        moveBetween(second, Vector2(-16.0f, 10.0f), Vector2(16.0f, 20.0f));
        passed = checkBothOrders(first, second, caseNumber, false, out) && passed;
    }

    moveBetween(first, Vector2(-16.0f, 0.0f), Vector2(16.0f, 0.0f));
    moveBetween(second, Vector2(16.0f, -10.0f), Vector2(32.0f, 20.0f));
    passed = checkBothOrders(first, second, 9, false, out) && passed;

    moveBetween(first, Vector2(-54.0f, 0.0f), Vector2(54.0f, 0.0f));
    moveBetween(second, Vector2(0.0f, 0.0f), Vector2(54.0f, 0.0f));
    passed = checkBothOrders(first, second, 11, true, out) && passed;
    return passed;
}

bool runCollisionTests(std::ostream& out) {
    const bool staticPassed = testStaticSpheres(out);
    const bool oneStaticPassed = testOneStaticSphere(out);
    const bool movingPassed = testMovingSpheres(out);
    const bool allPassed = staticPassed && oneStaticPassed && movingPassed;
    out << (allPassed ? "All tests passed." : "Some tests have failed.") << std::endl;
    return allPassed;
}
