#include "world/RestingBoxes.h"

#include <algorithm>

namespace {

float widthOf(const ReachBox& box) {
    return box.highX - box.lowX;
}

} // namespace

std::vector<RestingBoxes::Entry>::const_iterator RestingBoxes::firstFrom(float lowX) const {
    return std::lower_bound(entries.begin(), entries.end(), lowX,
                            [](const Entry& entry, float x) { return entry.box.lowX < x; });
}

void RestingBoxes::insert(std::size_t index, const ReachBox& box) {
    const auto after =
        std::upper_bound(entries.begin(), entries.end(), box.lowX,
                         [](float x, const Entry& entry) { return x < entry.box.lowX; });
    entries.insert(after, Entry{box, index});
    widest = std::max(widest, widthOf(box));
}

void RestingBoxes::erase(std::size_t index, const ReachBox& box) {
    auto entry = entries.begin() + (firstFrom(box.lowX) - entries.cbegin());
    while (entry->index != index) {
        ++entry;
    }
    entries.erase(entry);
    if (widthOf(box) == widest) {
        widest = 0.0f;
        for (const Entry& kept : entries) {
            widest = std::max(widest, widthOf(kept.box));
        }
    }
}

void RestingBoxes::closeGap(std::size_t index) {
    for (Entry& entry : entries) {
        entry.index -= entry.index > index ? 1 : 0;
    }
}
