// Speed of a whole error calculation with both control-point tables (6
// control points, 30 cells): the worked GERG-91 mod. example of the README,
// and the same instruments for a 21-component natural gas by GOST R 8.662;
// then the parts of the table run apart (the properties of the five
// combinations, the errors of the 30 cells) and the pass without tables.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "bench_point.h"
#include "uncertainty/control_point_tables.h"

namespace {

using namespace velmar;

struct Point : bench::BenchPoint {
  // The worked example of the README.
  void example() { BenchPoint::example("gerg91_error.args"); }
  // Natural gas of 21 components by GOST R 8.662.
  void fullGas() {
    set("metod", "4");
    const double others[21] = {2.0, 1.5, 0,    4.0,  1.5,  0.3,  0.3, 0.1,  0.1,  0.05, 0.02,
                               0.01, 0.01, 0.01, 1.0, 0.01, 0.5, 0.01, 0.01, 0.2, 0.01};
    double methane = 100;
    for (double v : others) methane -= v;
    for (int row = 1; row <= 21; ++row) {
      char text[32];
      std::snprintf(text, sizeof text, "%.4f", row == 3 ? methane : others[row - 1]);
      for (char* ch = text; *ch; ++ch) {
        if (*ch == '.') *ch = ',';
      }
      editCell(s, s.in.sost_iso, 1, row, text);
      editCell(s, s.in.sost_iso, 2, row, "1");
    }
  }
};

void BM_ErrorPassWithTablesGerg91(benchmark::State& state) {
  Point p;
  p.example();
  p.settle();
  p.check(state);
  for (auto _ : state) {
    p.pass();
    benchmark::DoNotOptimize(p.s.in.TablPogr.cell(6, 8));
  }
}
BENCHMARK(BM_ErrorPassWithTablesGerg91)->Unit(benchmark::kMillisecond);

void BM_ErrorPassWithTablesGostR8662(benchmark::State& state) {
  Point p;
  p.example();
  p.fullGas();
  p.settle();
  p.check(state);
  for (auto _ : state) {
    p.pass();
    benchmark::DoNotOptimize(p.s.in.TablPogr.cell(6, 8));
  }
}
BENCHMARK(BM_ErrorPassWithTablesGostR8662)->Unit(benchmark::kMillisecond);

// The same pass without control points: the measuring point alone.
void BM_ErrorPassWithoutTablesGostR8662(benchmark::State& state) {
  Point p;
  p.example();
  p.fullGas();
  for (const char* kt : {"KT1str", "KT2str", "KT3str", "KT4str", "KT5str", "KT6str"}) p.set(kt, "0");
  p.settle();
  for (auto _ : state) {
    p.pass();
    benchmark::DoNotOptimize(p.s.in.Memo1.lines().size());
  }
}
BENCHMARK(BM_ErrorPassWithoutTablesGostR8662)->Unit(benchmark::kMillisecond);

// The two steps of the table run after a pass: the properties of the five
// combinations, then the errors of the 30 cells.
template <bool FullGas>
void tableSteps(benchmark::State& state, bool prepareOnly) {
  Point p;
  p.example();
  if (FullGas) p.fullGas();
  p.settle();
  p.check(state);
  p.s.in.CalcIdle = false;
  const std::vector<double> points = sortControlPoints(p.s);
  ControlPointRun run = prepareTableCells(p.s, points);
  for (auto _ : state) {
    if (prepareOnly) {
      run = prepareTableCells(p.s, points);
      state.PauseTiming();
      fillErrorTables(p.s, run);  // gives the measuring point back
      state.ResumeTiming();
    } else {
      state.PauseTiming();
      run = prepareTableCells(p.s, points);
      state.ResumeTiming();
      fillErrorTables(p.s, run);
    }
    benchmark::DoNotOptimize(p.s.in.TablPogrk.cell(6, 8));
  }
  p.s.in.CalcIdle = true;
}

void BM_TableCombinationsGerg91(benchmark::State& state) { tableSteps<false>(state, true); }
void BM_TableCellsGerg91(benchmark::State& state) { tableSteps<false>(state, false); }
void BM_TableCombinationsGostR8662(benchmark::State& state) { tableSteps<true>(state, true); }
void BM_TableCellsGostR8662(benchmark::State& state) { tableSteps<true>(state, false); }
BENCHMARK(BM_TableCombinationsGerg91)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableCellsGerg91)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableCombinationsGostR8662)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableCellsGostR8662)->Unit(benchmark::kMicrosecond);

}  // namespace
