#ifndef ORBICASCADE_WORLD_RESTINGBOXES_H
#define ORBICASCADE_WORLD_RESTINGBOXES_H

#include "world/ReachBox.h"

#include <cstddef>
#include <vector>

// The reach boxes of spheres at rest, each under its sphere's index in the
// world, kept in order of their left edges. A resting sphere's box is small, so the
// boxes a given box overlaps lie among a few neighbours along x: a search looks
// at those rather than at every box.
class RestingBoxes {
public:
    void insert(std::size_t index, const ReachBox& box);
    // The box must be the one inserted under the index.
    void erase(std::size_t index, const ReachBox& box);
    // The sphere at index left the world (its box erased): the indices above it move down.
    void closeGap(std::size_t index);

    // Calls visit(index) for each box that overlaps box, in no particular order.
    template <typename Visit> void forEachOverlap(const ReachBox& box, Visit visit) const {
        // No box is wider than the widest, so none that starts farther left can reach box.
        for (auto entry = firstFrom(box.lowX - widest);
             entry != entries.end() && entry->box.lowX <= box.highX; ++entry) {
            if (entry->box.overlaps(box)) {
                visit(entry->index);
            }
        }
    }

private:
    struct Entry {
        ReachBox box;
        std::size_t index;
    };

    std::vector<Entry>::const_iterator firstFrom(float lowX) const;

    std::vector<Entry> entries;
    float widest = 0.0f;
};

#endif
