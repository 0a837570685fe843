#pragma once
// GSSSD MR 118-05: compressibility and densities of moderately compressed gas
// mixtures of up to 18 components by a virial equation of state, the second
// and third virial coefficients following from Lennard-Jones potential
// parameters of the components (with an induction correction for the polar
// ammonia), at 200.15-400.15 K and 0.1-10 MPa.
#include <array>
#include <cstddef>
#include <span>

#include "gasprops/gas_properties.h"

namespace velmar::mr118 {

inline constexpr std::size_t kCount = 18;
inline constexpr std::size_t kAmmonia = 15;
inline constexpr std::size_t kHelium = 16;

struct Component {
  double M;      // molar mass, g/mol
  double Tc;     // critical temperature, K
  double rhoc;   // critical density, kg/m³
  double sigma;  // potential size, Å
  double epsK;   // potential depth eps/k, K
  double alpha;  // polarizability, Å³
};

// Methane, ethane, propane, n-butane, i-butane, nitrogen, carbon dioxide,
// n-pentane, i-pentane, n-hexane, hydrogen, oxygen, argon, carbon monoxide,
// ethylene, ammonia, helium, hydrogen sulphide.
inline constexpr std::array<Component, kCount> kComponents = {{
    {16.043, 190.66, 161.0, 3.816, 146.1, 2.6},
    {30.07, 305.33, 204.5, 4.736, 213.5, 4.47},
    {44.097, 369.85, 220.49, 5.497, 247.9, 6.29},
    {58.123, 425.16, 227.85, 6.229, 272.7, 8.12},
    {58.123, 407.85, 224.36, 5.983, 274.2, 8.14},
    {28.0135, 126.2, 313.1, 3.701, 95.04, 1.76},
    {44.01, 304.13, 467.8, 4.306, 202.8, 2.65},
    {72.15, 469.65, 232.0, 7.766, 248.4, 9.95},
    {72.15, 460.39, 236.0, 7.062, 272.4, 9.95},
    {86.177, 507.85, 233.6, 9.868, 224.0, 11.78},
    {2.0159, 33.2, 30.1, 2.929, 28.41, 0.79},
    {31.9988, 154.58, 436.2, 3.44, 118.2, 1.6},
    {39.948, 150.68, 530.91, 3.39, 118.1, 1.63},
    {28.01, 132.85, 303.91, 3.722, 99.63, 1.95},
    {28.0536, 282.35, 214.2, 4.541, 197.9, 4.26},
    {17.03026, 405.5, 235.0, 2.5967, 320.36, 0},
    {4.0026, 5.19, 69.64, 2.602, 9.079, 0.216},
    {34.08, 373.4, 347.616, 4.986, 204.7, 3.78},
}};

inline constexpr double kB0 = 1.26127;  // (2/3)·π·N_A, cm³/(mol·Å³)
inline constexpr double kR = 8.31448;   // J/(mol·K)
// Induction of a dipole in a non-polar partner by ammonia.
inline constexpr double kPolar = 0.892;

// Reduced virial coefficients B*(T*) and C*(T*): sum of b_m·T*^(-m/2),
// m = 0…12; the ammonia pair and the ammonia triple have their own series.
inline constexpr std::array<double, 13> kBStar = {
    0.19129341,  4.45396014, -22.8177643, 70.7814941, -179.577182, 316.714612, -386.119398,
    315.979935, -165.493582, 49.9632494,  -6.61458679, 0,          0};
inline constexpr std::array<double, 13> kBStarAmmonia = {
    0, 113.409095, -207.732403, 0, 0, 225.573997, 0, -245.472417, 104.784995, 0, 0, 0, 0};
inline constexpr std::array<double, 13> kCStar = {
    0,          1.7286212,  -3.20420448, 1.62636927, 0.712159625, 0,          0,
    15.3428449, -59.308623, 104.192326,  -101.175434, 52.2988484, -11.7832889};
inline constexpr std::array<double, 13> kCStarAmmonia = {
    0, -121.677869, 154.344625, 0, 0, 0, 0, 0, 0, 0, 0, 0, -19.3125581};

// Value of a reduced series at T*.
double reducedVirial(const std::array<double, 13>& coef, double Tstar);

// Method error of the density, %, by the reduced temperature T/Tcm and the
// pressure (MPa); the bands above Tr 1.7 are wider for a mixture carrying
// more than 1 % of ammonia or helium.
double methodError(double Tr, double p, bool ammoniaOrHelium);

// Virial coefficients of a mixture of the given mole fractions: B in
// cm³/mol, C in cm⁶/mol².
struct Virial {
  double B = 0;
  double C = 0;
};
Virial mr118Virial(std::span<const double, kCount> y, double T);

struct State {
  double rho = 0;  // kg/m³
  double Z = 0;
  double dM = 0;   // method error, %
  MethodFailure code = 0;
};

// One state from contents in mol %. Strict evaluation tests the pressure
// (code 1) and the temperature (code 3); otherwise both are clamped into the
// range. Then the sum of contents (code 4) and the density against half the
// pseudo-critical density (code 2).
State mr118State(std::span<const double, kCount> x, double T, double p, bool strict);

}  // namespace velmar::mr118
