// Speed of the report of the worked error calculation (GERG-91 mod., both
// control-point tables): building the report text and the error-table page,
// and, where the window layer is built, laying out its three A4 pages as a
// PDF, what "Просмотр" and "Сохранить в PDF…" do before the user sees a page.
#include <benchmark/benchmark.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "bench_point.h"
#include "report/report_text.h"

#ifdef VELMAR_REPORT_PDF
#include <QGuiApplication>

#include "ui/window/report_pages.h"
#endif

namespace {

using namespace velmar;

struct ErrorReport : bench::BenchPoint {
  ErrorReport() {
    example("gerg91_error.args");
    settle();
    // A folder without a number file: the report reads the number 0.
    s.files.startFolder = "/nonexistent-velmar-bench";
  }
};

void BM_ReportTextOfAnErrorCalculation(benchmark::State& state) {
  ErrorReport r;
  for (auto _ : state) {
    const ReportDocument doc = BuildReportText(r.s, {}, "01.02.2024");
    benchmark::DoNotOptimize(doc.lines.size());
  }
}
BENCHMARK(BM_ReportTextOfAnErrorCalculation)->Unit(benchmark::kMicrosecond);

#ifdef VELMAR_REPORT_PDF
void BM_ReportPdfOfAnErrorCalculation(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velmar_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  ErrorReport r;
  for (auto _ : state) {
    const QByteArray pdf = window::reportPdf(BuildReportText(r.s, {}, "01.02.2024"));
    benchmark::DoNotOptimize(pdf.size());
  }
}
BENCHMARK(BM_ReportPdfOfAnErrorCalculation)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
