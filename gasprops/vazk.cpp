// Dynamic viscosity of natural gas, GOST 30319.1-96: the low-pressure value
// from T and ρс, nitrogen and carbon dioxide, corrected for pressure in the
// pseudo-reduced pressure and temperature.
#include "gasprops/vazk.h"

#include <cmath>

namespace velmar {
namespace viscosity {

double lowPressureViscosity(double T, double rhoSt, double xa, double xy) {
  if (!(T > 0) || !(rhoSt > 0)) return 0;
  const double num = std::sqrt(T) + 1.37 - 9.09 * std::pow(rhoSt, 0.125);
  const double den = std::sqrt(rhoSt) + 2.08 - 1.5 * (xa + xy);
  const double mu = 3.24e-6 * num / den;
  return std::isfinite(mu) && mu > 0 && den > 0 ? mu : 0.0;
}

}  // namespace viscosity

// T in K, p in Pa, xa and xy in mol %, ρс in kg/m3; Pa·s.
// 0 where the formula gives no positive viscosity (T or ρс not positive,
// T below about 55 K where the low-pressure value turns negative, a
// non-finite input). At and below the pseudo-critical temperature (τ <= 1)
// the pressure correction 1/(τ - 1) has no meaning and the low-pressure
// value stands.
double viscosityGost30319(double T, double p, double xa, double xy, double rhoSt) {
  using namespace viscosity;
  if (!std::isfinite(p) || !std::isfinite(xa) || !std::isfinite(xy)) return 0;
  p /= 1e6;
  xa /= 100;
  xy /= 100;
  const double muT = lowPressureViscosity(T, rhoSt, xa, xy);
  if (muT == 0 || p <= kLowPressureLimitMPa) return muT;
  const double ppk = 2.9585 * (1.608 - 0.05994 * rhoSt + xy - 0.392 * xa);
  const double Tpk = 88.25 * (0.9915 + 1.769 * rhoSt - xy - 1.681 * xa);
  if (!(ppk > 0) || !(Tpk > 0)) return muT;
  const double pi = p / ppk;
  const double tau = T / Tpk;
  if (!(tau > 1)) return muT;
  const double mu = muT * (1 + pi * pi / (30 * (tau - 1)));
  return std::isfinite(mu) ? mu : muT;
}

}  // namespace velmar
