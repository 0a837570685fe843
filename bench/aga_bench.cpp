// Speed of the AGA8-92DC methods: one evaluation of the equation for a
// 21-component gas, and a whole calculation of each entry.
#include <benchmark/benchmark.h>

#include <array>

#include "gasprops/AGA.h"
#include "gasprops/RGazprom2008.h"

namespace {

// A gas with every one of the 21 components present, inside the limits.
std::array<double, 21> fullGas() {
  std::array<double, 21> x = {2.0,   1.5,   0,     4.0,  1.5,   0.3,   0.3,  0.1,  0.1,  0.05, 0.02,
                              0.01,  0.01,  0.01,  1.0,  0.01,  0.5,   0.01, 0.01, 0.2,  0.01};
  double rest = 100;
  for (double v : x) rest -= v;
  x[velmar::aga::kMethane] = rest;
  return x;
}

std::array<double, 21> fullErrors() {
  std::array<double, 21> dx{};
  dx.fill(1.0);
  return dx;
}

void BM_AgaState(benchmark::State& state) {
  const auto x = fullGas();
  for (auto _ : state) {
    auto s = velmar::aga::agaState(x, 293.15, 5.0, true);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_AgaState);

void BM_CalcAga(benchmark::State& state) {
  const auto x = fullGas();
  const auto dx = fullErrors();
  for (auto _ : state) {
    velmar::MethodOutputs out;
    auto code = velmar::calcAga(x, dx, 293.15, 0.1, 5.0, 0.2, out);
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_CalcAga)->Unit(benchmark::kMicrosecond);

std::array<double, 10> rgazGas() { return {93.5, 3.0, 1.0, 0.2, 0.25, 0.05, 0.05, 0.03, 1.2, 0.72}; }

void BM_RGazState(benchmark::State& state) {
  const auto x = rgazGas();
  for (auto _ : state) {
    auto s = velmar::rgaz::rgazState(x, 293.15, 5.0, false);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_RGazState);

void BM_CalcRGazprom(benchmark::State& state) {
  const auto x = rgazGas();
  std::array<double, 10> dx{};
  dx.fill(1.0);
  for (auto _ : state) {
    velmar::MethodOutputs out;
    auto code = velmar::calcRGazprom(x, dx, 293.15, 0.1, 5.0, 0.2, out);
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_CalcRGazprom)->Unit(benchmark::kMicrosecond);

}  // namespace
