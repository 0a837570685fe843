// GSSSD MR 135-07: virial equation of state of technically important gases
// and their mixtures. The coefficient set and its origin are described in
// MP_135_07.h.
#include "gasprops/MP_135_07.h"
#include "gasprops/perturbation_error.h"

#include <cmath>

#include "gasprops/cubic_roots.h"
#include "gasprops/virial_mixing.h"

namespace velmar {
namespace mr135 {
namespace {

constexpr double kTmin = 233.15;  // -40 °C
constexpr double kTmax = 333.15;  // +60 °C
constexpr double kPmax = 5.0;     // MPa
constexpr double kTst = 293.15;
constexpr double kPst = 0.101325;
constexpr double kStep = 1.01;  // factor of the perturbed evaluations

constexpr std::size_t kTriples = virial::kTriples<kCount>;

// k_ij as a symmetric matrix.
constexpr std::array<std::array<double, kCount>, kCount> pairCorrectionMatrix() {
  std::array<std::array<double, kCount>, kCount> k{};
  for (const PairCorrection& c : kPairCorrections) {
    k[c.i][c.j] = c.k;
    k[c.j][c.i] = c.k;
  }
  return k;
}
constexpr auto kPairK = pairCorrectionMatrix();

using virial::series;

// The pair and triple parameters of the potential, formed once (water
// induces a dipole in a non-polar partner; the cross energies carry k_ij).
const virial::PotentialParameters<kCount>& parameters() {
  static const auto P = virial::potentialParameters(kComponents, kWater, kWaterPolar, kB0, kPairK);
  return P;
}

// The pair and triple virial coefficients at one temperature; a composition
// is then mixed from them (the perturbations of the contents share T).
struct Coefficients {
  std::array<std::array<double, kCount>, kCount> B{};  // cm³/mol
  std::array<double, kTriples> C{};                    // cm⁶/mol², triples i ≤ j ≤ k
};

Coefficients coefficientsAt(double T) {
  const virial::PotentialParameters<kCount>& P = parameters();
  Coefficients c;
  const double t = T / 100.0;
  const double rootT = std::sqrt(T);
  for (std::size_t i = 0; i < kCount; ++i) {
    for (std::size_t j = i; j < kCount; ++j) {
      double Bij = 0;
      if (i == kWater && j == kWater) {
        for (std::size_t m = 0; m < kWaterBa.size(); ++m) Bij += kWaterBa[m] * std::pow(t, kWaterBb[m]);
        Bij *= 1000.0;
      } else {
        Bij = P.pairScale[i][j] * series(kBStar, P.pairRootEps[i][j] / rootT);
      }
      c.B[i][j] = c.B[j][i] = Bij;
    }
  }
  std::size_t n = 0;
  for (std::size_t i = 0; i < kCount; ++i) {
    for (std::size_t j = i; j < kCount; ++j) {
      for (std::size_t k = j; k < kCount; ++k, ++n) {
        if (i == kWater) {  // then j = k = water as well
          double Cw = 0;
          for (std::size_t m = 0; m < kWaterCc.size(); ++m) Cw += kWaterCc[m] * std::pow(t, kWaterCd[m]);
          c.C[n] = Cw;
          continue;
        }
        c.C[n] = P.tripleScale[n] * series(kCStar, P.tripleRootEps[n] / rootT);
      }
    }
  }
  return c;
}

Virial mix(const Coefficients& c, std::span<const double, kCount> y) {
  Virial v;
  for (std::size_t i = 0; i < kCount; ++i) v.M += y[i] * kComponents[i].M;
  v.B = virial::pairSum(c.B, y);
  v.C = virial::tripleSum(c.C, y);
  return v;
}

State molarState(const Coefficients& c, std::span<const double, kCount> y, double T, double p) {
  State s;
  if (!(p > 0) || !std::isfinite(p) || !(T > 0) || !std::isfinite(T)) {
    s.code = 2;
    return s;
  }
  const Virial v = mix(c, y);
  // V³ − (RT/p)·V² − (RT/p)·B·V − (RT/p)·C = 0, V in cm³/mol with p in MPa.
  const double rtp = kR * T / p;
  const double V = cubicRoots(-rtp * v.C, -rtp * v.B, -rtp).largest();
  if (!(V > 0) || !std::isfinite(V)) {
    s.code = 2;
    return s;
  }
  s.Z = 1.0 + v.B / V + v.C / (V * V);
  s.rho = 1000.0 * v.M / V;
  s.dM = kMethodError;
  if (!std::isfinite(s.Z) || !(s.Z > 0) || !std::isfinite(s.rho)) s.code = 2;
  return s;
}

// The checks of one evaluation and the mole fractions it computes with.
MethodFailure prepare(std::span<const double, kCount> x, double T, double p, bool strict,
                      std::array<double, kCount>& y) {
  // The contents are normalised as they are turned into mole fractions: a
  // mixture entered as 99.99 % is computed (the grid's message 88 guards the
  // entered sum). What the fractions cannot make up to 1 (a negative content,
  // or nothing at all) is code 4.
  y = moleFractions(x);
  double sumY = 0;
  for (double& yi : y) {
    if (!(yi >= 1e-10)) yi = 1e-10;
    sumY += yi;
  }
  if (!(std::fabs(sumY - 1.0) <= 1e-6)) return 4;
  if (strict) {
    if (!(p <= kPmax)) return 1;
    if (!(T >= kTmin && T <= kTmax)) return 3;
  }
  if (!(T > 0) || !std::isfinite(T)) return 2;
  return 0;
}

State contentState(const Coefficients& c, std::span<const double, kCount> x, double T, double p,
                   bool strict) {
  std::array<double, kCount> y{};
  if (const MethodFailure code = prepare(x, T, p, strict, y); code != 0) return State{0, 0, 0, code};
  return molarState(c, y, T, p);
}

}  // namespace

Virial mr135Virial(std::span<const double, kCount> y, double T) {
  return mix(coefficientsAt(T), y);
}

std::array<double, kCount> moleFractions(std::span<const double, kCount> x) {
  std::array<double, kCount> y{};
  double sum = 0;
  for (std::size_t i = 0; i < kCount; ++i) sum += x[i] / kComponents[i].Zst;
  if (!(sum > 0) || !std::isfinite(sum)) return y;
  for (std::size_t i = 0; i < kCount; ++i) y[i] = x[i] / kComponents[i].Zst / sum;
  return y;
}

State mr135Molar(std::span<const double, kCount> y, double T, double p) {
  if (!(T > 0) || !std::isfinite(T)) return State{0, 0, 0, 2};
  return molarState(coefficientsAt(T), y, T, p);
}

State mr135State(std::span<const double, kCount> x, double T, double p, bool strict) {
  std::array<double, kCount> y{};
  if (const MethodFailure code = prepare(x, T, p, strict, y); code != 0) return State{0, 0, 0, code};
  return molarState(coefficientsAt(T), y, T, p);
}

}  // namespace mr135

// Entry of the method: densities at working and standard conditions, Z, K and
// the relative errors of the working density and of K.
//
// The influence coefficients of temperature and pressure on K come from
// states with T and p multiplied by 1.01: θTK = |ΔlnK/ΔlnT| + 1 and
// θpK = 1 − |ΔlnK/Δlnp| (Zс is fixed, so ΔlnK is ΔlnZ). Those of the working
// density are its own relative changes, which already hold the direct effect
// of T and p (density_sensitivity.h).
MethodFailure calcMr135(std::span<const double, 16> x, std::span<const double, 16> dx, double T,
                        double dT, double p, double dp, MethodOutputs& out,
                        const RestartProbe& restart) {
  using namespace mr135;
  int present = 0;
  for (double xi : x)
    if (xi > 1e-8) ++present;
  if (present < 3) return 5;

  const State st = mr135State(x, kTst, kPst, true);
  if (st.code != 0) return st.code;
  out.rhoSt = st.rho;
  out.dRhoSt = st.dM;
  const double Zst = st.Z;

  std::array<double, kCount> y{};
  if (const MethodFailure code = prepare(x, T, p, true, y); code != 0) return code;
  const auto cT = coefficientsAt(T);
  const State w = molarState(cT, y, T, p);
  if (w.code != 0) return w.code;
  out.rho = w.rho;
  out.Z = w.Z;
  out.K = w.Z / Zst;

  // The error estimate: each input in turn multiplied by 1.01, non-strict.
  // The coefficients at the working temperature serve every evaluation at it.
  const perturbation::Constants c{.step = kStep, .smallestContent = 1e-5, .nonFinite = {2, 2, 2}};
  const perturbation::BaseStates b{T, p, w.rho, w.Z, Zst, w.dM, st.dM};
  const auto state = [&cT, T](std::span<const double, kCount> xs, double Ts, double ps) {
    return Ts == T ? contentState(cT, xs, Ts, ps, false) : mr135State(xs, Ts, ps, false);
  };
  return perturbation::estimateErrors(state, x, dx, b, {dT, dp}, c, restart, out);
}

}  // namespace velmar
