// Air by the reduced equation of state: table, reference densities, method
// error, sensitivities and the outcomes of the density search.
#include "gasprops/air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "json_reader.h"
#include "test_support.h"

namespace velmar {
namespace {

TEST(AirTable, CoefficientsAndConstantsEqualTheVerifiedJson) {
  const testing::Json json = testing::readReferenceJson("air_reduced_eos.json");
  const testing::Json& b = json["b"];
  ASSERT_EQ(b.size(), 8u);
  const air::CoefficientTable& t = air::coefficients();
  for (std::size_t i = 0; i < 8; ++i) {
    ASSERT_EQ(b[i].size(), 8u);
    for (std::size_t j = 0; j < 8; ++j)
      EXPECT_EQ(t[i][j], b[i][j].number()) << "b" << i + 1 << j + 1;
  }
  const testing::Json& k = json["constants"];
  EXPECT_EQ(air::kCriticalTemperatureK, k["Tc_K"].number());
  EXPECT_EQ(air::kCriticalPressurePa, k["pc_Pa"].number());
  EXPECT_EQ(air::kCriticalDensity, k["rhoc_kg_m3"].number());
  EXPECT_EQ(air::kGasConstant, k["R_J_kgK"].number());
  EXPECT_EQ(air::kCriticalZ, k["Zc"].number());
  // The four published values the substitute table keeps (b_ij: ω^i, τ^-(j-1)).
  EXPECT_EQ(t[0][0], 0.366812);
  EXPECT_EQ(t[1][0], 0.140979);
  EXPECT_EQ(t[0][1], -0.252712);
  EXPECT_EQ(t[0][7], -0.0391073);
}

// The reference densities come from the reference equation of state for air;
// the reduced equation must stay within its own method error there.
TEST(AirDensity, ReferenceDensitiesWithinTheMethodError) {
  const auto rows = testing::readReferenceCsv("air_reference.csv");
  ASSERT_EQ(rows.size(), 40u);
  for (const auto& r : rows) {
    const double T = r.number("T_K");
    const double p = r.number("p_MPa") * 1e6;
    const double expected = r.number("rho_kg_m3");
    const DensityWithError d = calcTechGas(1, T, 0, p, 0);
    const double dM = air::methodError(T / air::kCriticalTemperatureK, p / air::kCriticalPressurePa);
    EXPECT_EQ(d.dRho, dM);
    EXPECT_LT(std::fabs(d.rho / expected - 1) * 100, dM) << "T=" << r.text("T_K") << " p=" << r.text("p_MPa");
  }
}

// The densities the search gives at the check states of the coefficient
// file; the bisection stops at |Δπ| < 1e-8 and the correction step then
// brings ω to the root within 1e-9 relative.
TEST(AirDensity, CheckStatesOfTheCoefficientFile) {
  const testing::Json json = testing::readReferenceJson("air_reduced_eos.json");
  struct Case {
    const char* key;
    double T, p;
  };
  const Case cases[] = {{"293.15 K, 101325 Pa", 293.15, 101325},
                        {"293.15 K, 100000 Pa", 293.15, 100000},
                        {"273.15 K, 101325 Pa", 273.15, 101325},
                        {"323.15 K, 5e+06 Pa", 323.15, 5e6},
                        {"293.15 K, 1e+07 Pa", 293.15, 1e7}};
  for (const Case& c : cases) {
    const testing::Json& v = json["check_values"][c.key];
    const DensityWithError d = calcTechGas(1, c.T, 0, c.p, 0);
    EXPECT_NEAR(d.rho, v["rho"].number(), 1e-9 * v["rho"].number()) << c.key;
    EXPECT_EQ(d.dRho, v["method_error_percent"].number()) << c.key;
  }
}

TEST(AirDensity, StandardDensityAndItsMethodError) {
  const DensityWithError st = calcTechGas(1, 293.15, 0, 101325, 0);
  EXPECT_NEAR(st.rho, 1.2043883389686891, 1e-9);
  EXPECT_EQ(st.dRho, 0.03);
  // 20 °C and 0.1 MPa: τ class 3, π class 1.
  EXPECT_EQ(calcTechGas(1, 293.15, 0, 0.1e6, 0).dRho, 0.03);
}

TEST(AirMethodError, ClassesCloseOnTheUpperSide) {
  struct Case {
    double tau, pi, expected;
  };
  const Case cases[] = {
      {0.85, 0.8, 0.28},  {0.8500001, 0.8, 0.07}, {0.85, 0.8000001, 0.15}, {0.5, 2, 0.15},
      {0.5, 2.0000001, 1.25}, {0.5, 10, 1.25},   {0.5, 10.000001, 0.97},  {1.3, 2, 0.13},
      {1.3, 10, 0.03},    {1.3, 11, 0.32},       {1.3000001, 0.1, 0.03},  {4, 2, 0.04},
      {4, 10, 0.3},       {4, 50, 0.2},          {4.0000001, 0.8, 0.04},  {5, 1, 0.09},
      {5, 5, 0.2},        {5, 20, 0.15},
  };
  for (const Case& c : cases)
    EXPECT_EQ(air::methodError(c.tau, c.pi), c.expected) << "tau=" << c.tau << " pi=" << c.pi;
}

// θT and θp from the states at 1.01 T and 1.01 p, each capped at 1. For the
// nearly ideal gas at standard conditions θT is about 100 (1 - 1/1.01) and θp
// reaches its cap.
TEST(AirError, SensitivitiesToTemperatureAndPressure) {
  const double rho = calcTechGas(1, 293.15, 0, 101325, 0).rho;
  const double rhoT = calcTechGas(1, 1.01 * 293.15, 0, 101325, 0).rho;
  const double thetaT = std::fabs(rho - rhoT) / (rho / 100);
  EXPECT_NEAR(thetaT, 100 * (1 - 1 / 1.01), 0.005);  // and the small real-gas part
  const DensityWithError onlyT = calcTechGas(1, 293.15, 0.5, 101325, 0);
  EXPECT_NEAR(onlyT.dRho, std::sqrt(0.03 * 0.03 + std::pow(0.5 * thetaT, 2)), 1e-12);
  const DensityWithError onlyP = calcTechGas(1, 293.15, 0, 101325, 0.5);
  EXPECT_NEAR(onlyP.dRho, std::sqrt(0.03 * 0.03 + 0.25), 1e-12);  // θp = 1 (cap)
  // At 200 K and 10 MPa the density rises faster than the pressure: capped.
  const DensityWithError dense = calcTechGas(1, 200, 0, 10e6, 2);
  EXPECT_NEAR(dense.dRho, std::sqrt(0.3 * 0.3 + 4), 1e-12);
}

// The search ends within its caps; a bisection that has not reached its
// tolerance within the cap is no result, correction steps that do not settle
// leave the bisection point.
TEST(AirSearch, CappedOutcomes) {
  const double tau = 293.15 / air::kCriticalTemperatureK;
  const double pi = 5e6 / air::kCriticalPressurePa;
  const air::Solution full = air::solveReducedDensity(tau, pi);
  ASSERT_TRUE(full.ok);
  EXPECT_LT(full.halvings, 60);
  EXPECT_LE(full.corrections, 2);
  EXPECT_NEAR(air::reducedPressure(full.omega, tau), pi, 1e-12);

  const air::Solution fewHalvings = air::solveReducedDensity(tau, pi, {3, 50});
  EXPECT_FALSE(fewHalvings.ok);
  EXPECT_EQ(fewHalvings.halvings, 3);
  EXPECT_FALSE(air::density(293.15, 5e6, {3, 50}));

  const air::Solution noCorrection = air::solveReducedDensity(tau, pi, {200, 0});
  ASSERT_TRUE(noCorrection.ok);
  EXPECT_EQ(noCorrection.corrections, 0);
  EXPECT_EQ(noCorrection.halvings, full.halvings);
  EXPECT_LT(std::fabs(air::reducedPressure(noCorrection.omega, tau) - pi), 1e-8);
  EXPECT_NE(noCorrection.omega, full.omega);
}

// Below π(1e-5), a few hundred pascals, the root lies under the bracket: the
// correction steps alone find it from the ideal-gas density.
TEST(AirSearch, PressuresBelowTheBracket) {
  for (double p : {100.0, 150.0, 265.0, 1.0, 1e-3}) {
    const DensityWithError d = calcTechGas(1, 293.15, 0, p, 0);
    const double ideal = p * air::kCriticalZ * air::kCriticalDensity /
                         (air::kCriticalPressurePa * 293.15 / air::kCriticalTemperatureK);
    EXPECT_NEAR(d.rho / ideal, 1.0, 1e-5) << p;
    EXPECT_EQ(d.dRho, 0.03) << p;
  }
  // The two sides of the bracket edge join.
  const double tau = 293.15 / air::kCriticalTemperatureK;
  const double piEdge = air::reducedPressure(1e-5, tau);
  const air::Solution below = air::solveReducedDensity(tau, piEdge * (1 - 1e-9));
  const air::Solution above = air::solveReducedDensity(tau, piEdge * (1 + 1e-9));
  ASSERT_TRUE(below.ok && above.ok);
  EXPECT_NEAR(below.omega / above.omega, 1.0, 1e-8);
  const air::Solution noSteps = air::solveReducedDensity(tau, piEdge * 0.5, {200, 0});
  EXPECT_FALSE(noSteps.ok);
}

TEST(AirSearch, NoResultIsZeroDensity) {
  for (int gas : {0, 2, 3, -1, 100}) {
    const DensityWithError d = calcTechGas(gas, 293.15, 0, 101325, 0);
    EXPECT_EQ(d.rho, 0) << gas;
    EXPECT_EQ(d.dRho, 0) << gas;
  }
  struct Case {
    double T, p;
  };
  const Case none[] = {{293.15, 0},   {293.15, -1000}, {0, 101325}, {-20, 101325},
                       {NAN, 101325}, {293.15, NAN},   {293.15, INFINITY},
                       {293.15, 1e9}};  // far above the range of the equation
  for (const Case& c : none) {
    const DensityWithError d = calcTechGas(1, c.T, 0, c.p, 0);
    EXPECT_EQ(d.rho, 0) << c.T << " " << c.p;
    EXPECT_EQ(d.dRho, 0) << c.T << " " << c.p;
  }
}

}  // namespace
}  // namespace velmar
