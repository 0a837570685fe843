#pragma once
// A measuring point whose report is built in a fresh program folder, and
// the expected report texts written with a "|" closing every line, so that
// the blanks at the end of a line stand in the test.
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "../persistence/persistence_fixture.h"
#include "../test_support.h"
#include "report/report_text.h"

namespace velmar::testing {

inline constexpr std::string_view kReportDate = "01.02.2024";

// The lines of a text in which every line ends with "|".
inline std::vector<std::string> markedLines(std::string_view text) {
  std::vector<std::string> lines;
  if (!text.empty() && text.front() == '\n') text.remove_prefix(1);
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '|') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

inline std::string marked(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "|\n";
  return out;
}

struct ReportPoint : FilePoint {
  ReportDocument build(const ReportSettings& settings = {}) const { return BuildReportText(s, settings, kReportDate); }
  std::vector<std::string> lines() const { return build().lines; }
};

}  // namespace velmar::testing
