#include "tests/app/HeadlessGame.h"
#include "tests/support/GlRecorder.h"

#include "text/StringObject.h"
#include "world/FallingSphere.h"
#include "world/SphereLink.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gtest/gtest.h>

namespace {

const float FRAME = 1.0f / 60.0f;

class GameTest : public ::testing::Test {
protected:
    void SetUp() override { GlRecorder::reset(); }

    const Playfield& field() { return game->getPlayfield(); }
    const Sphere& last() { return *field().getSpheres().back(); }
    std::string countText() { return game->getSphereCountText()->text; }

    // Clicks a grid of stoppers 20 pixels apart, in the top band of the
    // window where nothing else is, until the world holds `total` spheres.
    void fillWithStoppersUpTo(std::size_t total) {
        for (int y = 10; y < 200 && field().size() < total; y += 20) {
            for (int x = 20; x < 640 && field().size() < total; x += 20) {
                game->click(x, y);
            }
        }
        ASSERT_EQ(field().size(), total);
    }

    HeadlessGame game;
};

TEST_F(GameTest, StartsWithNucleusThenSensorAndAnEmptyScore) {
    const auto& spheres = field().getSpheres();
    ASSERT_EQ(spheres.size(), 2u);
    EXPECT_EQ(spheres[0].get(), game->getNucleus());
    EXPECT_EQ(spheres[0]->getKind(), KIND_STUCK);
    EXPECT_FLOAT_EQ(spheres[0]->getPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(spheres[0]->getPosition().y, 0.0f);
    EXPECT_EQ(spheres[1].get(), game->getSentinel());
    EXPECT_EQ(spheres[1]->getKind(), KIND_TESTER);
    EXPECT_FLOAT_EQ(spheres[1]->getPosition().x, -200.0f);
    EXPECT_TRUE(field().getLinks().empty());
    EXPECT_EQ(field().getScore(), 0u);
    EXPECT_FALSE(game->isOver());
}

TEST_F(GameTest, HeadsUpDisplayStartsWithItsTextsPlacesAndColours) {
    const StringObject* score = game->getScoreText();
    EXPECT_EQ(score->text, "00000");
    EXPECT_FLOAT_EQ(score->x, 90.0f);
    EXPECT_FLOAT_EQ(score->y, 15.0f);
    EXPECT_EQ(score->colour, 0xff0000f0u);
    EXPECT_TRUE(score->visible);

    const StringObject* count = game->getSphereCountText();
    EXPECT_EQ(count->text, "198");
    EXPECT_FLOAT_EQ(count->x, 100.0f);
    EXPECT_FLOAT_EQ(count->y, 400.0f);

    const StringObject* over = game->getGameOverText();
    EXPECT_EQ(over->text, "Game Over");
    EXPECT_FLOAT_EQ(over->x, 270.0f);
    EXPECT_FLOAT_EQ(over->y, 200.0f);
    EXPECT_EQ(over->colour, 0xfff0f0ffu);
    EXPECT_FALSE(over->visible);
    EXPECT_EQ(score->fontName, "hockey");
}

TEST_F(GameTest, ClicksDropStoppersAtTheMatchingWorldPosition) {
    game->click(320, 240);
    EXPECT_EQ(last().getKind(), KIND_STOPPER);
    EXPECT_FLOAT_EQ(last().getPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(last().getPosition().y, 0.0f);
    EXPECT_FLOAT_EQ(last().getPreviousPosition().x, 0.0f);

    game->click(0, 0);
    EXPECT_FLOAT_EQ(last().getPosition().x, -320.0f);
    EXPECT_FLOAT_EQ(last().getPosition().y, -240.0f);
    EXPECT_FLOAT_EQ(last().getScreenPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(last().getScreenPosition().y, 0.0f);

    EXPECT_EQ(field().size(), 4u);
    EXPECT_EQ(countText(), "198") << "a click does not refresh the count";
}

// A stopper's age is the simulated time, so it shows how frames become steps.
TEST_F(GameTest, FrameTimeIsSimulatedInStepsOfAtMostSeventyMilliseconds) {
    game->click(600, 50);
    const auto& stopper = static_cast<const Stopper&>(last());

    game->update(0.145f);
    EXPECT_NEAR(stopper.getAge(), 0.14f, 1e-6f) << "0.005 s waits for the next frame";
    game->update(0.005f);
    EXPECT_NEAR(stopper.getAge(), 0.14f, 1e-6f) << "0.01 pending is not more than 0.01";
    game->update(0.005f);
    EXPECT_NEAR(stopper.getAge(), 0.155f, 1e-6f);
}

TEST_F(GameTest, ShortFramesAddUpBeforeTheFirstStep) {
    game->click(600, 50);
    const auto& stopper = static_cast<const Stopper&>(last());
    game->update(0.005f);
    game->update(0.005f);
    EXPECT_FLOAT_EQ(stopper.getAge(), 0.0f);
    game->update(0.005f);
    EXPECT_NEAR(stopper.getAge(), 0.015f, 1e-6f);
}

TEST_F(GameTest, SpawnsEverySixtyOneFramesAtSixtyFramesASecond) {
    for (int frame = 1; frame <= 60; ++frame) {
        game->update(FRAME);
    }
    EXPECT_EQ(field().size(), 2u) << "60 frames add up to no more than one second";
    game->update(FRAME);
    ASSERT_EQ(field().size(), 3u);
    EXPECT_EQ(countText(), "197");

    const auto& spawned = static_cast<const FallingSphere&>(last());
    EXPECT_EQ(spawned.getKind(), KIND_FALLING);
    EXPECT_FLOAT_EQ(spawned.getPosition().x, -200.0f);
    EXPECT_FLOAT_EQ(spawned.getVelocity().y, -180.0f);
    EXPECT_GE(spawned.getColour(), 0);
    EXPECT_LE(spawned.getColour(), 4);

    for (int frame = 1; frame <= 60; ++frame) {
        game->update(FRAME);
    }
    EXPECT_EQ(field().size(), 3u);
    game->update(FRAME);
    EXPECT_EQ(field().size(), 4u);
}

TEST_F(GameTest, TwoHundredSpheresShowNoRoomThenEndTheGameAndFreezeTheWorld) {
    fillWithStoppersUpTo(199);
    game->update(1.01f);
    ASSERT_EQ(field().size(), 200u);
    EXPECT_EQ(countText(), "  0");
    EXPECT_FALSE(game->isOver()) << "the test runs at the start of the next frame";

    game->update(FRAME);
    EXPECT_TRUE(game->isOver());
    EXPECT_TRUE(game->getGameOverText()->visible);

    const Vector2 before = last().getPosition();
    for (int frame = 0; frame < 300; ++frame) {
        game->update(FRAME);
    }
    EXPECT_EQ(field().size(), 200u) << "no spawn, and expired stoppers stay";
    EXPECT_FLOAT_EQ(last().getPosition().x, before.x);
    EXPECT_FLOAT_EQ(last().getPosition().y, before.y);

    game->click(600, 400);
    EXPECT_EQ(field().size(), 201u) << "clicks still drop stoppers";
    game->update(5.0f);
    EXPECT_EQ(field().size(), 201u);
    EXPECT_TRUE(game->getGameOverText()->visible);
}

TEST_F(GameTest, DrawsSpheresBeforeTheHeadsUpDisplay) {
    game->update(FRAME);
    const std::vector<GlCall>& calls = GlRecorder::calls();
    ASSERT_FALSE(calls.empty());
    // The nucleus is the one sprite on screen: a white strip before any glyph.
    std::size_t firstWhite = calls.size();
    std::size_t firstBlue = calls.size();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name != "glColor3f") {
            continue;
        }
        if (calls[i].args[0] == 1.0 && firstWhite == calls.size()) {
            firstWhite = i;
        }
        if (calls[i].args[0] == 0.0 && calls[i].args[2] > 0.9 && firstBlue == calls.size()) {
            firstBlue = i;
        }
    }
    ASSERT_LT(firstBlue, calls.size()) << "the blue labels are drawn";
    EXPECT_LT(firstWhite, firstBlue);
}

} // namespace
