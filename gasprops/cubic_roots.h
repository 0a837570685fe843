#pragma once
// Real roots of a cubic by Cardano's formulas, used by the virial equations of
// state to find the molar volume.
#include <array>

namespace velmar {

struct CubicRoots {
  std::array<double, 3> v{};  // the real roots found; the rest are 0
  int count = 0;              // number of real roots found (0 for a non-finite cubic)

  // The largest of the three values, a missing root counting as 0.
  double largest() const;
};

// Real roots of v³ + c·v² + b·v + a = 0.
CubicRoots cubicRoots(double a, double b, double c);

}  // namespace velmar
