// Temperature and pressure errors in the working-density error of the six
// methods that derive it from perturbed states (GOST R 8.662, R Gazprom 5.3,
// GSSSD MR 113-03, MR 118-05, MR 135-07, MR 134-07).
//
// The density is ρ = ρс·(p/pс)·(Tс/T)/K, so a pressure error of 1 % moves it
// by about 1 % and must show in the density error; so must a temperature
// error. The coefficients are measured here from the method's own state
// routine, independently of the entry: θp = |1 − ΔlnK/Δlnp| and
// θT = |1 + ΔlnK/ΔlnT| (K = Z/Zс, Zс fixed, so ΔlnK = ΔlnZ).
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "gasprops/AGA.h"
#include "gasprops/MP_113_03.h"
#include "gasprops/MP_118_05.h"
#include "gasprops/MP_134_07.h"
#include "gasprops/MP_135_07.h"
#include "gasprops/RGazprom2008.h"
#include "gasprops/gas_properties.h"

namespace velmar {
namespace {

struct StatePoint {
  double Z = 0;
  double dM = 0;  // method error of the density, %
  MethodFailure code = 0;
};

struct Case {
  std::string name;
  double T = 0;  // K
  double p = 0;  // MPa
  // The entry with the given temperature and pressure errors (%), all other
  // input errors 0.
  std::function<MethodFailure(double dT, double dp, MethodOutputs&)> entry;
  // The method's own state routine at (T, p), as the sensitivity evaluations
  // see it.
  std::function<StatePoint(double T, double p)> state;
};

std::array<double, 21> agaGas() {
  std::array<double, 21> x{};
  x[aga::kMethane] = 90;
  x[aga::kEthane] = 5;
  x[aga::kPropane] = 2;
  x[aga::kNitrogen] = 1.5;
  x[aga::kCarbonDioxide] = 1.5;
  return x;
}

constexpr std::array<double, 10> kRgazGas = {93.5, 3.0, 1.0, 0.2, 0.25, 0.05, 0.05, 0.03, 1.2, 0.72};
constexpr std::array<double, 14> kPetroleumGas = {80.05, 8,   5,   1.2, 1.8, 0.5, 0.5,
                                                  0.3,   0.1, 0.1, 1.5, 0.9, 0,   0.05};
constexpr double kHumidity = 0.5;  // g/m3
constexpr std::array<double, 18> kMr118Gas = {91.0, 4.5, 1.5, 0.35, 0.35, 1.3, 0.8, 0.08, 0.08,
                                              0.04, 0,   0,   0,    0,    0,   0,   0,    0};
constexpr std::array<double, 16> kMr135Gas = {91.0, 4.5,  1.5,  0.35, 0.35, 1.3, 0.8, 0.08,
                                              0.08, 0.04, 0,    0,    0,    0,   0,   0};
constexpr int kNitrogen134 = 0;
constexpr int kArgon134 = 5;

// Moderate states: well inside each method's range, Z within a few per cent
// of 1, so that the absolute-value forms of the coefficients stay close to
// the signed derivatives measured here.
std::vector<Case> cases() {
  std::vector<Case> c;
  c.push_back({"GOST R 8.662", 290, 1.5,
               [](double dT, double dp, MethodOutputs& o) {
                 return calcAga(agaGas(), std::array<double, 21>{}, 290, dT, 1.5, dp, o);
               },
               [](double T, double p) {
                 const aga::State s = aga::agaState(agaGas(), T, p, false);
                 return StatePoint{s.Z, s.methodError, s.code};
               }});
  c.push_back({"R Gazprom 5.3", 290, 1.5,
               [](double dT, double dp, MethodOutputs& o) {
                 return calcRGazprom(kRgazGas, std::array<double, 10>{}, 290, dT, 1.5, dp, o);
               },
               [](double T, double p) {
                 const rgaz::State s = rgaz::rgazState(kRgazGas, T, p, false);
                 return StatePoint{s.Z, s.methodError, s.code};
               }});
  c.push_back({"MR 113-03", 300, 1.0,
               [](double dT, double dp, MethodOutputs& o) {
                 return calcMr113(kPetroleumGas, std::array<double, 14>{}, 300, dT, 1.0, dp, kHumidity,
                                  o);
               },
               [](double T, double p) {
                 const Mr113State s = mr113State(kPetroleumGas, T, p, kHumidity, false);
                 return StatePoint{s.Z, s.dM, s.code};
               }});
  c.push_back({"MR 118-05", 293.15, 1.5,
               [](double dT, double dp, MethodOutputs& o) {
                 return calcMr118(kMr118Gas, std::array<double, 18>{}, 293.15, dT, 1.5, dp, o);
               },
               [](double T, double p) {
                 const mr118::State s = mr118::mr118State(kMr118Gas, T, p, false);
                 return StatePoint{s.Z, s.dM, s.code};
               }});
  c.push_back({"MR 135-07", 293.15, 1.5,
               [](double dT, double dp, MethodOutputs& o) {
                 return calcMr135(kMr135Gas, std::array<double, 16>{}, 293.15, dT, 1.5, dp, o);
               },
               [](double T, double p) {
                 const mr135::State s = mr135::mr135State(kMr135Gas, T, p, false);
                 return StatePoint{s.Z, s.dM, s.code};
               }});
  for (const auto& [gas, name, T, p] : {std::tuple{kNitrogen134, "MR 134-07 nitrogen", 300.0, 5.0},
                                        std::tuple{kArgon134, "MR 134-07 argon", 300.0, 2.0}}) {
    c.push_back({name, T, p,
                 [gas, T, p](double dT, double dp, MethodOutputs& o) {
                   return calcMr134(gas, T, dT, p, dp, o);
                 },
                 [gas](double Ti, double pi) {
                   const Mr134State s = mr134State(gas, Ti, pi);
                   return StatePoint{s.Z, s.dM, s.code};
                 }});
  }
  return c;
}

// ΔlnZ/Δln(v) from two evaluations of the state routine, at v·(1 ± h).
double logSlopeOfZ(const Case& c, bool ofPressure) {
  const double h = 5e-3;
  const StatePoint up = ofPressure ? c.state(c.T, c.p * (1 + h)) : c.state(c.T * (1 + h), c.p);
  const StatePoint down = ofPressure ? c.state(c.T, c.p * (1 - h)) : c.state(c.T * (1 - h), c.p);
  EXPECT_EQ(up.code, 0);
  EXPECT_EQ(down.code, 0);
  return (std::log(up.Z) - std::log(down.Z)) / (std::log1p(h) - std::log1p(-h));
}

// A pressure error of 1 % alone: the density error is the method error and
// the pressure term θp·1 % together. Were the direct effect of p added to the
// density's own change (which already holds it), θp would be about 0 and
// dRho would shrink to the method error. The 10 % band covers the difference
// between the absolute-value form 1 − |ΔlnK/Δlnp| of the method and the
// signed derivative measured here (2·|ΔlnK/Δlnp|, a few per cent at these
// states).
TEST(DensitySensitivity, PressureErrorReachesTheDensityError) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const StatePoint w = c.state(c.T, c.p);
    ASSERT_EQ(w.code, 0);
    const double theta = std::fabs(1 - logSlopeOfZ(c, true));
    const double expected = std::hypot(w.dM, theta * 1.0);
    MethodOutputs out;
    ASSERT_EQ(c.entry(0, 1.0, out), 0);
    EXPECT_NEAR(out.dRho, expected, 0.10 * expected);
    EXPECT_GT(out.dRho, 0.8) << "the pressure error is missing from the density error";
  }
}

