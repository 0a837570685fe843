// Saturated water-vapour pressure and density: over ice by the Goff-Gratch
// type equation in hPa, over water by the equation in kgf/cm2 with the
// density on the saturation line from the critical point.
#include "gasprops/woda_unf.h"

#include <algorithm>
#include <cmath>

namespace velmar {

// T in K. T <= 0 (or not a number) gives zeros; above the critical
// temperature the critical-point values stand.
SaturatedVapour waterSaturation(double T) {
  SaturatedVapour out;
  if (!(T > 0) || std::isnan(T)) return out;
  T = std::min(T, water::kCriticalTemperatureK);
  double P = 0;  // kgf/cm2
  if (T > 243.15 && T <= 273.15) {
    // Over ice; e in hPa.
    const double theta = std::min(T / 273.15, 1.0);
    const double lgE = 3.56654 * std::log10(theta) - 9.09685 * (1 / theta - 1) +
                       0.87682 * (1 - theta) + 0.78614;
    P = std::pow(10.0, lgE) / 980.665;
    out.rhoSat = 212.4944 * P / T;
  } else {
    const double f = T * T - 293700;
    const double A = f * (std::pow(10.0, 1.1965e-11 * f * f) - 1) * 1.3819 / (10000 * T);
    const double B =
        0.0044 * std::pow(10.0, -0.0057148 * std::pow(water::kCriticalTemperatureK - T, 1.25));
    P = 1.0332 * std::pow(10.0, A - B + 5.4266514 - 2005.1 / T);
    const double tau = std::pow(1 - T / water::kCriticalTemperatureK, 1.0 / 6.0);
    const double t2 = tau * tau;
    const double t4 = t2 * t2;
    const double t8 = t4 * t4;
    out.rhoSat = std::exp(std::log(323.26) - 2.02957 * t2 - 2.68781 * t4 - 5.38104 * t8 -
                          17.3151 * std::pow(tau, 18) - 44.6384 * std::pow(tau, 37) -
                          64.3486 * std::pow(tau, 71));
  }
  out.pSat = 98066.5 * P;
  if (!std::isfinite(out.pSat) || !std::isfinite(out.rhoSat)) return {};
  return out;
}

}  // namespace velmar
