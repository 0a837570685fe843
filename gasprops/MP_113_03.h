#pragma once
// GSSSD MR 113-03: compressibility factor and densities of a wet petroleum gas
// (13 dry components and water vapour, 263-500 K, 0.1-15 MPa) by an extended
// corresponding-states model on the Setzmann-Wagner reference equation of
// methane. The entry calcMr113 is declared in gas_properties.h; the routines
// below are the module's own steps, open to the tests.
#include <array>
#include <span>

#include "gasprops/gas_properties.h"

namespace velmar {

inline constexpr int kMr113Components = 14;
inline constexpr int kMr113Water = 12;  // index of water in the composition vector

struct Mr113Component {
  double M;         // molar mass, g/mol
  double Tc;        // critical temperature, K
  double rhoc;      // critical density, kg/m3
  double acentric;  // acentric factor
};
// Methane, ethane, propane, i-butane, n-butane, i-pentane, n-pentane, hexane,
// heptane, oxygen, nitrogen, carbon dioxide, water, hydrogen sulphide.
std::span<const Mr113Component, kMr113Components> mr113Components();

// Binary factors of the critical volume and temperature; 1 for a pair not
// listed and on the diagonal.
struct Mr113PairFactor {
  int i;
  int j;
  double kV;
  double kT;
};
std::span<const Mr113PairFactor> mr113PairFactors();

// Shape-parameter coefficients a_k,j (k = 1..6) of each component.
std::span<const std::array<double, 6>, kMr113Components> mr113ShapeCoefficients();

// One term of the reference equation. Terms 1-36: n delta^d tau^t
// exp(gamma delta^c); terms 37-40: n delta^d tau^t exp(-alpha (delta -
// epsilon)^2 - beta (tau - gammaG)^2).
struct Mr113ReferenceTerm {
  double n;
  int d;
  double t;
  int c;
  double gamma;
  double alpha;
  double beta;
  double gammaG;
  double epsilon;
};
std::span<const Mr113ReferenceTerm, 40> mr113ReferenceTerms();
inline constexpr double kMr113R = 8.31451;  // J/(mol K)

// Saturated water-vapour pressure at T (K), MPa: over ice below 273.16 K,
// over water above (IAPWS form). 0 for T <= 0; the critical pressure at and
// above the critical temperature.
double waterVapourPressure113(double T);

// S0 = Z - 1 and S1 = d(omega Z)/d(omega) - 1 of the mixture at reduced
// density omega and reduced temperature Tr, for shape parameters theta1..6.
struct Mr113ReferenceSums {
  double S0 = 0;
  double S1 = 0;
};
Mr113ReferenceSums mr113Reference(const std::array<double, 6>& theta, double omega, double Tr);

struct Mr113State {
  double rho = 0;            // kg/m3
  double Z = 0;
  double dM = 0;             // method error of the density, %
  double waterFraction = 0;  // mole fraction of water vapour in the wet gas
  MethodFailure code = 0;
};

// One state: contents x (mol %; element 13, water, is 0 on input: the water
// fraction follows from the humidity), T in K, p in MPa, W the absolute
// humidity at these conditions, g/m3 (W <= 0 counts as 1e-5 g/m3). Strict: T
// out of 263-500 K gives code 3, p out of 0.1-15 MPa code 1, a sum of contents
// off 100 % by more than 0.02 code 4, a negative content code 2; non-strict
// (the sensitivity evaluations) clamps T and p into those ranges and checks
// nothing. A humidity that would mean more water than gas, or an iteration that
// does not settle within its cap, gives code 2.
Mr113State mr113State(std::span<const double, kMr113Components> x, double T, double p, double W,
                      bool strict);

// The same state for a given mole fraction of water vapour (no humidity loop):
// the wet gas of a working state referred to other conditions.
Mr113State mr113StateAtWaterFraction(std::span<const double, kMr113Components> x, double T, double p,
                                     double waterFraction, bool strict);

inline constexpr int kMr113NewtonCap = 200;    // steps of the density iteration
inline constexpr int kMr113HumidityCap = 200;  // steps of the water-fraction iteration

}  // namespace velmar
