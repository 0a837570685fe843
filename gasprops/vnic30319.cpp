// VNITs SMV equation of state, GOST 30319.3-96: natural gas of known
// composition (unit vnic30319).
#include "gasprops/vnic30319.h"

#include <algorithm>
#include <cmath>

namespace velmar::vnic {
namespace {

bool finite(double v) { return std::isfinite(v); }

// Codes of the method's message table.
constexpr MethodFailure kPressureAbove12 = 1;
constexpr MethodFailure kTemperatureRange = 2;
constexpr MethodFailure kBadSum = 17;

constexpr double kFractionFloor = 1e-10;

// Residual sums of the equation at reduced density ω and reduced temperature
// τ: Z − 1 and the derivative sums the density step and κ need.
struct EosSums {
  double Z = 1;
  double S1 = 0;  // Σ (k+1)·term:       1 + S1 = ∂(ρZ)/∂ρ
  double S2 = 0;  // −Σ (l−1)·term:      1 + S2 = ∂(TZ)/∂T at constant ρ
  double S3 = 0;  // −Σ l(l−1)/k·term:   residual part of cv/R
};

// l(l − 1)/k of every term, the weight of the term in S3.
constexpr EosTable kS3Weight = [] {
  EosTable w{};
  for (std::size_t row = 0; row < kEosRows; ++row) {
    const int k = static_cast<int>(row) + 1;
    for (int l = 0; l <= kEosLastL[row]; ++l)
      w[row][static_cast<std::size_t>(l)] = static_cast<double>(l * (l - 1)) / k;
  }
  return w;
}();

// akl + bkl·Ω of every term for the acentric factor of one mixture.
EosTable termCoefficients(double Omega) {
  EosTable c{};
  for (std::size_t row = 0; row < kEosRows; ++row)
    for (std::size_t l = 0; l <= static_cast<std::size_t>(kEosLastL[row]); ++l)
      c[row][l] = kA[row][l] + kB[row][l] * Omega;
  return c;
}

EosSums eosSums(double omega, double tau, const EosTable& coefficients) {
  EosSums s;
  const double invTau = 1.0 / tau;
  double omegaK = 1.0;
  for (std::size_t row = 0; row < kEosRows; ++row) {
    const int k = static_cast<int>(row) + 1;
    omegaK *= omega;
    double tauL = 1.0;  // τ^(−l)
    for (int l = 0; l <= kEosLastL[row]; ++l) {
      const auto col = static_cast<std::size_t>(l);
      const double term = coefficients[row][col] * omegaK * tauL;
      s.Z += term;
      s.S1 += (k + 1) * term;
      s.S2 -= (l - 1) * term;
      s.S3 -= kS3Weight[row][col] * term;
      tauL *= invTau;
    }
  }
  return s;
}

// The pair terms of the pseudo-critical mixing rules, fixed by the component
// table: ω_ij, v_ij and t_ij.
struct PairTerms {
  PairTable omega{};
  PairTable v{};
  PairTable t{};
};

PairTerms computePairTerms() {
  BaseFractions V{};
  BaseFractions cubeRootV{};
  for (std::size_t i = 0; i < kBase; ++i) {
    V[i] = kMolarMass[i] / kCriticalDensity[i];
    cubeRootV[i] = std::cbrt(V[i]);
  }
  PairTerms p;
  for (std::size_t i = 0; i < kBase; ++i) {
    for (std::size_t j = 0; j < kBase; ++j) {
      p.omega[i][j] = (kAcentric[i] * V[i] + kAcentric[j] * V[j]) / (V[i] + V[j]);
      const double half = (cubeRootV[i] + cubeRootV[j]) / 2;
      p.v[i][j] = (1 - kPairL[i][j]) * half * half * half;
      p.t[i][j] = (1 - kPairK[i][j]) * std::sqrt(kCriticalTemperature[i] * kCriticalTemperature[j]);
    }
  }
  return p;
}

const PairTerms& pairTerms() {
  static const PairTerms p = computePairTerms();
  return p;
}

double roundTo8Decimals(double v) { return std::round(v * 1e8) / 1e8; }

}  // namespace

PseudoCritical pseudoCritical(const BaseFractions& y) {
  const PairTerms& pair = pairTerms();
  double Vm = 0, sumOmega = 0, sumT = 0;
  for (std::size_t i = 0; i < kBase; ++i) {
    for (std::size_t j = 0; j < kBase; ++j) {
      const double tIJ = pair.t[i][j];
      const double w = y[i] * y[j] * pair.v[i][j];
      Vm += w;
      sumOmega += w * pair.omega[i][j];
      sumT += w * tIJ * tIJ;
    }
  }
  PseudoCritical pc;
  if (!(Vm > 0) || !finite(Vm) || !(sumT > 0) || !finite(sumT) || !finite(sumOmega)) {
    return pc;  // all zero: the caller reports no state
  }
  pc.Omega = sumOmega / Vm;
  pc.T = std::sqrt(sumT / Vm);
  pc.rho = 1 / Vm;
  pc.p = (0.28707 - 0.05559 * pc.Omega) * kRMPa * pc.rho * pc.T;
  return pc;
}

double idealHeatCapacity(const BaseFractions& y, double T) {
  double sum = 0;
  for (std::size_t i = 0; i < kBase; ++i) {
    const HeatCapacitySet& c = kHeatCapacity[i];
    const double theta = T / c.divisor;
    double poly = 0;
    for (std::size_t n = c.nA; n-- > 0;) poly = poly * theta + c.A[n];
    double inverse = 0;  // Σ B[m-1]·θ^(−m), by Horner in 1/θ
    const double invTheta = 1 / theta;
    for (std::size_t m = c.nB; m-- > 0;) inverse = (inverse + c.B[m]) * invTheta;
    sum += y[i] * (poly + inverse);
  }
  return kR * sum;
}

MethodFailure vnicCore(const BaseFractions& y, double T, double p, CoreState& out) {
  CoreState st;
  st.pc = pseudoCritical(y);
  const PseudoCritical& pc = st.pc;
  if (!(pc.rho > 0) || !(pc.T > 0) || !(pc.p > 0) || !finite(pc.p) || !(T > 0) || !finite(T) ||
      !(p >= 0) || !finite(p)) {
    return kNoStateCode;
  }
  st.xiPrime = std::pow(pc.T, 1.0 / 6.0) / std::pow(pc.p, 2.0 / 3.0);
  const double pi = p / pc.p;
  const double tau = T / pc.T;
  const double RT = kR * T;

  // Newton iteration on the molar density (kmol/m3) from the method's start
  // value; the step is taken in absolute value so that the density stays
  // positive. It stops when the step is below 10^-6 of the new density; Z and
  // the derivative sums are those of the last pass.
  double rho = 9000 * p / ((0.7 + 1.1 * pi) * RT);
  double omega = 0;
  const EosTable coefficients = termCoefficients(pc.Omega);
  EosSums s;
  bool converged = false;
  for (int step = 1; step <= kNewtonCap; ++step) {
    omega = rho / pc.rho;
    s = eosSums(omega, tau, coefficients);
    const double delta = (1000 * p - RT * s.Z * rho) / (RT * (1 + s.S1));
    const double next = std::fabs(rho + delta);
    st.steps = step;
    if (!finite(delta) || !finite(next) || !finite(s.Z)) return kNoStateCode;
    rho = next;
    if (delta == 0 || std::fabs(delta) < 1e-6 * next) {
      converged = true;
      break;
    }
  }
  if (!converged) return kNoStateCode;
  st.rhoMolar = rho;
  st.Z = s.Z;

  const double invTau = 1 / tau;
  const double Om = pc.Omega;
  st.muStar = 78.037 + 3.85612 * Om - 29.0053 * Om * Om - 156.728 * invTau +
              145.519 * invTau * invTau - 51.1082 * invTau * invTau * invTau + 6.57895 * omega +
              (11.7452 - 95.7215 * Om * Om * invTau) * omega * omega +
              17.1027 * Om * omega * omega * omega +
              0.519623 * std::pow(omega, 5) * invTau * invTau;

  const double cp0 = idealHeatCapacity(y, T);
  const double cv = cp0 - kR + kR * s.S3;
  const double dRhoZ = 1 + s.S1;
  const double dTZ = 1 + s.S2;
  if (!(cv > 0) || !(s.Z > 0) || !(dRhoZ > 0) || !finite(cv)) return kNoStateCode;
  st.kappa = dRhoZ * kR * (cv / kR + dTZ * dTZ / dRhoZ) / (cv * s.Z);
  if (!finite(st.kappa) || !finite(st.muStar) || !finite(st.xiPrime)) return kNoStateCode;
  out = st;
  return 0;
}

MethodFailure vnicState(std::span<const double, kElements> x, double T, double p, Mode mode,
                        State& out, const double* others) {
  if (!finite(p)) return kPressureAbove12;
  if (!finite(T)) return kTemperatureRange;
  if (mode == Mode::Strict) {
    if (p > 12) return kPressureAbove12;
    if (T < 250 || T > 350) return kTemperatureRange;
  } else {
    p = std::min(p, 12.0);
    T = std::clamp(T, 250.0, 350.0);
  }
  if (p < 0) return kPressureAbove12;  // no gas state below zero pressure

  std::array<double, kElements> f{};
  for (std::size_t i = 0; i < kElements; ++i) {
    if (!finite(x[i])) return kBadSum;
    f[i] = std::max(x[i] / 100, kFractionFloor);
  }

  double remainder = f[kOthers];
  if (mode == Mode::Strict) {
    if (f[kMethane] < 0.4999999999) return 3;
    if (f[kEthane] > 0.2000000001) return 4;
    if (f[kPropane] > 0.0500000001) return 5;
    if (f[kNButane] > 0.0300000001) return 6;
    if (f[kIButane] > 0.0300000001) return 7;
    if (f[kNitrogen] > 0.3000000001) return 8;
    if (f[kCarbonDioxide] > 0.3000000001) return 9;
    if (f[kHydrogenSulphide] > 0.3000000001) return 10;
    if (f[kAcetyleneEthylene] > 0.0100000001) return 11;
    if (f[kPropylene] > 0.0100000001) return 12;
    if (f[kPentanePlus] > 0.0100000001) return 13;
    if (f[kNButane] + f[kIButane] > 0.0600000001) return 15;
    double base = 0;
    for (std::size_t i = 0; i < kBase; ++i) base += f[i];
    if (std::fabs(1 - base) > 0.01) return 16;
    double first11 = 0;
    for (std::size_t i = 0; i < kOthers; ++i) first11 += f[i];
    remainder = roundTo8Decimals(1 - first11);
    if (remainder > 0.01 || remainder < -0.01) return 14;
    if (std::fabs(first11 + remainder - 1) > 1e-6) return kBadSum;
  } else if (others != nullptr) {
    if (!finite(*others)) return kBadSum;
    remainder = *others;
  }

  // Lumping of the minor components into the eight base components.
  BaseFractions y{};
  for (std::size_t i = 0; i < kBase; ++i) y[i] = f[i];
  y[kEthane] += f[kAcetyleneEthylene];
  y[kPropane] += f[kPropylene];
  y[kNButane] += f[kPentanePlus];
  y[kNitrogen] += remainder;

  State st;
  st.others = remainder;
  st.y = y;
  CoreState standard;
  if (MethodFailure c = vnicCore(y, kTStd, kPStd, standard); c != 0) return c;
  st.Zc = standard.Z;
  for (std::size_t i = 0; i < kBase; ++i) st.M += y[i] * kMolarMass[i];
  if (!(st.M > 0)) return kNoStateCode;
  st.rhoSt = 1000 * st.M * kPStd / (kRTStd * st.Zc);

  if (MethodFailure c = vnicCore(y, T, p, st.working); c != 0) return c;
  st.Z = st.working.Z;
  st.K = st.Z / st.Zc;
  st.rho = st.rhoSt * p * kTStd / (kPStd * T * st.K);
  st.kappa = st.working.kappa;
  const double xi = st.working.xiPrime / std::sqrt(st.M);
  st.mu = st.working.muStar / (10 * xi) * 1e-6;
  if (!finite(st.rho) || !finite(st.rhoSt) || !finite(st.K) || !finite(st.mu) ||
      !(st.rhoSt > 0) || !(st.K > 0)) {
    return kNoStateCode;
  }
  out = st;
  return 0;
}

double standardDensityError(double rhoSt, double hydrogenSulphide) {
  if (hydrogenSulphide >= 1e-5 && rhoSt >= 0.74) return 0.36;
  if (rhoSt < 0.7) return 0.11;
  if (rhoSt <= 0.75) return 0.12;
  return 0.13;
}

double workingDensityError(double T, double p) {
  if (T >= 270) return 0.2;
  return p > 6 ? 0.4 : 0.3;
}

// The perturbed evaluations keep the "Прочие" remainder of the working
// evaluation (`work.others`): the working evaluation recomputes it from the
// other contents and may find it negative (contents summing to up to 101 %),
// while a perturbed evaluation left to itself would take the value passed in,
// floored at 10^-10. The perturbed gas must be the working gas but for the one
// input that is varied, or K′ − K would measure the difference of two gases.
//
// Temperature near 250 K: the perturbed temperature 0.9999·T is held at
// 250 K and the sensitivity is formed with the step actually taken (T − 250 K),
// not with 0.0001·T. Where the held step would be shorter than a quarter of
// the nominal one (T within about 6 mK of 250 K, T = 250 K itself included)
// the step is taken upwards instead, to 1.0001·T: a zero or tiny step would
// give no temperature sensitivity at all, or a noisy one.
MethodFailure vnicSensitivities(std::span<const double, kElements> x, double T, double p,
                                const State& work, Sensitivities& out,
                                const RestartProbe& restart) {
  Sensitivities th;
  const double K = work.K;
  // |ΔK/K| / |Δv/v|; zero for a zero step (p = 0: no pressure effect).
  auto relative = [K](double Kp, double v, double vp) {
    const double step = std::fabs(v - vp);
    if (step == 0) return 0.0;
    return std::fabs(K - Kp) / step * std::fabs(v) / K;
  };
  auto evaluate = [&](std::span<const double, kElements> xs, double Ts, double ps,
                      State& alt) -> MethodFailure {
    ++th.evaluations;
    return vnicState(xs, Ts, ps, Mode::Perturbed, alt, &work.others);
  };
  auto stop = [&]() {
    if (!restartRequested(restart)) return false;
    th.abandoned = true;
    out = th;
    return true;
  };
  State alt;

  if (stop()) return 0;
  const double tNominal = 0.9999 * T;
  double tStep = std::clamp(tNominal, 250.0, 350.0);
  if (T - tStep < 0.25 * (T - tNominal)) tStep = std::min(1.0001 * T, 350.0);
  th.tPerturbed = tStep;
  if (MethodFailure code = evaluate(x, tStep, p, alt); code != 0) return code;
  th.thetaT = relative(alt.K, T, tStep) + 1;

  if (stop()) return 0;
  const double pStep = 0.9999 * p;
  if (MethodFailure code = evaluate(x, T, pStep, alt); code != 0) return code;
  th.thetaP = 1 - relative(alt.K, p, pStep);

  // Contents: component j is lowered by 0.01 % of itself and the other base
  // components take up the difference in proportion to their contents. Not
  // done when the gas has a single base component (pure methane).
  std::size_t present = 0;
  for (std::size_t j = 0; j < kBase; ++j) present += x[j] > 1e-8 ? 1 : 0;
  if (present > 1) {
    for (std::size_t j = 0; j < kBase; ++j) {
      if (!(x[j] > 1e-5)) continue;
      if (stop()) return 0;
      double rest = 0;
      for (std::size_t k = 0; k < kBase; ++k) rest += k == j ? 0 : x[k];
      if (!(rest > 0)) continue;
      std::array<double, kElements> xp{};
      std::copy(x.begin(), x.end(), xp.begin());
      xp[j] = 0.9999 * x[j];
      const double change = xp[j] - x[j];
      for (std::size_t k = 0; k < kBase; ++k) {
        if (k != j) xp[k] = x[k] - x[k] * change / rest;
      }
      if (MethodFailure code = evaluate(xp, T, p, alt); code != 0) return code;
      th.thetaX[j] = relative(alt.K, x[j], xp[j]);
    }
  }
  out = th;
  return 0;
}

}  // namespace velmar::vnic

