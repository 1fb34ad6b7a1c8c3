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

#include <cstring>
#include <map>
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
    unsigned colours = 0;    // spawned, one bit each
    for (int games = 0; (!endings[0] || !endings[1]) && games < 8; ++games) {
        HeadlessGame game;
        const Playfield& field = game->getPlayfield();
        const unsigned sheet = GlRecorder::uploads().at(0).texture; // loaded first
        game->click(0, 0);
        const auto& corner = static_cast<const Stopper&>(*field.getSpheres().back());
        ASSERT_TRUE(corner.getPosition().x == -320 && corner.getPosition().y == -240);
        float sinceSpawn = 0;
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
                colours |= 1u << sphere.getColour();
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
    }
    EXPECT_TRUE(endings[0] && endings[1]);
    EXPECT_EQ(colours, 0b11111u);
}

template <class K = Sphere> K& put(Playfield& field, Vector2 at, int colour = 0, Vector2 v = {}) {
    auto sphere = std::make_unique<K>();
    sphere->placeAtRest(at);
    sphere->setColour(colour);
    if constexpr (std::is_same_v<K, FallingSphere>)
        sphere->setVelocity(v);
    return static_cast<K&>(field.add(std::move(sphere)));
}

// Each placement, far from the others, is a case; the crossing sphere's seventh link is in no slot.
TEST(AppPlayfield, StepsLinkTouchingOrNearlyTouchingSpheresAndScoreMatchingStuckOnes) {
    Playfield field;
    put(field, {0, 300}, 1);
    put(field, {18, 300}, 1);     // in link range of the first
    put(field, {34, 300}, 1);     // touches the second only
    put(field, {18, 306.08f}, 1); // on the second, in range of the third, 19 from the first
    const Sphere& stuck = put(field, {0, -500}, 4);
    auto& sticking = put<FallingSphere>(field, {-20, -500}, 4, {1000, 0});
    put<Stopper>(field, {0, -700});
    auto& braked = put<FallingSphere>(field, {-20, -700}, 0, {1000, 0});
    auto& unbraked = put<FallingSphere>(field, {0, -680}, 0, {0, -2000}); // reaches it second
    for (float x = 985; x < 995; x += 1.5f)
        put<SphereTester>(field, {x, 0});
    const Sphere& crossing = put<FallingSphere>(field, {990, 0}, 0, {100, 0});
    field.step(0.02f);
    EXPECT_EQ(field.getLinks().size(), 6u + 28u) << "the falling ones met and parted";
    EXPECT_EQ(field.getScore(), 6u) << "1, 1 along the row, 1 + 2 closing a loop, 1 on sticking";
    EXPECT_NEAR(sticking.squaredDistanceTo(stuck), 16 * 16, 0.01f) << "stuck where it touched";
    EXPECT_NEAR(braked.getVelocity().x, 600, 1);
    EXPECT_NEAR(unbraked.getVelocity().y, -2000, 1);
    field.step(0.02f);
    EXPECT_EQ(field.getLinks().size(), 5u + 28u) << "the hit stopper left with its link";
    while (crossing.getPosition().x <= 1000)
        field.step(0.02f);
    field.step(0.02f);
    EXPECT_EQ(field.getLinks().size(), 5u + 21u) << "the crossing sphere left with all its links";
}

using Words = std::vector<std::uint32_t>;

// Everything the rules decide: floats by their bits, spheres and links by places.
Words snapshot(const Playfield& field) {
    std::map<const void*, std::uint32_t> place{{nullptr, 0}};
    for (const auto& sphere : field.getSpheres()) {
        place.emplace(sphere.get(), place.size());
    }
    Words words{field.getScore()};
    for (const auto& link : field.getLinks()) {
        place.emplace(link.get(), place.size());
        words.insert(words.end(), {place[link->first], place[link->second]});
    }
    for (const auto& sphere : field.getSpheres()) {
        const auto* falling = dynamic_cast<const FallingSphere*>(sphere.get());
        const Vector2 vectors[] = {sphere->getPosition(), sphere->getPreviousPosition(),
                                   falling != nullptr ? falling->getVelocity() : Vector2()};
        words.resize(words.size() + 6);
        std::memcpy(&words.back() - 5, vectors, sizeof vectors);
        words.insert(words.end(), {static_cast<std::uint32_t>(sphere->getKind()),
                                   sphere->isRemoved(), sphere->getChain()});
        for (const SphereLink* slot : sphere->getLinks()) {
            words.push_back(place[slot]);
        }
    }
    return words;
}

// A seeded world that crowds every rule, after each step.
std::vector<Words> play(Playfield::PairSearch search, unsigned seed) {
    Playfield field(search);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> angle(0.0f, 6.2832f), unit(0.0f, 1.0f), dt(0.004f, 0.07f);
    const auto colour = [&] { return static_cast<int>(random() % 5); };
    // Clusters at the nucleus and the sensor: coincident, overlapping, touching, near.
    put<FallingSphere>(field, {}, colour()).setKind(KIND_STUCK); // stuck, as in the game
    const auto& sensor = put<SphereTester>(field, {-200, 0});
    const float gaps[] = {0.0f, 11.0f, 16.0f, 16.0f, 17.5f, 18.2f};
    for (int i = 0; i < 70; ++i) {
        const Vector2 base = field.getSpheres()[random() % field.size()]->getPosition();
        const Vector2 gap = Vector2(std::cos(1.3f * i), std::sin(1.3f * i)) * gaps[i % 6];
        put<FallingSphere>(field, base + gap, colour()).setKind(KIND_STUCK);
    }
    // Two spheres reaching one stopper in the same step.
    put<FallingSphere>(field, {-30, -99}, colour(), {1200, 0});
    put<Stopper>(field, {0, -99});
    put<FallingSphere>(field, {30, -99}, colour(), {-1200, 0});
    std::vector<Words> history;
    for (int step = 0; step < 240; ++step) {
        if (step % 4 == 0) { // orbiting, fast and leaving spheres, and stoppers
            const float turn = angle(random), speed = step % 12 ? 180.0f : 4000.0f * unit(random);
            const Vector2 out(std::cos(turn), std::sin(turn));
            const Vector2 at = out * (60.0f + 900.0f * unit(random));
            put<FallingSphere>(field, at, colour(), Vector2(out.y, -out.x) * speed);
            put<Stopper>(field, Vector2(unit(random) - 0.5f, unit(random) - 0.5f) * 600.0f);
        }
        field.step(dt(random));
        history.push_back(snapshot(field));
        history.back().push_back(sensor.isHit());
    }
    return history;
}

TEST(PlayfieldEquivalence, NearPairsGiveTheWorldOfEveryPairAfterEachStep) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const auto fast = play(Playfield::PairSearch::NEAR_PAIRS, seed);
        const auto reference = play(Playfield::PairSearch::EVERY_PAIR, seed);
        for (std::size_t step = 0; step < reference.size(); ++step) {
            ASSERT_EQ(fast[step], reference[step]) << "seed " << seed << ", after step " << step;
        }
    }
}

} // namespace
