// GSSSD MR 113-03: wet petroleum gas by extended corresponding states. The
// mixture is reduced by pseudo-critical constants from van der Waals-type
// mixing rules with binary factors of volume and temperature, and mapped onto
// the Setzmann-Wagner (1991) residual Helmholtz function of methane through six
// shape parameters linear in the mole fractions. The water-vapour fraction
// follows from the absolute humidity at the state, by a fixed-point iteration
// around the density iteration.
#include "gasprops/MP_113_03.h"
#include "gasprops/perturbation_error.h"

#include <algorithm>
#include <cmath>

namespace velmar {

namespace {

// Molar mass g/mol, Tc K, critical density kg/m3, acentric factor.
constexpr std::array<Mr113Component, kMr113Components> kComponents = {{
    {16.0428, 190.564, 162.66, 0.008},      // methane
    {30.0694, 305.33, 204.46, 0.098},       // ethane
    {44.098, 369.85, 220.49, 0.152},        // propane
    {58.125, 407.85, 224.36, 0.176},        // i-butane
    {58.125, 425.16, 227.85, 0.193},        // n-butane
    {72.1503, 460.39, 236.0, 0.227},        // i-pentane
    {72.1503, 469.65, 232.0, 0.251},        // n-pentane
    {86.172, 507.85, 233.6, 0.296},         // hexane
    {100.198, 540.16, 235.0, 0.351},        // heptane
    {31.9988, 154.581, 436.2, 0.021},       // oxygen
    {28.0134, 126.2, 313.1, 0.04},          // nitrogen
    {44.009, 304.2, 468.0, 0.225},          // carbon dioxide
    {18.015268, 647.096, 322.0, 0.344},     // water
    {34.08, 373.4, 347.616, 0.1},           // hydrogen sulphide
}};

enum : int {
  kMethane = 0, kEthane = 1, kPropane = 2, kIButane = 3, kNButane = 4, kIPentane = 5,
  kNPentane = 6, kHexane = 7, kHeptane = 8, kOxygen = 9, kNitrogen = 10, kCarbonDioxide = 11,
  kWaterIdx = 12, kHydrogenSulphide = 13
};

constexpr std::array<Mr113PairFactor, 19> kPairs = {{
    {kMethane, kEthane, 1.020806, 0.9994621},
    {kMethane, kPropane, 1.076958, 0.9753664},
    {kMethane, kIButane, 1.296998, 0.9114115},
    {kMethane, kNButane, 1.103734, 0.9491476},
    {kMethane, kNPentane, 1.0, 0.9358438},
    {kMethane, kNitrogen, 1.0158, 0.9756714},
    {kMethane, kCarbonDioxide, 1.017094, 0.9690212},
    {kMethane, kWaterIdx, 0.1739601, 2.2325},
    {kEthane, kNitrogen, 1.051319, 0.9899678},
    {kEthane, kCarbonDioxide, 0.8174294, 0.9685934},
    {kEthane, kWaterIdx, 0.8849272, 0.6847481},
    {kPropane, kNitrogen, 1.09676, 0.9527788},
    {kPropane, kWaterIdx, 0.715441, 0.6199581},
    {kNButane, kNitrogen, 1.13723, 0.9325496},
    {kNButane, kWaterIdx, 1.0, 0.5961099},
    {kNitrogen, kCarbonDioxide, 0.9966382, 1.087326},
    {kNitrogen, kWaterIdx, 1.641668, 0.6112308},
    {kCarbonDioxide, kWaterIdx, 1.027601, 0.8875383},
    {kWaterIdx, kHydrogenSulphide, 1.465175, 0.8098737},
}};

// theta_k = c_k + sum_j a_k,j u_j; the methane row is zero, so pure methane is
// the reference fluid itself.
constexpr std::array<double, 6> kShapeConstants = {1, 1, 0, 1, 0, 1};
constexpr std::array<std::array<double, 6>, kMr113Components> kShape = {{
    {0, 0, 0, 0, 0, 0},  // methane
    {0.02456077, -0.03165762, 0.03564686, -0.001375345, -0.008945883, 0.07307668},
    {0.07136654, -0.06174131, 0.04038523, 0.004842747, -0.02154781, 0.1067543},
    {0.0426293, -0.04605458, 0.05996364, -0.004794906, -0.0109224, 0.1420716},
    {0.03934594, -0.04131773, 0.06069281, -0.01115159, -0.006890598, 0.1559718},
    {0.03124069, -0.01969977, 0.02665646, -0.01777108, 0, 0.1909737},
    {0.01792795, -0.01888598, 0.09965198, -0.02280011, 0.00291644, 0.2098695},
    {0.004935177, -0.009173505, 0.03414393, -0.03832721, 0.01507947, 0.2772469},
    {0.05454612, -0.04761098, 0.02013432, -0.02961158, -0.001586834, 0.2853771},
    {0.01532148, -0.01574971, -0.004586805, 0.007216899, -0.007431432, 0.003456577},
    {0.007986618, -0.004883496, 0.01680903, 0.008516472, -0.005169956, 0.02528444},
    {0.03439584, -0.03461522, 0.003553421, -0.01170489, -0.004313793, 0.1537664},
    {0.4379564, 0.1511072, -1.086384, 0.05382887, 0.07498545, -0.007743396},
    {-0.008432164, 0.01823556, -0.125262, -0.004373534, 0.006963388, 0.01432127},
}};

// Setzmann-Wagner (1991) methane, residual part: n, d, t, c, gamma for terms
// 1-36; n, d, t and the Gaussian alpha, beta, gamma, epsilon for terms 37-40.
constexpr std::array<Mr113ReferenceTerm, 40> kReference = {{
    {0.04367901028, 1, -0.5, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.6709236199, 1, 0.5, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-1.765577859, 1, 1.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.8582330241, 2, 0.5, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-1.206513052, 2, 1.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.512046722, 2, 1.5, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-0.0004000010791, 2, 4.5, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-0.01247842423, 3, 0.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.03100269701, 4, 1.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.001754748522, 4, 3.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-3.171921605e-06, 8, 1.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-2.24034684e-06, 9, 3.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {2.947056156e-07, 10, 3.0, 0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.1830487909, 1, 0.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.1511883679, 1, 1.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.4289363877, 1, 2.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.06894002446, 2, 0.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.01408313996, 4, 0.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.0306305483, 5, 2.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.02969906708, 6, 2.0, 1, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.01932040831, 1, 5.0, 2, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.1105739959, 2, 5.0, 2, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.09952548995, 3, 5.0, 2, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.008548437825, 4, 2.0, 2, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.06150555662, 4, 4.0, 2, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.04291792423, 3, 12.0, 3, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.0181320729, 5, 8.0, 3, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.0344590476, 5, 10.0, 3, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.00238591945, 8, 10.0, 3, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.01159094939, 2, 10.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.06641693602, 3, 14.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.0237154959, 4, 12.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.03961624905, 4, 18.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.01387292044, 4, 22.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {0.03389489599, 5, 18.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {-0.002927378753, 6, 14.0, 4, -1.0, 0.0, 0.0, 0.0, 0.0},
    {9.324799946e-05, 2, 2.0, 0, 0.0, 20.0, 200.0, 1.07, 1.0},
    {-6.287171518, 0, 0.0, 0, 0.0, 40.0, 250.0, 1.11, 1.0},
    {12.71069467, 0, 1.0, 0, 0.0, 40.0, 250.0, 1.11, 1.0},
    {-6.423953466, 0, 2.0, 0, 0.0, 40.0, 250.0, 1.11, 1.0},
}};
constexpr int kPolynomialTerms = 36;

// mr113Reference takes its powers from tables: density exponents 0..10, the
// exponents of the exponential 1..4 with gamma = -1 (0 with gamma = 0), temperature
// exponents multiples of 1/2 from -1/2 to 22.
constexpr bool referenceExponentsFit() {
  for (std::size_t i = 0; i < kReference.size(); ++i) {
    const Mr113ReferenceTerm& r = kReference[i];
    const double twice = 2 * r.t;
    if (r.d < 0 || r.d > 10 || r.c < 0 || r.c > 4) return false;
    if (twice != static_cast<double>(static_cast<int>(twice)) || twice < -44 || twice > 44) return false;
    if (i < kPolynomialTerms && r.c == 0 && r.gamma != 0) return false;
    if (i < kPolynomialTerms && r.c > 0 && r.gamma != -1) return false;  // exp(-delta^c)
  }
  return true;
}
static_assert(referenceExponentsFit());

// 2·t of every term, the index of its temperature power in the table of
// half powers.
constexpr std::array<int, 40> kTauHalves = [] {
  std::array<int, 40> h{};
  for (std::size_t i = 0; i < kReference.size(); ++i) h[i] = static_cast<int>(2 * kReference[i].t);
  return h;
}();

constexpr double kStandardT = 293.15;    // K
constexpr double kStandardP = 0.101325;  // MPa
constexpr double kPerturbation = 1.01;
constexpr double kMethodError = 0.4;     // %
constexpr double kNewtonTolerance = 1e-6;
constexpr double kHumidityTolerance = 1e-6;
constexpr double kMinHumidity = 1e-5;    // g/m3: a dry gas still carries a trace of water
constexpr double kAbsentContent = 1e-11;  // mol %: an absent component enters with this content

// x^y with the sign of a negative base kept outside: -|x|^y; 0^y = 0 for
// y > 0.
double signedPow(double x, double y) {
  if (y == 0) return 1;
  if (x == 0) return y > 0 ? 0.0 : HUGE_VAL;
  if (x < 0) return -std::pow(-x, y);
  return std::pow(x, y);
}

double signedPowInt(double x, int n) {
  if (n == 0) return 1;
  const double ax = std::fabs(x);
  double r = ax;
  for (int k = 1; k < n; ++k) r *= ax;
  return x < 0 ? -r : r;
}

// Pseudo-critical pair constants, fixed by the component table.
struct PairTable {
  std::array<std::array<double, kMr113Components>, kMr113Components> Vc{};  // dm3/mol
  std::array<std::array<double, kMr113Components>, kMr113Components> VcTc{};
};

PairTable computePairTable() {
  std::array<double, kMr113Components> cbrtV{};
  for (int i = 0; i < kMr113Components; ++i) {
    const auto& c = kComponents[static_cast<std::size_t>(i)];
    cbrtV[static_cast<std::size_t>(i)] = std::cbrt(c.M / c.rhoc);
  }
  std::array<std::array<double, kMr113Components>, kMr113Components> kV{};
  std::array<std::array<double, kMr113Components>, kMr113Components> kT{};
  for (auto& row : kV) row.fill(1.0);
  for (auto& row : kT) row.fill(1.0);
  for (const Mr113PairFactor& f : kPairs) {
    const auto i = static_cast<std::size_t>(f.i);
    const auto j = static_cast<std::size_t>(f.j);
    kV[i][j] = kV[j][i] = f.kV;
    kT[i][j] = kT[j][i] = f.kT;
  }
  PairTable t;
  for (std::size_t i = 0; i < kMr113Components; ++i) {
    for (std::size_t j = 0; j < kMr113Components; ++j) {
      const double a = (cbrtV[i] + cbrtV[j]) / 2;
      const double v = kV[i][j] * a * a * a;
      t.Vc[i][j] = v;
      t.VcTc[i][j] = v * kT[i][j] * std::sqrt(kComponents[i].Tc * kComponents[j].Tc);
    }
  }
  return t;
}

// The pair table, computed once.
const PairTable& pairTable() {
  static const PairTable table = computePairTable();
  return table;
}

using Fractions = std::array<double, kMr113Components>;

// Compressibility factor of the wet gas u at T, p by Newton's method on the
// reduced density. ok is false when the pseudo-critical constants are not
// physical or the iteration does not settle.
struct DensitySolution {
  double Z = 0;
  double n = 0;  // molar density, kmol/m3
  bool ok = false;
};

Mr113ReferenceSums referenceSums(const std::array<double, 6>& theta, double omega, double TrPow3,
                                 double TrPow6);

DensitySolution solveDensity(const PairTable& pairs, const Fractions& u, double T, double p) {
  double acentric = 0;
  double Vc = 0;
  double VcTc = 0;
  std::array<double, 6> theta = kShapeConstants;
  for (std::size_t i = 0; i < kMr113Components; ++i) {
    acentric += u[i] * kComponents[i].acentric;
    for (std::size_t k = 0; k < 6; ++k) theta[k] += kShape[i][k] * u[i];
    for (std::size_t j = 0; j < kMr113Components; ++j) {
      const double uu = u[i] * u[j];
      Vc += uu * pairs.Vc[i][j];
      VcTc += uu * pairs.VcTc[i][j];
    }
  }
  if (!(Vc > 0) || !(VcTc > 0)) return {};
  const double Tc = VcTc / Vc;
  const double Zc = 0.291 - 0.08 * acentric;
  const double pc = 0.001 * kMr113R * Tc * Zc / Vc;  // MPa
  if (!(pc > 0) || !std::isfinite(pc)) return {};
  const double pi = p / pc;
  const double Tr = T / Tc;
  const double target = pi * Zc / Tr;  // omega Z
  double omega = (Tr >= 1 && pi >= 1) ? 9 * pi * Zc / ((1.1 * pi + 0.7) * Tr) : target;
  const double TrPow3 = signedPow(Tr, theta[2]);
  const double TrPow6 = signedPow(Tr, theta[5]);
  for (int it = 0; it < kMr113NewtonCap; ++it) {
    const Mr113ReferenceSums s = referenceSums(theta, omega, TrPow3, TrPow6);
    const double delta = (target - (1 + s.S0) * omega) / (1 + s.S1);
    double next = omega + delta;
    if (!std::isfinite(next)) return {};
    // A step to a density at or below zero is replaced by halving the density,
    // so the iteration stays on the physical branch.
    if (!(next > 0)) next = omega / 2;
    const double step = next - omega;
    omega = next;
    if (std::fabs(step / omega) <= kNewtonTolerance) {
      const double Z = 1 + s.S0;
      if (!(Z > 0) || !std::isfinite(Z)) return {};
      return {Z, omega / Vc, true};
    }
  }
  return {};
}

double molarMass(const Fractions& u) {
  double M = 0;
  for (std::size_t i = 0; i < kMr113Components; ++i) M += u[i] * kComponents[i].M;
  return M;
}

// Wet fractions: (1 - y) times the dry fractions, water y.
Fractions wetFractions(const Fractions& dry, double y) {
  Fractions u{};
  for (std::size_t i = 0; i < kMr113Components; ++i) u[i] = (1 - y) * dry[i];
  u[kMr113Water] = y;
  return u;
}

struct Prepared {
  double T = 0;
  double p = 0;
  Fractions dry{};
  MethodFailure code = 0;
};

// Range checks (strict) or clamping (non-strict), then the dry fractions.
Prepared prepare(std::span<const double, kMr113Components> x, double T, double p, bool strict) {
  Prepared r;
  if (strict) {
    if (!(T >= 263 && T <= 500)) {
      r.code = 3;
      return r;
    }
    if (!(p >= 0.1 && p <= 15)) {
      r.code = 1;
      return r;
    }
    double sum = 0;
    for (double v : x) sum += v;
    if (!(std::fabs(100 - sum) <= 0.02)) {
      r.code = 4;
      return r;
    }
    for (double v : x) {
      if (v < 0) {
        r.code = 2;  // a negative content describes no gas
        return r;
      }
    }
  } else {
    T = !(T >= 263) ? 263 : std::min(T, 500.0);
    p = !(p >= 0.1) ? 0.1 : std::min(p, 15.0);
  }
  double sum = 0;
  for (std::size_t i = 0; i < kMr113Components; ++i) {
    r.dry[i] = x[i] == 0 ? kAbsentContent : x[i];
    sum += r.dry[i];
  }
  if (!(std::fabs(sum) > 0) || !std::isfinite(sum)) {
    r.code = 2;
    return r;
  }
  for (double& v : r.dry) v /= sum;
  r.T = T;
  r.p = p;
  return r;
}

Mr113State finish(const Fractions& u, double T, double p, const DensitySolution& s) {
  Mr113State out;
  out.Z = s.Z;
  out.rho = 1000 * molarMass(u) * p / (kMr113R * T * s.Z);
  out.dM = kMethodError;
  out.waterFraction = u[kMr113Water];
  if (!std::isfinite(out.rho) || !(out.rho > 0)) out.code = 2;
  return out;
}

}  // namespace

std::span<const Mr113Component, kMr113Components> mr113Components() { return kComponents; }
std::span<const Mr113PairFactor> mr113PairFactors() { return kPairs; }
std::span<const std::array<double, 6>, kMr113Components> mr113ShapeCoefficients() { return kShape; }
std::span<const Mr113ReferenceTerm, 40> mr113ReferenceTerms() { return kReference; }

double waterVapourPressure113(double T) {
  if (!(T > 0)) return 0;
  if (T < 273.16) {
    const double lnP = -5865.3696 / T + 22.241033 + 0.013749042 * T - 3.4031775e-5 * T * T +
                       2.6967687e-8 * T * T * T + 0.6918651 * std::log(T);
    return std::exp(lnP) * 1e-6;
  }
  constexpr double Tc = 647.096;
  constexpr double pc = 22.064;
  if (T >= Tc) return pc;
  const double v = 1 - T / Tc;
  const double sv = std::sqrt(v);
  const double v3 = v * v * v;
  const double sum = -7.85951783 * v + 1.84408259 * v * sv - 11.7866497 * v3 + 22.6807411 * v3 * sv -
                     15.9618719 * v3 * v + 1.80122502 * v3 * v3 * v * sv;
  return pc * std::exp(Tc / T * sum);
}

namespace {

// The reference sums with the powers of Tr given: Tr^theta3 and Tr^theta6
// stay the same through the density iteration.
Mr113ReferenceSums referenceSums(const std::array<double, 6>& theta, double omega, double TrPow3,
                                 double TrPow6) {
  const double delta = theta[0] * signedPow(omega, theta[1]) * TrPow3;
  const double TrRef = theta[3] * signedPow(omega, theta[4]) * TrPow6;
  const double tau = 1 / TrRef;
  const double t2 = theta[1];
  const double t5 = theta[4];

  // Powers of the table, taken once: delta^k (k = 0..10), tau^(k/2) (k = 0..44,
  // every temperature exponent is a multiple of 1/2), exp(-delta^c) (c = 1..4).
  std::array<double, 11> deltaPow{};
  for (int k = 0; k <= 10; ++k) deltaPow[static_cast<std::size_t>(k)] = signedPowInt(delta, k);
  std::array<double, 45> tauHalfPow{};
  const double tauSign = tau < 0 ? -1.0 : 1.0;
  const double rootTau = std::sqrt(std::fabs(tau));
  tauHalfPow[0] = 1;
  for (std::size_t k = 1; k < tauHalfPow.size(); ++k) tauHalfPow[k] = tauHalfPow[k - 1] * rootTau;
  auto tauPow = [&](std::size_t term) {
    const int k = kTauHalves[term];
    if (k == 0) return 1.0;
    const double v = k > 0 ? tauHalfPow[static_cast<std::size_t>(k)] : 1 / tauHalfPow[static_cast<std::size_t>(-k)];
    return tauSign * v;
  };
  std::array<double, 5> expDelta{};
  for (int c = 1; c <= 4; ++c) expDelta[static_cast<std::size_t>(c)] = std::exp(-deltaPow[static_cast<std::size_t>(c)]);

  Mr113ReferenceSums s;
  for (int i = 0; i < static_cast<int>(kReference.size()); ++i) {
    const Mr113ReferenceTerm& r = kReference[static_cast<std::size_t>(i)];
    const double common = r.n * deltaPow[static_cast<std::size_t>(r.d)] * tauPow(static_cast<std::size_t>(i));
    double f;
    double a;       // delta d(ln f)/d(delta)
    double b;       // tau d(ln f)/d(tau)
    double deltaA;  // delta da/d(delta)
    double tauB;    // tau db/d(tau)
    if (i < kPolynomialTerms) {
      const double dc = r.c == 0 ? 0.0 : deltaPow[static_cast<std::size_t>(r.c)];
      f = r.c == 0 ? common : common * expDelta[static_cast<std::size_t>(r.c)];
      a = r.d + r.gamma * r.c * dc;
      b = r.t;
      deltaA = r.gamma * r.c * r.c * dc;
      tauB = 0;
    } else {
      const double dd = delta - r.epsilon;
      const double dt = tau - r.gammaG;
      f = common * std::exp(-r.alpha * dd * dd - r.beta * dt * dt);
      a = r.d - 2 * r.alpha * delta * dd;
      b = r.t - 2 * r.beta * tau * dt;
      deltaA = -2 * r.alpha * delta * (2 * delta - r.epsilon);
      tauB = -2 * r.beta * tau * (2 * tau - r.gammaG);
    }
    // omega d/d(omega) through delta(omega) and tau(omega).
    const double A = t2 * a - t5 * b;
    const double omegaA = t2 * t2 * deltaA + t5 * t5 * tauB;
    s.S0 += f * A;
    s.S1 += f * (A * (A + 1) + omegaA);
  }
  return s;
}

}  // namespace

Mr113ReferenceSums mr113Reference(const std::array<double, 6>& theta, double omega, double Tr) {
  return referenceSums(theta, omega, signedPow(Tr, theta[2]), signedPow(Tr, theta[5]));
}

Mr113State mr113State(std::span<const double, kMr113Components> x, double T, double p, double W,
                      bool strict) {
  const Prepared pr = prepare(x, T, p, strict);
  if (pr.code != 0) {
    Mr113State out;
    out.code = pr.code;
    return out;
  }
  T = pr.T;
  p = pr.p;
  if (!(W > 0)) W = kMinHumidity;
  const PairTable& pairs = pairTable();

  // Start: the water content of a gas saturated at T, p. Where that estimate
  // leaves (0, 1) (hot, low-pressure states), the ideal-gas water fraction of
  // the given humidity is taken instead; the fixed point does not depend on
  // the start.
  const double ps = waterVapourPressure113(T);
  double y = (ps / p) * std::exp(1018 * (p / ps - 1) * std::exp(-4853 / T));
  if (!(y > 0 && y < 1)) y = W / 18.015268 * kMr113R * T / (p * 1e6);
  if (!(y > 0 && y < 1)) {
    Mr113State out;
    out.code = 2;
    return out;
  }
  Fractions u = wetFractions(pr.dry, y);
  for (int it = 0; it < kMr113HumidityCap; ++it) {
    const DensitySolution s = solveDensity(pairs, u, T, p);
    if (!s.ok) break;
    const double yNew = W / (1000 * 18.015268 * s.n);
    // More water than the gas itself: the humidity cannot be reached.
    if (!(yNew > 0 && yNew < 1)) break;
    if (std::fabs(yNew - y) / yNew <= kHumidityTolerance) return finish(u, T, p, s);
    y = yNew;
    // The current wet fractions are rescaled and normalised.
    double sum = 0;
    for (std::size_t i = 0; i < kMr113Components; ++i) {
      if (i != static_cast<std::size_t>(kMr113Water)) u[i] *= (1 - y);
    }
    u[kMr113Water] = y;
    for (double v : u) sum += v;
    for (double& v : u) v /= sum;
  }
  Mr113State out;
  out.code = 2;
  return out;
}

Mr113State mr113StateAtWaterFraction(std::span<const double, kMr113Components> x, double T, double p,
                                     double waterFraction, bool strict) {
  const Prepared pr = prepare(x, T, p, strict);
  Mr113State out;
  if (pr.code != 0) {
    out.code = pr.code;
    return out;
  }
  if (!(waterFraction >= 0 && waterFraction < 1)) {
    out.code = 2;
    return out;
  }
  const Fractions u = wetFractions(pr.dry, waterFraction);
  const DensitySolution s = solveDensity(pairTable(), u, pr.T, pr.p);
  if (!s.ok) {
    out.code = 2;
    return out;
  }
  return finish(u, pr.T, pr.p, s);
}

}  // namespace velmar

namespace velmar {

// The standard state (293.15 K, 101325 Pa) is that of the same wet gas: the
// water fraction found at the working state, not the working humidity in g/m3
// (that humidity at standard conditions would stand for a far wetter gas, up to
// more water than gas at high pressures).
MethodFailure calcMr113(std::span<const double, 14> x, std::span<const double, 14> dx, double T,
                        double dT, double p, double dp, double humidity, MethodOutputs& out,
                        const RestartProbe& restart) {
  int present = 0;
  for (double v : x) {
    if (v > 1e-8) ++present;
  }
  if (present <= 2) return 5;

  // The standard state fails only on the contents; they are tested first, so
  // the codes come in the order 4, then 3 and 1 of the working state.
  {
    const Mr113State check = mr113StateAtWaterFraction(x, kStandardT, kStandardP, 0, true);
    if (check.code == 4) return 4;
  }
  if (restartRequested(restart)) return 0;
  const Mr113State w = mr113State(x, T, p, humidity, true);
  if (w.code != 0) return w.code;
  if (restartRequested(restart)) return 0;
  const Mr113State st = mr113StateAtWaterFraction(x, kStandardT, kStandardP, w.waterFraction, true);
  if (st.code != 0) return st.code;
  out.rhoSt = st.rho;
  out.dRhoSt = st.dM;
  out.rho = w.rho;
  out.Z = w.Z;
  out.K = w.Z / st.Z;

  // The error estimate: each input in turn multiplied by 1.01, non-strict.
  const perturbation::Constants c{.step = kPerturbation, .smallestContent = 1e-5, .nonFinite = {2, 2, 2}};
  const perturbation::BaseStates b{T, p, w.rho, w.Z, st.Z, w.dM, st.dM};
  const auto state = [humidity](std::span<const double, kMr113Components> xs, double Ts, double ps) {
    return mr113State(xs, Ts, ps, humidity, false);
  };
  return perturbation::estimateErrors(state, x, dx, b, {dT, dp}, c, restart, out);
}

}  // namespace velmar
