#pragma once
// Gas properties of a measuring point: the property record that outlives a
// calculation, the composition vectors that the composition grids fill, and
// the entries of every method module. The methods are pure functions of their
// arguments; the only outside thing a method may look at is the restart probe
// handed in by the dispatcher (it answers whether a newer input has arrived).
//
// Units at the entries: T in K; temperature, pressure and composition errors
// as relative errors in per cent; contents in mole per cent; densities in
// kg/m3. Each entry says whether it takes the pressure in Pa or in MPa.
#include <array>
#include <functional>
#include <optional>
#include <span>

namespace velmar {

// The one record of gas properties. A field that a calculation does not
// compute keeps the value of the previous calculation; Z is reset to 0 at the
// start of every call of the dispatcher.
struct GasPropertyResult {
  double rho = 0;         // density at working conditions, kg/m3
  double rhoSt = 0;       // density at standard conditions (293.15 K, 101325 Pa), kg/m3
  double K = 0;           // compressibility coefficient Z/Zс
  double Z = 0;           // compressibility factor at working conditions
  double soundSpeed = 0;  // m/s
  double kappa = 0;       // adiabatic exponent
  double mu = 0;          // dynamic viscosity, Pa·s
  double dRho = 0;        // relative error of rho, %
  double dRhoSt = 0;      // relative error of rhoSt, %
  double dK = 0;          // relative error of K, %
  double phi = 0;         // relative humidity at working conditions, fraction
  double phiSt = 0;       // relative humidity referred to standard conditions
  double pSat = 0;        // saturated water-vapour pressure at T, Pa
  double rhoSat = 0;      // saturated water-vapour density at T, kg/m3
  double pSatSt = 0;      // the same at 293.15 K
  double rhoSatSt = 0;
  double pAbs = 0;        // absolute pressure; for wet natural gas the dry-gas partial pressure, Pa
};

// Contents (mole %) and their relative errors (%) in a method's fixed order.
template <std::size_t N>
struct Composition {
  static constexpr std::size_t size = N;
  std::array<double, N> x{};
  std::array<double, N> dx{};
};

// One vector pair per composition method, filled by the composition grids.
// Element k of the documents (1-based) is index k-1 here.
struct CompositionVectors {
  Composition<12> vnic;   // GOST 30319.3: methane ... "н-Пентан и выше", "Прочие"
  Composition<10> rgaz;   // R Gazprom 5.3: methane ... nitrogen, carbon dioxide
  Composition<21> iso;    // GOST R 8.662: nitrogen, carbon dioxide, methane ... argon
  Composition<14> mr113;  // GSSSD MR 113-03: methane ... water (13), hydrogen sulphide (14)
  Composition<18> mr118;  // GSSSD MR 118-05
  Composition<16> mr135;  // GSSSD MR 135-07
};

// 0 for success, k >= 1 for the k-th text of the method's table
// (method_messages.h).
using MethodFailure = int;

// Answers true when the calculation must be abandoned because a newer input
// arrived. The dispatcher's probe first lets the window process pending
// events, so a method that looks at it between its evaluations keeps the
// window responsive. An empty probe never asks for a restart.
using RestartProbe = std::function<bool()>;

inline bool restartRequested(const RestartProbe& probe) { return probe && probe(); }

// What a method hands back. Each entry fills only the fields it computes (the
// list stands with the entry); the dispatcher copies exactly those fields.
struct MethodOutputs {
  double rho = 0;
  double dRho = 0;
  double rhoSt = 0;
  double dRhoSt = 0;
  double Z = 0;
  double K = 0;
  double dK = 0;
  double soundSpeed = 0;
  double kappa = 0;
  double mu = 0;
};

// --- GOST 30319.2-96 (incomplete composition) --------------------------------
// Inputs: T, δT, p in Pa, δp, ρс, xy (CO2, mol %), xa (N2, mol %), δρс, δxy, δxa.
// Outputs: rho, dRho, K, dK. No failure code: above 12 MPa nothing is
// computed (std::nullopt) and the caller keeps its values. std::nullopt also
// marks a state the equation cannot give (a negative pressure, T <= 0, and for
// GERG-91 mod. a hydrocarbon part lighter than methane at the higher
// temperatures, where B11 B33 < 0): for p <= 12 MPa it is a failure to report.
std::optional<MethodOutputs> calcGerg91(double T, double dT, double p, double dp, double rhoSt,
                                        double xy, double xa, double dRhoSt, double dxy,
                                        double dxa);  // k_gergf, GERG-91 mod.
std::optional<MethodOutputs> calcNx19(double T, double dT, double p, double dp, double rhoSt,
                                      double xy, double xa, double dRhoSt, double dxy,
                                      double dxa);  // k_nx19f, NX-19 mod.

// --- Natural gas of known composition; p in MPa -------------------------------
// GOST 30319.3-96, VNITs SMV (vnic30319). Outputs: rho, dRho, rhoSt, dRhoSt,
// kappa, mu, K (and dK, see the module). Codes 1..17.
MethodFailure calcVnic30319(std::span<const double, 12> x, std::span<const double, 12> dx,
                            double T, double dT, double p, double dp, MethodOutputs& out,
                            const RestartProbe& restart = {});
// R Gazprom 5.3-2009 (RGazprom2008). Outputs: rho, dRho, rhoSt, dRhoSt, Z, K,
// dK, soundSpeed. Codes 1..11.
MethodFailure calcRGazprom(std::span<const double, 10> x, std::span<const double, 10> dx,
                           double T, double dT, double p, double dp, MethodOutputs& out,
                           const RestartProbe& restart = {});
// GOST R 8.662-2009, AGA8-92DC (AGA). Outputs as calcRGazprom. Codes 1..20.
// The switches come from the error inputs of the main window: I = 0 when the
// temperature channel's first transducer (T1check) is ticked and TipIK is
// item 0, otherwise 1; P likewise with P1check.
struct AgaSwitches {
  int I = 1;
  int P = 1;
};
MethodFailure calcAga(std::span<const double, 21> x, std::span<const double, 21> dx, double T,
                      double dT, double p, double dp, MethodOutputs& out,
                      const RestartProbe& restart = {}, AgaSwitches switches = {});

// --- Gas mixtures and technical gases; p in MPa -------------------------------
// Outputs of all four: rho, dRho, rhoSt, dRhoSt, Z, K, dK. Codes 1..5.
// GSSSD MR 113-03 (MP_113_03); humidity: absolute humidity at working
// conditions, g/m3.
MethodFailure calcMr113(std::span<const double, 14> x, std::span<const double, 14> dx, double T,
                        double dT, double p, double dp, double humidity, MethodOutputs& out,
                        const RestartProbe& restart = {});
// GSSSD MR 118-05 (MP_118_05).
MethodFailure calcMr118(std::span<const double, 18> x, std::span<const double, 18> dx, double T,
                        double dT, double p, double dp, MethodOutputs& out,
                        const RestartProbe& restart = {});
// GSSSD MR 135-07 (MP_135_07).
MethodFailure calcMr135(std::span<const double, 16> x, std::span<const double, 16> dx, double T,
                        double dT, double p, double dp, MethodOutputs& out,
                        const RestartProbe& restart = {});
// GSSSD MR 134-07 (MP_134_07): gas 0 nitrogen, 1 acetylene, 2 oxygen,
// 3 carbon dioxide, 4 ammonia, 5 argon, 6 hydrogen.
MethodFailure calcMr134(int gas, double T, double dT, double p, double dp, MethodOutputs& out,
                        const RestartProbe& restart = {});

// --- Water vapour, viscosity, adiabatic exponent, air -------------------------
struct SaturatedVapour {
  double pSat = 0;    // Pa
  double rhoSat = 0;  // kg/m3
};
SaturatedVapour waterSaturation(double T);  // woda_unf

// GOST 30319.1-96; T in K, p in Pa, xa and xy in mol %, ρс in kg/m3.
double viscosityGost30319(double T, double p, double xa, double xy, double rhoSt);  // vazk, Pa·s
double kappaGost30319(double T, double p, double xa, double rhoSt);               // adiab

struct DensityWithError {
  double rho = 0;   // kg/m3
  double dRho = 0;  // %
};
// Density of a technical gas by a reduced equation of state; gas 1 is air,
// the only one asked for. T in K, p in Pa.
DensityWithError calcTechGas(int gas, double T, double dT, double p, double dp);

}  // namespace velmar
