#pragma once

// Every figure of bench/ compares our code with a baseline measured in the same run, because
// absolute times on shared machines are noise. A figure is two benchmarks named
// "<figure>/baseline" and "<figure>/ours"; bench/run prints ours / baseline per figure.

#include <benchmark/benchmark.h>

#define SUITE_FIGURE(figure, baselineFunction, oursFunction)                        \
    BENCHMARK(baselineFunction)->Name(figure "/baseline")->Unit(benchmark::kMillisecond); \
    BENCHMARK(oursFunction)->Name(figure "/ours")->Unit(benchmark::kMillisecond)
