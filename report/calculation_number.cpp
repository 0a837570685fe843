#include "report/calculation_number.h"

#include <string>

#include "core/safe_file.h"

namespace velmar {

namespace {

// The file holds one short line; anything larger is not a number file.
constexpr size_t kMaxNumberFileBytes = 4096;
constexpr size_t kMaxDigits = 18;

long long parseNumberLine(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  if (line.empty() || line.size() > kMaxDigits) return 0;
  long long n = 0;
  for (char ch : line) {
    if (ch < '0' || ch > '9') return 0;
    n = n * 10 + (ch - '0');
  }
  return n;
}

}  // namespace

long long ReadCalculationNumber(const ProgramFiles& files) {
  const TextLines file = readTextLines(programFilePath(files, kCalculationNumberFile), kMaxNumberFileBytes);
  if (file.status != ReadStatus::Read || file.truncated || file.lines.empty()) return 0;
  return parseNumberLine(file.lines.front());
}

AdvancedNumber AdvanceCalculationNumber(const ProgramFiles& files) {
  const long long read = ReadCalculationNumber(files);
  // 18 digits hold every number a lifetime of reports reaches; the last one stays.
  const long long next = read < 999'999'999'999'999'999LL ? read + 1 : read;
  const bool written = writeTextLines(programFilePath(files, kCalculationNumberFile), {std::to_string(next)});
  return {written ? next : read, written};
}

}  // namespace velmar
