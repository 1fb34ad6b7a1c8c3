#ifndef ORBICASCADE_WORLD_COLLISIONSELFTEST_H
#define ORBICASCADE_WORLD_COLLISIONSELFTEST_H

#include <iostream>

class Sphere;

// A diagnostic run of the collision tests over 24 fixed cases in three sets. Each
// case writes one line with its verdict and contact time; the game never calls it.

// Runs all three sets, then writes "All tests passed." or "Some tests have failed.".
// Returns whether every case met its expectation.
bool runCollisionTests(std::ostream& out = std::cout);

// Two spheres at rest.
bool testStaticSpheres(std::ostream& out = std::cout);
// One sphere at rest, the other moving past, into or away from it.
bool testOneStaticSphere(std::ostream& out = std::cout);
// Both spheres moving: crossing, diverging and parallel paths.
bool testMovingSpheres(std::ostream& out = std::cout);

// Tests a against b, writes "Test <n> : Success. <t>" (or Failure) and returns
// whether the contact was found exactly when expected.
bool checkCollision(const Sphere& a, const Sphere& b, int caseNumber, bool expected,
                    std::ostream& out = std::cout);

#endif
