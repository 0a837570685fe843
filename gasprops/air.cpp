// Density of air by a reduced equation of state
//   Z(ω, τ) = 1 + Σi Σj b_ij ω^i / τ^(j-1),  i, j = 1..8,
// τ = T/132.5 K, ω = ρ/316.5 kg/m3, π = p/3.766 MPa = ωτZ/Zc, Zc = 0.3128.
//
// The coefficient table b_ij is a substitute, not the original GSSSD air
// table (which is not at hand). It was obtained by a weighted linear
// least-squares fit of this form to the pseudo-pure-fluid equation of state
// for air of Lemmon, Jacobsen, Penoncello and Friend (J. Phys. Chem. Ref. Data
// 29 (2000) 331-385) over 140-700 K and 0-40 MPa in the single-phase region,
// weighted by the method-error table and heavier in the core 200-450 K,
// p <= 15 MPa, with b11 = 0.366812, b21 = 0.140979, b12 = -0.252712 and
// b18 = -0.0391073 held fixed at their published values. π(ω) rises
// monotonically over the whole search interval 1e-5 <= ω <= 2.88 for
// 140-700 K. The density agrees with the reference equation within the
// method error of the table below; about -0.0156 % of that is a constant
// offset that comes from the critical constants of the form
// (pc/(ρc·Zc·Tc) = 287.094 J/(kg K) against 287.049 for air). Below 140 K
// (the liquid) the table is not valid. The verified copy of the table with
// its fit statistics is tests/reference/air_reduced_eos.json.
#include "gasprops/air.h"

#include <algorithm>
#include <cmath>

