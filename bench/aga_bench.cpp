// Speed of the AGA8-92DC methods: one evaluation of the equation for a
// 21-component gas, with the composition the same on every call and with it
// changing on every call, and a whole calculation of each entry.
#include <benchmark/benchmark.h>

#include <array>

#include "gasprops/AGA.h"
#include "gasprops/RGazprom2008.h"

namespace {

using Fractions = std::array<double, 21>;

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

// The 21-component example gas of NIST's AGA8 DETAIL program, as mole
// fractions in the method's component order.
Fractions exampleGas() {
  return {0.02,  0.06,    0.77824, 0.08,    0.03,    0.003, 0.0015, 0.00165, 0.0005, 0.00215, 0.00088,
          0.00024, 0.00015, 0.00009, 0.004, 0.005,   0.002, 0.0001, 0.0025,  0.007,  0.001};
}

Fractions fractions(const std::array<double, 21>& x) {
  Fractions f{};
  for (std::size_t i = 0; i < f.size(); ++i) f[i] = x[i] / 100;
  return f;
}

// The equation alone at 293.15 K and 5 MPa, the same composition each call.
void BM_EquationStateSameComposition(benchmark::State& state) {
  auto evaluator = velmar::aga::evaluator();
  const Fractions f = exampleGas();
  for (auto _ : state) {
    auto e = velmar::aga::equationState(evaluator, f, 293.15, 5.0);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_EquationStateSameComposition);

// The same with two compositions in turn: every call mixes anew.
void BM_EquationStateChangingComposition(benchmark::State& state) {
  auto evaluator = velmar::aga::evaluator();
  const std::array<Fractions, 2> gases = {exampleGas(), fractions(fullGas())};
  std::size_t n = 0;
  for (auto _ : state) {
    auto e = velmar::aga::equationState(evaluator, gases[n++ & 1], 293.15, 5.0);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_EquationStateChangingComposition);

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
