#pragma once
// Flowmeter diameter selection: the standard series of nominal internal
// diameters and the number of measuring lines.
#include <vector>

namespace velmar {

struct Session;

struct DiameterSelection {
  std::vector<double> DiameterSeries;  // ascending, each distinct value once, at most 50
  int LineCount = 0;
  double SelectedDiameter = 0;  // mm
};

// Orders the grid `strad` into DiameterSeries (messages 151, 152).
void OrderDiameterSeries(Session& s);
// Picks the number of lines and the diameter; appends its two lines.
void SelectDiameter(Session& s);

}  // namespace velmar
