#include "app/GameAssembly.h"
#include "app/HudText.h"
#include "app/InputHandler.h"
#include "app/PortableRandom.h"
#include "gfx/Display.h"
#include "tests/support/GlRecorder.h"
#include "text/StringObject.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

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
    Game& operator*() { return assembly->getGame(); }
    Display display;
    std::optional<GameAssembly> assembly;
};

// A fingerprint made from values, not from the host's bytes, so that either
// byte order gives the same: every sphere's position bits, kind, colour and
// chain, every link (by its spheres' places), the score and the heads-up texts.
std::uint64_t fingerprint(Game& game) {
    std::uint64_t hash = 0xcbf29ce484222325; // 64-bit FNV-1a, a byte at a time
    const auto add = [&hash](std::vector<long long> numbers, Vector2 place = {}) {
        std::uint32_t bits[2];
        std::memcpy(bits, &place, sizeof bits);
        numbers.insert(numbers.end(), bits, bits + 2);
        for (const long long number : numbers)
            for (int shift = 0; shift < 64; shift += 8)
                hash = (hash ^ ((number >> shift) & 0xff)) * 0x100000001b3;
    };
    for (const auto& sphere : game.getWorld().getSpheres())
        add({sphere->getKind(), sphere->getColour(), sphere->getChain()}, sphere->getPosition());
    for (const auto& link : game.getWorld().getLinks())
        add({}, link->first->getPosition()), add({}, link->second->getPosition());
    add({game.getWorld().getScore()});
    for (const StringObject* hud :
         {game.getScoreText(), game.getSphereCountText(), game.getGameOverText()})
        add({hud->visible, int(hud->text.size())}), add({hud->text.begin(), hud->text.end()});
    return hash;
}

TEST(AppHud, NumbersAreRightAlignedInFixedWidthsAndNeverCut) {
    for (const auto& [score, shown] : std::map<std::uint32_t, std::string>{
             {0, "00000"}, {42, "00042"}, {99999, "99999"}, {123456, "123456"}})
        EXPECT_EQ(formatScore(score), shown);
    // The room left in a world of so many spheres, before it holds 200.
    for (const auto& [spheres, shown] :
         std::map<std::size_t, std::string>{{3, "197"}, {195, "  5"}, {200, "  0"}, {201, "  0"}})
        EXPECT_EQ(formatSphereCount(spheres, 200), shown) << spheres;
}

// Field by field: the browser's SDL lays its events out as SDL 2 does.
using EventType = decltype(SDL_Event::type);
SDL_Event mouse(EventType type, Uint8 button, int x = 0, int y = 0) {
    SDL_Event event{type};
    event.button.button = button;
    event.button.x = x, event.button.y = y;
    return event;
}

SDL_Event key(EventType type, SDLKey symbol) {
    SDL_Event event{type};
    event.key.keysym.sym = symbol;
    return event;
}

// Each case is queued whole and drained at once, then drained after every event
// (a press survives from one frame to the next).
TEST(AppInput, EventsBecomeClicksAtThePressAndQuitRequests) {
    const EventType down = SDL_MOUSEBUTTONDOWN, up = SDL_MOUSEBUTTONUP;
    const std::tuple<std::vector<SDL_Event>, std::string, bool> cases[] = {
        // events, clicks, quit
        {{mouse(up, 4), mouse(down, 1, 10, 20), mouse(up, 1, 300, 400)}, "10,20 ", false},
        {{mouse(down, 3, 1, 2), mouse(down, 2, 30, 40), mouse(up, 2), mouse(up, 1)},
         "30,40 ",
         false},
        {{key(SDL_KEYUP, SDLK_ESCAPE), key(SDL_KEYDOWN, SDLK_q)}, "", false},
        {{key(SDL_KEYDOWN, SDLK_ESCAPE)}, "", true},
        {{mouse(down, 5, 50, 60), SDL_Event{SDL_QUIT}, mouse(up, 5)}, "50,60 ", true}};
    const HeadlessGame sdl; // for SDL's event queue
    for (const bool drainEachEvent : {false, true}) {
        for (const auto& [events, clicks, quits] : cases) {
            InputHandler input;
            std::string clicked;
            for (const SDL_Event& queued : events) {
                SDL_Event event = queued;
                SDL_PushEvent(&event);
                if (drainEachEvent || &queued == &events.back())
                    for (const Click& click : input.pollAll())
                        clicked += std::to_string(click.x) + "," + std::to_string(click.y) + " ";
            }
            EXPECT_EQ(clicked, clicks) << "after " << events.size() << " events";
            EXPECT_EQ(input.isQuitRequested(), quits) << "after " << events.size() << " events";
        }
    }
}

