#pragma once
// GERG-91 mod. of GOST 30319.2-96: compressibility coefficient K = Z/Zс and
// density at working conditions of a natural gas known by its density at
// standard conditions and its nitrogen and carbon dioxide contents. The entry
// calcGerg91 is declared in gas_properties.h; the routines below are the
// pieces the entry is built from.
#include <array>
#include <optional>

#include "gasprops/gas_properties.h"

namespace velmar {

// Standard conditions of GOST 30319: Tс in K and pс in MPa. NX-19 mod. and
// GOST 30319.3 refer their densities to the same two values.
inline constexpr double kStandardTemperatureK = 293.15;
inline constexpr double kStandardPressureMPa = 0.101325;

namespace gerg91 {

// c0 + c1*T + c2*T^2, T in K.
struct TempPolynomial {
  double c0, c1, c2;
  constexpr double at(double T) const { return c0 + (c1 + c2 * T) * T; }
};

// Virial-coefficient polynomials of the equation. B11 = bH0 + bH1*H + bH2*H^2
// and C111 = cH0 + cH1*H + cH2*H^2, H the molar heat of combustion of the
// equivalent hydrocarbon; 2 is nitrogen, 3 carbon dioxide. B in m3/kmol,
// C in (m3/kmol)^2.
struct VirialTable {
  TempPolynomial bH0, bH1, bH2, B22, B23, B33;
  TempPolynomial cH0, cH1, cH2, C222, C223, C233, C333;
};
const VirialTable& virialTable();

// One evaluated state: the intermediate quantities of the equation and the
// two results.
struct State {
  double Zc = 0;   // compressibility factor at standard conditions
  double Me = 0;   // molar mass of the equivalent hydrocarbon, kg/kmol
  double H = 0;    // molar heat of combustion of the equivalent hydrocarbon, MJ/kmol
  double Z = 0;    // compressibility factor at working conditions
  double K = 0;    // Z/Zc
  double rho = 0;  // density at working conditions, kg/m3
};

// Compressibility factor at working conditions. xa (nitrogen) and xy (carbon
// dioxide) as mole fractions, p in MPa, T in K. Returns 0 above 12 MPa and for
// a state the virial equation cannot give (non-positive or non-finite root,
// negative B11*B33).
double gergZ(double H, double xa, double xy, double p, double T);

// K and the working density. p in MPa, ρс in kg/m3, xa and xy as fractions.
// std::nullopt when the state cannot be computed (p < 0 or p > 12 MPa, T <= 0,
// xa + xy >= 1, a non-finite input, gergZ gives no root).
std::optional<State> gergK(double T, double p, double rhoSt, double xa, double xy);

// Error of the method, %, by ρс (kg/m3) and p (MPa); each band edge belongs
// to the lower band.
double methodError(double rhoSt, double pMPa);

}  // namespace gerg91
}  // namespace velmar
