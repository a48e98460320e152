// Area count on a 4000 x 3000 image with a 30-vertex polygon: the scanline count the engine
// uses against the per-pixel definition it must equal. Run both and compare their times; the
// baseline (per pixel) is measured in the same run.

#include "measure/core/PolygonArea.h"

#include "bench/Figure.h"

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// A star-shaped, non-convex polygon of 30 vertices around the image centre, with a fixed seed.
std::vector<tessmet::Point> Polygon() {
    std::mt19937 random(30);
    std::uniform_real_distribution<double> radius(600.0, 1450.0);
    std::vector<tessmet::Point> vertices;
    for (int k = 0; k < 30; ++k) {
        const double angle = 2.0 * 3.141592653589793 * k / 30;
        const double r = radius(random);
        vertices.push_back({static_cast<int>(2000 + 1.3 * r * std::cos(angle)), static_cast<int>(1500 + r * std::sin(angle))});
    }
    return vertices;
}

void BM_AreaCountScanline(benchmark::State& state) {
    const std::vector<tessmet::Point> polygon = Polygon();
    long long count = 0;
    for (auto _ : state) {
        count = tessmet::PolygonPixelCount(polygon, kWidth, kHeight);
        benchmark::DoNotOptimize(count);
    }
    state.counters["pixels"] = static_cast<double>(count);
}

void BM_AreaCountPerPixel(benchmark::State& state) {
    const std::vector<tessmet::Point> polygon = Polygon();
    long long count = 0;
    for (auto _ : state) {
        count = tessmet::PolygonPixelCountPerPixel(polygon, kWidth, kHeight);
        benchmark::DoNotOptimize(count);
    }
    state.counters["pixels"] = static_cast<double>(count);
}
SUITE_FIGURE("area count, 4000x3000, 30 vertices", BM_AreaCountPerPixel, BM_AreaCountScanline);

}  // namespace
