// GSSSD MR 118-05: virial equation of state of moderately compressed gas
// mixtures, with the relative errors of the working density and of K.
#include "gasprops/MP_118_05.h"
#include "gasprops/perturbation_error.h"

#include <algorithm>
#include <cmath>

#include "gasprops/cubic_roots.h"
#include "gasprops/virial_mixing.h"

namespace velmar {
namespace mr118 {
namespace {

constexpr double kTmin = 200.15;  // -73 °C
constexpr double kTmax = 400.15;  // +127 °C
constexpr double kPmin = 0.1;     // MPa
constexpr double kPmax = 10.0;
constexpr double kTst = 293.15;
constexpr double kPst = 0.101325;
constexpr double kStep = 1.01;  // factor of the perturbed evaluations

constexpr std::size_t kTriples = virial::kTriples<kCount>;
using virial::series;

// What the virial coefficients take from the component table alone, formed
// once: the pair and triple parameters of the potential (ammonia induces a
// dipole in a non-polar partner) and the cube roots of the critical volumes.
struct Parameters {
  virial::PotentialParameters<kCount> potential;
  std::array<double, kCount> cubeRootVc{};
};

const Parameters& parameters() {
  static const Parameters P = [] {
    Parameters q;
    q.potential = virial::potentialParameters(kComponents, kAmmonia, kPolar, kB0,
                                              virial::PairTable<kCount>{});
    for (std::size_t i = 0; i < kCount; ++i)
      q.cubeRootVc[i] = std::cbrt(kComponents[i].M / kComponents[i].rhoc);
    return q;
  }();
  return P;
}

// Pair and triple virial coefficients at one temperature; every composition
// at that temperature is mixed from them.
struct Coefficients {
  std::array<std::array<double, kCount>, kCount> B{};  // cm³/mol
  std::array<double, kTriples> C{};                    // cm⁶/mol², triples i ≤ j ≤ k
};

Coefficients coefficientsAt(double T) {
  const virial::PotentialParameters<kCount>& P = parameters().potential;
  Coefficients c;
  const double rootT = std::sqrt(T);
  for (std::size_t i = 0; i < kCount; ++i) {
    for (std::size_t j = i; j < kCount; ++j) {
      const auto& coef = (i == kAmmonia && j == kAmmonia) ? kBStarAmmonia : kBStar;
      c.B[i][j] = c.B[j][i] = P.pairScale[i][j] * series(coef, P.pairRootEps[i][j] / rootT);
    }
  }
  std::size_t n = 0;
  for (std::size_t i = 0; i < kCount; ++i) {
    for (std::size_t j = i; j < kCount; ++j) {
      for (std::size_t k = j; k < kCount; ++k, ++n) {
        const auto& coef = (i == kAmmonia && k == kAmmonia) ? kCStarAmmonia : kCStar;
        c.C[n] = P.tripleScale[n] * series(coef, P.tripleRootEps[n] / rootT);
      }
    }
  }
  return c;
}

Virial mix(const Coefficients& c, const std::array<double, kCount>& y) {
  Virial v;
  v.B = virial::pairSum<kCount>(c.B, y);
  v.C = virial::tripleSum<kCount>(c.C, y);
  return v;
}

// The temperature and pressure an evaluation computes with: checked
// (strict) or clamped into the range. Code 1 or 3 when strict and outside.
MethodFailure effectiveState(double& T, double& p, bool strict) {
  if (strict) {
    if (!(p >= kPmin && p <= kPmax)) return 1;
    if (!(T >= kTmin && T <= kTmax)) return 3;
    return 0;
  }
  if (!std::isfinite(T) || !std::isfinite(p)) return 2;
  p = std::clamp(p, kPmin, kPmax);
  T = std::clamp(T, kTmin, kTmax);
  return 0;
}

// Steps 2 to 8 of one evaluation with the coefficients at T.
State evaluate(const Coefficients& c, std::span<const double, kCount> x, double T, double p) {
  State s;
  std::array<double, kCount> y{};
  double sum = 0;
  for (std::size_t i = 0; i < kCount; ++i) {
    const double f = x[i] / 100.0;
    y[i] = (f >= 1e-10) ? f : 1e-30;
    sum += y[i];
  }
  if (!(std::fabs(sum - 1.0) <= 1e-6)) {
    s.code = 4;
    return s;
  }

  // Pseudo-critical constants: Vcm by the cube-root rule over all pairs.
  double M = 0, Tcm = 0, Vcm = 0;
  const std::array<double, kCount>& vc3 = parameters().cubeRootVc;
  for (std::size_t i = 0; i < kCount; ++i) {
    M += y[i] * kComponents[i].M;
    Tcm += y[i] * kComponents[i].Tc;
  }
  for (std::size_t i = 0; i < kCount; ++i) {
    for (std::size_t j = 0; j < kCount; ++j) {
      const double m = 0.5 * (vc3[i] + vc3[j]);
      Vcm += y[i] * y[j] * m * m * m;
    }
  }
  const double rhoCm = M / Vcm;

  const Virial v = mix(c, y);
  // V³ − (RT/p)·V² − (RT/p)·B·V − (RT/p)·C = 0, V in cm³/mol with p in MPa.
  const double rtp = kR * T / p;
  const double V = cubicRoots(-rtp * v.C, -rtp * v.B, -rtp).largest();
  if (!(V > 0) || !std::isfinite(V)) {  // no gas-like volume
    s.code = 2;
    return s;
  }
  s.Z = 1.0 + v.B / V + v.C / (V * V);
  s.rho = 1000.0 * M / V;
  if (!(s.rho <= 0.5 * rhoCm) || !(s.Z > 0)) {
    s.code = 2;
    return s;
  }
  s.dM = methodError(T / Tcm, p, y[kAmmonia] > 0.01 || y[kHelium] > 0.01);
  return s;
}

State stateAt(const Coefficients& c, std::span<const double, kCount> x, double T, double p,
              bool strict) {
  if (const MethodFailure code = effectiveState(T, p, strict); code != 0) return State{0, 0, 0, code};
  return evaluate(c, x, T, p);
}

}  // namespace

double reducedVirial(const std::array<double, 13>& coef, double Tstar) {
  return series(coef, 1.0 / std::sqrt(Tstar));
}

double methodError(double Tr, double p, bool ammoniaOrHelium) {
  const bool low = p < 5.0;
  if (Tr < 1.4) return low ? 0.6 : 1.5;
  if (Tr < 1.6) return low ? 0.25 : 0.8;
  if (Tr < 1.7 || ammoniaOrHelium) return low ? 0.2 : 0.4;
  return low ? 0.1 : 0.2;
}

Virial mr118Virial(std::span<const double, kCount> y, double T) {
  std::array<double, kCount> f{};
  std::copy(y.begin(), y.end(), f.begin());
  return mix(coefficientsAt(T), f);
}

State mr118State(std::span<const double, kCount> x, double T, double p, bool strict) {
  if (const MethodFailure code = effectiveState(T, p, strict); code != 0) return State{0, 0, 0, code};
  return evaluate(coefficientsAt(T), x, T, p);
}

}  // namespace mr118

// Entry of the method. The influence coefficients of temperature and
// pressure on K come from states with T and p multiplied by 1.01:
// θTK = |ΔlnK/ΔlnT| + 1 and θpK = 1 − |ΔlnK/Δlnp| (Zс is fixed, so ΔlnK is
// ΔlnZ). Those of the working density are its own relative changes, which
// already hold the direct effect of T and p (density_sensitivity.h).
MethodFailure calcMr118(std::span<const double, 18> x, std::span<const double, 18> dx, double T,
                        double dT, double p, double dp, MethodOutputs& out,
                        const RestartProbe& restart) {
  using namespace mr118;
  int present = 0;
  for (double xi : x)
    if (xi > 1e-8) ++present;
  if (present <= 2) return 5;

  const State st = mr118State(x, kTst, kPst, true);
  if (st.code != 0) return st.code;
  out.rhoSt = st.rho;
  out.dRhoSt = st.dM;
  const double Zst = st.Z;

  double Tw = T, pw = p;
  if (const MethodFailure code = effectiveState(Tw, pw, true); code != 0) return code;
  const Coefficients cT = coefficientsAt(T);
  const State w = evaluate(cT, x, T, p);
  if (w.code != 0) return w.code;
  out.rho = w.rho;
  out.Z = w.Z;
  out.K = w.Z / Zst;

  // The error estimate: each input in turn multiplied by 1.01, non-strict.
  // The coefficients at the working temperature serve every evaluation at
  // it; the perturbed temperature is clamped into the range and its
  // coefficients are formed at the clamped value.
  const perturbation::Constants c{.step = kStep, .smallestContent = 1e-5, .nonFinite = {2, 2, 2}};
  const perturbation::BaseStates b{T, p, w.rho, w.Z, Zst, w.dM, st.dM};
  const auto state = [&cT, T](std::span<const double, kCount> xs, double Ts, double ps) {
    return Ts == T ? stateAt(cT, xs, Ts, ps, false) : mr118State(xs, Ts, ps, false);
  };
  return perturbation::estimateErrors(state, x, dx, b, {dT, dp}, c, restart, out);
}

}  // namespace velmar
