#include "app/GameAssembly.h"
#include "app/HudText.h"
#include "app/InputHandler.h"
#include "gfx/Display.h"
#include "tests/support/GlRecorder.h"
#include "text/StringObject.h"
#include "world/FallingSphere.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gmock/gmock.h>

#include <optional>
#include <random>

namespace {

struct HeadlessGame { // the game's own start-up on SDL's dummy video driver, drawing recorded
    HeadlessGame() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        display.init(640, 480);
        GlRecorder::reset();
        assembly.emplace(display);
    }
    ~HeadlessGame() { SDL_Quit(); }
    Game* operator->() { return &assembly->getGame(); }
    Display display;
    std::optional<GameAssembly> assembly;
};

TEST(AppHud, NumbersAreRightAlignedInFixedWidthsAndNeverCut) {
    EXPECT_EQ(formatScore(0) + formatScore(42) + formatScore(99999) + "|" + formatScore(123456) +
                  "|" + formatSphereCount(3, 200) + formatSphereCount(195, 200) +
                  formatSphereCount(200, 200) + formatSphereCount(201, 200),
              "000000004299999|123456|197  5  0  0");
}

// Events: type, x or key, y, button; queued whole, then drained one by one (a press survives).
TEST(AppInput, EventsBecomeClicksAtThePressAndQuitRequests) {
    const int down = SDL_MOUSEBUTTONDOWN, up = SDL_MOUSEBUTTONUP, key = SDL_KEYDOWN;
    const std::pair<std::vector<std::array<int, 4>>, std::string> cases[] = {
        {{{up, 5, 5, 4}, {down, 10, 20, 1}, {up, 300, 400, 1}}, "10,20 "},
        {{{down, 1, 2, 3}, {down, 30, 40, 2}, {up, 0, 0, 2}, {up, 0, 0, 1}}, "30,40 "},
        {{{SDL_KEYUP, SDLK_ESCAPE}, {key, SDLK_q}}, ""},
        {{{key, SDLK_ESCAPE}}, "quit"},
        {{{down, 50, 60, 5}, {SDL_QUIT}, {up, 0, 0, 5}}, "50,60 quit"}};
    const HeadlessGame sdl; // for SDL's event queue
    for (int run = 0; run < 10; ++run) {
        const auto& [events, expected] = cases[run / 2];
        InputHandler input;
        std::string seen;
        for (std::size_t i = 0; i < events.size(); ++i) {
            const auto [type, x, y, button] = events[i];
            SDL_Event event{Uint8(type)};
            if (type == key || type == SDL_KEYUP)
                event.key.keysym.sym = SDLKey(x);
            else
                event.button = {Uint8(type), 0, Uint8(button), 0, Uint16(x), Uint16(y)};
            SDL_PushEvent(&event);
            if (run % 2 == 1 || i + 1 == events.size())
                for (const Click& click : input.pollAll())
                    seen += std::to_string(click.x) + "," + std::to_string(click.y) + " ";
        }
        EXPECT_EQ(seen + (input.isQuitRequested() ? "quit" : ""), expected) << "run " << run;
    }
}

// Seeded games until both endings are seen, each opening with set frame times.
TEST(AppSoak, EveryFrameShowsTheWorldTruly) {
    const float opening[] = {0.145f, 0.005f, 0.005f, 0.005f, 0.005f, 0.005f, 0.2f, 0.005f};
    const float ages[] = {140, 140, 155, 155, 155, 170, 370, 370}; // milliseconds
    std::mt19937 random(2);
    std::uniform_real_distribution<float> frames(0.005f, 0.25f), chance(0, 1), x(0, 640), y(0, 480);
    int endings[2] = {0, 0}; // by the sphere limit, by the sensor
    for (int games = 0; (!endings[0] || !endings[1]) && games < 8; ++games) {
        HeadlessGame game;
        const World& field = game->getWorld();
        const unsigned sheet = GlRecorder::uploads().at(0).texture; // loaded first
        game->click(0, 0);
        const auto& corner = static_cast<const Stopper&>(*field.getSpheres().back());
        ASSERT_TRUE(corner.getPosition().x == -320 && corner.getPosition().y == -240);
        float sinceSpawn = 0;
        std::string dealt; // the colours spawned, in order
        std::string count = "198";
        for (int frozen = 0, frame = 0; frozen < 20; frozen += game->isOver(), ++frame) {
            if (chance(random) < (games % 2 ? 0.02f : 0.4f))
                game->click(int(x(random)), int(y(random)));
            const bool over = game->isOver() || game->getSentinel()->isHit() || field.size() > 199;
            const float dt = frame < 8 ? opening[frame] : frames(random);
            const bool spawns = !over && (sinceSpawn += dt) > 1.0f;
            sinceSpawn = spawns ? 0 : sinceSpawn;
            GlRecorder::reset();
            game->update(dt);
            ASSERT_TRUE(frame >= 8 || std::round(corner.getAge() * 1000) == ages[frame])
                << "frame " << frame << ", stopper age " << corner.getAge();
            ASSERT_EQ(game->getGameOverText()->visible, over) << "from the frame after the end";
            ASSERT_EQ(game->getScoreText()->text, formatScore(field.getScore()));
            if (spawns) {
                const auto& sphere = dynamic_cast<const FallingSphere&>(*field.getSpheres().back());
                ASSERT_TRUE(sphere.getVelocity().x == 0 && sphere.getVelocity().y == -180);
                dealt += char('0' + sphere.getColour());
                count = formatSphereCount(field.size(), 200);
            }
            ASSERT_EQ(game->getSphereCountText()->text, count) << "rewritten at spawns only";
            std::vector<double> drawn, wanted; // all but the sensor: from the sheet, in order
            for (const auto& s : field.getSpheres())
                if (const Vector2 at = s->getScreenPosition(); s->getKind() != KIND_TESTER)
                    wanted.insert(wanted.end(), {at.x - 8, at.y - 8, s->getColour() / 8.0, 0,
                                                 s->getColour() / 8.0 + 0.125, 0.125});
            for (const GlStrip& strip : GlRecorder::strips())
                if (const auto& v = strip.vertices; strip.texture == sheet && v.size() == 4)
                    drawn.insert(drawn.end(), {v[0].x, v[0].y, v[0].u, v[0].v, v[3].u, v[3].v});
            ASSERT_THAT(drawn, testing::Pointwise(testing::DoubleNear(1e-3), wanted));
        }
        ++endings[game->getSentinel()->isHit()];
        EXPECT_EQ(dealt.substr(0, 12), "201240312001") << "every game, everywhere, deals these";
    }
    EXPECT_TRUE(endings[0] && endings[1]);
}

} // namespace
