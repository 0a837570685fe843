// One GSSSD MR 118-05 calculation: standard and working state, the
// sensitivities to T, p and each of the ten contents of a natural gas.
#include <benchmark/benchmark.h>

#include <array>

#include "gasprops/gas_properties.h"

namespace {

void BM_calcMr118_naturalGas(benchmark::State& state) {
  const std::array<double, 18> x = {91.0, 4.5, 1.5, 0.35, 0.35, 1.3, 0.8, 0.08, 0.08,
                                    0.04, 0,   0,   0,    0,    0,   0,   0,    0};
  std::array<double, 18> dx{};
  dx.fill(1.0);
  for (auto _ : state) {
    velmar::MethodOutputs out;
    benchmark::DoNotOptimize(velmar::calcMr118(x, dx, 273.15, 0.1, 5.0, 0.5, out));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_calcMr118_naturalGas)->Unit(benchmark::kMicrosecond);

void BM_calcMr118_allComponents(benchmark::State& state) {
  std::array<double, 18> x{};
  x.fill(100.0 / 18);
  std::array<double, 18> dx{};
  dx.fill(1.0);
  for (auto _ : state) {
    velmar::MethodOutputs out;
    benchmark::DoNotOptimize(velmar::calcMr118(x, dx, 350.0, 0.1, 3.0, 0.5, out));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_calcMr118_allComponents)->Unit(benchmark::kMicrosecond);

}  // namespace
