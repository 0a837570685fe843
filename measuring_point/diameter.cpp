#include "measuring_point/diameter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/units.h"
#include "measuring_point/session.h"
#include "measuring_point/volume.h"

namespace velmar {

void OrderDiameterSeries(Session& s) {
  s.flags.clear(151);
  s.flags.clear(152);
  auto& series = s.diameter.DiameterSeries;
  series.clear();
  StringGrid& grid = s.in.strad;
  for (int r = 0; r < grid.rowCount() && r < 50; ++r) {
    const std::string& text = grid.cell(0, r);
    if (text.empty() || text == "0") continue;
    if (const auto v = parseNumber(text, s.decimalSeparator)) {
      series.push_back(*v);
    } else {
      s.flags.raise(152);
    }
  }
  if (series.empty()) {
    s.flags.raise(151);
    return;
  }
  std::sort(series.begin(), series.end());
  series.erase(std::unique(series.begin(), series.end()), series.end());
  // The rows below the written list keep their texts; the next ordering reads
  // them again.
  for (size_t i = 0; i < series.size(); ++i) {
    grid.setCell(0, static_cast<int>(i), formatFixed(series[i], 5, 0, s.decimalSeparator));
  }
}

namespace {

// The volume at standard conditions of a unit of volume at working
// conditions; not above 0 when the properties give none.
double standardPerWorkingVolume(const Session& s) {
  const GasPropertyResult& g = s.gas;
  if (volumeByDensityRatio(s.in)) return g.rhoSt > 0 ? g.rho / g.rhoSt : 0.0;
  const double T = s.in.Tstr.value + 273.15;
  if (!(g.pAbs > 0) || !(g.K > 0) || !(T > 0)) return 0.0;
  return g.pAbs * 293.15 / (T * 101325 * g.K);
}

}  // namespace

void SelectDiameter(Session& s) {
  const InputRecord& in = s.in;
  const auto& series = s.diameter.DiameterSeries;
  if (series.empty() || series.back() <= 0) {
    // No diameter of the series can carry any flow.
    s.flags.raise(152);
    return;
  }
  double q = in.Q_Str.value;
  if (in.Q_Tip.index() == 1) {
    // A flow at standard conditions becomes the working flow at the maximum
    // temperature and the minimum pressure: by the ratio of the two densities
    // where the medium comes without K (the same mass flows at both
    // conditions), otherwise by the pressure, the temperature and K.
    const double ratio = standardPerWorkingVolume(s);
    if (!(ratio > 0) || !std::isfinite(ratio)) {
      s.flags.raise(7);
      return;
    }
    q = q / ratio;
  }
  q /= 3600;
  const double u = in.uMaxStr.value >= in.uMaxDstr.value ? in.uMaxDstr.value : in.uMaxStr.value;
  // The number of lines at which the largest diameter of the series first
  // fits bounds the search; beyond a thousand lines no measuring station is
  // built, and the selection reports it cannot compute.
  constexpr long kMaxLines = 1000;
  for (long n = 1; n <= kMaxLines; ++n) {
    const double d = 1000 * std::sqrt(4 * (q / static_cast<double>(n)) / (std::numbers::pi * u));
    const auto it = std::find_if(series.begin(), series.end(), [d](double v) { return v >= d; });
    if (it == series.end()) continue;
    s.in.Memo1.append("Число измерительных линий " + std::to_string(n));
    s.in.Memo1.append("Диаметр измерительных линий " + formatFixed(*it, 5, 0, s.decimalSeparator) + " мм");
    s.diameter.LineCount = static_cast<int>(n);
    s.diameter.SelectedDiameter = *it;
    return;
  }
  s.flags.raise(7);
}

}  // namespace velmar
