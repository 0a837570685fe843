// One GSSSD MR 134-07 calculation (standard, working and two perturbed states)
// for a gas of each equation form and for the near-critical bisection.
#include <benchmark/benchmark.h>

#include "gasprops/MP_134_07.h"

namespace {

void BM_CalcMr134(benchmark::State& state, int gas, double T, double p) {
  velmar::MethodOutputs out;
  for (auto _ : state) {
    const velmar::MethodFailure code = velmar::calcMr134(gas, T, 0.1, p, 0.2, out);
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK_CAPTURE(BM_CalcMr134, nitrogen_polynomial, 0, 300.0, 5.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CalcMr134, ammonia_liquid, 4, 293.15, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CalcMr134, hydrogen_exponential, 6, 300.0, 5.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CalcMr134, carbon_dioxide_near_critical, 3, 305.0, 7.4)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
