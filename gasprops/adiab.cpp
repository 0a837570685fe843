// Adiabatic exponent of natural gas, GOST 30319.1-96: a linear ideal-gas part
// in T, nitrogen and ρс and a pressure term in p/T.
#include "gasprops/adiab.h"

#include <cmath>

namespace velmar {

// T in K, p in Pa, xa in mol %, ρс in kg/m3. A pressure at or below 0 takes
// the limit p -> 0 (no pressure term). 0 where the formula gives no positive
// finite value (T not positive, a non-finite input, or κ <= 0 far above the
// natural-gas range).
double kappaGost30319(double T, double p, double xa, double rhoSt) {
  if (!(T > 0) || !std::isfinite(T) || !std::isfinite(p) || !std::isfinite(xa) ||
      !std::isfinite(rhoSt))
    return 0;
  p /= 1e6;
  xa /= 100;
  double kappa = 1.556 * (1 + 0.074 * xa) - 3.9e-4 * T * (1 - 0.68 * xa) - 0.208 * rhoSt;
  if (p > 0) {
    const double r = p / T;
    kappa += std::pow(r, 1.43) * (384 * (1 - xa) * std::pow(r, 0.8) + 26.4 * xa);
  }
  return std::isfinite(kappa) && kappa > 0 ? kappa : 0.0;
}

}  // namespace velmar
