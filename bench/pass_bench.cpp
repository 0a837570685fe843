// Speed of one whole calculation pass, as a user waits for it one second
// after the last input: the bundled example by GERG-91 mod., and natural gas
// of full composition by GOST R 8.662 in an error calculation.
#include <benchmark/benchmark.h>

#include "bench_point.h"

namespace {

using namespace velmar;

using Point = bench::BenchPoint;

void BM_PassGerg91Volume(benchmark::State& state) {
  Point p;
  auto& in = p.s.in;
  chooseItem(p.s, in.metod, 1);
  chooseItem(p.s, in.VlTip, 0);
  p.type(in.rststr, "0,7");
  p.type(in.n2str, "1");
  p.type(in.co2str, "0,5");
  p.type(in.Tstr, "20");
  p.type(in.PizbStr, "500000");
  p.type(in.PbarStr, "101325");
  p.type(in.Qstr, "1000");
  for (auto _ : state) {
    p.pass();
    benchmark::DoNotOptimize(in.Memo1.lines().size());
  }
}
BENCHMARK(BM_PassGerg91Volume)->Unit(benchmark::kMicrosecond);

void BM_PassAgaErrorCalculation(benchmark::State& state) {
  Point p;
  auto& in = p.s.in;
  chooseItem(p.s, in.Raschet, 1);
  chooseItem(p.s, in.metod, 4);
  const char* contents[] = {"0,3", "0,6", "96,5", "1,8", "0,45", "0,1", "0,1", "0,03", "0,05", "0,07"};
  for (int r = 0; r < 10; ++r) editCell(p.s, in.sost_iso, 1, r + 1, contents[r]);
  p.type(in.Tstr, "20");
  p.type(in.PizbStr, "5000000");
  p.type(in.PbarStr, "101325");
  p.type(in.Qstr, "1000");
  p.type(in.TauStr, "24");
  p.type(in.KT1str, "100");
  for (auto _ : state) {
    p.pass();
    benchmark::DoNotOptimize(in.Memo1.lines().size());
  }
}
BENCHMARK(BM_PassAgaErrorCalculation)->Unit(benchmark::kMicrosecond);

}  // namespace
