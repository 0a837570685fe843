#include "persistence/window_geometry.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/program_files.h"
#include "core/safe_file.h"

namespace velmar {

namespace {

constexpr size_t kLines = 9;
constexpr size_t kMaxGeometryBytes = 64 * 1024;

std::array<int*, kLines> fields(WindowGeometry& g) {
  return {&g.mainWidth,     &g.mainHeight,     &g.mainTop,     &g.mainLeft,        &g.settingsWidth,
          &g.settingsHeight, &g.settingsTop, &g.settingsLeft, &g.messagePaneWidth};
}

}  // namespace

std::optional<WindowGeometry> readWindowGeometry(const ProgramFiles& files) {
  const TextLines file = readTextLines(programFilePath(files, kGeometryFile), kMaxGeometryBytes);
  if (file.status != ReadStatus::Read || file.lines.size() < kLines) return std::nullopt;
  WindowGeometry g;
  const std::array<int*, kLines> f = fields(g);
  for (size_t i = 0; i < kLines; ++i) {
    const std::optional<int> v = readIntegerLine(file.lines[i]);
    if (!v) return std::nullopt;
    *f[i] = *v;
  }
  if (g.mainWidth <= 0 || g.mainHeight <= 0) return std::nullopt;
  g.messagePaneWidth = std::max(g.messagePaneWidth, kMinMessagePaneWidth);
  return g;
}

bool writeWindowGeometry(const ProgramFiles& files, const WindowGeometry& g) {
  WindowGeometry copy = g;
  std::vector<std::string> lines;
  for (const int* v : fields(copy)) lines.push_back(std::to_string(*v));
  return makeProgramFolder(files) && writeTextLines(programFilePath(files, kGeometryFile), lines);
}

}  // namespace velmar
