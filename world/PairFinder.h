#ifndef ORBICASCADE_WORLD_PAIRFINDER_H
#define ORBICASCADE_WORLD_PAIRFINDER_H

#include "world/AwakeBoxes.h"
#include "world/ReachBox.h"
#include "world/RestingBoxes.h"
#include "world/Sphere.h"

#include <cstdint>
#include <memory>
#include <vector>

// Which earlier spheres each sphere is tested against in a world step, so that
// a step costs what moves. A pair is tested when its reach boxes overlap (see
// ReachBox) and something about it is new: either sphere changed since the
// pair's last test (see Entity::getRevision: it moved, stuck, was pushed out or
// is new), or that test had an effect (a contact reported, a link made). Two
// spheres unchanged since a test that did nothing would do nothing again, so
// their pair is passed over. (Links need no watching: one is dropped only when
// its spheres move apart or one of them leaves the world.)
//
// A sphere that rests unchanged since its last pass is asleep: it is tested
// only against the earlier spheres its last pass had an effect with, and those
// that announced themselves to it in this step. A sphere that is awake, or
// changes in the step, announces itself to the later resting spheres whose
// boxes its own overlaps. An awake sphere is tested against every earlier
// sphere whose box overlaps its own.
//
// The world drives each sphere's pass, in order of index:
//     pairs.beginPass(index);
//     for (std::size_t earlier = 0; pairs.next(earlier);)
//         pairs.tested(/* whether testing earlier with index had an effect */);
//     pairs.endPass();
class PairFinder {
public:
    explicit PairFinder(const std::vector<std::unique_ptr<Sphere>>& worldSpheres)
        : spheres(worldSpheres) {}

    // The sphere just appended to the world is new: awake.
    void added();
    // The sphere at index leaves the world; those after it move down.
    void removing(std::size_t index);

    void beginStep() { awake.clear(); }

    // Inline, for most spheres of a late game rest with nothing to test.
    void beginPass(std::size_t index) {
        current = index;
        candidates.clear();
        upcoming = 0;
        const Record& me = records[index];
        quiet = me.listed && spheres[index]->getRevision() == me.revisionSeen &&
                me.affected.empty() && me.announced.empty();
        if (!quiet) {
            beginBusyPass();
        }
    }
    // The next earlier sphere to test against, in increasing order; false after the last.
    bool next(std::size_t& earlier) {
        if (upcoming == candidates.size()) {
            return false;
        }
        partner = candidates[upcoming++];
        partnerRevision = spheres[partner]->getRevision();
        currentRevision = spheres[current]->getRevision();
        earlier = partner;
        return true;
    }
    // Whether testing the pair that next() gave had an effect.
    void tested(bool effect) {
        if (effect) {
            records[current].affected.push_back(partner);
        }
        if (spheres[partner]->getRevision() != partnerRevision) {
            changedAfterPass(partner);
        }
        if (spheres[current]->getRevision() != currentRevision) {
            changedDuringPass();
        }
    }
    void endPass() {
        if (!quiet) {
            endBusyPass();
        }
    }

private:
    // What is known of one sphere between its passes.
    struct Record {
        std::uint32_t revisionSeen = 0; // at the start of its last pass
        // Resting, unchanged since its last pass, its box among the resting boxes.
        bool listed = false;
        ReachBox box;              // as it stood at the end of its last pass, or at a change after
        std::size_t awakeSlot = 0; // among the awake boxes, once passed in this step and not listed
        // Earlier spheres its last pass tested with an effect, in increasing order.
        std::vector<std::size_t> affected;
        // Earlier spheres that announced themselves to it in this step.
        std::vector<std::size_t> announced;
    };

    void beginBusyPass();
    void endBusyPass();
    // Gathers the earlier spheres from index first on whose boxes overlap the
    // current sphere's, and announces it to the later resting ones.
    void lookAround(std::size_t first);
    void changedDuringPass();
    void changedAfterPass(std::size_t index);
    void announce(std::size_t index, std::size_t after);
    void unlist(std::size_t index);

    const std::vector<std::unique_ptr<Sphere>>& spheres;
    std::vector<Record> records; // one per sphere, in the same order
    RestingBoxes resting;        // the boxes of the listed spheres
    AwakeBoxes awake;            // the boxes of the others already passed in this step

    // The pass under way.
    std::size_t current = 0;
    std::vector<std::size_t> candidates; // in increasing order
    std::size_t upcoming = 0;            // the next candidate
    std::size_t partner = 0;             // the earlier sphere of the pair under test
    std::uint32_t partnerRevision = 0;
    std::uint32_t currentRevision = 0;
    bool quiet = false; // asleep with nothing to test
};

#endif
