// R Gazprom 5.3-2009 (AGA8-92DC over ten components), module RGazprom2008.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "gasprops/AGA.h"
#include "gasprops/RGazprom2008.h"
#include "gasprops/method_messages.h"
#include "tests/gasprops/aga8_table_check.h"
#include "json_reader.h"
#include "test_support.h"

namespace velmar {
namespace {

using rgaz::kComponentCount;
using Gas = std::array<double, kComponentCount>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr std::array<const char*, kComponentCount> kColumns = {
    "methane_mol_pct",   "ethane_mol_pct",    "propane_mol_pct",  "i_butane_mol_pct",
    "n_butane_mol_pct",  "i_pentane_mol_pct", "n_pentane_mol_pct", "n_hexane_mol_pct",
    "nitrogen_mol_pct",  "carbon_dioxide_mol_pct"};

Gas contents(const testing::CsvRow& row) {
  Gas x{};
  for (std::size_t i = 0; i < kComponentCount; ++i) x[i] = row.number(kColumns[i]);
  return x;
}

// A pipeline gas inside every limit.
Gas baseGas() { return {93.5, 3.0, 1.0, 0.2, 0.25, 0.05, 0.05, 0.03, 1.2, 0.72}; }

Gas methaneOnly() {
  Gas x{};
  x[rgaz::kMethane] = 100;
  return x;
}

double rel(double a, double b) { return std::abs(a / b - 1); }

TEST(RGazpromTables, MatchTheVerifiedData) {
  testing::expectModelMatchesJson(rgaz::model(), testing::readReferenceJson("aga8_rgazprom10.json"));
}

// Reference: NIST's DETAIL code with the same ten-component gases
// (README_aga8_gerg2008.md), 12 significant digits. Tolerances as for
// GOST R 8.662: 1e-8 for Z and density, 1e-7 for the speed of sound.
TEST(RGazpromReference, EquationAndMethodMatchDetailOnEveryRow) {
  const auto rows = testing::readReferenceCsv("aga8_detail_rgazprom10_reference.csv");
  ASSERT_EQ(rows.size(), 270u);
  int entries = 0;
  for (const auto& row : rows) {
    const Gas x = contents(row);
    const double T = row.number("T_K"), p = row.number("p_MPa");
    SCOPED_TRACE(row.text("gas_id") + " T=" + row.text("T_K") + " p=" + row.text("p_MPa"));
    Gas f{};
    for (std::size_t i = 0; i < kComponentCount; ++i) f[i] = x[i] / 100;
    const auto e = rgaz::equationState(f, T, p);
    ASSERT_TRUE(e.has_value());
    EXPECT_LT(rel(e->Z, row.number("Z")), 1e-8);
    EXPECT_LT(rel(e->density, row.number("rho_kg_per_m3")), 1e-8);
    EXPECT_LT(rel(e->molarDensity, row.number("rho_mol_per_dm3")), 1e-8);
    EXPECT_LT(rel(e->soundSpeed, row.number("w_m_per_s")), 1e-7);
    EXPECT_LT(rel(e->molarMass, row.number("M_g_per_mol")), 1e-9);

    // Every state of the set lies in 250-350 K and 0.1-25 MPa.
    const auto s = rgaz::rgazState(x, T, p, false);
    ASSERT_EQ(s.code, 0);
    EXPECT_LT(rel(s.Z, row.number("Z")), 1e-8);
    EXPECT_LT(rel(s.rho, row.number("rho_kg_per_m3")), 1e-8);
    EXPECT_LT(rel(s.soundSpeed, row.number("w_m_per_s")), 1e-7);

    // The whole entry where the composition is inside the method's limits
    // and the perturbed states stay inside 250 K and 0.1 MPa.
    if (rgaz::rgazState(x, 293.15, 0.101325, true).code != 0 || T * 0.9999 < 250 ||
        p * 0.9999 < 0.1)
      continue;
    MethodOutputs out;
    ASSERT_EQ(calcRGazprom(x, Gas{}, T, 0, p, 0, out), 0);
    EXPECT_LT(rel(out.K, row.number("K_Z_over_Zstd")), 1e-8);
    EXPECT_LT(rel(out.rho, row.number("rho_kg_per_m3")), 1e-8);
    EXPECT_LT(rel(out.soundSpeed, row.number("w_m_per_s")), 1e-7);
    ++entries;
  }
  EXPECT_GT(entries, 100);
}

// The method is the equation of GOST R 8.662 over ten components: the same
// gas gives the same state in both modules.
TEST(RGazpromReference, SameEquationAsGostR8662) {
  const Gas x = baseGas();
  std::array<double, aga::kComponentCount> y{};
  y[aga::kMethane] = x[rgaz::kMethane];
  y[aga::kEthane] = x[rgaz::kEthane];
  y[aga::kPropane] = x[rgaz::kPropane];
  y[aga::kIButane] = x[rgaz::kIButane];
  y[aga::kNButane] = x[rgaz::kNButane];
  y[aga::kIPentane] = x[rgaz::kIPentane];
  y[aga::kNPentane] = x[rgaz::kNPentane];
  y[aga::kNHexane] = x[rgaz::kHexane];
  y[aga::kNitrogen] = x[rgaz::kNitrogen];
  y[aga::kCarbonDioxide] = x[rgaz::kCarbonDioxide];
  for (double T : {260.0, 300.0, 340.0}) {
    for (double p : {0.5, 7.5, 20.0}) {
      const auto a = aga::agaState(y, T, p, false);
      const auto r = rgaz::rgazState(x, T, p, false);
      ASSERT_EQ(a.code, 0);
      ASSERT_EQ(r.code, 0);
      // GOST R 8.662 carries its eleven absent components as 1e-10 each.
      EXPECT_LT(rel(a.Z, r.Z), 1e-8);
      EXPECT_LT(rel(a.rho, r.rho), 1e-8);
      EXPECT_LT(rel(a.soundSpeed, r.soundSpeed), 1e-7);
      EXPECT_EQ(a.methodError, r.methodError);
    }
  }
}

// R Gazprom leaves components below the fraction 1e-6 out of the mixing
// sums; GOST R 8.662 keeps every component in them.
TEST(RGazpromReference, MixingSumsLeaveOutFractionsBelowOneMillionth) {
  Gas f = {0.95, 0.03, 0.01, 0, 0, 0, 0, 0, 0.01, 0};
  Gas g = f;
  g[rgaz::kHexane] = 5e-7;
  const auto a = rgaz::equationState(f, 280, 10);
  const auto b = rgaz::equationState(g, 280, 10);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->Z, b->Z);
  EXPECT_EQ(a->density, b->density);
  g[rgaz::kHexane] = 2e-6;
  EXPECT_NE(a->Z, rgaz::equationState(g, 280, 10)->Z);

