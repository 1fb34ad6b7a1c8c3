// Cost of the contact test itself: one pass over every pair of a world shaped
// like a game in progress, a packed cluster of stuck spheres around the
// nucleus, a dozen falling spheres circling it and a few stoppers. (How few
// pairs a world step tests is step-bench's to show.)
#include "world/CollisionManager.h"
#include "world/FallingSphere.h"
#include "world/SphereTester.h"
#include "world/Stopper.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace {

const int FALLING_COUNT = 12;
const int STOPPER_COUNT = 3;
const float STEP = 0.016f;

// The count points of a hexagonal grid of touching spheres nearest the origin,
// the origin itself (the nucleus) first.
std::vector<Vector2> packedCluster(int count) {
    const float spacing = 2.0f * Sphere::SPHERE_RADIUS;
    const float rowHeight = spacing * std::sqrt(3.0f) / 2.0f;
    std::vector<Vector2> points;
    for (int row = -12; row <= 12; ++row) {
        for (int column = -12; column <= 12; ++column) {
            const float shift = (row % 2 != 0) ? spacing / 2.0f : 0.0f;
            points.emplace_back(static_cast<float>(column) * spacing + shift,
                                static_cast<float>(row) * rowHeight);
        }
    }
    std::sort(points.begin(), points.end(),
              [](Vector2 a, Vector2 b) { return dot(a, a) < dot(b, b); });
    points.resize(static_cast<std::size_t>(count));
    return points;
}

class GameLikeScene {
public:
    explicit GameLikeScene(int sphereCount) {
        const int stuckCount = sphereCount - 1 - FALLING_COUNT - STOPPER_COUNT;
        for (Vector2 point : packedCluster(stuckCount)) {
            add(std::make_unique<Sphere>(), point);
        }
        // The sensor sits at the spawn point, in creation order right after the nucleus.
        std::unique_ptr<Sphere> sensor = std::make_unique<SphereTester>();
        sensor->placeAtRest(Vector2(-200.0f, 0.0f));
        spheres.insert(spheres.begin() + 1, std::move(sensor));

        const Vector2 stopperPoints[STOPPER_COUNT] = {
            Vector2(-150.0f, 110.0f), Vector2(130.0f, -170.0f), Vector2(60.0f, 210.0f)};
        for (int i = 0; i < FALLING_COUNT; ++i) {
            addFalling(i);
            if (i % 4 == 3) {
                add(std::make_unique<Stopper>(), stopperPoints[i / 4]);
            }
        }
    }

    const std::vector<std::unique_ptr<Sphere>>& getSpheres() const { return spheres; }

private:
    void add(std::unique_ptr<Sphere> sphere, Vector2 point) {
        sphere->placeAtRest(point);
        spheres.push_back(std::move(sphere));
    }

    // Spread around the cluster on near-circular orbits, each having just made one step.
    void addFalling(int index) {
        const float angle = 0.5236f * static_cast<float>(index); // 30 degrees apart
        const float radius = 170.0f + 7.0f * static_cast<float>(index);
        const Vector2 outwards(std::cos(angle), std::sin(angle));
        auto falling = std::make_unique<FallingSphere>();
        falling->placeAtRest(outwards * radius);
        falling->setVelocity(Vector2(outwards.y, -outwards.x) * 180.0f);
        falling->update(STEP);
        spheres.push_back(std::move(falling));
    }

    std::vector<std::unique_ptr<Sphere>> spheres;
};

void allPairsContactPass(benchmark::State& state) {
    const GameLikeScene scene(static_cast<int>(state.range(0)));
    const std::vector<std::unique_ptr<Sphere>>& spheres = scene.getSpheres();
    for (auto _ : state) {
        int contacts = 0;
        for (std::size_t later = 1; later < spheres.size(); ++later) {
            for (std::size_t earlier = 0; earlier < later; ++earlier) {
                CollisionResult result;
                contacts += CollisionManager::test(*spheres[earlier], *spheres[later], result);
            }
        }
        benchmark::DoNotOptimize(contacts);
    }
}

} // namespace

BENCHMARK(allPairsContactPass)
    ->Arg(50)
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
