#include "uncertainty/control_point_tables.h"

#include <algorithm>

#include "core/session.h"

namespace velmar {

std::vector<double> sortControlPoints(Session& s) {
  InputRecord& in = s.in;
  std::vector<double> points = {in.KT1str.value, in.KT2str.value, in.KT3str.value,
                                in.KT4str.value, in.KT5str.value, in.KT6str.value};
  // Five passes of adjacent swaps, the larger value moving forward.
  for (int pass = 0; pass < 5; ++pass) {
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      if (points[i] < points[i + 1]) std::swap(points[i], points[i + 1]);
    }
  }
  const auto n = std::count_if(points.begin(), points.end(), [](double v) { return v > 0; });
  if (n == 0) s.flags.raise(9);
  points.resize(static_cast<size_t>(n));
  return points;
}

void prepareTableCells(Session&) {}
void fillErrorTables(Session&) {}

}  // namespace velmar
