// Frames per second of the game in a real window on a private X server with
// Mesa's software renderer: a world of 200 spheres (the nucleus, the sensor,
// 197 stoppers and one launched sphere) with the heads-up display and "Game
// Over" on screen. Each iteration is one whole frame: clear, update, swap.
// Run it from the repository root, where data/ lives. It runs once on each SDL
// stack the build found (see the root CMakeLists.txt), in a process of its own
// started with that stack's library path, and names each run by the stack
// that process loaded.
#include "app/GameAssembly.h"
#include "gfx/Display.h"
#include "tests/support/RealWindow.h"
#include "tools/sdl-stack/SdlStack.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

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
// Runs this program again on each stack, "name=library-path" in ORBI_SDL_STACKS,
// with the same arguments; fails if any run failed.
int runOnEachStack(char** argv) {
    int failed = 0;
    std::istringstream stacks(ORBI_SDL_STACKS);
    for (std::string stack; stacks >> stack;) {
        const std::size_t equals = stack.find('=');
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            setenv("LD_LIBRARY_PATH", stack.substr(equals + 1).c_str(), 1);
            setenv("ORBI_BENCH_STACK", stack.substr(0, equals).c_str(), 1);
            execv("/proc/self/exe", argv);
            _exit(127);
        }
        int status = 0;
        failed += waitpid(child, &status, 0) != child || status != 0;
    }
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const char* named = std::getenv("ORBI_BENCH_STACK");
    if (named == nullptr) {
        return runOnEachStack(argv);
    }
    const std::string stack = sdlStackName(sdlLibrariesOf("self"));
    if (stack != named) {
        std::fprintf(stderr, "frame-rate-bench: runs on %s, not on %s\n", stack.c_str(), named);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark(("BM_FrameWithTwoHundredSpheres/" + stack).c_str(),
                                 BM_FrameWithTwoHundredSpheres)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
