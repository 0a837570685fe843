#pragma once
// The error of the compressibility coefficient K of GOST 30319.2-96, the same
// for GERG-91 mod. and NX-19 mod.: each sensitivity comes from one more state
// with one input scaled by the method's factor, the others unchanged; they are
// combined with the input errors and the method's own error. δρ = δK.
#include <cmath>
#include <optional>

#include "gasprops/gas_properties.h"

namespace velmar::gost30319_2 {

struct Point {
  double T;      // K
  double p;      // in the unit of the method's state routine
  double rhoSt;  // kg/m3
  double xa;     // nitrogen, fraction
  double xy;     // carbon dioxide, fraction
};

struct InputErrors {
  double dT, dp, dRhoSt, dxy, dxa;  // %
};

// |x/K * (K - K') / (x - f x)|; 0 when x is zero (no perturbation).
inline double relativeSensitivity(double x, double K, double Kp, double factor) {
  const double dx = x - factor * x;
  if (dx == 0) return 0;
  return std::fabs(x / K * (K - Kp) / dx);
}

// stateK(T, p, rhoSt, xa, xy) gives K of a state or nothing. Returns the
// outputs rho, dRho, K, dK, or nothing when a perturbed state cannot be
// evaluated or the error is not finite.
template <typename StateK>
std::optional<MethodOutputs> outputsWithError(StateK stateK, const Point& x, double K, double rho,
                                              const InputErrors& e, double factor, double methodError) {
  const auto Krho = stateK(x.T, x.p, factor * x.rhoSt, x.xa, x.xy);
  const auto KT = stateK(factor * x.T, x.p, x.rhoSt, x.xa, x.xy);
  const auto Kp = stateK(x.T, factor * x.p, x.rhoSt, x.xa, x.xy);
  const auto Kxy = x.xy > 0 ? stateK(x.T, x.p, x.rhoSt, x.xa, factor * x.xy) : std::optional<double>(K);
  const auto Kxa = x.xa > 0 ? stateK(x.T, x.p, x.rhoSt, factor * x.xa, x.xy) : std::optional<double>(K);
  if (!Krho || !KT || !Kp || !Kxy || !Kxa) return std::nullopt;

  const double thetaRho = relativeSensitivity(x.rhoSt, K, *Krho, factor);
  const double thetaT = relativeSensitivity(x.T, K, *KT, factor) + 1;
  const double thetaXy = x.xy > 0 ? relativeSensitivity(x.xy, K, *Kxy, factor) : 0.0;
  const double thetaXa = x.xa > 0 ? relativeSensitivity(x.xa, K, *Kxa, factor) : 0.0;
  const double thetaP = 1 - relativeSensitivity(x.p, K, *Kp, factor);

  const double dK = std::sqrt(std::pow(thetaT * e.dT, 2) + std::pow(thetaP * e.dp, 2) +
                              std::pow(thetaRho * e.dRhoSt, 2) + std::pow(thetaXy * e.dxy, 2) +
                              std::pow(thetaXa * e.dxa, 2) + methodError * methodError);
  if (!std::isfinite(dK)) return std::nullopt;

  MethodOutputs out;
  out.rho = rho;
  out.K = K;
  out.dK = dK;
  out.dRho = dK;
  return out;
}

}  // namespace velmar::gost30319_2
