#ifndef ORBICASCADE_WORLD_REACHBOX_H
#define ORBICASCADE_WORLD_REACHBOX_H

class Sphere;

// The box a sphere swept in the step (from its previous centre to its current
// one), grown on every side by the distance within which two spheres could
// touch or link. Two spheres whose reach boxes do not overlap can neither touch
// nor link, so the world step hands only pairs with overlapping boxes to the
// full contact test.
struct ReachBox {
    float lowX = 0.0f;
    float highX = 0.0f;
    float lowY = 0.0f;
    float highY = 0.0f;

    // The reach box of a sphere as it stands now.
    static ReachBox of(const Sphere& sphere);

    // Boxes that merely touch overlap.
    bool overlaps(const ReachBox& other) const {
        return lowX <= other.highX && other.lowX <= highX && lowY <= other.highY &&
               other.lowY <= highY;
    }
};

#endif
