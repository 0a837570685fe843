#pragma once
// The AGA8-92DC detailed-characterization equation of state (AGA Report
// No. 8, ISO 12213-2, GOST R 8.662-2009): the mixing rules, the reduced
// density at a given pressure and temperature by Newton's method, the
// compressibility factor, the density and the speed of sound with the
// ideal-gas heat capacity of ISO 20765-1.
//
// No coefficient lives here: each method that uses the equation hands in its
// own component tables, pair tables, term coefficients, gas constant and
// thresholds, so that every method keeps its own data and its own rules.
//
// The work is split by what it depends on. What the tables alone fix (the
// pair factors of the second virial coefficient and of the size and energy
// sums, the grouping of the density terms) is computed once per method in an
// `Equation`. What a composition fixes (the mixing sums) and what a
// temperature fixes (its powers, the components' ideal-gas heat capacities)
// is kept by an `Evaluator`, which a caller holds for a run of evaluations:
// states that differ only in temperature or pressure mix once.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace velmar::aga8 {

inline constexpr std::size_t kTermCount = 58;
// Terms n = 1..18 form the second virial coefficient B; terms n = 13..58
// carry the density dependence through the coefficients C*n.
inline constexpr std::size_t kVirialTermCount = 18;
inline constexpr std::size_t kFirstDensityTerm = 12;  // n = 13, zero-based
// Most components a method may have (GOST R 8.662 has 21).
inline constexpr std::size_t kMaxComponents = 21;

// One term of the equation: a_n, b_n, c_n, k_n, u_n and the flags
// g_n, q_n, f_n, s_n, w_n.
struct Term {
  double a;
  int b;
  int c;
  int k;
  double u;
  int g;
  int q;
  int f;
  int s;
  int w;
};

// Characterization parameters of one component.
struct Component {
  double M;  // molar mass, g/mol
  double E;  // energy parameter E_i/k, K
  double K;  // size parameter, (m3/kmol)^(1/3)
  double G;  // orientation
  double Q;  // quadrupole
  double F;  // high-temperature
  double S;  // dipole
  double W;  // association
};

// Ideal-gas isobaric heat capacity of one component:
// cp0/R = B + C·((D/T)/sinh(D/T))² + E·((F/T)/cosh(F/T))²
//           + G·((H/T)/sinh(H/T))² + I·((J/T)/cosh(J/T))².
struct HeatCapacity {
  double B;
  double C;
  double D;
  double E;
  double F;
  double G;
  double H;
  double I;
  double J;
};

// Binary interaction parameters of one pair: E*ij, Uij, Kij, G*ij.
struct BinaryParameters {
  double E;
  double U;
  double K;
  double G;
};

// A method's tables, viewed by the evaluation. `binary` is the full N x N
// table, row-major, in the method's component order.
struct Model {
  std::span<const Component> components;
  std::span<const HeatCapacity> heatCapacity;
  std::span<const BinaryParameters> binary;
  std::span<const Term, kTermCount> terms;
  double R;  // J/(mol·K)
};

// The method's own rules for one evaluation.
struct Settings {
  // A component whose mole fraction is below this is left out of the mixing
  // sums (molar mass included); 0 takes every component in.
  double mixingCut = 0;
  // A component whose mole fraction is below this is left out of the
  // ideal-gas heat capacity.
  double heatCapacityCut = 0;
  // Newton iteration on the reduced density: stop when |ΔD/D| <= tolerance
  // against the new D; give up after maxNewtonSteps steps.
  double tolerance = 1e-6;
  int maxNewtonSteps = 100;
};

// The state found by one evaluation.
struct Properties {
  double reducedDensity = 0;  // D = K³·ρm
  double molarDensity = 0;    // mol/dm3
  double density = 0;         // kg/m3
  double molarMass = 0;       // g/mol
  double Z = 0;
  double soundSpeed = 0;  // m/s
  int newtonSteps = 0;
};

