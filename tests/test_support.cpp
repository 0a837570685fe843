#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace velmar::testing {

namespace {

std::vector<std::string> splitCsvLine(const std::string& line) {
  std::vector<std::string> out;
  std::string cell;
  bool quoted = false;
  for (char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      out.push_back(cell);
      cell.clear();
    } else if (ch != '\r') {
      cell += ch;
    }
  }
  out.push_back(cell);
  return out;
}

}  // namespace

const std::string& CsvRow::text(const std::string& column) const {
  auto it = cells.find(column);
  if (it == cells.end()) throw std::out_of_range("no column " + column);
  return it->second;
}

double CsvRow::number(const std::string& column) const {
  return std::stod(text(column));
}

std::vector<CsvRow> readReferenceCsv(const std::string& name) {
  std::vector<CsvRow> rows;
  std::ifstream in(std::string(VELMAR_TEST_DATA_DIR) + "/" + name);
  if (!in) {
    ADD_FAILURE() << "reference file missing: " << name;
    return rows;
  }
  std::string line;
  if (!std::getline(in, line)) return rows;
  const auto header = splitCsvLine(line);
  while (std::getline(in, line)) {
    if (line.empty() || line == "\r") continue;
    const auto cells = splitCsvLine(line);
    if (cells.size() != header.size()) {
      ADD_FAILURE() << name << ": row of " << cells.size() << " cells, header has " << header.size();
      continue;
    }
    CsvRow row;
    for (size_t i = 0; i < header.size(); ++i) row.cells[header[i]] = cells[i];
    rows.push_back(std::move(row));
  }
  return rows;
}

CalcRun runVelmarCalc(const std::string& args) {
  return runCommand(std::string(VELMAR_CALC_PATH) + " " + args + " 2>/dev/null");
}

CalcRun runCommand(const std::string& command) {
  CalcRun r;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  std::array<char, 4096> buf{};
  size_t n = 0;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

ToolRun runTool(const std::string& args, const std::string& folder) {
  // One file per test process: ctest runs the tests of a suite side by side.
  const std::string errFile = ::testing::TempDir() + "velmar_calc_stderr_" + std::to_string(getpid()) + ".txt";
  const std::string command = (folder.empty() ? std::string() : "cd '" + folder + "' && ") +
                              std::string(VELMAR_CALC_PATH) + " " + args + " 2>" + errFile;
  const CalcRun ran = runCommand(command);
  ToolRun r{ran.status, ran.out, {}};
  std::ifstream err(errFile, std::ios::binary);
  r.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  err.close();
  std::remove(errFile.c_str());
  return r;
}

std::string examplePath(const std::string& name) { return std::string(VELMAR_EXAMPLES_DIR) + "/" + name; }

std::map<std::string, std::string> exampleSettings(const std::string& name) {
  std::map<std::string, std::string> settings;
  std::ifstream in(examplePath(name));
  if (!in) ADD_FAILURE() << "cannot read examples/" << name;
  std::string line;
  const std::string prefix = "--set ";
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) != 0) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    settings[line.substr(prefix.size(), eq - prefix.size())] = line.substr(eq + 1);
  }
  return settings;
}

}  // namespace velmar::testing