// A temperature error of 1 % alone: θT = |1 + ΔlnK/ΔlnT|, near 1, not near 2
// (the direct effect counted once). Held within 15 %: the method's
// |ΔlnK/ΔlnT| + 1 differs from the signed form only by the small
// compressibility term.
TEST(DensitySensitivity, TemperatureErrorIsCountedOnce) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const StatePoint w = c.state(c.T, c.p);
    ASSERT_EQ(w.code, 0);
    const double theta = std::fabs(1 + logSlopeOfZ(c, false));
    const double expected = std::hypot(w.dM, theta * 1.0);
    MethodOutputs out;
    ASSERT_EQ(c.entry(1.0, 0, out), 0);
    EXPECT_NEAR(out.dRho, expected, 0.15 * expected);
    EXPECT_LT(out.dRho, 1.6) << "the direct effect of temperature is counted twice";
  }
}

// GOST R 8.662: the switches I and P act on K alone. With I = P = 0 (both
// first transducers ticked, channels with their primary transducers) the
// temperature and pressure parts of dK are those of the compressibility
// factor, |ΔlnZ/ΔlnT| and |ΔlnZ/Δlnp|; the switches add exactly the direct
// effect, 1, back. The density error is the same whatever the switches.
TEST(DensitySensitivity, GostR8662SwitchesActOnTheCompressibilityCoefficient) {
  const auto x = agaGas();
  const std::array<double, 21> none{};
  const double T = 280, p = 8;  // Z well off 1: the compressibility parts are sizeable
  const aga::State w = aga::agaState(x, T, p, true);
  ASSERT_EQ(w.code, 0);
  const aga::State st = aga::agaState(x, 293.15, 0.101325, true);
  const double dm = w.methodError;
  auto Z = [&](double Ti, double pi) { return aga::agaState(x, Ti, pi, false).Z; };
  const double h = 1e-4;
  const double sT = (std::log(Z(T * (1 + h), p)) - std::log(Z(T * (1 - h), p))) /
                    (std::log1p(h) - std::log1p(-h));
  const double sp = (std::log(Z(T, p * (1 + h))) - std::log(Z(T, p * (1 - h)))) /
                    (std::log1p(h) - std::log1p(-h));
  ASSERT_GT(std::fabs(sT), 0.05);
  ASSERT_GT(std::fabs(sp), 0.05);

  // Coefficient of one input from the K budget with only that input's error
  // (dT or dp of 1 %).
  auto coefficientK = [&](double dT, double dp, AgaSwitches sw) {
    MethodOutputs out;
    EXPECT_EQ(calcAga(x, none, T, dT, p, dp, out, {}, sw), 0);
    return std::sqrt(std::max(0.0, out.dK * out.dK - dm * dm - st.methodError * st.methodError));
  };
  const double thetaT0 = coefficientK(1, 0, {0, 0});
  const double thetaP0 = coefficientK(0, 1, {0, 0});
  // The entry's one-sided step of 1e-5 against the central slope: 1e-3.
  EXPECT_NEAR(thetaT0, std::fabs(sT), 1e-3 * std::fabs(sT));
  EXPECT_NEAR(thetaP0, std::fabs(sp), 1e-3 * std::fabs(sp));
  EXPECT_NEAR(coefficientK(1, 0, {1, 1}) - thetaT0, 1.0, 1e-9);
  EXPECT_NEAR(coefficientK(0, 1, {1, 1}) + thetaP0, 1.0, 1e-9);

  // The density: its own relative changes, |1 + ΔlnZ/ΔlnT| and
  // |1 − ΔlnZ/Δlnp|, for every setting of the switches.
  const double expected = std::sqrt(dm * dm + std::pow((1 + sT) * 0.3, 2) + std::pow((1 - sp) * 0.5, 2));
  for (AgaSwitches sw : {AgaSwitches{0, 0}, AgaSwitches{1, 1}, AgaSwitches{0, 1}}) {
    MethodOutputs out;
    ASSERT_EQ(calcAga(x, none, T, 0.3, p, 0.5, out, {}, sw), 0);
    EXPECT_NEAR(out.dRho, expected, 1e-3 * expected) << "I=" << sw.I << " P=" << sw.P;
  }
}

}  // namespace
}  // namespace velmar
