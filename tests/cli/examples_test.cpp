// The bundled examples: every option file and input-data file under
// examples/ computes with no message, and each does what its comment says.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "json_reader.h"
#include "report/report_text.h"
#include "session_fixture.h"
#include "test_support.h"

namespace velmar {
namespace {

using testing::Json;

Json panes(const std::string& args, int& status) {
  const testing::CalcRun r = testing::runVelmarCalc("--json " + args);
  status = r.status;
  try {
    return Json::parse(r.out);
  } catch (const std::exception& e) {
    ADD_FAILURE() << args << ": " << e.what() << "\n" << r.out;
    return {};
  }
}

std::vector<std::string> linesOf(const Json& memo) {
  std::vector<std::string> lines;
  for (const Json& l : memo.array()) lines.push_back(l.string());
  return lines;
}

bool hasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
  for (const auto& l : lines) {
    if (l.rfind(start, 0) == 0) return true;
  }
  return false;
}

TEST(BundledExamples, EveryExampleComputesWithNoMessage) {
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VELMAR_EXAMPLES_DIR)) {
    const std::string path = entry.path().string();
    const std::string kind = entry.path().extension().string();
    std::string args;
    if (kind == ".args") args = "'@" + path + "'";
    // The input-data files are typed with the comma.
    if (kind == ".vdt") args = "--decimal-separator , --load '" + path + "'";
    if (args.empty()) continue;
    ++examples;
    int status = -1;
    const Json out = panes(args, status);
    EXPECT_EQ(status, 0) << path;
    if (!out.isObject()) continue;
    EXPECT_EQ(out["memo2"].size(), 0u) << path << ": " << (out["memo2"].size() ? out["memo2"][0].string() : "");
    EXPECT_GT(out["memo1"].size(), 0u) << path;
  }
  EXPECT_GE(examples, 14);
}

// The two examples whose comments the program did not bear out: an error
// calculation that computed none, and an ultrasonic flowmeter reported as a
// turbine one.
TEST(BundledExamples, EachDoesWhatItsCommentSays) {
  int status = -1;
  const Json out = panes("'@" + testing::examplePath("rgazprom_error.args") + "'", status);
  ASSERT_TRUE(out.isObject());
  const std::vector<std::string> memo1 = linesOf(out["memo1"]);
  for (const char* start : {"Суммарная расширенная неопределенность результата измерения температуры",
                            "Суммарная расширенная неопределенность результата измерений расхода при рабочих условиях",
                            "Относительная погрешность измерения объема, приведенного к стандартным условиям  "}) {
    EXPECT_TRUE(hasLineStarting(memo1, start)) << start;
  }
  // Both control-point tables: the first control point at every combination.
  for (const char* table : {"table1", "table2"}) {
    for (size_t c = 2; c <= 6; ++c) EXPECT_NE(out[table][3][c].string(), "") << table << " " << c;
  }
  // The worked error calculation is of an ultrasonic flowmeter: its report
  // names it and the standard for ultrasonic flowmeters.
  testing::TestPoint p;
  p.example("gerg91_error.args");
  const ReportDocument report = BuildReportText(p.s, {}, "01.02.2024");
  EXPECT_EQ(report.standardsLine, "выполнен в соответствии ГОСТ  8.611-2013");
  ASSERT_GT(report.lines.size(), 1u);
  EXPECT_EQ(report.lines[1].rfind("  Расходомер (счетчик) - Ультразвуковой", 0), 0u) << report.lines[1];
}

}  // namespace
}  // namespace velmar
