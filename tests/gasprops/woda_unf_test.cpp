// Saturated water vapour over ice and over water.
#include "gasprops/woda_unf.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmar {
namespace {

// 273.15 K still belongs to the ice equation, where θ = 1 and lg e = 0.78614
// (e in hPa); 273.16 K is on the water equation.
TEST(WaterSaturation, IceBranchUpToAndIncluding27315K) {
  const SaturatedVapour ice = waterSaturation(273.15);
  const double e = std::pow(10.0, 0.78614);  // hPa
  EXPECT_NEAR(ice.pSat, 100 * e, 1e-9);
  EXPECT_NEAR(ice.rhoSat, 212.4944 * (e / 980.665) / 273.15, 1e-15);

  const SaturatedVapour water = waterSaturation(273.16);
  // The water equation lies about 0.2 % above the ice value here: a real step
  // between the branches, not a continuation of the ice formula.
  EXPECT_GT(water.pSat / ice.pSat, 1.0015);
  EXPECT_LT(water.pSat / ice.pSat, 1.0025);
  EXPECT_NEAR(water.rhoSat / ice.rhoSat, 1.0013, 0.0005);
  // Just below, the ice equation moves smoothly.
  const SaturatedVapour below = waterSaturation(273.14);
  EXPECT_NEAR(below.pSat / ice.pSat, 1 - 0.00082, 0.0001);
}

// 243.15 K is on the water equation again (supercooled water lies above ice).
TEST(WaterSaturation, LowerEdgeOfTheIceRange) {
  const SaturatedVapour overWater = waterSaturation(243.15);
  const SaturatedVapour overIce = waterSaturation(243.16);
  EXPECT_NEAR(overWater.pSat, 50.9, 1.0);  // supercooled water at -30 °C, about 51 Pa
  EXPECT_NEAR(overIce.pSat, 38.0, 0.2);    // ice at -30 °C, 38.0 Pa
}

// Against the IAPWS saturation and sublimation values: the empirical
// equations hold 0.2 % in pressure and density over the gas-measurement range.
TEST(WaterSaturation, AgreesWithSteamTables) {
  struct Case {
    double T, pSat, rhoSat;  // rhoSat 0: not checked
  };
  const Case cases[] = {
      {253.15, 103.24, 0},           {263.15, 259.90, 0},        {293.15, 2339.2, 0.017314},
      {313.15, 7384.9, 0.051242},    {373.15, 101418, 0.59817},  {473.15, 1554900, 7.8610},
      {600.0, 12344600, 72.842},
  };
  for (const Case& c : cases) {
    const SaturatedVapour s = waterSaturation(c.T);
    EXPECT_NEAR(s.pSat / c.pSat, 1.0, 0.002) << "T=" << c.T;
    if (c.rhoSat > 0) {
      EXPECT_NEAR(s.rhoSat / c.rhoSat, 1.0, 0.002) << "T=" << c.T;
    }
  }
}

TEST(WaterSaturation, DefinedOutsideTheSaturationLine) {
  for (double T : {0.0, -5.0, double(NAN), -double(INFINITY)}) {
    const SaturatedVapour s = waterSaturation(T);
    EXPECT_EQ(s.pSat, 0.0) << T;
    EXPECT_EQ(s.rhoSat, 0.0) << T;
  }
  // Near absolute zero the vapour pressure underflows to 0 but stays a number.
  for (double T : {1e-6, 0.5, 1.0, 20.0, 100.0}) {
    const SaturatedVapour s = waterSaturation(T);
    EXPECT_TRUE(std::isfinite(s.pSat) && s.pSat >= 0) << T;
    EXPECT_TRUE(std::isfinite(s.rhoSat) && s.rhoSat >= 0) << T;
  }
  // Above the critical temperature the critical point stands: ρ = 323.26 kg/m3,
  // p about 22.1 MPa.
  const SaturatedVapour critical = waterSaturation(water::kCriticalTemperatureK);
  EXPECT_NEAR(critical.rhoSat, 323.26, 1e-9);
  EXPECT_NEAR(critical.pSat, 22.1e6, 0.1e6);
  for (double T : {647.3, 800.0, 1e6, double(INFINITY)}) {
    const SaturatedVapour s = waterSaturation(T);
    EXPECT_EQ(s.pSat, critical.pSat) << T;
    EXPECT_EQ(s.rhoSat, critical.rhoSat) << T;
  }
}

}  // namespace
}  // namespace velmar
