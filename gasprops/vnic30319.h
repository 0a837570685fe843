#pragma once
// VNITs SMV equation of state, GOST 30319.3-96 (unit vnic30319): properties
// of a natural gas of known composition — compressibility factors at standard
// and working conditions, K, both densities, the adiabatic exponent, the
// dynamic viscosity and the relative errors of the densities.
//
// The entry calcVnic30319 is declared in gas_properties.h; the routines below
// are its working parts, open to the tests. Coefficient tables are data taken
// from the verified table gost30319_3_vnic.json (three misprinted powers of
// ten of the published table corrected: a1,6, b3,6 and the θ^10 term of the
// methane heat capacity).
#include <array>
#include <cstddef>
#include <span>

#include "gasprops/gas_properties.h"

namespace velmar::vnic {

// ---------------------------------------------------------------------------
// Composition layout
// ---------------------------------------------------------------------------
// The 12 contents of the composition vector, mole %.
enum Element : std::size_t {
  kMethane = 0,
  kEthane = 1,
  kPropane = 2,
  kNButane = 3,
  kIButane = 4,
  kNitrogen = 5,
  kCarbonDioxide = 6,
  kHydrogenSulphide = 7,
  kAcetyleneEthylene = 8,  // lumped into ethane
  kPropylene = 9,          // lumped into propane
  kPentanePlus = 10,       // n-pentane and higher, lumped into n-butane
  kOthers = 11,            // "Прочие", lumped into nitrogen
};
inline constexpr std::size_t kElements = 12;
inline constexpr std::size_t kBase = 8;  // methane ... hydrogen sulphide

using BaseFractions = std::array<double, kBase>;

// ---------------------------------------------------------------------------
// Constants and coefficient tables
// ---------------------------------------------------------------------------
inline constexpr double kR = 8.31451;            // J/(mol K)
inline constexpr double kRMPa = 0.00831451;      // the same with pressures in MPa
inline constexpr double kTStd = 293.15;          // K
inline constexpr double kPStd = 0.101325;        // MPa
inline constexpr double kRTStd = 2437.3986065;   // kR·kTStd as the method writes it

// Component data of the eight base components.
inline constexpr BaseFractions kMolarMass = {16.043, 30.07, 44.097, 58.123,
                                             58.123, 28.0135, 44.01, 34.082};  // kg/kmol
inline constexpr BaseFractions kCriticalDensity = {163.03, 205.53, 218.54, 226.69,
                                                   225.64, 315.36, 466.74, 349.37};  // kg/m3
inline constexpr BaseFractions kAcentric = {0.0006467, 0.1103, 0.1764, 0.2213,
                                            0.2162,    0.04185, 0.2203, 0.042686};
inline constexpr BaseFractions kCriticalTemperature = {190.67, 305.57, 369.96, 425.4,
                                                       407.96, 125.65, 304.11, 373.18};  // K

using PairTable = std::array<std::array<double, kBase>, kBase>;

// Binary parameters of the critical temperature (kij) and of the critical
// volume (Lij); symmetric, zero diagonal. Order: CH4 C2H6 C3H8 nC4 iC4 N2 CO2 H2S.
inline constexpr PairTable kPairK = {{
    {0, 0.036, 0.076, 0.121, 0.129, 0.06, 0.074, 0.089},
    {0.036, 0, 0, 0, 0, 0.106, 0.093, 0.079},
    {0.076, 0, 0, 0, 0, 0, 0, 0},
    {0.121, 0, 0, 0, 0, 0, 0, 0},
    {0.129, 0, 0, 0, 0, 0, 0, 0},
    {0.06, 0.106, 0, 0, 0, 0, 0.022, 0.211},
    {0.074, 0.093, 0, 0, 0, 0.022, 0, 0.089},
    {0.089, 0.079, 0, 0, 0, 0.211, 0.089, 0},
}};
inline constexpr PairTable kPairL = {{
    {0, -0.074, -0.146, -0.258, -0.222, -0.023, -0.086, 0},
    {-0.074, 0, 0, 0, 0, 0, 0, 0},
    {-0.146, 0, 0, 0, 0, 0, 0, 0},
    {-0.258, 0, 0, 0, 0, 0, 0, 0},
    {-0.222, 0, 0, 0, 0, 0, 0, 0},
    {-0.023, 0, 0, 0, 0, 0, -0.064, 0},
    {-0.086, 0, 0, 0, 0, -0.064, 0, -0.062},
    {0, 0, 0, 0, 0, 0, -0.062, 0},
}};

// Equation of state Z = 1 + Σk Σl (akl + bkl·Ω)·ω^k/τ^l, k = 1..10,
// l = 0..rk; row k-1 holds l = 0..rk, the rest of a row is unused.
inline constexpr std::size_t kEosRows = 10;
inline constexpr std::array<int, kEosRows> kEosLastL = {7, 6, 6, 5, 5, 4, 3, 3, 3, 2};
using EosTable = std::array<std::array<double, 8>, kEosRows>;
inline constexpr EosTable kA = {{
    {0.6087766, -1.832916, 1.317145, -2.837908, 2.606878, -1.15575, 0.09060572, 0.04507142},
    {-0.4596885, 4.175759, -10.73657, 15.34274, -11.06722, 3.601316, -0.5151915},
    {1.14934, -9.404549, 23.95808, -27.71885, 12.79987, -0.7326041, 0.07622076},
    {-0.607501, 10.62713, -31.47929, 35.11413, -12.11554, -1.151685},
    {-0.894094, -3.080591, 18.42846, -23.485, 7.580666, 0.5403439},
    {1.144404, -2.122525, -4.092685, 7.767802, -1.894086},
    {-0.34579, 1.781466, -0.1906595, -1.677977},
    {-0.1235682, -0.4303578, 0.4015072, 0.3157961},
    {0.1098875, -0.04963321, -0.1016264, 0.004008579},
    {-0.0219306, 0.0347496, -0.009129047},
}};
inline constexpr EosTable kB = {{
    {-0.718779, 6.057018, -12.95347, 15.71955, -13.75957, 6.466081, -0.9775244, -0.2298833},
    {10.67179, -79.47685, 220.839, -302.0599, 205.541, -57.3922, 2.612338},
    {-25.7687, 216.7887, -586.4596, 684.5968, -325.2751, 36.94793, -0.4059629},
    {17.13395, -244.732, 744.4021, -828.1484, 284.6518, 20.77675},
    {16.17303, 78.04753, -447.0704, 560.0892, -180.8168, -12.56783},
    {-24.38953, 48.70601, 99.6537, -185.9581, 46.05637},
    {7.156029, -41.92715, 5.136013, 39.91057},
    {3.350294, 10.00706, -9.5769, -7.567516},
    {-2.806204, 1.237872, 2.41965, -0.1062596},
    {0.5728541, -0.8610273, 0.2275036},
}};

// Ideal-gas heat capacity of a base component:
// cp0/R = Σ(n=0..) A[n]·θ^n + Σ(m=1..) B[m-1]·θ^(-m), θ = T/divisor.
struct HeatCapacitySet {
  double divisor;  // K
  std::size_t nA;
  std::array<double, 11> A;
  std::size_t nB;
  std::array<double, 6> B;
};
inline constexpr std::array<HeatCapacitySet, kBase> kHeatCapacity = {{
    {100, 11,
     {146.696186, -65.6744186, 20.2698132, -4.20931845, 0.606743008, -0.0612623969,
      0.00430969226, -0.000206597572, 6.4261581e-06, -1.1680563e-07, 9.4095893e-10},
     6, {-209.233731, 206.925203, -135.704831, 56.4368924, -13.4496111, 1.39664152}},
    {100, 7,
     {68.120976, -30.634058, 9.5275029, -1.6947102, 0.17630585, -0.0099545402, 0.0002353643},
     5, {-87.407084, 78.481374, -44.865859, 14.654346, -2.0518393}},
    {100, 7,
     {-92.09726737, 30.70930782, -4.924017995, 0.5045358836, -0.03140446759, 0.001076680079,
      -1.556890669e-05},
     4, {174.867128, -175.6054503, 88.74920732, -17.20610207}},
    {100, 7,
     {-209.6096482, 68.77783535, -12.28650555, 1.413691547, -0.1002920638, 0.003985571861,
      -6.78646087e-05},
     5, {405.527285, -445.7015773, 274.366735, -86.43867287, 10.70428636}},
    {300, 6,
     {-38.71419306, 47.11104578, -17.58225423, 4.183494309, -0.5520042474, 0.03034658409},
     2, {21.7160145, -4.4926032}},
    {100, 7, {11.3129, -2.1596, 0.352761, -0.0321705, 0.0016769, -4.67965e-05, 5.42603e-07},
     6, {-17.4654, 24.6205, -21.7731, 11.6418, -3.42122, 0.422296}},
    {300, 7,
     {-0.9508041394, 7.008743711, -3.50580167, 1.096778, -0.2016835088, 0.01971024237,
      -0.0007860765734},
     4, {1.087462263, -0.07976765747, -0.002837014896, 0.0001479612229}},
    {100, 6, {3.91355, -0.0684851, 0.0564424, -0.00483745, 0.000171782, -2.27537e-06},
     5, {0.0, 0.0, 1.18658, -1.90747, 0.82852}},
}};

// Most Newton steps the density iteration may take. Inside the method's range
// it settles in well under 30 steps.
inline constexpr int kNewtonCap = 100;

// Code returned when the equation yields no gas state: the density iteration
// did not settle within kNewtonCap steps (from the method's dense start value
// the reflected Newton step can cycle for ever) or met a non-finite value, or
// a mixing sum is unusable. The table has no text for this case. It arises
// with rich or sour gases at low temperatures (below about 280 K at 1-5 MPa),
// and it is the temperature that leads out of it, so the temperature-range
// text "Допустимый диапазон температуры от 250 до 350 К" is given.
inline constexpr MethodFailure kNoStateCode = 2;

// ---------------------------------------------------------------------------
// Routines
// ---------------------------------------------------------------------------

// Pseudo-critical parameters of a mixture of the eight base components.
struct PseudoCritical {
  double Omega = 0;  // acentric factor of the mixture
  double T = 0;      // Tпк, K
  double rho = 0;    // ρпк, kmol/m3
  double p = 0;      // pпк, MPa
};
PseudoCritical pseudoCritical(const BaseFractions& y);

// Ideal-gas heat capacity of the mixture, J/(mol K).
double idealHeatCapacity(const BaseFractions& y, double T);

// One state of the equation for the lumped base composition y.
struct CoreState {
  PseudoCritical pc;
  double Z = 0;
  double kappa = 0;
  double muStar = 0;    // reduced viscosity μ*
  double xiPrime = 0;   // ξ′ = Tпк^(1/6)/pпк^(2/3)
  double rhoMolar = 0;  // converged molar density, kmol/m3
  int steps = 0;        // Newton steps taken
};
// T in K (> 0), p in MPa (>= 0). Returns 0 or kNoStateCode.
MethodFailure vnicCore(const BaseFractions& y, double T, double p, CoreState& out);

enum class Mode {
  Strict,     // the result: range and composition checks with their codes
  Perturbed,  // the error evaluations: T and p clamped into range, no checks
};

struct State {
  double rho = 0;    // kg/m3
  double rhoSt = 0;  // kg/m3
  double K = 0;
  double Z = 0;
  double Zc = 0;     // Z at 293.15 K, 0.101325 MPa
  double M = 0;      // molar mass, kg/kmol
  double kappa = 0;
  double mu = 0;     // Pa·s
  double others = 0; // the "Прочие" fraction lumped into nitrogen
  BaseFractions y{}; // lumped base fractions
  CoreState working;
};

// One evaluation of the method: x in mole %, T in K, p in MPa. In strict mode
// returns codes 1..17 in the order of the method's checks; in both modes
// kNoStateCode when the equation gives no state. `others` (fraction), when
// given, replaces the remainder that perturbed mode would otherwise take from
// x: the error evaluations pass the remainder of the strict evaluation so that
// the perturbed gas is the working gas but for the one perturbed input.
MethodFailure vnicState(std::span<const double, kElements> x, double T, double p, Mode mode,
                        State& out, const double* others = nullptr);

// Method error of the standard density, %: ρс in kg/m3, hydrogen sulphide in mole %.
double standardDensityError(double rhoSt, double hydrogenSulphide);
// Method error of the working density, %: T in K, p in MPa.
double workingDensityError(double T, double p);

// Relative sensitivities of the working density to the inputs: θT and θp
// from K with the ideal-gas parts (+1 for T, 1 − … for p), θ of each base
// component from K alone. A component that is not perturbed keeps θ = 1.
struct Sensitivities {
  double thetaT = 1;
  double thetaP = 1;
  BaseFractions thetaX{1, 1, 1, 1, 1, 1, 1, 1};
  double tPerturbed = 0;  // the temperature the T evaluation was made at, K
  int evaluations = 0;    // perturbed evaluations made
  bool abandoned = false; // the restart probe asked to stop
};

// The error evaluations around the working state `work` = vnicState(x, T, p,
// strict). Returns 0 (also when abandoned) or the code of a failed evaluation.
MethodFailure vnicSensitivities(std::span<const double, kElements> x, double T, double p,
                                const State& work, Sensitivities& out,
                                const RestartProbe& restart = {});

}  // namespace velmar::vnic
