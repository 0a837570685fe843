#pragma once
// Density of air with its error by a reduced equation of state in the
// reduced density ω = ρ/ρкр and temperature τ = T/Tкр (module of the
// technical-gas routine calcTechGas, declared in gas_properties.h).
#include <array>
#include <optional>

#include "gasprops/gas_properties.h"

namespace velmar::air {

inline constexpr double kCriticalTemperatureK = 132.5;
inline constexpr double kCriticalPressurePa = 3766000.0;
inline constexpr double kCriticalDensity = 316.5;  // kg/m3
inline constexpr double kGasConstant = 287.1;      // J/(kg K)
inline constexpr double kCriticalZ = 0.3128;

// b[i-1][j-1] multiplies ω^i / τ^(j-1), i, j = 1..8.
using CoefficientTable = std::array<std::array<double, 8>, 8>;
const CoefficientTable& coefficients();

// Z(ω, τ) = 1 + ΣΣ b_ij ω^i/τ^(j-1) and S = ΣΣ (i+1) b_ij ω^i/τ^(j-1), so
// that d(ωZ)/dω = 1 + S.
struct Compressibility {
  double Z = 1;
  double S = 0;
};
Compressibility compressibility(double omega, double tau);

// Reduced pressure π = ωτZ/Zc of a state.
double reducedPressure(double omega, double tau);

// Caps of the two loops of the density search.
struct SearchLimits {
  int maxHalvings = 200;    // the bracket reaches the spacing of doubles after about 60
  int maxCorrections = 50;  // the correction steps settle in one or two
};

struct Solution {
  double omega = 0;
  int halvings = 0;
  int corrections = 0;
  bool ok = false;
};

// Reduced density of the state (τ, π): bisection on ω over [1e-5, 2.88] until
// |π - π(ω)| < 1e-8, then correction steps until the relative change of ω is
// below 0.001. Outcomes:
//  - bisection not done within maxHalvings: ok = false;
//  - correction steps that do not settle within maxCorrections (or leave the
//    physical range): the bisection point stands, ok = true;
//  - π below π(1e-5) (a few hundred pascals at room temperature): the gas is
//    ideal to 1e-5 there; the correction steps alone, started from the
//    ideal-gas density, give ω; ok = false if they do not settle;
//  - π above π(2.88), or a state where the equation is not finite: ok = false.
Solution solveReducedDensity(double tau, double pi, const SearchLimits& limits = {});

// Density, kg/m3, at T (K) and p (Pa); std::nullopt where solveReducedDensity
// gives no result or T, p are not positive and finite.
std::optional<double> density(double T, double p, const SearchLimits& limits = {});

// Method error of the density, %, by the classes of τ (<= 0.85, <= 1.3, <= 4,
// above) and of π (<= 0.8, <= 2, <= 10, above).
double methodError(double tau, double pi);

}  // namespace velmar::air