namespace velmar {
namespace air {
namespace {

constexpr CoefficientTable kB{{
    {0.366812, -0.252712, -3.2604933514660366, 5.661248495785337, -6.769462374417478,
     4.455525855508415, -1.2384902548167476, -0.0391073},
    {0.140979, 0.02974373495112374, 1.0416677660943758, -2.808204694635922, 4.063837669226674,
     -3.075055445566432, -0.00949998648488234, 1.0574033607488604},
    {-0.04768516091813238, -0.24352660558170364, -1.6985931243936419, 2.447039932464331,
     0.3081815468463575, 0.5608933511239448, 1.498911453796681, -3.2252508516586005},
    {0.16705862121014162, 0.9656627954373492, 1.022114698651736, -1.6027989115609136,
     -2.69761331378006, -1.1181774842476169, 0.42811136515377324, 3.7625442433527643},
    {-0.29249644714394024, -0.9606908046200401, -0.02070840240548348, 0.9434033345043635,
     1.6626654843393178, 1.2303114617759767, -1.0087327399984545, -2.4605337214669643},
    {0.30201773709177027, 0.26012729605573653, -0.1346632926977439, -0.3879874948038302,
     -0.3951278064122264, -0.26254087503885687, -0.06457861417191998, 1.0788901892652347},
    {-0.1344276449821995, 0.05513839431136753, 0.019602844538136883, 0.008854509728309526,
     0.03928542978181277, 0.11041827367812096, 0.056129679230404066, -0.22605411769884953},
    {0.020873471256556184, -0.02551759334385101, 0.00923767036832402, 0.02341634339007265,
     -0.025322809488555444, -0.027003074180308367, 0.020734993157531873, 0.007293386551508326},
}};

constexpr double kOmegaLow = 1e-5;
constexpr double kOmegaHigh = 2.88;
constexpr double kResidualTolerance = 1e-8;
constexpr double kCorrectionTolerance = 0.001;  // relative change of ω
constexpr double kSensitivityFactor = 1.01;

// Correction step of ω for a residual dPi of the reduced pressure.
double correctionStep(double omega, double tau, double dPi) {
  const Compressibility c = compressibility(omega, tau);
  const double slope = 1 + c.S;
  if (!(slope > 0) || !std::isfinite(slope)) return std::nan("");
  return dPi * kCriticalPressurePa /
         (slope * kGasConstant * tau * kCriticalDensity * kCriticalTemperatureK);
}

// Correction steps from ω, the residual taken afresh at every step. Returns
// the settled ω, or std::nullopt when the steps do not settle within the cap
// or leave the physical range.
std::optional<double> correct(double omega, double tau, double pi, int maxSteps, int& steps) {
  for (steps = 0; steps < maxSteps;) {
    const double step = correctionStep(omega, tau, pi - reducedPressure(omega, tau));
    const double next = omega + step;
    ++steps;
    if (!std::isfinite(next) || next <= 0) return std::nullopt;
    const bool settled = std::fabs(next - omega) < kCorrectionTolerance * std::fabs(omega);
    omega = next;
    if (settled) return omega;
  }
  return std::nullopt;
}

}  // namespace

const CoefficientTable& coefficients() { return kB; }

Compressibility compressibility(double omega, double tau) {
  // Powers 1/τ^(j-1), j = 1..8.
  std::array<double, 8> invTau{};
  invTau[0] = 1;
  for (int j = 1; j < 8; ++j) invTau[j] = invTau[j - 1] / tau;
  Compressibility c;
  double omegaI = 1;
  for (int i = 0; i < 8; ++i) {
    omegaI *= omega;  // ω^(i+1)
    double row = 0;
    for (int j = 0; j < 8; ++j) row += kB[i][j] * invTau[j];
    c.Z += row * omegaI;
    c.S += (i + 2) * row * omegaI;
  }
  return c;
}

double reducedPressure(double omega, double tau) {
  return omega * tau * compressibility(omega, tau).Z / kCriticalZ;
}

Solution solveReducedDensity(double tau, double pi, const SearchLimits& limits) {
  Solution s;
  if (!(tau > 0) || !(pi > 0) || !std::isfinite(tau) || !std::isfinite(pi)) return s;
  double lo = kOmegaLow;
  double hi = kOmegaHigh;
  double fLo = pi - reducedPressure(lo, tau);
  const double fHi = pi - reducedPressure(hi, tau);
  if (!std::isfinite(fLo) || !std::isfinite(fHi)) return s;

  if (fLo <= 0) {
    // Below the bracket: an ideal gas to 1e-5.
    const double start = std::min(pi * kCriticalZ / tau, kOmegaLow);
    const std::optional<double> omega = correct(start, tau, pi, limits.maxCorrections, s.corrections);
    if (omega) {
      s.omega = *omega;
      s.ok = true;
    }
    return s;
  }
  if (fHi > 0) return s;  // above the range of the equation

  double mid = 0;
  bool found = false;
  while (s.halvings < limits.maxHalvings) {
    mid = 0.5 * (lo + hi);
    ++s.halvings;
    const double fMid = pi - reducedPressure(mid, tau);
    if (!std::isfinite(fMid)) return s;
    if (std::fabs(fMid) < kResidualTolerance) {
      found = true;
      break;
    }
    if ((fMid > 0) == (fLo > 0)) {
      lo = mid;
      fLo = fMid;
    } else {
      hi = mid;
    }
  }
  if (!found) return s;

  const std::optional<double> omega = correct(mid, tau, pi, limits.maxCorrections, s.corrections);
  s.omega = omega ? *omega : mid;
  s.ok = true;
  return s;
}

std::optional<double> density(double T, double p, const SearchLimits& limits) {
  if (!(T > 0) || !(p > 0) || !std::isfinite(T) || !std::isfinite(p)) return std::nullopt;
  const Solution s =
      solveReducedDensity(T / kCriticalTemperatureK, p / kCriticalPressurePa, limits);
  if (!s.ok) return std::nullopt;
  const double rho = kCriticalDensity * s.omega;
  if (!std::isfinite(rho) || rho <= 0) return std::nullopt;
  return rho;
}

double methodError(double tau, double pi) {
  static constexpr double kTable[4][4] = {
      {0.28, 0.15, 1.25, 0.97},
      {0.07, 0.13, 0.03, 0.32},
      {0.03, 0.04, 0.3, 0.2},
      {0.04, 0.09, 0.2, 0.15},
  };
  const int row = tau <= 0.85 ? 0 : (tau <= 1.3 ? 1 : (tau <= 4 ? 2 : 3));
  const int col = pi <= 0.8 ? 0 : (pi <= 2 ? 1 : (pi <= 10 ? 2 : 3));
  return kTable[row][col];
}

}  // namespace air

// gas 1 is air. Any other gas number, a state with T or p not positive, or a
// state the equation cannot give returns ρ = 0 and δρ = 0: a zero density is
// the mark of "no result".
DensityWithError calcTechGas(int gas, double T, double dT, double p, double dp) {
  using namespace air;
  if (gas != 1) return {};
  const std::optional<double> rho = density(T, p);
  if (!rho) return {};
  // Sensitivities to T and p from states at 1.01 T and 1.01 p, each at most
  // 1; a neighbour state that cannot be computed counts with the cap.
  auto theta = [&](std::optional<double> other) {
    if (!other) return 1.0;
    return std::min(std::fabs(*rho - *other) / (*rho / 100), 1.0);
  };
  const double thetaT = theta(density(kSensitivityFactor * T, p));
  const double thetaP = theta(density(T, kSensitivityFactor * p));
  const double dM = methodError(T / kCriticalTemperatureK, p / kCriticalPressurePa);
  const double dRho =
      std::sqrt(dM * dM + std::pow(thetaT * dT, 2) + std::pow(thetaP * dp, 2));
  if (!std::isfinite(dRho)) return {};
  return {*rho, dRho};
}

}  // namespace velmar
