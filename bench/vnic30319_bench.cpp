// VNITs SMV equation of state, GOST 30319.3-96: cost of one state and of one
// whole calculation with its error evaluations.
#include <benchmark/benchmark.h>

#include "gasprops/vnic30319.h"

namespace {

using velmar::vnic::kElements;
constexpr std::array<double, kElements> kPipelineGas = {93.6, 3.1, 0.9, 0.14, 0.17, 1.18, 0.91};

void BM_VnicState(benchmark::State& state) {
  velmar::vnic::State s;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        velmar::vnic::vnicState(kPipelineGas, 293.15, 5, velmar::vnic::Mode::Strict, s));
    benchmark::DoNotOptimize(s.K);
  }
}
BENCHMARK(BM_VnicState);

void BM_CalcVnic30319(benchmark::State& state) {
  std::array<double, kElements> dx{};
  dx.fill(1);
  velmar::MethodOutputs out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(velmar::calcVnic30319(kPipelineGas, dx, 293.15, 0.1, 5, 0.2, out));
    benchmark::DoNotOptimize(out.dRho);
  }
}
BENCHMARK(BM_CalcVnic30319);

}  // namespace
