// R Gazprom 5.3-2009: natural gas of ten components by the AGA8-92DC
// equation of state.
#include "gasprops/RGazprom2008.h"
#include "gasprops/perturbation_error.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmar {

namespace rgaz {

namespace {

constexpr double kR = 8.31451;  // J/(mol·K)

// Component parameters: M, E, K, G, Q, F, S, W.
constexpr std::array<aga8::Component, kComponentCount> kComponents = {{
    {16.043, 151.3183, 0.4619255, 0.0, 0.0, 0.0, 0.0, 0.0},  // methane
    {30.07, 244.1667, 0.5279209, 0.0793, 0.0, 0.0, 0.0, 0.0},  // ethane
    {44.097, 298.1183, 0.583749, 0.141239, 0.0, 0.0, 0.0, 0.0},  // propane
    {58.123, 324.0689, 0.6406937, 0.256692, 0.0, 0.0, 0.0, 0.0},  // i-butane
    {58.123, 337.6389, 0.6341423, 0.281835, 0.0, 0.0, 0.0, 0.0},  // n-butane
    {72.15, 365.5999, 0.6738577, 0.332267, 0.0, 0.0, 0.0, 0.0},  // i-pentane
    {72.15, 370.6823, 0.6798307, 0.366911, 0.0, 0.0, 0.0, 0.0},  // n-pentane
    {86.177, 402.636293, 0.7175118, 0.289731, 0.0, 0.0, 0.0, 0.0},  // n-hexane
    {28.0135, 99.73778, 0.4479153, 0.027815, 0.0, 0.0, 0.0, 0.0},  // nitrogen
    {44.01, 241.9606, 0.4557489, 0.189065, 0.69, 0.0, 0.0, 0.0},  // carbon dioxide
}};

// Ideal-gas heat capacity cp0/R: B, C, D, E, F, G, H, I, J (D, F, H, J in K).
constexpr std::array<aga8::HeatCapacity, kComponentCount> kHeatCapacity = {{
    {4.00088, 0.76315, 820.659, 0.0046, 178.41, 8.74432, 1062.82, -4.46921, 1090.53},  // methane
    {4.00263, 4.33939, 559.314, 1.23722, 223.284, 13.1974, 1031.38, -6.01989, 1071.29},  // ethane
    {4.02939, 6.60569, 479.856, 3.197, 200.893, 19.1921, 955.312, -8.37267, 1027.29},  // propane
    {4.06714, 8.97575, 438.27, 5.25156, 198.018, 25.1423, 1905.02, 16.1388, 893.765},  // i-butane
    {4.33944, 9.44893, 468.27, 6.89406, 183.636, 24.4618, 1914.1, 14.7824, 903.185},  // n-butane
    {4.0, 11.7618, 292.503, 20.1101, 910.237, 33.1688, 1919.37, 0.0, 0.0},  // i-pentane
    {4.0, 8.95043, 178.67, 21.836, 840.538, 33.4032, 1774.25, 0.0, 0.0},  // n-pentane
    {4.0, 11.6977, 182.326, 26.8142, 859.207, 38.6164, 1826.59, 0.0, 0.0},  // n-hexane
    {3.50031, 0.13732, 662.738, -0.1466, 680.562, 0.90066, 1740.06, 0.0, 0.0},  // nitrogen
    {3.50002, 2.04452, 919.306, -1.06044, 865.07, 2.03366, 483.553, 0.01393, 341.109},  // carbon dioxide
}};

// Terms of the equation: a, b, c, k, u, g, q, f, s, w.
constexpr std::array<aga8::Term, aga8::kTermCount> kTerms = {{
    {0.1538326, 1, 0, 0, 0.0, 0, 0, 0, 0, 0},  // 1
    {1.341953, 1, 0, 0, 0.5, 0, 0, 0, 0, 0},  // 2
    {-2.998583, 1, 0, 0, 1.0, 0, 0, 0, 0, 0},  // 3
    {-0.04831228, 1, 0, 0, 3.5, 0, 0, 0, 0, 0},  // 4
    {0.3757965, 1, 0, 0, -0.5, 1, 0, 0, 0, 0},  // 5
    {-1.589575, 1, 0, 0, 4.5, 1, 0, 0, 0, 0},  // 6
    {-0.05358847, 1, 0, 0, 0.5, 0, 1, 0, 0, 0},  // 7
    {0.88659463, 1, 0, 0, 7.5, 0, 0, 0, 1, 0},  // 8
    {-0.71023704, 1, 0, 0, 9.5, 0, 0, 0, 1, 0},  // 9
    {-1.471722, 1, 0, 0, 6.0, 0, 0, 0, 0, 1},  // 10
    {1.32185035, 1, 0, 0, 12.0, 0, 0, 0, 0, 1},  // 11
    {-0.78665925, 1, 0, 0, 12.5, 0, 0, 0, 0, 1},  // 12
    {2.29129e-09, 1, 1, 3, -6.0, 0, 0, 1, 0, 0},  // 13
    {0.1576724, 1, 1, 2, 2.0, 0, 0, 0, 0, 0},  // 14
    {-0.4363864, 1, 1, 2, 3.0, 0, 0, 0, 0, 0},  // 15
    {-0.04408159, 1, 1, 2, 2.0, 0, 1, 0, 0, 0},  // 16
    {-0.003433888, 1, 1, 4, 2.0, 0, 0, 0, 0, 0},  // 17
    {0.03205905, 1, 1, 4, 11.0, 0, 0, 0, 0, 0},  // 18
    {0.02487355, 2, 0, 0, -0.5, 0, 0, 0, 0, 0},  // 19
    {0.07332279, 2, 0, 0, 0.5, 0, 0, 0, 0, 0},  // 20
    {-0.001600573, 2, 1, 2, 0.0, 0, 0, 0, 0, 0},  // 21
    {0.6424706, 2, 1, 2, 4.0, 0, 0, 0, 0, 0},  // 22
    {-0.4162601, 2, 1, 2, 6.0, 0, 0, 0, 0, 0},  // 23
    {-0.06689957, 2, 1, 4, 21.0, 0, 0, 0, 0, 0},  // 24
    {0.2791795, 2, 1, 4, 23.0, 1, 0, 0, 0, 0},  // 25
    {-0.6966051, 2, 1, 4, 22.0, 0, 1, 0, 0, 0},  // 26
    {-0.002860589, 2, 1, 4, -1.0, 0, 0, 1, 0, 0},  // 27
    {-0.008098836, 3, 0, 0, -0.5, 0, 1, 0, 0, 0},  // 28
    {3.150547, 3, 1, 1, 7.0, 1, 0, 0, 0, 0},  // 29
    {0.007224479, 3, 1, 1, -1.0, 0, 0, 1, 0, 0},  // 30
    {-0.7057529, 3, 1, 2, 6.0, 0, 0, 0, 0, 0},  // 31
    {0.5349792, 3, 1, 2, 4.0, 1, 0, 0, 0, 0},  // 32
    {-0.07931491, 3, 1, 3, 1.0, 1, 0, 0, 0, 0},  // 33
    {-1.418465, 3, 1, 3, 9.0, 1, 0, 0, 0, 0},  // 34
    {-5.99905e-17, 3, 1, 4, -13.0, 0, 0, 1, 0, 0},  // 35
    {0.1058402, 3, 1, 4, 21.0, 0, 0, 0, 0, 0},  // 36
    {0.03431729, 3, 1, 4, 8.0, 0, 1, 0, 0, 0},  // 37
    {-0.007022847, 4, 0, 0, -0.5, 0, 0, 0, 0, 0},  // 38
    {0.02495587, 4, 0, 0, 0.0, 0, 0, 0, 0, 0},  // 39
    {0.04296818, 4, 1, 2, 2.0, 0, 0, 0, 0, 0},  // 40
    {0.7465453, 4, 1, 2, 7.0, 0, 0, 0, 0, 0},  // 41
    {-0.2919613, 4, 1, 2, 9.0, 0, 1, 0, 0, 0},  // 42
    {7.294616, 4, 1, 4, 22.0, 0, 0, 0, 0, 0},  // 43
    {-9.936757, 4, 1, 4, 23.0, 0, 0, 0, 0, 0},  // 44
    {-0.005399808, 5, 0, 0, 1.0, 0, 0, 0, 0, 0},  // 45
    {-0.2432567, 5, 1, 2, 9.0, 0, 0, 0, 0, 0},  // 46
    {0.04987016, 5, 1, 2, 3.0, 0, 1, 0, 0, 0},  // 47
    {0.003733797, 5, 1, 4, 8.0, 0, 0, 0, 0, 0},  // 48
    {1.874951, 5, 1, 4, 23.0, 0, 1, 0, 0, 0},  // 49
    {0.002168144, 6, 0, 0, 1.5, 0, 0, 0, 0, 0},  // 50
    {-0.6587164, 6, 1, 2, 5.0, 1, 0, 0, 0, 0},  // 51
    {0.000205518, 7, 0, 0, -0.5, 0, 1, 0, 0, 0},  // 52
    {0.009776195, 7, 1, 2, 4.0, 0, 0, 0, 0, 0},  // 53
    {-0.02048708, 8, 1, 1, 7.0, 1, 0, 0, 0, 0},  // 54
    {0.01557322, 8, 1, 2, 3.0, 0, 0, 0, 0, 0},  // 55
    {0.006862415, 8, 1, 2, 0.0, 1, 0, 0, 0, 0},  // 56
    {-0.001226752, 9, 1, 2, 1.0, 0, 0, 0, 0, 0},  // 57
    {0.002850908, 9, 1, 2, 0.0, 0, 1, 0, 0, 0},  // 58
}};

// Pair parameters E*ij, Uij, Kij, G*ij, rows and columns in the vector order.
constexpr std::array<std::array<double, kComponentCount>, kComponentCount> kEij = {{
    {1.0, 1.0, 0.994635, 1.01953, 0.989844, 1.00235, 0.999268, 1.107274, 0.97164, 0.960644},  // methane
    {1.0, 1.0, 1.02256, 1.0, 1.01306, 1.0, 1.00532, 1.0, 0.97012, 0.925053},  // ethane
    {0.994635, 1.02256, 1.0, 1.0, 1.0049, 1.0, 1.0, 1.0, 0.945939, 0.960237},  // propane
    {1.01953, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.946914, 0.906849},  // i-butane
    {0.989844, 1.01306, 1.0049, 1.0, 1.0, 1.0, 1.0, 1.0, 0.973384, 0.897362},  // n-butane
    {1.00235, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.95934, 0.726255},  // i-pentane
    {0.999268, 1.00532, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.94552, 0.859764},  // n-pentane
    {1.107274, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.855134},  // n-hexane
    {0.97164, 0.97012, 0.945939, 0.946914, 0.973384, 0.95934, 0.94552, 1.0, 1.0, 1.02274},  // nitrogen
    {0.960644, 0.925053, 0.960237, 0.906849, 0.897362, 0.726255, 0.859764, 0.855134, 1.02274, 1.0},  // carbon dioxide
}};

constexpr std::array<std::array<double, kComponentCount>, kComponentCount> kUij = {{
    {1.0, 1.0, 0.990877, 1.0, 0.992291, 1.0, 1.00367, 1.302576, 0.886106, 0.963827},  // methane
    {1.0, 1.0, 1.065173, 1.25, 1.25, 1.25, 1.25, 1.0, 0.816431, 0.96987},  // ethane
    {0.990877, 1.065173, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.915502, 1.0},  // propane
    {1.0, 1.25, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // i-butane
    {0.992291, 1.25, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.993556, 1.0},  // n-butane
    {1.0, 1.25, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // i-pentane
    {1.00367, 1.25, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // n-pentane
    {1.302576, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.066638},  // n-hexane
    {0.886106, 0.816431, 0.915502, 1.0, 0.993556, 1.0, 1.0, 1.0, 1.0, 0.835058},  // nitrogen
    {0.963827, 0.96987, 1.0, 1.0, 1.0, 1.0, 1.0, 1.066638, 0.835058, 1.0},  // carbon dioxide
}};

constexpr std::array<std::array<double, kComponentCount>, kComponentCount> kKij = {{
    {1.0, 1.0, 1.007619, 1.0, 0.997596, 1.0, 1.002529, 0.982962, 1.00363, 0.995933},  // methane
    {1.0, 1.0, 0.986893, 1.0, 1.0, 1.0, 1.0, 1.0, 1.00796, 1.00851},  // ethane
    {1.007619, 0.986893, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // propane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // i-butane
    {0.997596, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // n-butane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // i-pentane
    {1.002529, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // n-pentane
    {0.982962, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.910183},  // n-hexane
    {1.00363, 1.00796, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.982361},  // nitrogen
    {0.995933, 1.00851, 1.0, 1.0, 1.0, 1.0, 1.0, 0.910183, 0.982361, 1.0},  // carbon dioxide
}};

constexpr std::array<std::array<double, kComponentCount>, kComponentCount> kGij = {{
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.807653},  // methane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.370296},  // ethane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // propane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // i-butane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // n-butane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // i-pentane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // n-pentane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},  // n-hexane
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.982746},  // nitrogen
    {0.807653, 0.370296, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.982746, 1.0},  // carbon dioxide
}};

constexpr std::array<aga8::BinaryParameters, kComponentCount * kComponentCount> kBinary = [] {
  std::array<aga8::BinaryParameters, kComponentCount * kComponentCount> table{};
  for (std::size_t i = 0; i < kComponentCount; ++i)
    for (std::size_t j = 0; j < kComponentCount; ++j)
      table[i * kComponentCount + j] = {kEij[i][j], kUij[i][j], kKij[i][j], kGij[i][j]};
  return table;
}();

constexpr aga8::Model kModel{kComponents, kHeatCapacity, kBinary, kTerms, kR};

// Components below the mole fraction 1e-6 are left out of the mixing sums and
// of the ideal-gas heat capacity.
constexpr aga8::Settings kSettings{
    .mixingCut = 1e-6, .heatCapacityCut = 1e-6, .tolerance = 1e-6, .maxNewtonSteps = 100};

constexpr double kTMin = 250, kTMax = 350;  // K
constexpr double kPMin = 0.1, kPMax = 25;   // MPa

struct Range {
  double lo;
  double hi;
};

bool inside(double v, Range r) { return v >= r.lo && v <= r.hi; }  // false for NaN

MethodFailure compositionCode(std::span<const double, kComponentCount> x) {
  MethodFailure code = 0;
  for (std::size_t i = 0; i < kCompositionLimits.size(); ++i) {
    if (!withinLimit(limitedContent(x, kCompositionLimits[i]), kCompositionLimits[i])) {
      code = static_cast<MethodFailure>(i + 1);
    }
  }
  return code;
}

}  // namespace

const aga8::Model& model() { return kModel; }

const aga8::Equation& equation() {
  static const aga8::Equation e(kModel);
  return e;
}

aga8::Evaluator evaluator() { return aga8::Evaluator(equation(), kSettings); }

std::optional<aga8::Properties> equationState(std::span<const double, kComponentCount> fractions,
                                              double T, double p) {
  return aga8::evaluate(equation(), fractions, T, p, kSettings);
}

State rgazState(std::span<const double, kComponentCount> x, double T, double p,
                bool standardCall) {
  aga8::Evaluator e = evaluator();
  return rgazState(e, x, T, p, standardCall);
}

State rgazState(aga8::Evaluator& evaluator, std::span<const double, kComponentCount> x, double T,
                double p, bool standardCall) {
  State s;
  if (standardCall) {
    s.code = compositionCode(x);
    if (s.code != 0) return s;
    if (std::isnan(T)) return {0, 0, 0, 0, kTemperatureOutOfRange};
    if (std::isnan(p)) return {0, 0, 0, 0, kPressureOutOfRange};
    T = std::clamp(T, kTMin, kTMax);
    p = std::clamp(p, kPMin, kPMax);
  } else {
    if (!inside(T, {kTMin, kTMax})) s.code = kTemperatureOutOfRange;
    if (!inside(p, {kPMin, kPMax})) s.code = kPressureOutOfRange;
    if (s.code != 0) return s;
  }

  // Contents to mole fractions; traces (and negative contents) become 1e-10.
  std::array<double, kComponentCount> f{};
  double sum = 0;
  for (std::size_t i = 0; i < kComponentCount; ++i) {
    f[i] = x[i] < 1e-7 ? 1e-10 : x[i] / 100;
    sum += f[i];
  }
  if (!(sum >= 0.997999 && sum <= 1.020001)) return {0, 0, 0, 0, kSumOutOfRange};

  const auto eos = evaluator.evaluate(f, T, p);
  if (!eos) return {0, 0, 0, 0, kNoDensity};
  s.rho = eos->density;
  s.Z = eos->Z;
  s.soundSpeed = eos->soundSpeed;
  s.methodError = methodError(T, p);
  return s;
}

}  // namespace rgaz

MethodFailure calcRGazprom(std::span<const double, 10> x, std::span<const double, 10> dx,
                           double T, double dT, double p, double dp, MethodOutputs& out,
                           const RestartProbe& restart) {
  using namespace rgaz;
  // One evaluator for every state of the call: the states of the entered
  // composition mix once.
  aga8::Evaluator eval = evaluator();
  // Standard conditions: 293.15 K, 101325 Pa.
  const State st = rgazState(eval, x, 293.15, 0.101325, true);
  if (st.code != 0) return st.code;
  out.rhoSt = st.rho;
  out.dRhoSt = st.methodError;
  const double Zst = st.Z;
  if (restartRequested(restart)) return 0;

  const State w = rgazState(eval, x, T, p, false);
  if (w.code != 0) return w.code;
  out.rho = w.rho;
  out.Z = w.Z;
  out.K = w.Z / Zst;
  out.soundSpeed = w.soundSpeed;

  // The error estimate: each input in turn times 0.9999; contents up to
  // 0.01 % are not perturbed.
  const perturbation::Constants c{.step = 0.9999,
                                  .smallestContent = 0.01,
                                  .negativeContentFloor = 1e-6,
                                  .nonFinite = {kTemperatureOutOfRange, kPressureOutOfRange, kSumOutOfRange}};
  const perturbation::BaseStates b{T, p, w.rho, w.Z, Zst, w.methodError, st.methodError};
  const auto state = [&eval](std::span<const double, kComponentCount> xs, double Ts, double ps) {
    return rgazState(eval, xs, Ts, ps, false);
  };
  return perturbation::estimateErrors(state, x, dx, b, {dT, dp}, c, restart, out);
}

}  // namespace velmar
