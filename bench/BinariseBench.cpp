// Binarisation of a 12 MP picture inside a rectangle, an ellipse and a 30-vertex polygon region,
// each against a copy of the bytes it touches: clearing the layer and copying the region's
// pixels from the picture into it. The region's runs are computed before the timed loop, as the
// view computes them once per change of the region.

#include "measure/core/RegionOfInterest.h"
#include "measure/processing/Binarisation.h"

#include "bench/Figure.h"

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace tessmet;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

const Dib& Picture() {
    static const Dib picture = [] {
        Dib d(kWidth, kHeight, 24);
        std::mt19937 random(12);
        for (int y = 0; y < kHeight; ++y) {
            uint8_t* row = d.row(y);
            for (int i = 0; i < kWidth * 3; ++i) row[i] = static_cast<uint8_t>(random() >> 24);
        }
        return d;
    }();
    return picture;
}

RegionOfInterest Star() {
    std::mt19937 random(30);
    std::uniform_real_distribution<double> radius(600.0, 1450.0);
    std::vector<Point> vertices;
    for (int k = 0; k < 30; ++k) {
        const double angle = 2.0 * 3.141592653589793 * k / 30;
        const double r = radius(random);
        vertices.push_back({static_cast<int>(2000 + 1.3 * r * std::cos(angle)), static_cast<int>(1500 + r * std::sin(angle))});
    }
    return RegionOfInterest::Polygon(vertices);
}

RegionOfInterest Shape(int which) {
    switch (which) {
        case 0: return RegionOfInterest::Rectangle({200, 150}, {3799, 2849});
        case 1: return RegionOfInterest::Ellipse({200, 150}, {3800, 2850});
        default: return Star();
    }
}

template <int Which>
void Baseline(benchmark::State& state) {
    const Dib& picture = Picture();
    const RoiSpans spans = Shape(Which).spans(kWidth, kHeight);
    Dib layer(kWidth, kHeight, 24);
    for (auto _ : state) {
        std::memset(layer.bits(), 0, layer.sizeBytes());
        for (const RoiSpan& s : spans.spans())
            std::memcpy(layer.pixel(s.xBegin, s.y), picture.pixel(s.xBegin, s.y), static_cast<size_t>(s.xEnd - s.xBegin) * 3);
        benchmark::DoNotOptimize(layer.bits());
        benchmark::ClobberMemory();
    }
    state.counters["roi"] = static_cast<double>(spans.pixelCount());
}

template <int Which>
void Ours(benchmark::State& state) {
    const Dib& picture = Picture();
    const RoiSpans spans = Shape(Which).spans(kWidth, kHeight);
    Dib layer(kWidth, kHeight, 24);
    BinariseCounts counts;
    for (auto _ : state) {
        counts = Binarise(picture, layer, spans, 200, 60, 0x0000FF00);
        benchmark::DoNotOptimize(counts);
        benchmark::ClobberMemory();
    }
    state.counters["marked"] = static_cast<double>(counts.marked);
}

SUITE_FIGURE("binarise 4000x3000, rectangle ROI", Baseline<0>, Ours<0>);
SUITE_FIGURE("binarise 4000x3000, ellipse ROI", Baseline<1>, Ours<1>);
SUITE_FIGURE("binarise 4000x3000, 30-vertex polygon ROI", Baseline<2>, Ours<2>);

}  // namespace