// Draws reach both ends of the generator's range, and colours stay in theirs
// (which colours every game deals, the soak's hashes pin).
TEST(AppColours, DealtFromTheWholeRange) {
    PortableRandom draws, colours;
    int lowest = PortableRandom::MAX, highest = 0;
    for (int draw = 0; draw < 65536; ++draw) {
        const int drawn = draws.next();
        lowest = std::min(lowest, drawn), highest = std::max(highest, drawn);
        ASSERT_LT(unsigned(colours.nextBelow(5)), 5u);
    }
    EXPECT_TRUE(lowest == 0 && highest == PortableRandom::MAX);
}

// Scripted games until both endings are seen, each opening with set frame times, then with frame
// times and clicks from a generator that deals the same everywhere: every processor and compiler
// must reach the same worlds (hashed at frame 300 and at the end). A rule changed on purpose
// changes the hashes: set the new ones from the failing run in the same commit, saying why.
TEST(AppSoak, EveryFrameShowsTheWorldTrulyAndTheSameEverywhere) {
    const float opening[] = {0.145f, 0.005f, 0.005f, 0.005f, 0.005f, 0.005f, 0.2f, 0.005f};
    const float ages[] = {140, 140, 155, 155, 155, 170, 370, 370}; // milliseconds
    PortableRandom random;
    const auto draw = [&random](float below) { return below * float(random.next()) / 32768; };
    std::vector<std::uint64_t> hashes;
    int endings[2] = {0, 0}; // by the sphere limit, by the sensor
    for (int games = 0; (!endings[0] || !endings[1]) && games < 8; ++games) {
        HeadlessGame game;
        const World& field = game->getWorld();
        const unsigned sheet = GlRecorder::state().uploads.at(0).texture;    // loaded first,
        const unsigned fontPage = GlRecorder::state().uploads.at(1).texture; // then the font
        game->click(0, 0);
        const auto& corner = static_cast<const Stopper&>(*field.getSpheres().back());
        float sinceSpawn = 0;
        std::string count = "198";
        std::vector<double> previous; // what the last frame drew
        for (int frozen = 0, frame = 0; frozen < 20; frozen += game->isOver(), ++frame) {
            if (draw(1) < (games % 2 ? 0.02f : 0.4f)) // one draw: arguments go in any order
                game->click(int(draw(640)), frame * 53 % 480);
            const bool over = game->isOver() || game->getSentinel()->isHit() || field.size() > 199;
            const float dt = frame < 8 ? opening[frame] : 0.005f + draw(0.245f);
            const bool spawns = !over && (sinceSpawn += dt) > 1.0f;
            sinceSpawn = spawns ? 0 : sinceSpawn;
            GlRecorder::reset();
            game->update(dt);
            ASSERT_TRUE(frame >= 8 || std::round(corner.getAge() * 1000) == ages[frame])
                << "frame " << frame << ", stopper age " << corner.getAge();
            ASSERT_EQ(game->getGameOverText()->visible, over) << "from the frame after the end";
            ASSERT_EQ(game->getScoreText()->text, formatScore(field.getScore()));
            if (spawns)
                count = formatSphereCount(field.size(), 200);
            ASSERT_EQ(game->getSphereCountText()->text, count) << "rewritten at spawns only";
            std::vector<double> drawn, wanted; // all but the sensor: from the sheet, in order
            for (const auto& sphere : field.getSpheres())
                if (const Vector2 at = sphere->getScreenPosition();
                    sphere->getKind() != KIND_TESTER)
                    wanted.insert(wanted.end(), {at.x - 8, at.y - 8, sphere->getColour() / 8.0, 0,
                                                 sphere->getColour() / 8.0 + 0.125, 0.125});
            int textStrips = 0;
            for (const GlStrip& strip : GlRecorder::state().strips) {
                const auto& corner = strip.vertices; // top left first, bottom right last
                textStrips += strip.texture == fontPage;
                if (strip.texture == sheet && corner.size() == 4)
                    drawn.insert(drawn.end(), {corner[0].x, corner[0].y, corner[0].u, corner[0].v,
                                               corner[3].u, corner[3].v});
            }
            ASSERT_THAT(drawn, testing::Pointwise(testing::DoubleNear(1e-3), wanted));
            ASSERT_TRUE(!over || std::equal(previous.begin(), previous.end(), wanted.begin()))
                << "a world over is frozen: only stoppers clicked since are added";
            previous = wanted;
            ASSERT_GT(textStrips, 10) << "the heads-up display, from the first frame on";
            if (frame == 300)
                hashes.push_back(fingerprint(*game));
        }
        hashes.push_back(fingerprint(*game));
        ++endings[game->getSentinel()->isHit()];
    }
    EXPECT_TRUE(endings[0] && endings[1]);
    EXPECT_EQ(hashes, (std::vector<std::uint64_t>{17465410839410866288u, 14693467118634351316u,
                                                  10626156108942553008u, 10291134399208723006u}));
}

} // namespace
