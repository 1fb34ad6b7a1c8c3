#include "world/Sphere.h"
#include "gfx/Sprite.h"
#include "tests/support/GlRecorder.h"
#include "world/SphereLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

// Links as the game makes them; a deque keeps their addresses fixed.
void join(std::deque<SphereLink>& links, Sphere& first, Sphere& second) {
    links.emplace_back(&first, &second).attach();
}

} // namespace

TEST(SphereTest, MovesRememberTheCentreBeforeAndMapToTheScreen) {
    Sphere sphere;
    sphere.placeAtRest(Vector2(5.0f, -3.0f));
    sphere.move(Vector2(1.0f, 2.0f));
    EXPECT_FALSE(sphere.isResting());
    EXPECT_FLOAT_EQ(sphere.getPreviousPosition().y, -3.0f);
    sphere.move(Vector2());
    EXPECT_TRUE(sphere.isResting());
    sphere.setView(320.0f, 240.0f, 2.0f, 0.5f);
    EXPECT_FLOAT_EQ(sphere.getScreenPosition().x, 652.0f);
    EXPECT_FLOAT_EQ(sphere.getScreenPosition().y, 119.5f);
}

TEST(SphereTest, DrawCentresTheSpriteByTheUnscaledRadius) {
    GlRecorder::reset();
    Sphere sphere;
    sphere.placeAtRest(Vector2(10.0f, -20.0f));
    sphere.setView(320.0f, 240.0f, 2.0f, 2.0f);
    sphere.draw();
    EXPECT_TRUE(GlRecorder::calls().empty()) << "a sphere without a sprite draws nothing";

    Sprite sprite;
    sphere.setSprite(&sprite);
    sphere.draw();
    const std::vector<GlCall> translations = GlRecorder::callsNamed("glTranslatef");
    ASSERT_EQ(translations.size(), 1u);
    EXPECT_DOUBLE_EQ(translations[0].args[0], 652.0);
    EXPECT_DOUBLE_EQ(translations[0].args[1], 432.0);
}

TEST(SphereLinkTest, SlotsHoldSixLinksAndOnlyOwnSlotsAreSearched) {
    Sphere hub;
    Sphere others[Sphere::MAX_LINKS + 1];
    std::deque<SphereLink> links;
    for (Sphere& other : others) {
        join(links, other, hub);
    }
    EXPECT_EQ(std::count(hub.getLinks().begin(), hub.getLinks().end(), &links.back()), 0);
    EXPECT_TRUE(others[Sphere::MAX_LINKS].isLinkedTo(hub));
    EXPECT_FALSE(hub.isLinkedTo(others[Sphere::MAX_LINKS]));

    hub.removeLink(&links[1]);
    EXPECT_EQ(hub.getLinks()[1], nullptr);
    EXPECT_FALSE(hub.isLinkedTo(others[1]));
    EXPECT_TRUE(others[1].isLinkedTo(hub));
    EXPECT_TRUE(hub.isLinkedTo(others[2]));
}

TEST(SphereLinkTest, BreaksJustBeyondTheLinkRange) {
    Sphere a;
    Sphere b;
    const SphereLink link(&a, &b);
    a.placeAtRest(Vector2(100.0f, 50.0f));
    b.placeAtRest(Vector2(118.2f, 50.0f)); // 331.24 squared units
    EXPECT_FALSE(link.isBroken());
    b.placeAtRest(Vector2(100.0f, 68.25f)); // 333.06
    EXPECT_TRUE(link.isBroken());
}

TEST(SphereChainTest, LargestValueSpreadsAlongChainsAndRings) {
    Sphere spheres[5];
    std::deque<SphereLink> links;
    for (int i = 0; i + 1 < 5; ++i) {
        join(links, spheres[i + 1], spheres[i]);
    }
    spheres[2].setChain(5);
    spheres[0].setChain(3);
    EXPECT_EQ(spheres[0].getChain(), 5u) << "a larger neighbour wins";
    EXPECT_EQ(spheres[4].getChain(), 5u);

    join(links, spheres[0], spheres[4]); // close the ring
    spheres[3].setChain(7);
    for (const Sphere& sphere : spheres) {
        EXPECT_EQ(sphere.getChain(), 7u);
    }
}

TEST(SphereChainTest, RaisedSphereRescansAndEqualNeighbourStopsTheSpread) {
    Sphere centre;
    Sphere low;
    Sphere high;
    high.setChain(7);
    std::deque<SphereLink> links;
    join(links, centre, low);  // slot 0, scanned before the larger value is found
    join(links, centre, high); // slot 1
    centre.setChain(1);
    EXPECT_EQ(low.getChain(), 7u);

    Sphere a;
    Sphere b;
    Sphere c;
    b.setChain(2);
    join(links, a, b);
    join(links, b, c);
    a.setChain(2);
    EXPECT_EQ(c.getChain(), 0u);
}
