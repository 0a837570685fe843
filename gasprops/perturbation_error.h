#pragma once
// The error estimate of the methods that take their sensitivities from
// perturbed states (GOST R 8.662, R Gazprom 5.3, GSSSD MR 113-03, MR 118-05,
// MR 134-07 and MR 135-07): the state is evaluated again with the
// temperature, the pressure and each content in turn multiplied by the
// method's step; the relative changes of the working density and of K are
// combined with the input errors and the method's own error as root sums of
// squares. A content is raised with the others lowered in proportion, so the
// sum stays. Each method gives its own constants.
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>

#include "gasprops/density_sensitivity.h"
#include "gasprops/gas_properties.h"

namespace velmar::perturbation {

// A content is perturbed only when the other contents leave at least this
// much (mol %) to take the step from.
inline constexpr double kSmallestRemainder = 1e-6;
// The composition terms of the sums count the components present.
inline constexpr double kPresentContent = 1e-9;  // mol %

// Codes for an error that is not a finite number, by the term that made it
// so (an error input that is not finite, or a sum that overflows).
struct NonFiniteCodes {
  MethodFailure temperature;
  MethodFailure pressure;
  MethodFailure composition;
};

struct Constants {
  double step;                 // factor of every perturbed evaluation
  double smallestContent = 0;  // a content is perturbed only above this, mol %
  // A lowered content that falls below 0 becomes this (mol %); without it
  // the content is kept as computed.
  std::optional<double> negativeContentFloor{};
  // The direct effect of temperature (I) and pressure (P) in the
  // coefficients of K: 1, or 0 where GOST R 8.662 leaves it to the channels
  // with their first transducers.
  int I = 1;
  int P = 1;
  // dK holds the error of the standard density; a pure technical gas of
  // MR 134-07 leaves it out.
  bool standardErrorInK = true;
  NonFiniteCodes nonFinite{};
};

// What the method has evaluated before the perturbations.
struct BaseStates {
  double T;              // working temperature, K
  double p;              // working pressure, in the unit of the state routine
  double rho;            // working density, kg/m3
  double Z;              // working compressibility factor
  double Zst;            // compressibility factor at standard conditions
  double methodError;    // δм at the working state, %
  double standardError;  // δρс, %
};

struct InputErrors {
  double dT;  // %
  double dp;  // %
};

// state(x, T, p) evaluates the method for the perturbations and gives an
// object with rho, Z and code (0 when computed). The restart probe is
// looked at before every perturbed evaluation; when it asks for a restart
// the call returns 0 at once and leaves the errors unwritten. Otherwise a
// nonzero code of an evaluation ends the call with it, and on success
// out.dRho and out.dK are written.
template <std::size_t N, typename StateAt>
MethodFailure estimateErrors(StateAt state, std::span<const double, N> x, std::span<const double, N> dx,
                             const BaseStates& b, InputErrors e, const Constants& c,
                             const RestartProbe& restart, MethodOutputs& out) {
  const double K = b.Z / b.Zst;
  // |ΔK/K| / |Δv/v|: the relative change of K over that of the input v.
  const auto relativeChangeOfK = [&](double Zp, double v, double vp) {
    return std::fabs(K - Zp / b.Zst) / std::fabs(v - vp) * v / K;
  };

  if (restartRequested(restart)) return 0;
  const double Tp = c.step * b.T;
  const auto sT = state(x, Tp, b.p);
  if (sT.code != 0) return sT.code;
  const double thetaTK = relativeChangeOfK(sT.Z, b.T, Tp) + c.I;
  const double thetaTRho = densityTemperatureSensitivity(b.T, b.Z, Tp, sT.Z);

  if (restartRequested(restart)) return 0;
  const double pp = c.step * b.p;
  const auto sp = state(x, b.T, pp);
  if (sp.code != 0) return sp.code;
  const double thetaPK = c.P - relativeChangeOfK(sp.Z, b.p, pp);
  const double thetaPRho = densityPressureSensitivity(b.p, b.Z, pp, sp.Z);

  std::array<double, N> thetaRho{};
  std::array<double, N> thetaK{};
  std::array<double, N> xp{};
  for (std::size_t j = 0; j < N; ++j) {
    if (!(std::fabs(x[j]) > c.smallestContent)) continue;
    double others = 0;
    for (std::size_t k = 0; k < N; ++k)
      if (k != j) others += x[k];
    if (!(others >= kSmallestRemainder)) continue;
    xp[j] = c.step * x[j];
    const double shift = xp[j] - x[j];
    for (std::size_t k = 0; k < N; ++k) {
      if (k == j) continue;
      xp[k] = x[k] - shift * x[k] / others;
      if (c.negativeContentFloor && xp[k] < 0) xp[k] = *c.negativeContentFloor;
    }
    if (restartRequested(restart)) return 0;
    const auto sx = state(std::span<const double, N>(xp), b.T, b.p);
    if (sx.code != 0) return sx.code;
    const double dxj = std::fabs(x[j] - xp[j]);
    thetaRho[j] = std::fabs(b.rho - sx.rho) / dxj * x[j] / b.rho;
    thetaK[j] = relativeChangeOfK(sx.Z, x[j], xp[j]);
  }

  const auto square = [](double v) { return v * v; };
  double sumRho = square(b.methodError) + square(thetaTRho * e.dT);
  double sumK = square(b.methodError);
  if (c.standardErrorInK) sumK += square(b.standardError);
  sumK += square(thetaTK * e.dT);
  if (!std::isfinite(sumRho) || !std::isfinite(sumK)) return c.nonFinite.temperature;
  sumRho += square(thetaPRho * e.dp);
  sumK += square(thetaPK * e.dp);
  if (!std::isfinite(sumRho) || !std::isfinite(sumK)) return c.nonFinite.pressure;
  for (std::size_t j = 0; j < N; ++j) {
    if (!(x[j] > kPresentContent)) continue;
    sumRho += square(thetaRho[j] * dx[j]);
    sumK += square(thetaK[j] * dx[j]);
  }
  if (!std::isfinite(sumRho) || !std::isfinite(sumK)) return c.nonFinite.composition;
  out.dRho = std::sqrt(sumRho);
  out.dK = std::sqrt(sumK);
  return 0;
}

}  // namespace velmar::perturbation
