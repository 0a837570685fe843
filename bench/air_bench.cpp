// Speed of the air density (bisection, correction steps, two more states for
// the sensitivities) and of the water-vapour, viscosity and adiabatic-exponent
// routines.
#include <benchmark/benchmark.h>

#include "gasprops/gas_properties.h"

namespace {

void BM_calcTechGasAir(benchmark::State& state) {
  const double pressures[] = {101325, 2e6, 10e6, 300};
  std::size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(velmar::calcTechGas(1, 283.15, 0.1, pressures[i++ % 4], 0.2));
}
BENCHMARK(BM_calcTechGasAir);

void BM_naturalGasAuxiliaries(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(velmar::waterSaturation(288.15));
    benchmark::DoNotOptimize(velmar::viscosityGost30319(288.15, 5e6, 1, 0.5, 0.7));
    benchmark::DoNotOptimize(velmar::kappaGost30319(288.15, 5e6, 1, 0.7));
  }
}
BENCHMARK(BM_naturalGasAuxiliaries);

}  // namespace
