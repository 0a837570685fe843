// Dynamic viscosity of natural gas from ρс, nitrogen and carbon dioxide.
#include "gasprops/vazk.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmar {
namespace {

// Values worked out by hand from the formulas of GOST 30319.1 (T, p, xa, xy, ρс).
TEST(Viscosity, LowPressureValueUpToAndIncludingHalfAMegapascal) {
  const double muT = 1.104997931596193e-05;  // 293.15 K, N2 1 %, CO2 0.5 %, 0.68 kg/m3
  EXPECT_NEAR(viscosityGost30319(293.15, 0.1e6, 1, 0.5, 0.68), muT, 1e-17);
  EXPECT_EQ(viscosityGost30319(293.15, 0.5e6, 1, 0.5, 0.68),
            viscosityGost30319(293.15, 0.1e6, 1, 0.5, 0.68));
  EXPECT_EQ(viscosityGost30319(293.15, 0, 1, 0.5, 0.68), viscosityGost30319(293.15, 0.1e6, 1, 0.5, 0.68));
  // Just above 0.5 MPa the pressure correction applies (and is small there).
  const double above = viscosityGost30319(293.15, 0.5e6 + 1, 1, 0.5, 0.68);
  EXPECT_GT(above, muT * (1 + 1e-4));
  EXPECT_LT(above, muT * (1 + 2e-3));
}

TEST(Viscosity, PressureCorrectionAboveHalfAMegapascal) {
  struct Case {
    double T, p, xa, xy, rhoSt, mu;
  };
  const Case cases[] = {
      {293.15, 5e6, 1, 0.5, 0.68, 1.1858613838402497e-05},
      {260, 10e6, 5, 3, 0.85, 1.5959887023863338e-05},
      {340, 12e6, 15, 15, 1.05, 1.7654023337893976e-05},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(viscosityGost30319(c.T, c.p, c.xa, c.xy, c.rhoSt), c.mu, 1e-9 * c.mu) << c.T;
}

// Where the formula has no value a defined one stands: 0 when there is no
// positive low-pressure viscosity, the low-pressure value when the pressure
// correction has no meaning (at or below the pseudo-critical temperature,
// where 1/(τ - 1) has its pole).
TEST(Viscosity, DefinedOutcomesWhereTheFormulaHasNoValue) {
  const double rhoSt = 0.7, xa = 2, xy = 1;
  const double Tpk = 88.25 * (0.9915 + 1.769 * rhoSt - xy / 100 - 1.681 * xa / 100);
  const double atPole = viscosityGost30319(Tpk, 5e6, xa, xy, rhoSt);
  EXPECT_EQ(atPole, viscosity::lowPressureViscosity(Tpk, rhoSt, xa / 100, xy / 100));
  EXPECT_GT(atPole, 0);
  EXPECT_EQ(viscosityGost30319(0.9 * Tpk, 5e6, xa, xy, rhoSt),
            viscosity::lowPressureViscosity(0.9 * Tpk, rhoSt, xa / 100, xy / 100));

  for (double T : {0.0, -10.0, 1e-3, 30.0, double(NAN)})
    EXPECT_EQ(viscosityGost30319(T, 5e6, xa, xy, rhoSt), 0.0) << T;
  EXPECT_EQ(viscosityGost30319(290, 5e6, xa, xy, 0), 0.0);
  EXPECT_EQ(viscosityGost30319(290, 5e6, xa, xy, -0.7), 0.0);
  EXPECT_EQ(viscosityGost30319(290, NAN, xa, xy, rhoSt), 0.0);
  EXPECT_EQ(viscosityGost30319(290, 5e6, 200, 0, rhoSt), 0.0);  // denominator below zero
  EXPECT_GT(viscosityGost30319(290, -5e6, xa, xy, rhoSt), 0.0);  // low-pressure value
}

}  // namespace
}  // namespace velmar
