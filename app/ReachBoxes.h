#ifndef ORBICASCADE_APP_REACHBOXES_H
#define ORBICASCADE_APP_REACHBOXES_H

#include "world/Sphere.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The box each sphere swept in the step (from its previous centre to its
// current one), grown on every side by the distance within which two spheres
// could touch or link. Two spheres whose reach boxes do not overlap can
// neither touch nor link, so the world step hands only pairs with overlapping
// boxes to the full contact test. The boxes lie axis by axis in arrays, so
// that one box is compared with a whole block of others in a few vector
// instructions.
class ReachBoxes {
public:
    // Boxes compared at a time, one bit each in a block mask.
    static constexpr std::size_t BLOCK = 32;
    using BlockMask = std::uint32_t;

    struct Box {
        float lowX;
        float highX;
        float lowY;
        float highY;

        bool operator==(const Box& other) const {
            return lowX == other.lowX && highX == other.highX && lowY == other.lowY &&
                   highY == other.highY;
        }
    };

    // The reach box of a sphere as it stands now.
    static Box of(const Sphere& sphere);

    // Makes room for boxes at indices 0 to count - 1.
    void resize(std::size_t count);

    void set(std::size_t index, const Box& box) {
        lowX[index] = box.lowX;
        negatedHighX[index] = -box.highX;
        lowY[index] = box.lowY;
        negatedHighY[index] = -box.highY;
    }

    // Marks which of the boxes at indices below count overlap box, block by
    // block from firstBlock on; boxes that merely touch overlap.
    void markOverlaps(const Box& box, std::size_t count, std::size_t firstBlock) {
        const float highX = box.highX;
        const float negatedLowX = -box.lowX;
        const float highY = box.highY;
        const float negatedLowY = -box.lowY;
        const std::size_t blocks = (count + BLOCK - 1) / BLOCK;
        for (std::size_t block = firstBlock; block < blocks; ++block) {
            BlockMask mask = 0;
            // A fixed count of lanes, no early exit and no conditional load:
            // the compiler turns this into a few packed compares per four
            // boxes. The stored highs are negated so that every compare has
            // the same shape.
#pragma GCC unroll 8
            for (std::size_t lane = 0; lane < BLOCK; ++lane) {
                const std::size_t at = block * BLOCK + lane;
                const bool overlap = (lowX[at] <= highX) & (negatedHighX[at] <= negatedLowX) &
                                     (lowY[at] <= highY) & (negatedHighY[at] <= negatedLowY);
                mask |= LANE_BITS[lane] & (overlap ? ~BlockMask{0} : BlockMask{0});
            }
            marks[block] = mask;
        }
        const std::size_t inLastBlock = count % BLOCK;
        if (inLastBlock != 0) {
            marks[blocks - 1] &= (BlockMask{1} << inLastBlock) - 1;
        }
    }

    // What the last markOverlaps found in one block: bit k for the box at
    // block * BLOCK + k.
    BlockMask marked(std::size_t block) const {
        return marks[block];
    }

private:
    // Bit k at index k: a table rather than a shift, which packed code can load.
    static const std::array<BlockMask, BLOCK> LANE_BITS;

    std::vector<float> lowX;
    std::vector<float> negatedHighX;
    std::vector<float> lowY;
    std::vector<float> negatedHighY;
    std::vector<BlockMask> marks;
};

#endif
