#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
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

}  // namespace velmar::testing
