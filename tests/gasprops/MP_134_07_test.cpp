// GSSSD MR 134-07, technical gases: coefficient tables against the verified
// data, the telling states of the method, the failure codes, the method errors
// and the accuracy against the reference equations of state.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "gasprops/MP_134_07.h"
#include "gasprops/method_messages.h"
#include "json_reader.h"
#include "test_support.h"

namespace velmar {
namespace {

using testing::Json;

constexpr int kN2 = 0, kC2H2 = 1, kO2 = 2, kCO2 = 3, kNH3 = 4, kAr = 5, kH2 = 6;
const char* const kKeys[kMr134GasCount] = {"nitrogen", "acetylene",  "oxygen",  "carbon_dioxide",
                                           "ammonia",  "argon",      "hydrogen"};

const Json& tables() {
  static const Json j = testing::readReferenceJson("mr134_07_tables.json");
  return j;
}

const Json& gasJson(int gas) { return tables()["gases"][static_cast<std::size_t>(gas)]; }

MethodFailure calc(int gas, double T, double p, MethodOutputs& out, double dT = 0, double dp = 0) {
  return calcMr134(gas, T, dT, p, dp, out);
}

// --- tables -------------------------------------------------------------------

TEST(Mr134Tables, ConstantsAndMethodErrorsMatchTheVerifiedData) {
  ASSERT_EQ(tables()["gases"].size(), static_cast<std::size_t>(kMr134GasCount));
  for (int gas = 0; gas < kMr134GasCount; ++gas) {
    SCOPED_TRACE(kKeys[gas]);
    const Json& j = gasJson(gas);
    const Mr134Gas& g = mr134Gas(gas);
    EXPECT_EQ(j["index"].number(), gas);
    EXPECT_EQ(j["key"].string(), kKeys[gas]);
    EXPECT_EQ(j["name"].string(), std::string(g.name));
    const Json& c = j["constants"];
    EXPECT_EQ(c["Tc_K"].number(), g.Tc);
    EXPECT_EQ(c["pc_MPa"].number(), g.pc);
    EXPECT_EQ(c["rhoc_kg_m3"].number(), g.rhoc);
    EXPECT_EQ(c["Zc"].number(), g.Zc);
    const Json& e = j["method_error_percent"];
    if (e.isNumber()) {
      EXPECT_EQ(e.number(), g.dMLow);
      EXPECT_EQ(e.number(), g.dMHigh);
    } else {
      char text[64];
      std::snprintf(text, sizeof text, "%g at p<=5 MPa, %g above", g.dMLow, g.dMHigh);
      EXPECT_EQ(e.string(), text);
    }
    EXPECT_EQ(j["form"].string(), g.polynomial != nullptr ? "polynomial" : "exponential");
  }
}

TEST(Mr134Tables, PolynomialRowsMatchTheVerifiedData) {
  for (int gas : {kN2, kC2H2, kO2, kCO2, kNH3}) {
    SCOPED_TRACE(kKeys[gas]);
    const Json& j = gasJson(gas);
    const Mr134Polynomial& poly = *mr134Gas(gas).polynomial;
    ASSERT_EQ(j["I"].number(), poly.rows);
    ASSERT_EQ(j["b"].size(), static_cast<std::size_t>(poly.rows));
    for (std::size_t i = 0; i < poly.b.size(); ++i) {
      const bool used = i < static_cast<std::size_t>(poly.rows);
      const std::size_t len = used ? j["b"][i].size() : 0;
      if (used) {
        EXPECT_EQ(j["J"][i].number(), poly.lastJ[i]) << "row " << i + 1;
        ASSERT_EQ(len, static_cast<std::size_t>(poly.lastJ[i] + 1)) << "row " << i + 1;
      }
      for (std::size_t k = 0; k < poly.b[i].size(); ++k) {
        const double expected = k < len ? j["b"][i][k].number() : 0.0;
        EXPECT_EQ(poly.b[i][k], expected) << "b" << i + 1 << "," << k;
      }
    }
  }
  // The acetylene equation has no j = 2 and 3 columns.
  for (const auto& row : mr134Gas(kC2H2).polynomial->b) {
    EXPECT_EQ(row[2], 0.0);
    EXPECT_EQ(row[3], 0.0);
  }
}

TEST(Mr134Tables, ExponentialTermsMatchTheVerifiedData) {
  for (int gas : {kAr, kH2}) {
    SCOPED_TRACE(kKeys[gas]);
    const Json& j = gasJson(gas);
    const auto terms = mr134Gas(gas).terms;
    ASSERT_EQ(j["K"].number(), static_cast<double>(terms.size()));
    for (std::size_t k = 0; k < terms.size(); ++k) {
      EXPECT_EQ(terms[k].n, j["n"][k].number()) << "term " << k + 1;
      EXPECT_EQ(terms[k].d, j["d"][k].number()) << "term " << k + 1;
      EXPECT_EQ(terms[k].t, j["t"][k].number()) << "term " << k + 1;
      EXPECT_EQ(terms[k].l, j["l"][k].number()) << "term " << k + 1;
      EXPECT_EQ(terms[k].gamma, j["gamma"][k].number()) << "term " << k + 1;
    }
  }
}

// D must be d(omega Z)/d(omega) of the same Z: a wrong derivative slows or
// derails the Newton iteration without showing in converged densities.
TEST(Mr134Equation, DerivativeIsThatOfOmegaZ) {
  for (int gas = 0; gas < kMr134GasCount; ++gas) {
    for (double tau : {0.7, 1.0, 1.6, 3.0}) {
      for (double omega : {0.01, 0.3, 1.0, 2.2}) {
        const double h = 1e-6 * omega;
        const double up = (omega + h) * mr134Z(gas, omega + h, tau).Z;
        const double down = (omega - h) * mr134Z(gas, omega - h, tau).Z;
        const double numeric = (up - down) / (2 * h);
        EXPECT_NEAR(mr134Z(gas, omega, tau).D, numeric, 1e-6 * std::fabs(numeric) + 1e-8)
            << kKeys[gas] << " tau " << tau << " omega " << omega;
      }
    }
    EXPECT_DOUBLE_EQ(mr134Z(gas, 0, 1.5).Z, 1.0) << "ideal-gas limit, " << kKeys[gas];
  }
}

// The saturation lines against independent vapour pressures: at the critical
// temperature they end near the critical pressure, and at 293.15 K they give
// the known vapour pressures of ammonia (0.8574 MPa, Tillner-Roth et al.) and
// carbon dioxide (5.729 MPa, Span-Wagner) within 1 %.
TEST(Mr134Equation, SaturationLines) {
  for (int gas : {kC2H2, kCO2, kNH3}) {
    const Mr134Gas& g = mr134Gas(gas);
    EXPECT_NEAR(mr134Saturation(gas, g.Tc, 1.0), 1.0, 0.01) << kKeys[gas];
  }
  const auto ps = [](int gas, double T) {
    const Mr134Gas& g = mr134Gas(gas);
    return mr134Saturation(gas, T, T / g.Tc) * g.pc;
  };
  EXPECT_NEAR(ps(kNH3, 293.15), 0.8574, 0.01 * 0.8574);
  EXPECT_NEAR(ps(kCO2, 293.15), 5.729, 0.01 * 5.729);
  for (int gas : {kN2, kO2, kAr, kH2}) EXPECT_EQ(mr134Saturation(gas, 300, 2), 0.0) << kKeys[gas];
}

// --- telling states ---------------------------------------------------------------

// Standard densities: the values published with GSSSD MR 134-07, and our values
// from the verified data to 1e-9. The printed values come from the official
// tables; five of them are ours to the last printed digit. Nitrogen (1.16485)
// and carbon dioxide (1.83941) round one unit lower: for nitrogen the printed
// Zс 0.99971 against our 0.99976 accounts for it, for carbon dioxide the
// Span-Wagner equation itself gives 1.83934. Those two are held within one
// unit of the last printed digit.
TEST(Mr134States, StandardDensitiesOfAllSevenGases) {
  struct Row {
    int gas;
    double printed;
    double tolerance;
  };
  const Row rows[] = {{kN2, 1.1649, 1e-4},  {kC2H2, 1.0897, 5e-5}, {kO2, 1.3312, 5e-5},
                      {kCO2, 1.8395, 1e-4}, {kNH3, 0.7160, 5e-5},  {kAr, 1.6618, 5e-5},
                      {kH2, 0.08375, 5e-6}};
  for (const Row& r : rows) {
    SCOPED_TRACE(kKeys[r.gas]);
    MethodOutputs out;
    ASSERT_EQ(calc(r.gas, 300, 1, out), 0);
    EXPECT_NEAR(out.rhoSt, r.printed, r.tolerance);
    const Json& cv = gasJson(r.gas)["check_values"]["standard_293.15K_0.101325MPa"];
    EXPECT_NEAR(out.rhoSt, cv["rhoSt"].number(), 1e-9 * out.rhoSt);
    EXPECT_EQ(out.dRhoSt, cv["dRhoSt"].number());
    // Zс: the check values took Z one Newton step before the density found.
    EXPECT_NEAR(mr134State(r.gas, 293.15, 0.101325).Z, cv["ZSt"].number(), 1e-7);
  }
}

// The printed Zс of nitrogen, 0.99971, comes from the official table, which we
// do not have; our table gives 0.99976, and so does the reference equation of
// Span et al. (its density 1.16483 kg/m3). We hold our verified value.
TEST(Mr134States, NitrogenStandardCompressibilityIsThatOfOurTable) {
  const Json& cv = gasJson(kN2)["check_values"]["standard_293.15K_0.101325MPa"];
  const double Zst = mr134State(kN2, 293.15, 0.101325).Z;
  EXPECT_NEAR(Zst, 0.99976, 5e-6);
  EXPECT_NEAR(Zst, cv["ZSt"].number(), 1e-7);
  EXPECT_NEAR(mr134State(kN2, 293.15, 0.101325).rho, cv["reference_EOS_rho"].number(), 2e-4 * 1.1648);
}

// The liquid root. Z is taken at the density found: the verified check value
// of Z was taken one Newton step earlier, which on the liquid branch moves Z by
// 3e-7 here and by 0.5 % at 200 K / 3 MPa (see the reference grid test).
TEST(Mr134States, AmmoniaAboveItsSaturationPressureIsLiquid) {
  MethodOutputs out;
  ASSERT_EQ(calc(kNH3, 293.15, 1.0, out), 0);
  EXPECT_NEAR(out.rho, 610.6, 0.05);
  const Json& cv = gasJson(kNH3)["check_values"]["liquid_293.15K_1MPa"];
  EXPECT_NEAR(out.rho, cv["rho"].number(), 1e-8 * out.rho);
  EXPECT_NEAR(out.Z, cv["Z"].number(), 1e-6 * out.Z);
  // Z agrees with the density: omega Z = pi Zc / tau.
  const Mr134Gas& g = mr134Gas(kNH3);
  EXPECT_NEAR(out.rho / g.rhoc * out.Z, 1.0 / g.pc * g.Zc / (293.15 / g.Tc), 1e-9);
  // Just below the saturation pressure the same temperature gives the vapour.
  ASSERT_EQ(calc(kNH3, 293.15, 0.8, out), 0);
  EXPECT_LT(out.rho, 10.0);
}

TEST(Mr134States, LiquidAcetyleneIsRefused) {
  MethodOutputs out;
  EXPECT_EQ(calc(kC2H2, 293.15, 5.0, out), 4);
  EXPECT_EQ(kMr134Messages[3], "При заданных параметрах невозможно рассчитать свойства среды");
  EXPECT_EQ(calc(kC2H2, 293.15, 4.0, out), 0);  // vapour below ps = 4.38 MPa
}

// Carbon dioxide at 305 K and 7.4 MPa lies in the near-critical window and is
// solved by bisection. GSSSD MR 134-07 publishes 326.6 kg/m3 from the
// official table; our table gives 321.15 kg/m3 and the Span-Wagner equation
// 321.08 kg/m3, so we hold our verified value and the reference within the
// method error (0.5 % above 5 MPa).
TEST(Mr134States, CarbonDioxideNearTheCriticalPointByBisection) {
  const Mr134State s = mr134State(kCO2, 305, 7.4);
  ASSERT_EQ(s.code, 0);
  EXPECT_EQ(s.solver, Mr134Solver::Bisection);
  const Json& cv = gasJson(kCO2)["check_values"]["nearcritical_305K_7.4MPa"];
  EXPECT_NEAR(s.rho, cv["rho"].number(), 1e-6 * s.rho);
  EXPECT_NEAR(s.Z, cv["Z"].number(), 1e-6);
  EXPECT_NEAR(s.rho, cv["reference_EOS_rho"].number(), 0.005 * s.rho);
  EXPECT_EQ(s.dM, 0.5);
}

// Bisection inside the window and Newton outside it solve the same equation:
// the bisection root satisfies omega Z = pi Zc / tau, and across the edge of
// the window the density does not jump (it changes by about 1 % per 0.02 % of
// temperature here, so the two sides are taken 2e-7 apart in tau).
TEST(Mr134States, BisectionAndNewtonAgreeAtTheWindowEdge) {
  for (int gas : {kC2H2, kCO2}) {
    const Mr134Gas& g = mr134Gas(gas);
    for (double pi : {0.97, 1.0, 1.03}) {
      SCOPED_TRACE(std::string(kKeys[gas]) + " pi " + std::to_string(pi));
      const double p = pi * g.pc;
      const Mr134State in = mr134State(gas, 1.0099999 * g.Tc, p);
      const Mr134State out = mr134State(gas, 1.0100001 * g.Tc, p);
      ASSERT_EQ(in.code, 0);
      ASSERT_EQ(out.code, 0);
      EXPECT_EQ(in.solver, Mr134Solver::Bisection);
      EXPECT_EQ(out.solver, Mr134Solver::Newton);
      EXPECT_NEAR(in.rho, out.rho, 1e-4 * in.rho);
      const double omega = in.rho / g.rhoc;
      EXPECT_NEAR(omega * in.Z, pi * g.Zc / 1.0099999, 1e-5);
    }
  }
}

// --- codes ------------------------------------------------------------------------

TEST(Mr134Codes, RangesAndTheirOrder) {
  MethodOutputs out;
  EXPECT_EQ(calc(kCO2, 215, 1, out), 5);
  EXPECT_EQ(calc(kCO2, 219.99, 1, out), 5);
  EXPECT_EQ(calc(kCO2, 220, 0.5, out), 0);
  EXPECT_EQ(calc(kN2, 430, 1, out), 3);
  EXPECT_EQ(calc(kN2, 199.9, 1, out), 3);
  EXPECT_EQ(calc(kN2, 200, 1, out), 0);
  EXPECT_EQ(calc(kC2H2, 215, 0.1, out), 0);  // 200 K is the limit of the other gases
  EXPECT_EQ(calc(kC2H2, 215, 1, out), 4);    // above its vapour pressure there
  for (int gas = 0; gas < kMr134GasCount; ++gas) {
    EXPECT_EQ(calc(gas, 300, 10.5, out), 1) << kKeys[gas];
    EXPECT_EQ(gasJson(gas)["check_values"]["10.5MPa_code"].number(), 1);
  }
  // Temperature is tested before pressure, pressure before the phase.
  EXPECT_EQ(calc(kCO2, 215, 10.5, out), 5);
  EXPECT_EQ(calc(kN2, 430, 10.5, out), 3);
  EXPECT_EQ(calc(kC2H2, 250, 10.5, out), 1);
  // Codes stay within the method's table of five texts.
  EXPECT_EQ(kMr134Messages.size(), 5u);
}

// A working state inside the range may still fail: the sensitivity
// evaluations at 1.01 T and 1.01 p must be inside it as well.
TEST(Mr134Codes, PerturbedEvaluationsFailAboveTheirShareOfTheRange) {
  for (int gas = 0; gas < kMr134GasCount; ++gas) {
    SCOPED_TRACE(kKeys[gas]);
    MethodOutputs out;
    const MethodFailure expected = gas == kCO2 ? 5 : 3;
    EXPECT_EQ(mr134State(gas, 421, 1).code, 0);
    EXPECT_EQ(calc(gas, 421, 1, out), expected);
    EXPECT_EQ(gasJson(gas)["check_values"]["421K_perturbed_code"].number(), expected);
    EXPECT_EQ(calc(gas, 420.7, 1, out), 0);
    EXPECT_EQ(mr134State(gas, 400, 9.95).code, 0);
    EXPECT_EQ(calc(gas, 400, 9.95, out), 1);
    EXPECT_EQ(calc(gas, 400, 9.9, out), 0);
  }
}

// Outcomes the method's own ranges do not cover: no pressure, a gas index
// outside the list, values that are not numbers.
TEST(Mr134Codes, InputsWithoutADensityGetCode2) {
  MethodOutputs out;
  EXPECT_EQ(calc(kN2, 300, 0.0, out), 2);
  EXPECT_EQ(calc(kN2, 300, -1.0, out), 2);
  EXPECT_EQ(calc(-1, 300, 1, out), 2);
  EXPECT_EQ(calc(kMr134GasCount, 300, 1, out), 2);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(calc(kN2, nan, 1, out), 3);
  EXPECT_EQ(calc(kCO2, nan, 1, out), 5);
  EXPECT_EQ(calc(kN2, 300, nan, out), 1);
}

// --- errors -------------------------------------------------------------------------

TEST(Mr134Errors, WithoutInputErrorsTheErrorIsTheMethodError) {
  struct Row {
    int gas;
    double p;
    double dM;
  };
  const Row rows[] = {{kN2, 5, 0.02},  {kC2H2, 4.9, 0.5}, {kC2H2, 5.1, 1.3}, {kO2, 5, 0.1},
                      {kCO2, 5.0, 0.2}, {kCO2, 5.1, 0.5}, {kNH3, 5, 0.1},   {kAr, 5, 0.03},
                      {kH2, 5, 0.2}};
  for (const Row& r : rows) {
    MethodOutputs out;
    ASSERT_EQ(calc(r.gas, 350, r.p, out), 0) << kKeys[r.gas];
    EXPECT_DOUBLE_EQ(out.dRho, r.dM) << kKeys[r.gas] << " " << r.p;
    EXPECT_DOUBLE_EQ(out.dK, r.dM) << kKeys[r.gas] << " " << r.p;
    EXPECT_EQ(out.dRhoSt, mr134Gas(r.gas).dMLow);
  }
  MethodOutputs out;
  ASSERT_EQ(calc(kN2, 300, 5, out), 0);
  const Json& cv = gasJson(kN2)["check_values"]["300K_5MPa_dT0_dp0"];
  EXPECT_NEAR(out.rho, cv["rho"].number(), 1e-9 * out.rho);
  EXPECT_EQ(out.dRho, cv["dRho"].number());
}

// Hydrogen at 400 K and 0.1 MPa is nearly ideal: its density falls as 1/T
// and rises as p, and K hardly moves. The sensitivity coefficients of the
// method then come out as theta_T = theta_p = 1 for the density and K alike
// (to 1e-3: the small slopes of Z enter the density's coefficients with their
// sign and those of K with their magnitude):
// the pressure error is not cancelled in the density error, and each error
// enters with its own coefficient (dT and dp differ).
TEST(Mr134Errors, SensitivitiesOfANearlyIdealGas) {
  MethodOutputs out;
  const double dT = 0.3;
  const double dp = 0.5;
  ASSERT_EQ(calc(kH2, 400, 0.1, out, dT, dp), 0);
  const double dM = 0.2;
  const double expected = std::sqrt(dM * dM + dT * dT + dp * dp);
  EXPECT_NEAR(out.dRho, expected, 1e-3);
  EXPECT_NEAR(out.dK, expected, 1e-3);
  EXPECT_NEAR(out.K, 1.0, 2e-4);
  // The pressure error alone: Z of hydrogen rises by about 6e-4 per unit of
  // ln p here, so theta_p = 1 - 6e-4; 1e-3 of the error is held.
  MethodOutputs onlyP;
  ASSERT_EQ(calc(kH2, 400, 0.1, onlyP, 0, dp), 0);
  EXPECT_NEAR(onlyP.dRho, std::hypot(dM, dp), 1e-3 * std::hypot(dM, dp));
}

// --- accuracy -------------------------------------------------------------------------

// Every state of the reference grid (reference equations of state of each gas,
// see the provenance in mr134_07_tables.json) within the method error of the
// gas at that pressure; the liquid states of acetylene and carbon dioxide get
// code 4. Left out, with the reason:
//   acetylene 200 K / 0.101325 MPa: +0.79 % against a method error of 0.5 %;
//   there the method's own first row (its second virial coefficient, -488
//   against -355 cm3/mol of the reference) decides the density, not the fit.
TEST(Mr134Accuracy, ReferenceGridWithinTheMethodError) {
  const auto rows = testing::readReferenceCsv("mr134_reference.csv");
  ASSERT_EQ(rows.size(), 235u);
  int compared = 0;
  int refused = 0;
  for (const auto& row : rows) {
    const std::string key = row.text("gas");
    int gas = -1;
    for (int g = 0; g < kMr134GasCount; ++g) {
      if (key == kKeys[g]) gas = g;
    }
    ASSERT_GE(gas, 0) << key;
    const double T = row.number("T_K");
    const double p = row.number("p_MPa");
    SCOPED_TRACE(key + " " + row.text("T_K") + " K " + row.text("p_MPa") + " MPa");
    if (gas == kC2H2 && T == 200.0 && p == 0.101325) continue;
    const Mr134State s = mr134State(gas, T, p);
    if ((gas == kC2H2 || gas == kCO2) && row.text("phase") == "liquid") {
      EXPECT_EQ(s.code, 4);
      ++refused;
      continue;
    }
    ASSERT_EQ(s.code, 0);
    const double rhoRef = row.number("rho_kg_m3");
    EXPECT_NEAR(s.rho, rhoRef, s.dM / 100 * rhoRef);
    EXPECT_NEAR(s.Z, row.number("Z"), s.dM / 100 * row.number("Z"));
    ++compared;
  }
  EXPECT_EQ(compared, 214);
  EXPECT_EQ(refused, 20);
}

// --- robustness --------------------------------------------------------------------

// Random states in and far around the range, and wild values: every call
// ends with a code of the method's table or with finite, positive results.
TEST(Mr134Robustness, EveryCallEndsWithACodeOrFiniteResults) {
  std::mt19937_64 rng(134);
  std::uniform_real_distribution<double> uT(150, 500);
  std::uniform_real_distribution<double> up(-0.5, 11);
  std::uniform_real_distribution<double> uErr(0, 2);
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double wildT[] = {0, -273, 1e-300, 1e300, inf, -inf, nan, 200, 425};
  const double wildP[] = {0, -1, 1e-300, 5e-324, 1e300, inf, -inf, nan, 10};
  int ok = 0;
  auto check = [&](int gas, double T, double p, double dT, double dp) {
    MethodOutputs out;
    const MethodFailure code = calcMr134(gas, T, dT, p, dp, out);
    ASSERT_GE(code, 0);
    ASSERT_LE(code, 5);
    if (code == 0) {
      ++ok;
      for (double v : {out.rho, out.rhoSt, out.Z, out.K, out.dRho, out.dRhoSt, out.dK}) {
        ASSERT_TRUE(std::isfinite(v)) << "gas " << gas << " T " << T << " p " << p;
      }
      ASSERT_GT(out.rho, 0);
      ASSERT_GT(out.Z, 0);
    }
  };
  for (int gas = 0; gas < kMr134GasCount; ++gas) {
    for (int k = 0; k < 3000; ++k) check(gas, uT(rng), up(rng), uErr(rng), uErr(rng));
    for (double T : wildT) {
      for (double p : wildP) check(gas, T, p, 0.1, 0.1);
    }
  }
  EXPECT_GT(ok, 7 * 1000);  // a good share of the random states is computed
}

}  // namespace
}  // namespace velmar
