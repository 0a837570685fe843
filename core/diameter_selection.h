#pragma once
// The result of a diameter calculation, kept beside the report record: the
// standard series of nominal internal diameters as ordered from the grid
// `strad`, the number of measuring lines and the diameter picked.
#include <vector>

namespace velmar {

struct DiameterSelection {
  std::vector<double> DiameterSeries;  // ascending, each distinct value once, at most 50
  int LineCount = 0;
  double SelectedDiameter = 0;  // mm
};

}  // namespace velmar
