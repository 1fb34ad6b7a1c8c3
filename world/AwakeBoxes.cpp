#include "world/AwakeBoxes.h"

const std::array<AwakeBoxes::BlockMask, AwakeBoxes::BLOCK> AwakeBoxes::LANE_BITS = [] {
    std::array<BlockMask, BLOCK> bits{};
    for (std::size_t lane = 0; lane < BLOCK; ++lane) {
        bits[lane] = BlockMask{1} << lane;
    }
    return bits;
}();

std::size_t AwakeBoxes::add(std::size_t index, const ReachBox& box) {
    if (count == indices.size()) {
        const std::size_t grown = count + BLOCK;
        lowX.resize(grown);
        negatedHighX.resize(grown);
        lowY.resize(grown);
        negatedHighY.resize(grown);
        indices.resize(grown);
    }
    indices[count] = index;
    set(count, box);
    return count++;
}
