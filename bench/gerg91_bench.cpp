// Speed of the GOST 30319.2 methods: one call gives K, the working density
// and their error (six evaluations of the equation of state each).
#include <benchmark/benchmark.h>

#include "gasprops/gas_properties.h"

namespace {

struct PointState {
  double T, p, rhoSt, xy, xa;
};

constexpr PointState kStates[] = {
    {293.15, 5e6, 0.70, 0.5, 1.0},
    {250.0, 12e6, 0.75, 2.0, 5.0},
    {340.0, 7e6, 0.85, 5.0, 10.0},
    {270.0, 0.6e6, 1.00, 15.0, 0.0},
};

void BM_calcGerg91(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const PointState& s = kStates[i++ % std::size(kStates)];
    benchmark::DoNotOptimize(
        velmar::calcGerg91(s.T, 0.1, s.p, 0.2, s.rhoSt, s.xy, s.xa, 0.3, 1.0, 1.0));
  }
}
BENCHMARK(BM_calcGerg91);

void BM_calcNx19(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const PointState& s = kStates[i++ % std::size(kStates)];
    benchmark::DoNotOptimize(
        velmar::calcNx19(s.T, 0.1, s.p, 0.2, s.rhoSt, s.xy, s.xa, 0.3, 1.0, 1.0));
  }
}
BENCHMARK(BM_calcNx19);

}  // namespace
