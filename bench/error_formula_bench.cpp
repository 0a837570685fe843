#include "uncertainty/error_formula.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

velmar::FormulaVariables benchVariables() {
  velmar::FormulaVariables v;
  v.Q = 120.0;
  v.Qv = 650.0;
  v.t = -12.5;
  v.to1 = 31.0;
  return v;
}

// A temperature-dependent error, the most common formula of a field.
void BM_EvalTemperatureError(benchmark::State& state) {
  const std::string text = "0,5+0,01*\x05t\x05";
  const velmar::FormulaVariables v = benchVariables();
  for (auto _ : state) benchmark::DoNotOptimize(velmar::evalFormula(text, v));
}
BENCHMARK(BM_EvalTemperatureError);

// A flow error with the ambient-temperature term, carrying a display part.
void BM_EvalFlowErrorWithDisplay(benchmark::State& state) {
  const std::string text = "0,2*Qв/Q+0,05*\x05to1-20\x05/10+(0,1+0,002*Q)^2 = 0,7";
  const velmar::FormulaVariables v = benchVariables();
  for (auto _ : state) benchmark::DoNotOptimize(velmar::evalFormula(text, v));
}
BENCHMARK(BM_EvalFlowErrorWithDisplay);

// Evaluation and the texts of a changed field in an error calculation.
void BM_FieldTexts(benchmark::State& state) {
  const std::string text = "0,5+0,01*\x05t\x05";
  const velmar::FormulaVariables v = benchVariables();
  for (auto _ : state)
    benchmark::DoNotOptimize(velmar::formulaFieldTexts(text, velmar::evalFormula(text, v), true));
}
BENCHMARK(BM_FieldTexts);

}  // namespace
