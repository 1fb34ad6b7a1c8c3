// Cost of one world step (moving, removing, contact tests, links and scoring)
// on worlds grown by playing: a sphere launched from the spawn point every
// second, a third of them braked by a pair of stoppers dropped on their orbit
// so that they fall in and stick, the rest left circling the cluster; when the
// cluster reaches the spawn point the player's remaining clicks fill the world
// with stoppers. Every timed step starts from the same grown state.
//
// A second series holds 200 spheres and varies how many of them move: the
// resting spheres of a grown world, with moving ones on circular orbits around
// the cluster spread evenly through them.
//
// Instructions per step, counted by callgrind on one timed step alone:
//   LD_BIND_NOW=1 valgrind --tool=callgrind --toggle-collect='*timedStep*'
//       step-bench --benchmark_filter='WorldStep/200$' --benchmark_min_time=0
// (one iteration; binding symbols now keeps the dynamic linker out of it).
#include "world/FallingSphere.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"
#include "world/World.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

const float FRAME = 1.0f / 60.0f;
const int STEPS_BETWEEN_LAUNCHES = 61;
const float ORBIT_RADIUS = 194.0f;
const std::size_t FIXED_COUNT = 200;
// The pull on a falling sphere at distance r is PULL / r^2.
const float PULL = 6.67e6f;

// What is needed to put a sphere back exactly as it was.
struct Body {
    int kind;
    int colour;
    Vector2 previous;
    Vector2 position;
    Vector2 velocity;
};

template <typename Kind> Kind& addAtRest(World& field, Vector2 point) {
    auto sphere = std::make_unique<Kind>();
    sphere->setPosition(point);
    sphere->setPosition(point);
    Kind& added = *sphere;
    field.add(std::move(sphere));
    return added;
}

bool clearOfEverything(const World& field, Vector2 point) {
    for (const auto& sphere : field.getSpheres()) {
        const Vector2 gap = fromTo(sphere->getPosition(), point);
        if (dot(gap, gap) < 20.0f * 20.0f) {
            return false;
        }
    }
    return true;
}

std::vector<Body> grow(std::size_t sphereCount) {
    World field;
    addAtRest<Sphere>(field, Vector2(0.0f, 0.0f));
    const auto& sensor = addAtRest<SphereTester>(field, Vector2(-200.0f, 0.0f));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(0.5f, 5.8f);
    for (int launch = 0; field.size() < sphereCount && !sensor.isHit(); ++launch) {
        auto& sphere = addAtRest<FallingSphere>(field, Vector2(-200.0f, 0.0f));
        sphere.setColour(launch % 5);
        sphere.setVelocity(Vector2(0.0f, -180.0f));
        if (launch % 3 == 0 && field.size() + 2 < sphereCount) {
            const float at = angle(random);
            addAtRest<Stopper>(field,
                               Vector2(ORBIT_RADIUS * std::cos(at), ORBIT_RADIUS * std::sin(at)));
            addAtRest<Stopper>(field, Vector2(ORBIT_RADIUS * std::cos(at + 0.12f),
                                              ORBIT_RADIUS * std::sin(at + 0.12f)));
        }
        for (int step = 0; step < STEPS_BETWEEN_LAUNCHES && field.size() < sphereCount; ++step) {
            field.step(FRAME);
        }
    }
    std::uniform_real_distribution<float> x(-310.0f, 310.0f);
    std::uniform_real_distribution<float> y(-230.0f, 230.0f);
    while (field.size() < sphereCount) {
        const Vector2 click(x(random), y(random));
        if (clearOfEverything(field, click)) {
            addAtRest<Stopper>(field, click);
        }
    }

    std::vector<Body> bodies;
    for (const auto& sphere : field.getSpheres()) {
        const auto* falling = dynamic_cast<const FallingSphere*>(sphere.get());
        bodies.push_back(Body{sphere->getKind(), sphere->getColour(), sphere->getPreviousPosition(),
                              sphere->getPosition(),
                              falling != nullptr ? falling->getVelocity() : Vector2()});
    }
    return bodies;
}

// Stuck spheres come back as stuck falling spheres, which is what they were
// (the nucleus at the origin behaves the same as one).
std::unique_ptr<Sphere> rebuild(const Body& body) {
    std::unique_ptr<Sphere> sphere;
    if (body.kind == KIND_STOPPER) {
        sphere = std::make_unique<Stopper>();
    } else if (body.kind == KIND_TESTER) {
        sphere = std::make_unique<SphereTester>();
    } else {
        auto falling = std::make_unique<FallingSphere>();
        falling->setVelocity(body.velocity);
        falling->setKind(body.kind);
        sphere = std::move(falling);
    }
    sphere->setColour(body.colour);
    sphere->setPosition(body.previous);
    sphere->setPosition(body.position);
    return sphere;
}

// FIXED_COUNT spheres, moving of them on circular orbits between 230 and 430
// from the centre, the others the first resting ones of a grown world.
std::vector<Body> withMoving(std::size_t moving) {
    std::vector<Body> resting;
    for (const Body& body : grow(FIXED_COUNT + 60)) {
        if (body.kind != KIND_FALLING) {
            resting.push_back(body);
        }
    }
    std::mt19937 random(11);
    std::uniform_real_distribution<float> angle(0.0f, 6.2832f);
    std::uniform_real_distribution<float> radius(230.0f, 430.0f);
    std::vector<Body> bodies;
    auto next = resting.begin();
    for (std::size_t place = 0; place < FIXED_COUNT; ++place) {
        if ((place + 1) * moving / FIXED_COUNT == place * moving / FIXED_COUNT) {
            bodies.push_back(*next++);
            continue;
        }
        const float at = angle(random);
        const float distance = radius(random);
        const Vector2 outwards(std::cos(at), std::sin(at));
        const Vector2 velocity = Vector2(outwards.y, -outwards.x) * std::sqrt(PULL / distance);
        const Vector2 position = outwards * distance;
        bodies.push_back(Body{KIND_FALLING, static_cast<int>(place % 5),
                              position - velocity * FRAME, position, velocity});
    }
    return bodies;
}

// The grown world with its links in place, as it stood after its last step:
// one step of no time makes the links, a second finds the pairs at rest that
// made them, as the steps before would have.
std::unique_ptr<World> restore(const std::vector<Body>& bodies) {
    auto field = std::make_unique<World>();
    for (const Body& body : bodies) {
        field->add(rebuild(body));
    }
    field->step(0.0f);
    field->step(0.0f);
    return field;
}

// Out of line so that callgrind can count it alone (see above).
[[gnu::noinline]] float timedStep(World& field) {
    return field.step(FRAME);
}

void timeSteps(benchmark::State& state, const std::vector<Body>& bodies) {
    std::size_t links = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<World> field = restore(bodies);
        state.ResumeTiming();
        benchmark::DoNotOptimize(timedStep(*field));
        state.PauseTiming();
        links = field->getLinks().size();
        field.reset();
        state.ResumeTiming();
    }
    int moving = 0;
    for (const Body& body : bodies) {
        moving += body.kind == KIND_FALLING ? 1 : 0;
    }
    state.counters["spheres"] = static_cast<double>(bodies.size());
    state.counters["falling"] = moving;
    state.counters["links"] = static_cast<double>(links);
}

void BM_WorldStep(benchmark::State& state) {
    timeSteps(state, grow(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_WorldStep)->Arg(50)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_WorldStepMoving(benchmark::State& state) {
    timeSteps(state, withMoving(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_WorldStepMoving)
    ->Arg(0)
    ->Arg(5)
    ->Arg(15)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
