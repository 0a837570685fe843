#pragma once
// The relative sensitivities of the working density to temperature and
// pressure, from the compressibility factor of a perturbed state. With
// rho = rhoSt·(p/pSt)·(TSt/T)·(ZSt/Z) the density's own relative change holds
// the direct effect of T and p together with that through Z:
//   dln rho/dln T = -1 - dln Z/dln T,   dln rho/dln p = 1 - dln Z/dln p,
// each taken with its sign before the magnitude. At a limit where the
// perturbed state is clamped (Z' = Z) the direct effect alone remains.
#include <cmath>

namespace velmar {

// |dln rho/dln T| from Z at T and Z' at T' (T' != T).
inline double densityTemperatureSensitivity(double T, double Z, double Tp, double Zp) {
  if (Tp == T || Z == 0) return 1;
  return std::fabs(1 + T / Z * (Zp - Z) / (Tp - T));
}

// |dln rho/dln p| from Z at p and Z' at p' (p' != p).
inline double densityPressureSensitivity(double p, double Z, double pp, double Zp) {
  if (pp == p || Z == 0) return 1;
  return std::fabs(1 - p / Z * (Zp - Z) / (pp - p));
}

}  // namespace velmar
