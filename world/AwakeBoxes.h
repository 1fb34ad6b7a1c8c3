#ifndef ORBICASCADE_WORLD_AWAKEBOXES_H
#define ORBICASCADE_WORLD_AWAKEBOXES_H

#include "world/ReachBox.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The reach boxes of the spheres already passed in a step that are not among
// the resting boxes, each under its sphere's index: the moving spheres, and
// those that changed. Early in a game nearly every sphere moves, so the boxes
// lie axis by axis in arrays, and one box is compared with a whole block of
// others in a few vector instructions.
class AwakeBoxes {
public:
    void clear() { count = 0; }
    // Returns the slot that set() takes to change the box later.
    std::size_t add(std::size_t index, const ReachBox& box);
    void set(std::size_t slot, const ReachBox& box) {
        lowX[slot] = box.lowX;
        negatedHighX[slot] = -box.highX;
        lowY[slot] = box.lowY;
        negatedHighY[slot] = -box.highY;
    }

    // Calls visit(index) for each box that overlaps box, in the order added.
    template <typename Visit> void forEachOverlap(const ReachBox& box, Visit visit) const {
        for (std::size_t start = 0; start < count; start += BLOCK) {
            for (BlockMask near = overlapsInBlock(box, start); near != 0; near &= near - 1) {
                visit(indices[start + static_cast<unsigned>(__builtin_ctz(near))]);
            }
        }
    }

private:
    // Boxes compared at a time, one bit each in a block mask.
    static constexpr std::size_t BLOCK = 32;
    using BlockMask = std::uint32_t;

    // Bit k is set when the box in slot start + k overlaps box and is in use.
    // start is a multiple of BLOCK.
    BlockMask overlapsInBlock(const ReachBox& box, std::size_t start) const {
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

    std::size_t count = 0;
    // Whole blocks, so that a block of compares never reads past the end.
    std::vector<float> lowX;
    std::vector<float> negatedHighX;
    std::vector<float> lowY;
    std::vector<float> negatedHighY;
    std::vector<std::size_t> indices;
};

#endif
