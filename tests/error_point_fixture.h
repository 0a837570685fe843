#pragma once
// The error calculation the uncertainty tests start from.
#include <utility>
#include <vector>

#include "session_fixture.h"

namespace velmar::testing {

using Inputs = std::vector<std::pair<const char*, const char*>>;

inline void apply(TestPoint& p, const Inputs& inputs) {
  for (const auto& [name, value] : inputs) p.set(name, value);
}

// An error calculation by GERG-91 mod. at 20 °C, 500 kPa gauge and 101325 Pa,
// 1000 m3 in 10 h, with every instrument range given (Qв 200 m3/h, Qн 10 m3/h,
// -40...60 °C, 0...1 MPa, 90...110 kPa) and every error 0; the computing
// device's error covers the channels, not the transducers.
inline void errorPoint(TestPoint& p) {
  p.gerg91Example();
  apply(p, {{"Raschet", "1"},       {"TipPogr", "0"},        {"TauStr", "10"},           {"TipIK", "1"},
            {"QpredMaxStr", "200"}, {"QpredMinStr", "10"},   {"TminStr", "-40"},         {"TmaxStr", "60"},
            {"T11check", "0"},      {"PizbPredEd", "0"},     {"PizbPredstr", "1000000"}, {"PizbPrednEd", "0"},
            {"PizbprednStr", "0"},  {"PbarPredEd", "0"},     {"PbarMinStr", "90000"},    {"PbarMaxStr", "110000"}});
}

// Density meters at working (4 kg/m3, range 1...10) and standard conditions
// (0,7 kg/m3, range 0,6...1).
inline void densityMeters(TestPoint& p) {
  apply(p, {{"pr_Rab", "1"},
            {"pr_St", "1"},
            {"rrab_Str", "4"},
            {"rst_str", "0,7"},
            {"rrabMinStr", "1"},
            {"rrabMaxStr", "10"},
            {"rstMinStr", "0,6"},
            {"rstMaxStr", "1"}});
}

}  // namespace velmar::testing
