// GOST R 8.662-2009 (AGA8-92DC), module AGA.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "gasprops/AGA.h"
#include "gasprops/aga8_detail_eos.h"
#include "gasprops/method_messages.h"
#include "tests/gasprops/aga8_table_check.h"
#include "json_reader.h"
#include "test_support.h"

namespace velmar {
namespace {

using aga::kComponentCount;
using Gas = std::array<double, kComponentCount>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr std::array<const char*, kComponentCount> kColumns = {
    "nitrogen_mol_pct",     "carbon_dioxide_mol_pct",    "methane_mol_pct",
    "ethane_mol_pct",       "propane_mol_pct",           "n_butane_mol_pct",
    "i_butane_mol_pct",     "n_pentane_mol_pct",         "i_pentane_mol_pct",
    "n_hexane_mol_pct",     "n_heptane_mol_pct",         "n_octane_mol_pct",
    "n_nonane_mol_pct",     "n_decane_mol_pct",          "hydrogen_mol_pct",
    "oxygen_mol_pct",       "carbon_monoxide_mol_pct",   "water_mol_pct",
    "hydrogen_sulphide_mol_pct", "helium_mol_pct",       "argon_mol_pct"};

Gas contents(const testing::CsvRow& row) {
  Gas x{};
  for (std::size_t i = 0; i < kComponentCount; ++i) x[i] = row.number(kColumns[i]);
  return x;
}

// A pipeline gas inside every limit: methane 90, ethane 5, propane 2,
// nitrogen 1.5, carbon dioxide 1.5 mol %.
Gas baseGas() {
  Gas x{};
  x[aga::kMethane] = 90;
  x[aga::kEthane] = 5;
  x[aga::kPropane] = 2;
  x[aga::kNitrogen] = 1.5;
  x[aga::kCarbonDioxide] = 1.5;
  return x;
}

double rel(double a, double b) { return std::abs(a / b - 1); }

TEST(AgaTables, MatchTheVerifiedData) {
  const auto data = testing::readReferenceJson("aga8_92dc.json");
  testing::expectModelMatchesJson(aga::model(), data);
  // The pairs written in the source are exactly the non-default pairs.
  const auto& pairs = data["binary"]["nondefault_pairs"].array();
  ASSERT_EQ(aga::nonDefaultPairs().size(), pairs.size());
  EXPECT_EQ(pairs.size(), 61u);
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    const auto& entry = aga::nonDefaultPairs()[k];
    EXPECT_EQ(entry.i, static_cast<std::size_t>(pairs[k]["i"].number()));
    EXPECT_EQ(entry.j, static_cast<std::size_t>(pairs[k]["j"].number()));
  }
}

// Reference: NIST's DETAIL code (README_aga8_gerg2008.md), printed with 12
// significant digits, its density solved to ~1e-13. Our Newton iteration
// stops at |ΔD/D| <= 1e-6, which after a quadratic step leaves ~1e-12; the
// traces that the method turns into 1e-10 shift Z by < 1e-9. So 1e-8 for Z
// and the density and 1e-7 for the speed of sound hold with a wide margin.
TEST(AgaReference, EquationMatchesDetailOnEveryRow) {
  const auto rows = testing::readReferenceCsv("aga8_detail_reference.csv");
  ASSERT_EQ(rows.size(), 282u);
  for (const auto& row : rows) {
    const Gas x = contents(row);
    Gas f{};
    for (std::size_t i = 0; i < kComponentCount; ++i) f[i] = x[i] / 100;
    const double T = row.number("T_K"), p = row.number("p_MPa");
    SCOPED_TRACE(row.text("gas_id") + " T=" + row.text("T_K") + " p=" + row.text("p_MPa"));
    const auto e = aga::equationState(f, T, p);
    ASSERT_TRUE(e.has_value());
    EXPECT_LT(rel(e->Z, row.number("Z")), 1e-8);
    EXPECT_LT(rel(e->density, row.number("rho_kg_per_m3")), 1e-8);
    EXPECT_LT(rel(e->molarDensity, row.number("rho_mol_per_dm3")), 1e-8);
    EXPECT_LT(rel(e->soundSpeed, row.number("w_m_per_s")), 1e-7);
    EXPECT_LT(rel(e->molarMass, row.number("M_g_per_mol")), 1e-9);
  }
}

// Rows inside the method's limits through the method itself (the strict
// state and the whole entry with zero input errors).
TEST(AgaReference, MethodMatchesDetailInsideItsLimits) {
  int checked = 0;
  for (const auto& row : testing::readReferenceCsv("aga8_detail_reference.csv")) {
    if (row.text("in_gost_r_8662_limits") != "1") continue;
    const double T = row.number("T_K"), p = row.number("p_MPa");
    if (p < 0.1) continue;
    SCOPED_TRACE(row.text("gas_id") + " T=" + row.text("T_K") + " p=" + row.text("p_MPa"));
    const Gas x = contents(row);
    const auto s = aga::agaState(x, T, p, true);
    ASSERT_EQ(s.code, 0);
    EXPECT_LT(rel(s.Z, row.number("Z")), 1e-8);
    EXPECT_LT(rel(s.rho, row.number("rho_kg_per_m3")), 1e-8);
    EXPECT_LT(rel(s.soundSpeed, row.number("w_m_per_s")), 1e-7);
    EXPECT_EQ(s.methodError, aga::methodError(T, p));

    MethodOutputs out;
    const Gas zero{};
    ASSERT_EQ(calcAga(x, zero, T, 0, p, 0, out), 0);
    EXPECT_LT(rel(out.K, row.number("K_Z_over_Zstd")), 1e-8);
    EXPECT_LT(rel(out.rho, row.number("rho_kg_per_m3")), 1e-8);
    EXPECT_LT(rel(out.soundSpeed, row.number("w_m_per_s")), 1e-7);
    EXPECT_EQ(out.Z, s.Z);
    ++checked;
  }
  EXPECT_GT(checked, 150);
}

// --- limits -----------------------------------------------------------------

struct LimitCase {
  const char* what;
  std::size_t component;
  double value;  // methane takes up the difference
  MethodFailure code;
};

// Each case breaks (or just meets) one check of the composition.
TEST(AgaLimits, EachCompositionCheckHasItsCode) {
  const LimitCase cases[] = {
      {"nitrogen 20.5", aga::kNitrogen, 20.5, 1},
      {"nitrogen 20 (bound)", aga::kNitrogen, 20, 0},
      {"carbon dioxide 20.5", aga::kCarbonDioxide, 20.5, 2},
      {"ethane 10.5", aga::kEthane, 10.5, 4},
      {"ethane -0.04", aga::kEthane, -0.04, 4},
      {"propane 3.6", aga::kPropane, 3.6, 5},
      {"propane 3.5 (bound)", aga::kPropane, 3.5, 0},
      {"n-butane 1.6", aga::kNButane, 1.6, 6},
      {"i-butane 1.6", aga::kIButane, 1.6, 6},
      {"n-pentane 0.6", aga::kNPentane, 0.6, 7},
      {"i-pentane 0.6", aga::kIPentane, 0.6, 7},
      {"n-hexane 0.11", aga::kNHexane, 0.11, 8},
      {"n-heptane 0.06", aga::kNHeptane, 0.06, 9},
      {"n-heptane 0.05 (bound)", aga::kNHeptane, 0.05, 0},
      {"n-octane 0.06", aga::kNOctane, 0.06, 10},
      {"n-nonane 0.06", aga::kNNonane, 0.06, 10},
      {"n-decane 0.06", aga::kNDecane, 0.06, 10},
      {"hydrogen 10.1", aga::kHydrogen, 10.1, 11},
      {"carbon monoxide 3.1", aga::kCarbonMonoxide, 3.1, 12},
      {"water 0.016", aga::kWater, 0.016, 13},
      {"water 0.015 (bound)", aga::kWater, 0.015, 0},
      {"helium 0.51", aga::kHelium, 0.51, 14},
      {"oxygen 0.021", aga::kOxygen, 0.021, 15},
      {"hydrogen sulphide 0.021", aga::kHydrogenSulphide, 0.021, 16},
      {"argon 0.021", aga::kArgon, 0.021, 17},
      {"argon 0.02 (bound)", aga::kArgon, 0.02, 0},
  };
  for (const auto& c : cases) {
    Gas x = baseGas();
    x[aga::kMethane] -= c.value - x[c.component];
    x[c.component] = c.value;
    EXPECT_EQ(aga::agaState(x, 300, 5, true).code, c.code) << c.what;
  }
  // The sums of the butanes, pentanes and heavier hydrocarbons are checked,
  // not each of them.
  Gas x = baseGas();
  x[aga::kNOctane] = x[aga::kNNonane] = 0.02;
  x[aga::kNDecane] = 0.011;
  x[aga::kMethane] -= 0.051;
  EXPECT_EQ(aga::agaState(x, 300, 5, true).code, 10);
  x[aga::kNDecane] = 0.009;
  x[aga::kMethane] += 0.002;
  EXPECT_EQ(aga::agaState(x, 300, 5, true).code, 0);
  // Methane 70 and 100 are inside.
  Gas lean{};
  lean[aga::kMethane] = 70;
  lean[aga::kNitrogen] = 20;
  lean[aga::kEthane] = 10;
  EXPECT_EQ(aga::agaState(lean, 300, 5, true).code, 0);
  lean[aga::kMethane] = 69.9;
  lean[aga::kEthane] = 10;
  lean[aga::kPropane] = 0.1;
  EXPECT_EQ(aga::agaState(lean, 300, 5, true).code, 3);
  Gas methane{};
  methane[aga::kMethane] = 100;
  EXPECT_EQ(aga::agaState(methane, 300, 5, true).code, 0);
}

TEST(AgaLimits, TemperatureAndPressureBoundsAreInclusive) {
  const Gas x = baseGas();
  struct Case {
    double T, p;
    MethodFailure code;
  } cases[] = {{250, 5, 0},      {350, 5, 0},  {249.99, 5, 18}, {350.01, 5, 18},
               {300, 0.1, 0},    {300, 30, 0}, {300, 0.0999, 19}, {300, 30.01, 19},
               {300, 0, 19},     {0, 5, 18},   {kNaN, 5, 18},   {300, kNaN, 19},
               {240, 31, 19}};  // both fail: the later check stands
  for (const auto& c : cases)
    EXPECT_EQ(aga::agaState(x, c.T, c.p, true).code, c.code) << c.T << " K, " << c.p << " MPa";
}

TEST(AgaLimits, TheLastFailingCheckStands) {
  // Methane 40 % fails (3) and ethane 12 % fails (4): code 4 is reported.
  Gas x{};
  x[aga::kMethane] = 40;
  x[aga::kEthane] = 12;
  x[aga::kNitrogen] = 20;
  x[aga::kCarbonDioxide] = 20;
  x[aga::kPropane] = 3.5;
  x[aga::kHydrogen] = 4.5;
  EXPECT_EQ(aga::agaState(x, 300, 5, true).code, 4);
  MethodOutputs out;
  EXPECT_EQ(calcAga(x, Gas{}, 300, 0, 5, 0, out), 4);
  EXPECT_EQ(kAgaMessages[4 - 1], "Допустипый диапазон молярной доли этана 0-10%");
}

TEST(AgaLimits, SumOfContentsWithinFiveHundredthsOfAPercent) {
  struct Case {
    double methane;
    MethodFailure code;
  } cases[] = {{90.06, 20}, {89.94, 20}, {90.05, 0}, {89.95, 0}};
  for (const auto& c : cases) {
    Gas x = baseGas();
    x[aga::kMethane] = c.methane;
    EXPECT_EQ(aga::agaState(x, 300, 5, true).code, c.code) << c.methane;
    EXPECT_EQ(aga::agaState(x, 300, 5, false).code, c.code) << c.methane;
  }
  Gas x = baseGas();
  x[aga::kMethane] = 90.06;  // sum 100.06 %
  MethodOutputs out;
  EXPECT_EQ(calcAga(x, Gas{}, 300, 0, 5, 0, out), 20);
  EXPECT_EQ(kAgaMessages[20 - 1], "Допустимое содержание прочих компонентов 0-0.05%");
  // Not a number anywhere in the composition fails the sum check.
  x = baseGas();
  x[aga::kHelium] = kNaN;
  EXPECT_EQ(aga::agaState(x, 300, 5, false).code, 20);
}

TEST(AgaLimits, NonStrictStateIsClampedIntoTheRange) {
  Gas x{};
  x[aga::kMethane] = 60;  // outside the limits: not looked at
  x[aga::kEthane] = 40;
  const auto hot = aga::agaState(x, 400, 40, false);
  const auto edge = aga::agaState(x, 350, 30, false);
  ASSERT_EQ(hot.code, 0);
  EXPECT_EQ(hot.rho, edge.rho);
  EXPECT_EQ(hot.Z, edge.Z);
  const auto cold = aga::agaState(x, 100, 0.01, false);
  const auto low = aga::agaState(x, 250, 0.1, false);
  ASSERT_EQ(cold.code, 0);
  EXPECT_EQ(cold.rho, low.rho);
}

TEST(AgaLimits, TracesAndNegativeContentsCountAsTenToTheMinusTen) {
  const Gas x = baseGas();
  Gas y = x;
  y[aga::kHelium] = 5e-8;  // below 1e-7 %: the fraction 1e-10, as a zero content
  const auto a = aga::agaState(x, 300, 5, true);
  const auto b = aga::agaState(y, 300, 5, true);
  EXPECT_EQ(a.code, 0);
  EXPECT_EQ(b.code, 0);
  EXPECT_EQ(a.rho, b.rho);
  EXPECT_EQ(a.soundSpeed, b.soundSpeed);
  // A negative content fails its range check in the strict state; in a
  // perturbed state it is a trace like any other.
  y[aga::kHelium] = -1e-8;
  EXPECT_EQ(aga::agaState(y, 300, 5, true).code, 14);
  const auto c = aga::agaState(y, 300, 5, false);
  EXPECT_EQ(c.code, 0);
  EXPECT_EQ(a.rho, c.rho);
}

// A state the equation cannot solve (pure propane at 5 MPa, 300 K is a
// liquid; Newton's method from the ideal-gas density does not settle) ends
// with a code, never with a hang.
TEST(AgaLimits, DensityThatCannotBeFoundGivesThePressureCode) {
  Gas x{};
  x[aga::kPropane] = 100;
  EXPECT_EQ(aga::agaState(x, 300, 5, false).code, aga::kNoDensity);
  Gas f{};
  f[aga::kPropane] = 1;
  aga8::Settings capped;
  capped.maxNewtonSteps = 1;
  EXPECT_FALSE(aga8::evaluate(aga::equation(), f, 300, 0.1, capped).has_value());
  capped.maxNewtonSteps = 100;
  const auto e = aga8::evaluate(aga::equation(), f, 300, 0.1, capped);
  ASSERT_TRUE(e.has_value());
  EXPECT_LE(e->newtonSteps, 6);
}

// --- method error -----------------------------------------------------------

TEST(AgaMethodError, FiveRegionsOfThePlane) {
  struct Case {
    double T, p, expected;
  } cases[] = {
      {300, 5, 0.1},    {300, 25, 0.2},   {300, 24, 0.2},   {300, 23.9, 0.1},
      {260, 10, 0.2},   {260, 5, 0.1},    {260, 24, 0.4},   {250, 0.1, 0.1},
      {250, 2.1, 0.2},  {250, 2, 0.1},    {270, 12, 0.1},   {270, 13, 0.2},   {267, 7.502, 0.1},
      {285, 30, 0.1},   {280, 30.1, 0.1}, {295, 30, 0.2},   {294.99, 30, 0.1},
      {320, 15, 0.2},   {320, 14.9, 0.1}, {350, 24, 0.2},   {293.15, 0.101325, 0.1},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(aga::methodError(c.T, c.p), c.expected) << c.T << " K, " << c.p << " MPa";
}

// --- the entry ----------------------------------------------------------------

TEST(AgaEntry, ErrorsWithoutInputErrorsAreTheMethodErrors) {
  MethodOutputs out;
  const Gas x = baseGas();
  ASSERT_EQ(calcAga(x, Gas{}, 293.15, 0, 0.101325, 0, out), 0);
  EXPECT_DOUBLE_EQ(out.K, 1.0);
  EXPECT_DOUBLE_EQ(out.rho, out.rhoSt);
  EXPECT_DOUBLE_EQ(out.dRhoSt, 0.1);
  EXPECT_DOUBLE_EQ(out.dRho, 0.1);
  EXPECT_NEAR(out.dK, std::sqrt(0.02), 1e-15);

  ASSERT_EQ(calcAga(x, Gas{}, 300, 0, 25, 0, out), 0);
  EXPECT_DOUBLE_EQ(out.dRho, 0.2);
  EXPECT_NEAR(out.dK, std::sqrt(0.04 + 0.01), 1e-15);
}

// Relative sensitivity d ln(y)/d ln(v) by a central difference of the
// equation alone, as an independent measure of what the entry derives.
template <class F>
double logSlope(F y, double v) {
  const double h = 1e-4;
  return (std::log(y(v * (1 + h))) - std::log(y(v * (1 - h)))) / (std::log1p(h) - std::log1p(-h));
}

Gas fractions(const Gas& x) {
  Gas f{};
  for (std::size_t i = 0; i < kComponentCount; ++i) f[i] = x[i] < 1e-7 ? 1e-10 : x[i] / 100;
  return f;
}

// The density and K carry the same temperature and pressure coefficients,
// both from the relative change of Z, with the direct effect (I, P) added.
TEST(AgaEntry, TemperatureAndPressureSensitivitiesWithTheSwitches) {
  const Gas x = baseGas();
  const Gas f = fractions(x);
  const double T = 280, p = 8, dm = aga::methodError(T, p);
  auto zAtT = [&](double t) { return aga::equationState(f, t, p)->Z; };
  auto zAtP = [&](double q) { return aga::equationState(f, T, q)->Z; };
  const double slopeT = logSlope(zAtT, T);  // with its sign
  const double slopeP = logSlope(zAtP, p);
  const double sZT = std::abs(slopeT);
  const double sZP = std::abs(slopeP);
  const double dT = 0.3, dp = 0.5;
  // The density's own relative changes, whatever the switches.
  const double rhoT = std::abs(1 + slopeT);
  const double rhoP = std::abs(1 - slopeP);

  // The entry's one-sided step of 1e-5 differs from the central slope by
  // about 1e-5 relative: 1e-4 is held.
  for (int I : {0, 1}) {
    MethodOutputs out;
    ASSERT_EQ(calcAga(x, Gas{}, T, dT, p, 0, out, {}, {I, 1}), 0);
    const double dRho = std::hypot(dm, rhoT * dT);
    const double dK = std::sqrt(dm * dm + 0.01 + std::pow((sZT + I) * dT, 2));
    EXPECT_NEAR(out.dRho, dRho, 1e-4 * dRho) << "I=" << I;
    EXPECT_NEAR(out.dK, dK, 1e-4 * dK) << "I=" << I;
  }
  for (int P : {0, 1}) {
    MethodOutputs out;
    ASSERT_EQ(calcAga(x, Gas{}, T, 0, p, dp, out, {}, {1, P}), 0);
    const double dRho = std::hypot(dm, rhoP * dp);
    const double dK = std::sqrt(dm * dm + 0.01 + std::pow((P - sZP) * dp, 2));
    EXPECT_NEAR(out.dRho, dRho, 1e-4 * dRho) << "P=" << P;
    EXPECT_NEAR(out.dK, dK, 1e-4 * dK) << "P=" << P;
  }
  // The pressure error stays in the density error with its full weight
  // (Z falls with pressure here, so the coefficient is above 1).
  {
    MethodOutputs out;
    ASSERT_EQ(calcAga(x, Gas{}, T, 0, p, dp, out), 0);
    EXPECT_GT(out.dRho, dp);
  }
}

TEST(AgaEntry, CompositionSensitivityKeepsTheSum) {
  const Gas x = baseGas();
  const double T = 280, p = 8, dm = aga::methodError(T, p);
  MethodOutputs ref;
  ASSERT_EQ(calcAga(x, Gas{}, T, 0, p, 0, ref), 0);
  // Ethane raised, the others lowered in proportion.
  auto shifted = [&](double ethane) {
    Gas y = x;
    const double others = 100 - x[aga::kEthane];
    for (std::size_t k = 0; k < kComponentCount; ++k)
      if (k != aga::kEthane) y[k] = x[k] - (ethane - x[aga::kEthane]) * x[k] / others;
    y[aga::kEthane] = ethane;
    return fractions(y);
  };
  auto rho = [&](double e) { return aga::equationState(shifted(e), T, p)->density; };
  auto z = [&](double e) { return aga::equationState(shifted(e), T, p)->Z; };
  const double sRho = std::abs(logSlope(rho, x[aga::kEthane]));
  const double sZ = std::abs(logSlope(z, x[aga::kEthane]));
  Gas dx{};
  dx[aga::kEthane] = 2;
  MethodOutputs out;
  ASSERT_EQ(calcAga(x, dx, T, 0, p, 0, out), 0);
  const double dRho = std::hypot(dm, sRho * 2);
  const double dK = std::sqrt(dm * dm + 0.01 + std::pow(sZ * 2, 2));
  EXPECT_NEAR(out.dRho, dRho, 1e-4 * dRho);
  EXPECT_NEAR(out.dK, dK, 1e-4 * dK);
  EXPECT_GT(out.dRho, dm * 1.01);  // the composition term is really there

  // The error of an absent component, or of one below 5e-5 %, adds nothing.
  Gas y = x;
  y[aga::kHelium] = 4e-5;
  y[aga::kMethane] -= 4e-5;
  dx = {};
  dx[aga::kArgon] = 50;
  dx[aga::kHelium] = 50;
  MethodOutputs none;
  ASSERT_EQ(calcAga(y, dx, T, 0, p, 0, none), 0);
  EXPECT_DOUBLE_EQ(none.dRho, dm);
}

TEST(AgaEntry, ErrorInputsThatAreNoNumbersGiveACode) {
  const Gas x = baseGas();
  MethodOutputs out;
  EXPECT_EQ(calcAga(x, Gas{}, 300, kNaN, 5, 0, out), 18);
  EXPECT_EQ(calcAga(x, Gas{}, 300, 0, 5, kInf, out), 19);
  Gas dx{};
  dx[aga::kEthane] = kNaN;
  EXPECT_EQ(calcAga(x, dx, 300, 0, 5, 0, out), 20);
  dx[aga::kEthane] = 0;
  dx[aga::kArgon] = kNaN;  // argon absent: its error is not used
  EXPECT_EQ(calcAga(x, dx, 300, 0, 5, 0, out), 0);
  EXPECT_TRUE(std::isfinite(out.dRho));
}

TEST(AgaEntry, RestartIsLookedAtBetweenEvaluations) {
  const Gas x = baseGas();  // five components: 4 + 5 evaluations
  int calls = 0;
  MethodOutputs out;
  ASSERT_EQ(calcAga(x, Gas{}, 300, 0.1, 5, 0.1, out, [&] { ++calls; return false; }), 0);
  EXPECT_EQ(calls, 8);

  MethodOutputs first;
  first.rho = first.dRho = -1;
  EXPECT_EQ(calcAga(x, Gas{}, 300, 0.1, 5, 0.1, first, [] { return true; }), 0);
  EXPECT_GT(first.rhoSt, 0);     // the standard state was evaluated
  EXPECT_EQ(first.rho, -1);      // nothing after it
  EXPECT_EQ(first.dRho, -1);

  // A restart asked for during the last composition step still leaves the
  // error unwritten.
  calls = 0;
  MethodOutputs late;
  late.dRho = -1;
  EXPECT_EQ(calcAga(x, Gas{}, 300, 0.1, 5, 0.1, late, [&] { return ++calls == 8; }), 0);
  EXPECT_GT(late.rho, 0);
  EXPECT_EQ(late.dRho, -1);
}

// --- robustness -------------------------------------------------------------

// Compositions and states inside the limits, just outside them and far
// outside: every call ends with a code of the table or with finite results.
TEST(AgaRobustness, RandomInputsEndWithACodeOrFiniteResults) {
  std::mt19937_64 rng(8662);
  std::uniform_real_distribution<double> u(0, 1);
  const std::array<double, kComponentCount> upper = {20,  20,   100,  10,   3.5,   0.75, 0.75,
                                                     0.25, 0.25, 0.1, 0.05, 0.016, 0.016, 0.016,
                                                     10,  0.02, 3,    0.015, 0.02, 0.5,  0.02};
  const double wild[] = {0, -1, -1e-3, 1e-300, 1e6, 1e300, kNaN, kInf, -kInf};
  int success = 0, failure = 0;
  for (int n = 0; n < 400; ++n) {
    const int mode = n % 4;  // 0, 1 inside; 2 near the limits; 3 wild
    Gas x{};
    double rest = 100;
    for (std::size_t i = 0; i < kComponentCount; ++i) {
      if (i == aga::kMethane) continue;
      const double scale = (mode == 2) ? 1.1 : 0.3;
      x[i] = (u(rng) < 0.5) ? upper[i] * scale * u(rng) : 0;
      rest -= x[i];
    }
    x[aga::kMethane] = rest;
    if (mode == 2) x[aga::kMethane] += (u(rng) - 0.5) * 0.2;
    if (mode == 3) x[static_cast<std::size_t>(u(rng) * kComponentCount)] = wild[n % 9];
    double T = 250 + 100 * u(rng), p = 0.1 + 29.9 * u(rng);
    if (mode == 2) {
      T = 245 + 110 * u(rng);
      p = 0.05 + 30.5 * u(rng);
    }
    if (mode == 3) {
      T = (n % 3 == 0) ? wild[(n / 3) % 9] : T;
      p = (n % 3 == 1) ? wild[(n / 3) % 9] : p;
    }
    Gas dx{};
    for (auto& d : dx) d = 5 * u(rng);
    MethodOutputs out;
    const MethodFailure code = calcAga(x, dx, T, u(rng), p, u(rng), out, {},
                                       {static_cast<int>(n % 2), static_cast<int>(n % 3 % 2)});
    ASSERT_GE(code, 0);
    ASSERT_LE(code, 20);
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
  EXPECT_GT(success, 150);
  EXPECT_GT(failure, 50);
}

}  // namespace
}  // namespace velmar
