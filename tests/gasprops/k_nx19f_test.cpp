// NX-19 mod. (GOST 30319.2-96): reference states, correction regions, error
// bands and the states outside the correction regions.
#include "gasprops/k_nx19f.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "gasprops/k_gergf.h"
#include "test_support.h"

namespace velmar {
namespace {

// The reference is an independent double-precision implementation of the
// same algorithm (with F = 0 outside the correction regions), printed with 12
// significant digits: 1e-9 relative is rounding room only.
TEST(Nx19Reference, ReproducesEveryRowOfTheIndependentImplementation) {
  const auto rows = testing::readReferenceCsv("nx19_reference.csv");
  ASSERT_EQ(rows.size(), 350u);
  int outside = 0;
  for (const auto& r : rows) {
    const double T = r.number("T_K");
    const double p = r.number("p_MPa") * 1e6;
    const double rhoSt = r.number("rho_st_kgm3");
    const double xa = r.number("xN2_molpct");
    const double xy = r.number("xCO2_molpct");
    const std::string where = r.text("gas_id") + " T=" + r.text("T_K") + " p=" + r.text("p_MPa");

    const auto s = nx19::nx19K(T, p, rhoSt, xa / 100, xy / 100);
    ASSERT_TRUE(s) << where;
    EXPECT_EQ(s->correction.region, static_cast<int>(r.number("F_region"))) << where;
    if (s->correction.region == 0) {
      ++outside;
      EXPECT_EQ(s->correction.F, 0.0) << where;
    } else {
      EXPECT_NEAR(s->correction.F, r.number("F"), 1e-9 * r.number("F")) << where;
    }
    for (const auto& [name, value] :
         {std::pair{"Tpk", s->Tpk}, std::pair{"ppk_Pa", s->ppk}, std::pair{"pa", s->pa},
          std::pair{"Ta", s->Ta}, std::pair{"Zc", s->Zc}, std::pair{"Z", s->Z},
          std::pair{"K", s->K}, std::pair{"rho_kgm3", s->rho}}) {
      const double expected = r.number(name);
      EXPECT_NEAR(value, expected, 1e-9 * std::fabs(expected)) << name << " " << where;
    }
    EXPECT_NEAR(s->tau, r.number("tau"), 1e-12) << where;
    EXPECT_EQ(nx19::nx19Z(T, p, rhoSt, xa / 100, xy / 100), s->Z);

    const auto out = calcNx19(T, 0, p, 0, rhoSt, xy, xa, 0, 0, 0);
    ASSERT_TRUE(out) << where;
    EXPECT_NEAR(out->K, r.number("K"), 1e-9 * r.number("K")) << where;
    EXPECT_NEAR(out->rho, r.number("rho_kgm3"), 1e-9 * r.number("rho_kgm3")) << where;
  }
  EXPECT_EQ(outside, 22);
}

TEST(Nx19Regions, TestedInOrderWithTheirClosedAndOpenEdges) {
  struct Case {
    double pa, tau;
    int region;
  };
  const Case cases[] = {
      {1.0, 0.0, 1},     {1.0, 0.31, 1},     {1.0, 0.3101, 0},  {2.0, 0.1, 1},
      {2.0001, 0.1, 0},  {0.0, 0.2, 1},      {1.0, -1e-9, 2},   {1.0, -0.25, 2},
      {1.0, -0.2501, 0}, {1.2999, -0.1, 2},  {1.3, -0.1, 3},    {1.3, -0.21, 3},
      {1.3, -0.22, 0},   {1.9999, -0.1, 3},  {2.0, -0.1, 0},    {1.5, -0.2101, 0},
      {-0.01, 0.1, 0},   {-0.01, -0.1, 0},
  };
  for (const Case& c : cases) {
    const nx19::Correction k = nx19::correctionF(c.pa, c.tau);
    EXPECT_EQ(k.region, c.region) << "pa=" << c.pa << " tau=" << c.tau;
    if (c.region == 0) {
      EXPECT_EQ(k.F, 0.0);
    }
  }
  // The three formulas at one point each (values of the correction itself).
  EXPECT_NEAR(nx19::correctionF(1.0, 0.1).F,
              0.00075 / std::exp(2.0) + 0.0011 * std::sqrt(0.1) *
                                            std::pow(2.17 - 1 + 1.4 * std::sqrt(0.1), 2),
              1e-15);
  EXPECT_NEAR(nx19::correctionF(1.0, -0.1).F,
              0.00075 * (2 - std::exp(-2.0)) + 1.317 * 0.69 * 1e-4, 1e-15);
  const double pa = 1.5, t = -0.1;
  EXPECT_NEAR(nx19::correctionF(pa, t).F,
              0.00075 * std::pow(pa, 2.3) * (2 - std::exp(20 * t)) +
                  0.455 * (1.3 - pa) * (1.69 * std::pow(2.0, 1.25) - pa * pa) *
                      (t * (0.03249 + 18.028 * t * t) +
                       t * t * (2.0167 + t * t * (42.844 + 200 * t * t))),
              1e-15);
}

// Outside the three regions no correction applies (F = 0). With F = 1 the
// pressure term of I would vanish, Y - J/Y would be exactly the root Bq and Z
// a division by zero; with F = 0 these states give a finite Z near GERG-91 at
// moderate pressure. (The reference's heavy gases at 250 K and 7-12 MPa are
// dense states where the two equations of the standard part by 5-45 %.)
TEST(Nx19OutsideRegions, FiniteZCloseToGerg91) {
  const auto rows = testing::readReferenceCsv("nx19_reference.csv");
  int seen = 0;
  for (const auto& r : rows) {
    if (r.number("F_region") != 0) continue;
    ++seen;
    const double T = r.number("T_K");
    const double pMPa = r.number("p_MPa");
    const double rhoSt = r.number("rho_st_kgm3");
    const double xa = r.number("xN2_molpct") / 100;
    const double xy = r.number("xCO2_molpct") / 100;
    const std::string where = r.text("gas_id") + " T=" + r.text("T_K") + " p=" + r.text("p_MPa");

    const auto s = nx19::nx19K(T, pMPa * 1e6, rhoSt, xa, xy);
    ASSERT_TRUE(s) << where;
    EXPECT_TRUE(std::isfinite(s->Z) && s->Z > 0 && s->Z < 1) << where;
    const auto g = gerg91::gergK(T, pMPa, rhoSt, xa, xy);
    ASSERT_TRUE(g) << where;
    if (pMPa <= 3) {
      EXPECT_NEAR(s->Z / g->Z, 1.0, 0.03) << where;
    }

    const nx19::CubicTerms withOne = nx19::cubicTerms(s->pa, s->Ta, 1.0);
    EXPECT_NEAR(withOne.Y - withOne.J / withOne.Y, withOne.Bq, 1e-12 * withOne.Bq) << where;
    EXPECT_LT(std::fabs(withOne.denominator), 1e-12 * withOne.Bq) << where;
  }
  EXPECT_EQ(seen, 22);
}

// F = 0 continues the corrected values across the region edges: Z moves by
// less than 1 % where a region ends (the corrections themselves are small).
TEST(Nx19OutsideRegions, ZContinuesAcrossTheRegionEdges) {
  const double rhoSt = 0.85, xa = 0.02, xy = 0.01;
  const double Tpk = 88.25 * (0.9915 + 1.759 * rhoSt - xy - 1.681 * xa);
  const double ppk = 2958500 * (1.608 - 0.05994 * rhoSt + xy - 0.392 * xa);
  const double Tlow = (1.09 - 0.25 - 0.0007) * Tpk / 0.71892;   // tau = -0.25
  const double Thigh = (1.09 + 0.31 - 0.0007) * Tpk / 0.71892;  // tau = 0.31
  const double pEdge = (2 - 0.0147) * ppk / 0.6714;             // pa = 2
  struct Case {
    double Tin, pIn, Tout, pOut;
    int regionIn;
  };
  const double e = 1e-9;
  const Case cases[] = {
      {Tlow * (1 + e), 1e6, Tlow * (1 - e), 1e6, 2},
      {Tlow * (1 + e), 5e6, Tlow * (1 - e), 5e6, 2},
      {Thigh * (1 - e), 10e6, Thigh * (1 + e), 10e6, 1},
      {300, pEdge * (1 - e), 300, pEdge * (1 + e), 3},
      {340, pEdge * (1 - e), 340, pEdge * (1 + e), 1},
  };
  for (const Case& c : cases) {
    const auto in = nx19::nx19K(c.Tin, c.pIn, rhoSt, xa, xy);
    const auto out = nx19::nx19K(c.Tout, c.pOut, rhoSt, xa, xy);
    ASSERT_TRUE(in && out);
    EXPECT_EQ(in->correction.region, c.regionIn);
    EXPECT_EQ(out->correction.region, 0);
    EXPECT_NEAR(out->Z / in->Z, 1.0, 0.01) << "T=" << c.Tin << " p=" << c.pIn;
  }
}

TEST(Nx19MethodError, BandsCloseOnTheUpperSide) {
  struct Case {
    double rhoSt, pPa, expected;
  };
  const Case cases[] = {
      {0.66, 2999999, 0.12},  {0.66, 3e6, 0.18},     {0.66, 7e6, 0.18},
      {0.66, 7e6 + 1, 0.41},  {0.6999999, 1e6, 0.12}, {0.7, 1e6, 0.13},
      {0.7, 3e6, 0.29},       {0.75, 7e6, 0.29},      {0.75, 8e6, 0.42},
      {0.7500001, 1e6, 0.2},  {0.82, 3e6, 0.57},      {0.82, 8e6, 1.09},
      {0.83, 1e6, 0.15},      {0.83, 3e6, 0.15},      {0.83, 12e6, 0.15},
      {1.05, 5e6, 0.15},
      // ρс computed to just off a band edge still counts as the edge.
      {0.07 * 10, 1e6, 0.13}, {0.75 + 1e-16, 1e6, 0.13},
  };
  for (const Case& c : cases)
    EXPECT_EQ(nx19::methodError(c.rhoSt, c.pPa), c.expected)
        << "rho_st=" << c.rhoSt << " p=" << c.pPa;
  EXPECT_NE(0.07 * 10, 0.7);  // the case above is really off the edge
}

TEST(Nx19Error, ZeroInputErrorsGiveTheMethodErrorAndZeroContentsNoSensitivity) {
  const auto out = calcNx19(293.15, 0, 3e6, 0, 0.7, 1, 2, 0, 0, 0);
  ASSERT_TRUE(out);
  EXPECT_DOUBLE_EQ(out->dK, 0.29);
  EXPECT_EQ(out->dRho, out->dK);

  const auto plain = calcNx19(280, 0.2, 6e6, 0.3, 0.72, 0, 0, 0.4, 0, 0);
  const auto withErrors = calcNx19(280, 0.2, 6e6, 0.3, 0.72, 0, 0, 0.4, 50, 50);
  ASSERT_TRUE(plain && withErrors);
  EXPECT_EQ(plain->dK, withErrors->dK);

  // A content error counts once the content is not zero; xy (CO2) comes
  // before xa (N2) in the argument list, δxy before δxa.
  const auto co2 = calcNx19(280, 0, 6e6, 0, 0.72, 3, 0, 0, 10, 0);
  const auto co2ErrorOnN2 = calcNx19(280, 0, 6e6, 0, 0.72, 3, 0, 0, 0, 10);
  ASSERT_TRUE(co2 && co2ErrorOnN2);
  EXPECT_DOUBLE_EQ(co2ErrorOnN2->dK, nx19::methodError(0.72, 6e6));
  EXPECT_GT(co2->dK, co2ErrorOnN2->dK);
}

TEST(Nx19Domain, StatesWithoutAValueGiveNothing) {
  EXPECT_FALSE(calcNx19(290, 0, -1000, 0, 0.7, 1, 1, 0, 0, 0));
  EXPECT_FALSE(calcNx19(0, 0, 5e6, 0, 0.7, 1, 1, 0, 0, 0));
  EXPECT_FALSE(calcNx19(290, 0, 5e6, 0, 0, 1, 1, 0, 0, 0));
  EXPECT_FALSE(calcNx19(290, 0, 5e6, 0, 0.7, 1, 1000, 0, 0, 0));  // pseudo-critical T < 0
  EXPECT_FALSE(calcNx19(INFINITY, 0, 5e6, 0, 0.7, 1, 1, 0, 0, 0));
  const auto atZero = calcNx19(290, 0.1, 0, 0.2, 0.7, 1, 1, 0.3, 1, 1);
  ASSERT_TRUE(atZero);
  EXPECT_EQ(atZero->rho, 0);
  EXPECT_TRUE(std::isfinite(atZero->K) && std::isfinite(atZero->dK));
}

}  // namespace
}  // namespace velmar
