#include "world/PairFinder.h"

#include <algorithm>

void PairFinder::added() {
    records.emplace_back();
}

void PairFinder::removing(std::size_t index) {
    unlist(index);
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
    resting.closeGap(index);
    // Only later spheres can have affected it.
    for (auto later = records.begin() + static_cast<std::ptrdiff_t>(index); later != records.end();
         ++later) {
        std::vector<std::size_t>& affected = later->affected;
        affected.erase(std::remove(affected.begin(), affected.end(), index), affected.end());
        for (std::size_t& earlier : affected) {
            earlier -= earlier > index ? 1 : 0;
        }
    }
}

void PairFinder::beginBusyPass() {
    Record& me = records[current];
    const std::uint32_t revision = spheres[current]->getRevision();
    const bool asleep = me.listed && revision == me.revisionSeen;
    me.revisionSeen = revision;
    if (asleep) {
        candidates.assign(me.affected.begin(), me.affected.end());
        if (!me.announced.empty()) {
            candidates.insert(candidates.end(), me.announced.begin(), me.announced.end());
            std::sort(candidates.begin(), candidates.end());
            candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        }
    } else {
        unlist(current);
        me.box = ReachBox::of(*spheres[current]);
        lookAround(0);
    }
    me.affected.clear();
}

// It stuck or was pushed out: every earlier sphere still to come that its new
// box overlaps is tested.
void PairFinder::changedDuringPass() {
    Record& me = records[current];
    unlist(current);
    me.box = ReachBox::of(*spheres[current]);
    lookAround(partner + 1);
}

void PairFinder::endBusyPass() {
    Record& me = records[current];
    if (!me.listed) {
        if (spheres[current]->isResting()) {
            resting.insert(current, me.box);
            me.listed = true;
        } else {
            me.awakeSlot = awake.add(current, me.box);
        }
    }
    me.announced.clear();
}

// One search of the resting boxes finds both the earlier spheres to test and
// the later ones to announce the current sphere to.
void PairFinder::lookAround(std::size_t first) {
    const ReachBox& box = records[current].box;
    candidates.clear();
    upcoming = 0;
    resting.forEachOverlap(box, [&](std::size_t other) {
        if (other > current) {
            records[other].announced.push_back(current);
        } else if (other >= first && other < current) {
            candidates.push_back(other);
        }
    });
    awake.forEachOverlap(box, [&](std::size_t earlier) {
        if (earlier >= first) {
            candidates.push_back(earlier);
        }
    });
    std::sort(candidates.begin(), candidates.end());
}

// A sphere already passed in this step was moved by a contact with the current one.
void PairFinder::changedAfterPass(std::size_t index) {
    Record& record = records[index];
    const bool wasListed = record.listed;
    unlist(index);
    record.box = ReachBox::of(*spheres[index]);
    if (wasListed) {
        record.awakeSlot = awake.add(index, record.box);
    } else {
        awake.set(record.awakeSlot, record.box);
    }
    announce(index, current);
}

void PairFinder::announce(std::size_t index, std::size_t after) {
    resting.forEachOverlap(records[index].box, [&](std::size_t later) {
        if (later > after) {
            records[later].announced.push_back(index);
        }
    });
}

void PairFinder::unlist(std::size_t index) {
    Record& record = records[index];
    if (record.listed) {
        resting.erase(index, record.box);
        record.listed = false;
    }
}
