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
#include <array>
#include <cstddef>
#include <optional>
#include <span>

namespace velmar::aga8 {

inline constexpr std::size_t kTermCount = 58;
// Terms n = 1..18 form the second virial coefficient B; terms n = 13..58
// carry the density dependence through the coefficients C*n.
inline constexpr std::size_t kVirialTermCount = 18;
inline constexpr std::size_t kFirstDensityTerm = 12;  // n = 13, zero-based

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

// Evaluates the equation for the mole fractions x (in the model's component
// order) at T in K and p in MPa. Gives no value when the density cannot be
// found within the step limit, or when the state has no physical meaning
// (non-positive or non-finite T, p, mixture parameters, density, Z or speed
// of sound). The fractions are used as they are: no normalisation, no check
// of their sum.
std::optional<Properties> evaluate(const Model& model, std::span<const double> x, double T,
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
