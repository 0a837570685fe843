// Adiabatic exponent of natural gas from ρс and nitrogen.
#include "gasprops/adiab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmar {
namespace {

TEST(AdiabaticExponent, TendsToTheIdealGasPartAsPressureVanishes) {
  struct Case {
    double T, xa, rhoSt;
  };
  const Case cases[] = {{250, 0, 0.66}, {293.15, 1, 0.68}, {340, 15, 1.05}};
  for (const Case& c : cases) {
    const double x = c.xa / 100;
    const double limit = 1.556 * (1 + 0.074 * x) - 3.9e-4 * c.T * (1 - 0.68 * x) - 0.208 * c.rhoSt;
    EXPECT_DOUBLE_EQ(kappaGost30319(c.T, 0, c.xa, c.rhoSt), limit);
    EXPECT_NEAR(kappaGost30319(c.T, 1.0, c.xa, c.rhoSt), limit, 1e-7);
    EXPECT_NEAR(kappaGost30319(c.T, 1000.0, c.xa, c.rhoSt), limit, 1e-4);
    EXPECT_GT(kappaGost30319(c.T, 1000.0, c.xa, c.rhoSt), limit);
    // A negative (dry-gas) pressure takes the limit as well.
    EXPECT_DOUBLE_EQ(kappaGost30319(c.T, -500.0, c.xa, c.rhoSt), limit);
  }
  // A methane-rich gas at 20 °C and low pressure: about 1.30.
  EXPECT_NEAR(kappaGost30319(293.15, 0, 1, 0.68), 1.3021603738, 1e-12);
}

TEST(AdiabaticExponent, PressureTerm) {
  struct Case {
    double T, p, xa, rhoSt, kappa;  // worked out by hand
  };
  const Case cases[] = {
      {293.15, 5e6, 1, 0.68, 1.34629933117427},
      {260, 10e6, 5, 0.85, 1.5545849231581905},
      {340, 12e6, 15, 1.05, 1.4573990471064933},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(kappaGost30319(c.T, c.p, c.xa, c.rhoSt), c.kappa, 1e-12) << c.T;
}

TEST(AdiabaticExponent, ZeroWhereTheFormulaGivesNoPositiveValue) {
  EXPECT_EQ(kappaGost30319(0, 5e6, 1, 0.7), 0.0);
  EXPECT_EQ(kappaGost30319(-1, 5e6, 1, 0.7), 0.0);
  EXPECT_EQ(kappaGost30319(NAN, 5e6, 1, 0.7), 0.0);
  EXPECT_EQ(kappaGost30319(290, INFINITY, 1, 0.7), 0.0);
  EXPECT_EQ(kappaGost30319(5000, 0.1e6, 1, 0.7), 0.0);  // the linear part turns negative
  const double cold = kappaGost30319(1e-3, 12e6, 1, 0.7);  // near absolute zero: large, finite
  EXPECT_TRUE(std::isfinite(cold) && cold > 0);
}

}  // namespace
}  // namespace velmar
