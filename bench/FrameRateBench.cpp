// Frames per second of the game in a real window on a private X server with
// Mesa's software renderer: a world of 200 spheres (the nucleus, the sensor,
// 197 stoppers and one launched sphere) with the heads-up display and "Game
// Over" on screen. Each iteration is one whole frame: clear, update, swap.
// Run it from the repository root, where data/ lives, on either SDL 1.2
// runtime: LD_LIBRARY_PATH selects sdl12-compat (see the README).
#include "app/GameAssembly.h"
#include "gfx/Display.h"
#include "tests/support/RealWindow.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

namespace {

const float FRAME = 1.0f / 60.0f;

void BM_FrameWithTwoHundredSpheres(benchmark::State& state) {
    XvfbSession xvfb;
    Display display;
    if (!display.init(640, 480)) {
        state.SkipWithError("no window");
        return;
    }
    display.begin2D();
    {
        GameAssembly assembly(display);
        Game& game = assembly.getGame();
        // Stoppers 20 pixels apart, clear of each other and of the nucleus.
        for (int y = 10; y < 200 && game.getWorld().size() < 199; y += 20) {
            for (int x = 20; x < 640 && game.getWorld().size() < 199; x += 20) {
                game.click(x, y);
            }
        }
        game.update(1.01f); // one launch: 200 spheres
        game.update(FRAME); // and the game is over

        for (auto _ : state) {
            display.clear();
            game.update(FRAME);
            SDL_GL_SwapBuffers();
        }
        state.counters["spheres"] = static_cast<double>(game.getWorld().size());
        state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    }
    SDL_Quit();
}
BENCHMARK(BM_FrameWithTwoHundredSpheres)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