// Powers v^u for a fixed list of exponents u. Exponents that are multiples
// of 1/2 (all of the equation's) come from integer powers of v, built by
// halving the exponent, times √v for the half; any other goes to pow.
class HalfPowers {
 public:
  HalfPowers() = default;
  explicit HalfPowers(std::span<const double> exponents);
  // out[n] = v^u_n, v > 0.
  void of(double v, std::span<double> out) const;

 private:
  static constexpr int kMaxWhole = 32;  // |u| up to 32 from the table
  std::vector<double> u_;
  std::vector<int> twice_;  // 2·u_n, or kNone for pow
  int up_ = 0;              // highest whole power needed
  int down_ = 0;            // lowest, negated
};

// A method's equation with what depends on its tables alone computed once.
// Built once per method (a static const of the method's module) and shared
// read-only by every evaluation.
class Equation {
 public:
  // The model's spans must outlive the equation (the methods pass constexpr
  // tables). A model of more than kMaxComponents components, with tables of
  // unequal sizes or with density exponents above 15 is refused with
  // std::invalid_argument.
  explicit Equation(const Model& model);

  const Model& model() const { return model_; }
  std::size_t size() const { return model_.components.size(); }

  // Lanes of the pair factors, one row per pair i <= j:
  // lanes 0..17: w·(Ki·Kj)^1.5·Eij^un·B*nij of the second virial
  //   coefficient (w = 1 on the diagonal, 2 off it);
  // kSizeLane:   w·(Kij⁵ − 1)·(Ki·Kj)^2.5, the pair part of K⁵;
  // kEnergyLane: w·(Uij⁵ − 1)·(Ei·Ej)^2.5, the pair part of U⁵;
  // kOrientationLane: w·(G*ij − 1)·(Gi + Gj)/2, the pair part of G.
  static constexpr std::size_t kSizeLane = kVirialTermCount;
  static constexpr std::size_t kEnergyLane = kVirialTermCount + 1;
  static constexpr std::size_t kOrientationLane = kVirialTermCount + 2;
  static constexpr std::size_t kLanes = 22;  // the last one is padding
  using Lanes = std::array<double, kLanes>;
  const Lanes& pair(std::size_t i, std::size_t j) const { return pairs_[rowStart_[i] + j - i]; }
  // Pairs (i, i..N-1) are contiguous from pair(i, i) on.
  std::span<const Lanes> row(std::size_t i) const {
    return std::span<const Lanes>(pairs_).subspan(rowStart_[i], size() - i);
  }

  // Ki^2.5 and Ei^2.5 of each component.
  double k25(std::size_t i) const { return k25_[i]; }
  double e25(std::size_t i) const { return e25_[i]; }

  // The density terms n >= 13 fall into groups of equal (b, c, k): their
  // density dependence D^b·exp(−c·D^k) is the same, so the Newton sums run
  // over the groups with the coefficients of a group added up.
  struct Group {
    int b;
    int c;
    int k;  // 0 where c = 0
    // The same as numbers for the sums: b, b − 1, c·k and c·k².
    double bReal;
    double bMinus1;
    double ck;
    double ck2;
  };
  std::span<const Group> groups() const { return groups_; }
  std::size_t groupOf(std::size_t term) const { return groupOf_[term]; }
  int highestDensityPower() const { return highestPower_; }  // of b and k
  // Highest k of the groups with c = 1, whose exp(−D^k) the sums share.
  int highestExponentialPower() const { return highestExponential_; }

  const HalfPowers& termPowers() const { return termPowers_; }  // v^u_n, n = 1..58

 private:
  Model model_;
  std::vector<std::size_t> rowStart_;
  std::vector<Lanes> pairs_;
  std::array<double, kMaxComponents> k25_{};
  std::array<double, kMaxComponents> e25_{};
  std::vector<Group> groups_;
  std::array<std::size_t, kTermCount> groupOf_{};
  int highestPower_ = 0;
  int highestExponential_ = 0;
  HalfPowers termPowers_;
};

