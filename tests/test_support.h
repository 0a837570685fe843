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

// Runs velmar-calc with the given arguments (a shell word list); its
// standard output and exit status.
struct CalcRun {
  int status = -1;
  std::string out;
};
CalcRun runVelmarCalc(const std::string& args);
// Runs a shell command line; its standard output and exit status.
CalcRun runCommand(const std::string& command);

// Runs velmar-calc with the given arguments in the given folder (the test's
// own when empty); its exit status, standard output and standard error.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};
ToolRun runTool(const std::string& args, const std::string& folder = {});

// The "--set NAME=VALUE" lines of an option file under examples/, by name.
std::map<std::string, std::string> exampleSettings(const std::string& name);
// The path of a file under examples/.
std::string examplePath(const std::string& name);

}  // namespace velmar::testing
