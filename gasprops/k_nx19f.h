#pragma once
// NX-19 mod. of GOST 30319.2-96: compressibility coefficient K = Z/Zс and
// density at working conditions of a natural gas known by its density at
// standard conditions and its nitrogen and carbon dioxide contents. The entry
// calcNx19 is declared in gas_properties.h; it shares the inputs, outputs and
// standard conditions of GERG-91 mod. (k_gergf.h).
#include <optional>

#include "gasprops/gas_properties.h"

namespace velmar {
namespace nx19 {

// The correction F of the reduced pressure term and the region it came
// from: 1 (0 <= τ <= 0.31), 2 (pa < 1.3, τ < 0), 3 (1.3 <= pa < 2, τ < 0),
// or 0 outside them, where no correction applies and F = 0.
struct Correction {
  int region = 0;
  double F = 0;
};
Correction correctionF(double pa, double tau);

// The terms of the cubic for Z at reduced pressure pa and temperature Ta.
struct CubicTerms {
  double A = 0, Bq = 0, I = 0, J = 0, Y = 0, N = 0;
  double denominator = 0;  // Bq + J/Y - Y
  double Z = 0;            // 0 when the cubic has no usable real root here
};
CubicTerms cubicTerms(double pa, double Ta, double F);

// One evaluated state with its reduced variables, K and the working density.
struct State {
  double Tpk = 0, ppk = 0;  // pseudo-critical temperature (K) and pressure (Pa)
  double pa = 0, Ta = 0, tau = 0;
  Correction correction;
  double Z = 0, Zc = 0, K = 0;
  double rho = 0;  // kg/m3
};

// p in Pa, T in K, ρс in kg/m3, xa (nitrogen) and xy (carbon dioxide) as
// mole fractions. std::nullopt for a state the equation cannot give (T <= 0,
// p < 0, ρс <= 0, non-positive pseudo-critical parameters, no real root,
// non-finite input).
std::optional<State> nx19K(double T, double p, double rhoSt, double xa, double xy);

// Z alone; 0 where nx19K gives no state.
double nx19Z(double T, double p, double rhoSt, double xa, double xy);

// Error of the method, %, by ρс (kg/m3) and p (Pa): 0.7 kg/m3 and 3 MPa
// belong to the upper band.
double methodError(double rhoSt, double pPa);

}  // namespace nx19
}  // namespace velmar