// Evaluates an equation for a run of states, keeping the mixing sums of the
// last composition and the temperature terms of the last few temperatures.
// A composition counts as the same only when every mole fraction is equal
// (==) to the last one's; a temperature only when it is equal. A composition
// that is the last one mixed in full, scaled, with a few contents changed
// (a content step of the error estimate) has its quadratic sums formed as a
// low-rank change of that one's. A value held by one caller: it refers to
// the equation, which must outlive it.
class Evaluator {
 public:
  Evaluator(const Equation& equation, const Settings& settings);

  // Evaluates the equation for the mole fractions x (in the model's
  // component order) at T in K and p in MPa. Gives no value when the density
  // cannot be found within the step limit, or when the state has no physical
  // meaning (non-positive or non-finite T, p, mixture parameters, density, Z
  // or speed of sound). The fractions are used as they are: no
  // normalisation, no check of their sum.
  std::optional<Properties> evaluate(std::span<const double> x, double T, double p);

  // How often the mixing sums were formed anew, and how many of those
  // were low-rank changes of a kept composition's sums (for the tests).
  int mixings() const { return mixings_; }
  int lowRankMixings() const { return lowRankMixings_; }

  // The composition-dependent parts of the equation.
  struct Mixture {
    double K3 = 0;  // K³, (m3/kmol)
    double M = 0;   // g/mol
    std::array<double, kVirialTermCount> virial{};  // Σi Σj xi xj Eij^un (KiKj)^1.5 B*nij
    std::array<double, kTermCount> cStar{};         // C*n without T^-un (n >= 13)
  };
  // The temperature-dependent parts, for one temperature.
  struct Temperature {
    double T = 0;
    std::array<double, kTermCount> power{};             // T^-un
    std::array<double, kMaxComponents> heatCapacity{};  // cp0/R of each component
  };

 private:
  using Fractions = std::array<double, kMaxComponents>;
  bool mixNew(std::span<const double> x);
  void quadraticSums(const Fractions& e, Equation::Lanes& total) const;
  bool lowRankSums(const Fractions& e, Equation::Lanes& total);
  const Temperature& temperature(double T);

  const Equation* equation_;
  Settings settings_;
  // The last composition and its sums (mixOk_ false: no usable mixture).
  Fractions x_{};
  bool mixed_ = false;
  bool mixOk_ = false;
  Mixture mixture_;
  int mixings_ = 0;
  int lowRankMixings_ = 0;
  // The last composition whose quadratic sums were formed in full: its
  // fractions as mixed (0 for a component left out), the sums, and, once a
  // low-rank change asks for them, the rows A·e of every lane.
  bool hasBase_ = false;
  bool baseRowsReady_ = false;
  Fractions baseE_{};
  Equation::Lanes baseTotal_{};
  std::array<Equation::Lanes, kMaxComponents> baseRows_{};
  std::array<std::size_t, 3> baseLargest_{};  // the three largest fractions
  std::size_t baseCount_ = 0;
  // The last temperatures, in a ring.
  static constexpr std::size_t kTemperatures = 4;
  std::array<Temperature, kTemperatures> temperatures_{};
  std::size_t temperatureCount_ = 0;
  std::size_t nextTemperature_ = 0;
};

// One evaluation without a kept evaluator.
std::optional<Properties> evaluate(const Equation& equation, std::span<const double> x, double T,
                                   double p, const Settings& settings);

// The full symmetric pair table of an N-component method, built from the
// pairs that differ from 1 (every other pair and the diagonal keep 1).
struct PairEntry {
  std::size_t i;
  std::size_t j;
  BinaryParameters value;
};

template <std::size_t N, std::size_t P>
constexpr std::array<BinaryParameters, N * N> pairTable(const std::array<PairEntry, P>& pairs) {
  std::array<BinaryParameters, N * N> table{};
  for (auto& cell : table) cell = {1.0, 1.0, 1.0, 1.0};
  for (const auto& pair : pairs) {
    table[pair.i * N + pair.j] = pair.value;
    table[pair.j * N + pair.i] = pair.value;
  }
  return table;
}

}  // namespace velmar::aga8