  std::array<double, aga::kComponentCount> y{};
  y[aga::kMethane] = 0.95;
  y[aga::kEthane] = 0.03;
  y[aga::kPropane] = 0.01;
  y[aga::kNitrogen] = 0.01;
  const auto c = aga::equationState(y, 280, 10);
  y[aga::kNHexane] = 5e-7;
  EXPECT_NE(c->Z, aga::equationState(y, 280, 10)->Z);
}

// --- limits -----------------------------------------------------------------

TEST(RGazpromLimits, EachCompositionCheckHasItsCode) {
  struct Case {
    const char* what;
    std::size_t component;
    double value;  // methane takes up the difference
    MethodFailure code;
  } cases[] = {
      {"ethane 10.1", rgaz::kEthane, 10.1, 2},
      {"ethane 10 (bound)", rgaz::kEthane, 10, 0},
      {"ethane 10.000000000005 (within the allowance)", rgaz::kEthane, 10.000000000005, 0},
      {"ethane -0.01", rgaz::kEthane, -0.01, 2},
      {"propane 3.6", rgaz::kPropane, 3.6, 3},
      {"i-butane 1.3", rgaz::kIButane, 1.3, 4},
      {"n-butane 1.31", rgaz::kNButane, 1.31, 4},
      {"i-pentane 0.46", rgaz::kIPentane, 0.46, 5},
      {"n-pentane 0.46", rgaz::kNPentane, 0.46, 5},
      {"hexane 0.11", rgaz::kHexane, 0.11, 6},
      {"hexane 0.1 (bound)", rgaz::kHexane, 0.1, 0},
      {"nitrogen 20.1", rgaz::kNitrogen, 20.1, 7},
      {"carbon dioxide 20.1", rgaz::kCarbonDioxide, 20.1, 8},
      {"carbon dioxide 20 (bound)", rgaz::kCarbonDioxide, 20, 0},
  };
  for (const auto& c : cases) {
    Gas x = baseGas();
    x[rgaz::kMethane] -= c.value - x[c.component];
    x[c.component] = c.value;
    EXPECT_EQ(rgaz::rgazState(x, 293.15, 0.101325, true).code, c.code) << c.what;
    // The composition is looked at only in the standard call.
    if (c.code != 0) {
      EXPECT_EQ(rgaz::rgazState(x, 300, 5, false).code, 0) << c.what;
    }
  }
  Gas x = baseGas();
  x[rgaz::kMethane] = 69.99;
  x[rgaz::kNitrogen] = 1.2 + 23.51;
  EXPECT_EQ(rgaz::rgazState(x, 293.15, 0.101325, true).code, 7);  // methane fails too
  x[rgaz::kNitrogen] = 1.2 + 13.51;
  x[rgaz::kCarbonDioxide] = 0.72 + 10;
  EXPECT_EQ(rgaz::rgazState(x, 293.15, 0.101325, true).code, 1);  // only methane
}

TEST(RGazpromLimits, TheLastFailingCheckStands) {
  // Methane 65 % (code 1) and nitrogen 25 % (code 7): code 7.
  Gas x{};
  x[rgaz::kMethane] = 65;
  x[rgaz::kNitrogen] = 25;
  MethodOutputs out;
  EXPECT_EQ(calcRGazprom(x, Gas{}, 300, 0, 5, 0, out), 7);
  EXPECT_EQ(kRGazpromMessages[7 - 1], "Допустимая концентрация азота не более 20%");
  // Outside both ranges in a working state: the pressure code, checked last.
  EXPECT_EQ(rgaz::rgazState(baseGas(), 240, 30, false).code, 10);
}

TEST(RGazpromLimits, SumOfContentsFromMinusTwoTenthsToPlusTwoPercent) {
  struct Case {
    double methaneShift, ethaneShift;
    MethodFailure code;
  } cases[] = {
      {-0.3, 0, 11},  // 99.7 %
      {-0.2, 0, 0},   // 99.8 %
      {0, 1.5, 0},    // 101.5 %: accepted
      {0, 2.0, 0},    // 102.0 %
      {0, 2.1, 11},   // 102.1 %
  };
  for (const auto& c : cases) {
    Gas x = baseGas();
    x[rgaz::kMethane] += c.methaneShift;
    x[rgaz::kEthane] += c.ethaneShift;
    MethodOutputs out;
    EXPECT_EQ(calcRGazprom(x, Gas{}, 300, 0, 5, 0, out), c.code)
        << c.methaneShift << " " << c.ethaneShift;
  }
  EXPECT_EQ(kRGazpromMessages[11 - 1], "Допустимое содержание прочих компонентов 0-0.2%");
  Gas x = baseGas();
  x[rgaz::kHexane] = kNaN;
  EXPECT_EQ(rgaz::rgazState(x, 300, 5, false).code, 11);
}

TEST(RGazpromLimits, PerturbedStatesBelowTheRangeFail) {
  struct Case {
    double T, p;
    MethodFailure code;
  } cases[] = {
      {250.01, 5, 9},      // 0.9999·T = 249.985 K
      {250.03, 5, 0},      // 250.005 K
      {250, 5, 9},         // the bound itself fails through its perturbation
      {300, 0.100005, 10},  // 0.9999·p = 0.09999950 MPa
      {300, 0.10002, 0},
      {350, 25, 0},        // the perturbations go down
      {350.01, 5, 9},
      {300, 25.01, 10},
      {kNaN, 5, 9},
      {300, kNaN, 10},
      {0, 0, 10},
  };
  for (const auto& c : cases) {
    MethodOutputs out;
    out.dRho = -1;
    const MethodFailure code = calcRGazprom(baseGas(), Gas{}, c.T, 0.1, c.p, 0.1, out);
    EXPECT_EQ(code, c.code) << c.T << " K, " << c.p << " MPa";
    EXPECT_GT(out.rhoSt, 0);
    if (code != 0) {
      EXPECT_EQ(out.dRho, -1);
    }
  }
  // The working state passed at 250.01 K: its outputs keep their values.
  MethodOutputs out;
  ASSERT_EQ(calcRGazprom(baseGas(), Gas{}, 250.01, 0, 5, 0, out), 9);
  EXPECT_EQ(out.rho, rgaz::rgazState(baseGas(), 250.01, 5, false).rho);
  EXPECT_GT(out.K, 0);
}

TEST(RGazpromLimits, StandardCallClampsTemperatureAndPressure) {
  const auto a = rgaz::rgazState(baseGas(), 400, 40, true);
  const auto b = rgaz::rgazState(baseGas(), 350, 25, true);
  ASSERT_EQ(a.code, 0);
  EXPECT_EQ(a.rho, b.rho);
  const auto c = rgaz::rgazState(baseGas(), 100, 0.01, true);
  const auto d = rgaz::rgazState(baseGas(), 250, 0.1, true);
  ASSERT_EQ(c.code, 0);
  EXPECT_EQ(c.rho, d.rho);
}

TEST(RGazpromLimits, DensityThatCannotBeFoundGivesThePressureCode) {
  Gas x{};
  x[rgaz::kPropane] = 100;  // a liquid at 300 K and 5 MPa
  EXPECT_EQ(rgaz::rgazState(x, 300, 5, false).code, rgaz::kNoDensity);
}

TEST(RGazpromMethodError, SameRegionsAsGostR8662) {
  for (double T = 250; T <= 350; T += 2.5)
    for (double p = 0.1; p <= 25; p += 0.7)
      EXPECT_EQ(rgaz::methodError(T, p), aga::methodError(T, p)) << T << " " << p;
  EXPECT_DOUBLE_EQ(rgaz::methodError(260, 10), 0.2);
  EXPECT_DOUBLE_EQ(rgaz::methodError(260, 24), 0.4);
  EXPECT_DOUBLE_EQ(rgaz::methodError(300, 25), 0.2);
}

// --- the entry ----------------------------------------------------------------

TEST(RGazpromEntry, StandardConditionsWithoutInputErrors) {
  MethodOutputs out;
  ASSERT_EQ(calcRGazprom(baseGas(), Gas{}, 293.15, 0, 0.101325, 0, out), 0);
  EXPECT_DOUBLE_EQ(out.K, 1.0);
  EXPECT_DOUBLE_EQ(out.rho, out.rhoSt);
  EXPECT_DOUBLE_EQ(out.dRhoSt, 0.1);
  EXPECT_DOUBLE_EQ(out.dRho, 0.1);
  EXPECT_NEAR(out.dK, 0.141421356, 1e-9);
  EXPECT_GT(out.Z, 0.99);
  EXPECT_LT(out.Z, 1.0);
  EXPECT_GT(out.soundSpeed, 400);
}

// Relative sensitivity d ln(y)/d ln(v) by a central difference of the
// equation alone, an independent measure of what the entry derives.
template <class F>
double logSlope(F y, double v) {
  const double h = 1e-5;
  return (std::log(y(v * (1 + h))) - std::log(y(v * (1 - h)))) / (std::log1p(h) - std::log1p(-h));
}

TEST(RGazpromEntry, SensitivitiesOfTemperaturePressureAndComposition) {
  const Gas x = baseGas();
  Gas f{};
  for (std::size_t i = 0; i < kComponentCount; ++i) f[i] = x[i] / 100;
  const double T = 270, p = 12, dm = rgaz::methodError(T, p);
  auto zT = [&](double t) { return rgaz::equationState(f, t, p)->Z; };
  auto zP = [&](double q) { return rgaz::equationState(f, T, q)->Z; };
  // The entry's one-sided step of 1e-4 is within about 1e-4 of the slope:
  // 1e-3 relative is held. K takes the relative change of Z plus the direct
  // effect; the density its own relative change, which holds both.
  MethodOutputs out;
  ASSERT_EQ(calcRGazprom(x, Gas{}, T, 0.4, p, 0, out), 0);
  const double slopeT = logSlope(zT, T);
  double dRho = std::hypot(dm, std::abs(1 + slopeT) * 0.4);
  double dK = std::sqrt(dm * dm + 0.01 + std::pow((std::abs(slopeT) + 1) * 0.4, 2));
  EXPECT_NEAR(out.dRho, dRho, 1e-3 * dRho);
  EXPECT_NEAR(out.dK, dK, 1e-3 * dK);

  ASSERT_EQ(calcRGazprom(x, Gas{}, T, 0, p, 0.5, out), 0);
  const double slopeP = logSlope(zP, p);
  dRho = std::hypot(dm, std::abs(1 - slopeP) * 0.5);
  dK = std::sqrt(dm * dm + 0.01 + std::pow((1 - std::abs(slopeP)) * 0.5, 2));
  EXPECT_NEAR(out.dRho, dRho, 1e-3 * dRho);
  EXPECT_NEAR(out.dK, dK, 1e-3 * dK);

  // Nitrogen lowered, the others raised in proportion.
  auto shifted = [&](double n2) {
    Gas g{};
    const double others = 100 - x[rgaz::kNitrogen];
    for (std::size_t k = 0; k < kComponentCount; ++k)
      g[k] = (x[k] - (n2 - x[rgaz::kNitrogen]) * x[k] / others) / 100;
    g[rgaz::kNitrogen] = n2 / 100;
    return g;
  };
  auto rhoX = [&](double n2) { return rgaz::equationState(shifted(n2), T, p)->density; };
  Gas dx{};
  dx[rgaz::kNitrogen] = 30;
  ASSERT_EQ(calcRGazprom(x, dx, T, 0, p, 0, out), 0);
  dRho = std::hypot(dm, logSlope(rhoX, x[rgaz::kNitrogen]) * 30);
  EXPECT_NEAR(out.dRho, dRho, 1e-3 * dRho);
  EXPECT_GT(out.dRho, dm * 1.01);

  // A content of 0.01 % or less is not perturbed: its error adds nothing.
  Gas y = x;
  y[rgaz::kHexane] = 0.01;
  y[rgaz::kMethane] += 0.02;
  dx = {};
  dx[rgaz::kHexane] = 100;
  ASSERT_EQ(calcRGazprom(y, dx, T, 0, p, 0, out), 0);
  EXPECT_DOUBLE_EQ(out.dRho, dm);
}

TEST(RGazpromEntry, PureMethaneHasNoCompositionStep) {
  Gas dx{};
  dx.fill(5);
  MethodOutputs a, b;
  ASSERT_EQ(calcRGazprom(methaneOnly(), dx, 300, 0.2, 5, 0.3, a), 0);
  ASSERT_EQ(calcRGazprom(methaneOnly(), Gas{}, 300, 0.2, 5, 0.3, b), 0);
  EXPECT_EQ(a.dRho, b.dRho);
  EXPECT_EQ(a.dK, b.dK);
  EXPECT_GT(a.dRho, 0.1);
}

TEST(RGazpromEntry, ErrorInputsThatAreNoNumbersGiveACode) {
  MethodOutputs out;
  EXPECT_EQ(calcRGazprom(baseGas(), Gas{}, 300, kInf, 5, 0, out), 9);
  EXPECT_EQ(calcRGazprom(baseGas(), Gas{}, 300, 0, 5, kNaN, out), 10);
  Gas dx{};
  dx[rgaz::kPropane] = kNaN;
  EXPECT_EQ(calcRGazprom(baseGas(), dx, 300, 0, 5, 0, out), 11);
}

TEST(RGazpromEntry, RestartIsLookedAtAfterEachStage) {
  // After the standard evaluation and before each perturbed one: the
  // temperature, the pressure and the ten composition steps.
  int calls = 0;
  MethodOutputs out;
  ASSERT_EQ(calcRGazprom(baseGas(), Gas{}, 300, 0.1, 5, 0.1, out, [&] { ++calls; return false; }),
            0);
  EXPECT_EQ(calls, 13);
  calls = 0;
  ASSERT_EQ(calcRGazprom(methaneOnly(), Gas{}, 300, 0.1, 5, 0.1, out, [&] { ++calls; return false; }),
            0);
  EXPECT_EQ(calls, 3) << "pure methane has no composition step";

  MethodOutputs first;
  first.rho = -1;
  EXPECT_EQ(calcRGazprom(baseGas(), Gas{}, 300, 0.1, 5, 0.1, first, [] { return true; }), 0);
  EXPECT_GT(first.rhoSt, 0);
  EXPECT_EQ(first.rho, -1);
  // A restart is answered with 0 even where a later evaluation would fail.
  EXPECT_EQ(calcRGazprom(baseGas(), Gas{}, 250.01, 0.1, 5, 0.1, first,
                         [&] { return true; }),
            0);
}

// --- robustness -------------------------------------------------------------

TEST(RGazpromRobustness, RandomInputsEndWithACodeOrFiniteResults) {
  std::mt19937_64 rng(53);
  std::uniform_real_distribution<double> u(0, 1);
  const Gas upper = {100, 10, 3.5, 0.75, 0.75, 0.25, 0.25, 0.1, 20, 20};
  const double wild[] = {0, -1, -1e-3, 1e-300, 1e6, 1e300, kNaN, kInf, -kInf};
  int success = 0, failure = 0;
  for (int n = 0; n < 600; ++n) {
    const int mode = n % 4;  // 0, 1 inside; 2 near the limits; 3 wild
    Gas x{};
    double rest = 100;
    for (std::size_t i = 1; i < kComponentCount; ++i) {
      x[i] = (u(rng) < 0.6) ? upper[i] * (mode == 2 ? 1.1 : 0.25) * u(rng) : 0;
      rest -= x[i];
    }
    x[rgaz::kMethane] = rest + (mode == 2 ? (u(rng) - 0.3) * 1.0 : 0);
    if (mode == 3) x[static_cast<std::size_t>(u(rng) * kComponentCount)] = wild[n % 9];
    double T = 250.03 + 99.9 * u(rng), p = 0.10002 + 24.8 * u(rng);
    if (mode == 2) {
      T = 245 + 110 * u(rng);
      p = 0.05 + 25.5 * u(rng);
    }
    if (mode == 3) {
      T = (n % 3 == 0) ? wild[(n / 3) % 9] : T;
      p = (n % 3 == 1) ? wild[(n / 3) % 9] : p;
    }
    Gas dx{};
    for (auto& d : dx) d = 5 * u(rng);
    MethodOutputs out;
    const MethodFailure code = calcRGazprom(x, dx, T, u(rng), p, u(rng), out);
    ASSERT_GE(code, 0);
    ASSERT_LE(code, 11);
    if (code != 0) {
      ++failure;
      continue;
    }
    ++success;
    for (double v : {out.rho, out.rhoSt, out.Z, out.K, out.soundSpeed, out.dRho, out.dRhoSt,
                     out.dK}) {
      ASSERT_TRUE(std::isfinite(v)) << "T=" << T << " p=" << p;
      ASSERT_GT(v, 0);
    }
  }
  EXPECT_GT(success, 250);
  EXPECT_GT(failure, 100);
}

}  // namespace
}  // namespace velmar
