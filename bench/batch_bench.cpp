// Speed of one file of velmar-calc --batch in the process: the single run of
// each kind of bundled example from a fresh start (a new measuring point, the
// load of its .vdt file, the passes, the JSON object), what every worker does
// per file. The whole batch, with and without report PDFs, is timed from
// outside by bench/batch_folder.sh.
#include <benchmark/benchmark.h>

#include <string>

#include "cli/batch.h"

namespace {

using namespace velmar;

void BM_SingleRunOfAFile(benchmark::State& state, const char* example) {
  CalcOptions options;
  options.separator = ',';
  options.json = true;
  options.loadFile = std::string(VELMAR_EXAMPLES_DIR) + "/" + example;
  for (auto _ : state) {
    const CalcRun run = calculate(options);
    if (run.status != 0) state.SkipWithError(run.err.c_str());
    benchmark::DoNotOptimize(run.out.size());
  }
}
BENCHMARK_CAPTURE(BM_SingleRunOfAFile, volume, "gerg91_dry.vdt")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SingleRunOfAFile, error_with_tables, "gerg91_error.vdt")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SingleRunOfAFile, diameter, "gerg91_diameter.vdt")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SingleRunOfAFile, mixture, "mr135_mixture.vdt")->Unit(benchmark::kMicrosecond);

}  // namespace
