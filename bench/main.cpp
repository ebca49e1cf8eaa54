// Entry point of the benchmark program; every other bench/*.cpp only registers
// benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
