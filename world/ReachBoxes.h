#ifndef ORBICASCADE_WORLD_REACHBOXES_H
#define ORBICASCADE_WORLD_REACHBOXES_H

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

    // Calls visit(index, box) for each index below count, in increasing order,
    // whose box overlaps box (boxes that merely touch overlap). A visit may move
    // the sphere that box belongs to: it then stores the sphere's new box in box
    // and returns true, and the indices still to come are compared with that.
    template <typename Visit> void forEachOverlap(Box box, std::size_t count, Visit visit) {
        for (std::size_t start = 0; start < count; start += BLOCK) {
            BlockMask near = overlapsInBlock(box, start, count);
            while (near != 0) {
                const auto lane = static_cast<unsigned>(__builtin_ctz(near));
                const BlockMask passed = (BlockMask{2} << lane) - 1;
                if (visit(start + lane, box)) {
                    near = overlapsInBlock(box, start, count);
                }
                near &= ~passed;
            }
        }
    }

private:
    // Boxes compared at a time, one bit each in a block mask.
    static constexpr std::size_t BLOCK = 32;
    using BlockMask = std::uint32_t;

    // Bit k is set when the box at start + k overlaps box and start + k is
    // below count. start is a multiple of BLOCK.
    BlockMask overlapsInBlock(const Box& box, std::size_t start, std::size_t count) const {
        const float highX = box.highX;
        const float negatedLowX = -box.lowX;
        const float highY = box.highY;
        const float negatedLowY = -box.lowY;
        const float* const lowXs = lowX.data() + start;
        const float* const negatedHighXs = negatedHighX.data() + start;
        const float* const lowYs = lowY.data() + start;
        const float* const negatedHighYs = negatedHighY.data() + start;
        BlockMask mask = 0;
        // A fixed count of lanes, no early exit and no conditional load: the
        // compiler turns this into a few packed compares per four boxes. The
        // stored highs are negated so that every compare has the same shape.
        // The four compares are joined with `&`, not `&&`, for the same reason.
        // Clang unrolls and packs the loop by itself; told to unroll, it packs
        // the unrolled copies across lanes instead, one load at a time.
#ifndef __clang__
#pragma GCC unroll 8
#endif
        for (std::size_t lane = 0; lane < BLOCK; ++lane) {
            const bool overlap = (lowXs[lane] <= highX) & (negatedHighXs[lane] <= negatedLowX) &
                                 (lowYs[lane] <= highY) & (negatedHighYs[lane] <= negatedLowY);
            mask |= LANE_BITS[lane] & (overlap ? ~BlockMask{0} : BlockMask{0});
        }
        return count - start >= BLOCK ? mask : mask & ((BlockMask{1} << (count - start)) - 1);
    }

    // Bit k at index k: a table rather than a shift, which packed code can load.
    static const std::array<BlockMask, BLOCK> LANE_BITS;

    std::vector<float> lowX;
    std::vector<float> negatedHighX;
    std::vector<float> lowY;
    std::vector<float> negatedHighY;
};

#endif
