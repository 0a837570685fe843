// One GSSSD MR 113-03 calculation: the working and the standard state and the
// sensitivity evaluations, each nesting the density iteration inside the
// water-fraction iteration.
#include <benchmark/benchmark.h>

#include <array>

#include "gasprops/MP_113_03.h"

namespace {

constexpr std::array<double, 14> kWetGas = {80.05, 8, 5, 1.2, 1.8, 0.5, 0.5, 0.3, 0.1, 0.1, 1.5, 0.9, 0, 0.05};

void BM_CalcMr113(benchmark::State& state) {
  std::array<double, 14> dx{};
  dx.fill(1.0);
  velmar::MethodOutputs out;
  for (auto _ : state) {
    const velmar::MethodFailure code = velmar::calcMr113(kWetGas, dx, 320, 0.1, 6, 0.2, 20, out);
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_CalcMr113)->Unit(benchmark::kMicrosecond);

void BM_Mr113State(benchmark::State& state) {
  for (auto _ : state) {
    const velmar::Mr113State s = velmar::mr113State(kWetGas, 320, 6, 20, true);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_Mr113State)->Unit(benchmark::kMicrosecond);

}  // namespace
