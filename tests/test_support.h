#pragma once
// Helpers shared by the test suites: reading the reference tables kept in
// tests/reference/ (comma-separated, first line the column names).
#include <map>
#include <string>
#include <vector>

namespace velmar::testing {

struct CsvRow {
  std::map<std::string, std::string> cells;
  const std::string& text(const std::string& column) const;
  double number(const std::string& column) const;
};

// Reads tests/reference/<name>; fails the calling test (ADD_FAILURE) and
// returns no rows when the file is missing or a row has the wrong width.
std::vector<CsvRow> readReferenceCsv(const std::string& name);

}  // namespace velmar::testing