namespace velmar {

// Entry of the VNITs SMV method, GOST 30319.3-96.
//
// Outputs: rho, dRho, rhoSt, dRhoSt, kappa, mu, K and dK. They are written
// only when the call completes with code 0; after a failure code, and after a
// restart request, `out` is left as it was.
//
// dK. The method gives one combined error, that of the working density: the
// method's own error of Z with the contributions of temperature, pressure and
// composition through the sensitivities of K (the ideal-gas parts of T and p
// included). That is the quantity the compressibility-error line of a natural
// gas stands for with GOST 30319.2 as well (there δK = δρ), and it is the error
// the volume at standard conditions takes for this method. So dK := dRho: the
// line then shows the error actually carried into the volume, worded the same
// for every natural-gas method, and no value of an earlier calculation by
// another method is left standing in it.
//
// Restart probe. One call makes up to eleven evaluations of the state. The
// probe is asked before every error evaluation — after the working
// evaluation, between the temperature, pressure and composition evaluations —
// and when it asks for a restart the call returns 0 at once, writing nothing;
// the dispatcher then abandons the pass by its own restart check.
//
// Error inputs that are not finite numbers (or so large that the combined
// error overflows) end the call with the code of their quantity: 2 for the
// temperature, 1 for the pressure, 17 for a content.
MethodFailure calcVnic30319(std::span<const double, 12> x, std::span<const double, 12> dx,
                            double T, double dT, double p, double dp, MethodOutputs& out,
                            const RestartProbe& restart) {
  using namespace vnic;
  State work;
  if (MethodFailure code = vnicState(x, T, p, Mode::Strict, work); code != 0) return code;

  Sensitivities th;
  if (MethodFailure code = vnicSensitivities(x, T, p, work, th, restart); code != 0) return code;
  if (th.abandoned) return 0;

  auto square = [](double v) { return v * v; };
  const double termT = square(th.thetaT * dT);
  const double termP = square(th.thetaP * dp);
  if (!std::isfinite(termT)) return 2;
  if (!std::isfinite(termP)) return 1;
  double sum = square(workingDensityError(T, p)) + termT + termP;
  // A zero content enters the equation as 10^-10 of the gas but carries no
  // error term.
  for (std::size_t j = 0; j < kBase; ++j) {
    if (x[j] > 1e-10) sum += square(th.thetaX[j] * dx[j]);
  }
  const double dRho = std::sqrt(sum);
  if (!std::isfinite(dRho)) return 17;

  out.rho = work.rho;
  out.rhoSt = work.rhoSt;
  out.K = work.K;
  out.kappa = work.kappa;
  out.mu = work.mu;
  out.dRho = dRho;
  out.dRhoSt = standardDensityError(work.rhoSt, x[kHydrogenSulphide]);
  out.dK = dRho;
  return 0;
}

}  // namespace velmar
