#pragma once
// GSSSD MR 134-07: density, compressibility factor and compressibility
// coefficient of seven pure technical gases (nitrogen, acetylene, oxygen,
// carbon dioxide, ammonia, argon, hydrogen) at 200-425 K and up to 10 MPa.
// The entry calcMr134 is declared in gas_properties.h; the routines below are
// the module's own steps, open to the tests.
#include <array>
#include <span>
#include <string_view>

#include "gasprops/gas_properties.h"

namespace velmar {

inline constexpr int kMr134GasCount = 7;

// Polynomial equation Z = 1 + sum_i sum_j b[i-1][j] omega^i / tau^j; row i-1
// holds j = 0 .. lastJ[i-1], the rest of a row is zero.
struct Mr134Polynomial {
  int rows = 0;
  std::array<int, 10> lastJ{};
  std::array<std::array<double, 8>, 10> b{};
};

// One term n omega^d tau^-t exp(-gamma omega^l) of the exponential equation.
struct Mr134ExpTerm {
  double n;
  int d;
  double t;
  int l;
  double gamma;
};

struct Mr134Gas {
  std::string_view name;  // as the medium list shows it
  double Tc;              // K
  double pc;              // MPa
  double rhoc;            // kg/m3
  double Zc;              // relates omega and pi: omega Z = pi Zc / tau
  double dMLow;           // method error of the density at p <= 5 MPa, %
  double dMHigh;          // the same above 5 MPa
  const Mr134Polynomial* polynomial;  // null for the exponential form
  std::span<const Mr134ExpTerm> terms;
};

// Gas 0 nitrogen, 1 acetylene, 2 oxygen, 3 carbon dioxide, 4 ammonia,
// 5 argon, 6 hydrogen. The index must be in 0..6.
const Mr134Gas& mr134Gas(int gas);

// Z and D = d(omega Z)/d(omega) at reduced density omega and reduced
// temperature tau.
struct Mr134ZD {
  double Z = 0;
  double D = 0;
};
Mr134ZD mr134Z(int gas, double omega, double tau);

// Reduced saturation pressure ps/pc at T (tau = T/Tc); 0 for the gases
// without a saturation line in the method (nitrogen, oxygen, argon, hydrogen).
double mr134Saturation(int gas, double T, double tau);

enum class Mr134Solver { None, Newton, Bisection };

struct Mr134State {
  double rho = 0;  // kg/m3
  double Z = 0;
  double dM = 0;   // method error of the density, %
  MethodFailure code = 0;
  Mr134Solver solver = Mr134Solver::None;
};

// One state of one gas: T in K, p in MPa. Codes: 3 or 5 temperature out of
// range (5 for carbon dioxide), 1 pressure above 10 MPa, 4 liquid acetylene or
// carbon dioxide, 2 no density found (pressure not positive, no convergence).
Mr134State mr134State(int gas, double T, double p);

// Iteration caps: a Newton solution that has not settled after this many steps
// and a bisection that has not closed after this many halvings give code 2.
inline constexpr int kMr134NewtonCap = 200;
inline constexpr int kMr134BisectionCap = 200;

}  // namespace velmar
