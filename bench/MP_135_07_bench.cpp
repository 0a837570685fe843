// One GSSSD MR 135-07 calculation: standard and working state, the
// sensitivities to T, p and each content.
#include <benchmark/benchmark.h>

#include <array>

#include "gasprops/gas_properties.h"

namespace {

void BM_calcMr135_wetNaturalGas(benchmark::State& state) {
  const std::array<double, 16> x = {96.45, 1.8, 0.45, 0.1, 0.1, 0.7, 0.3, 0.02,
                                    0.02,  0.01, 0,   0,   0,   0,   0,   0.05};
  std::array<double, 16> dx{};
  dx.fill(1.0);
  for (auto _ : state) {
    velmar::MethodOutputs out;
    benchmark::DoNotOptimize(velmar::calcMr135(x, dx, 293.15, 0.1, 4.0, 0.5, out));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_calcMr135_wetNaturalGas)->Unit(benchmark::kMicrosecond);

}  // namespace
