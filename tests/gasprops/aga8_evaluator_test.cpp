// The AGA8-92DC evaluator: the kept mixing sums of a composition, their
// low-rank change for a content step, and the powers of the equation's terms.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "gasprops/AGA.h"
#include "gasprops/RGazprom2008.h"
#include "gasprops/aga8_detail_eos.h"
#include "gasprops/perturbation_error.h"

namespace velmar {
namespace {

using Fractions = std::array<double, aga::kComponentCount>;

double rel(double a, double b) { return std::abs(a / b - 1); }

// The 21-component example gas of NIST's DETAIL program (outside the method's
// limits, but every component present), as mole fractions.
Fractions exampleGas() {
  return {0.02,    0.06,    0.77824, 0.08,  0.03,  0.003,  0.0015, 0.00165, 0.0005, 0.00215, 0.00088,
          0.00024, 0.00015, 0.00009, 0.004, 0.005, 0.002,  0.0001, 0.0025,  0.007,  0.001};
}

// What a fresh evaluator (mixing in full) gives.
aga8::Properties fresh(std::span<const double, aga::kComponentCount> f, double T, double p) {
  return *aga::equationState(f, T, p);
}

void expectSameState(const aga8::Properties& a, const aga8::Properties& b) {
  EXPECT_EQ(a.Z, b.Z);
  EXPECT_EQ(a.density, b.density);
  EXPECT_EQ(a.soundSpeed, b.soundSpeed);
  EXPECT_EQ(a.newtonSteps, b.newtonSteps);
}

// States of one composition at other temperatures and pressures mix once,
// and give exactly what an evaluation on its own gives; the temperatures
// kept in the ring do not stand in for one another.
TEST(AgaEvaluator, StatesOfOneCompositionMixOnceAndMatchSingleEvaluations) {
  aga8::Evaluator e = aga::evaluator();
  const Fractions f = exampleGas();
  const double states[][2] = {{293.15, 0.101325}, {280, 5}, {280.0028, 5}, {280, 5.00005},
                              {250, 12},          {350, 0.5}, {280, 5},    {293.15, 0.101325}};
  for (const auto& s : states) {
    SCOPED_TRACE(testing::Message() << s[0] << " K " << s[1] << " MPa");
    const auto kept = e.evaluate(f, s[0], s[1]);
    ASSERT_TRUE(kept.has_value());
    expectSameState(*kept, fresh(f, s[0], s[1]));
  }
  EXPECT_EQ(e.mixings(), 1);
}

// The composition is the same only when every fraction is equal: a change
// of one part in 10^9 (which a tolerance of 1e-7, as in NIST's own cache,
// would take for none) is mixed anew and gives its own state.
TEST(AgaEvaluator, ACompositionChangedByOnePartInABillionIsMixedAnew) {
  aga8::Evaluator e = aga::evaluator();
  Fractions f = exampleGas();
  const auto a = e.evaluate(f, 280, 8);
  f[aga::kEthane] += 1e-9;
  f[aga::kMethane] -= 1e-9;
  const auto b = e.evaluate(f, 280, 8);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(e.mixings(), 2);
  EXPECT_NE(a->Z, b->Z);
  const aga8::Properties alone = fresh(f, 280, 8);
  EXPECT_LT(rel(b->Z, alone.Z), 1e-14);
  EXPECT_LT(rel(b->density, alone.density), 1e-14);
  // Back to the first composition: its state again, to the last digit.
  f = exampleGas();
  expectSameState(*e.evaluate(f, 280, 8), *a);
}

// The content steps of the error estimate (one content times the step, the
// others lowered in proportion) are low-rank changes of the kept sums. They
// must give the states that mixing in full gives, and above all the same
// differences from the working state, which are what the sensitivities are
// made of: held to 1e-6 of the difference (a sensitivity printed with five
// significant digits needs 1e-5), the states themselves to 1e-13.
struct StepCase {
  const char* what;
  Fractions f;
  double step;
  bool floorArgon = false;  // argon, a trace, set to 1e-8 after the step
};

TEST(AgaEvaluator, ContentStepsGiveTheStatesAndDifferencesOfFullMixing) {
  Fractions traces{};
  traces[aga::kMethane] = 0.9;
  traces[aga::kEthane] = 0.05;
  traces[aga::kPropane] = 0.02;
  traces[aga::kNitrogen] = 0.015;
  traces[aga::kCarbonDioxide] = 0.015;
  for (double& v : traces)
    if (v == 0) v = 1e-10;  // the method's fraction for an absent component
  const StepCase cases[] = {{"example gas, step up", exampleGas(), 1.00001},
                            {"example gas, step down", exampleGas(), 0.9999},
                            {"pipeline gas with traces", traces, 1.00001},
                            {"a trace floored after the step (a negative content of the "
                             "method becomes 1e-6 %)",
                             traces, 1.00001, true}};
  const double T = 275, p = 7;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    aga8::Evaluator e = aga::evaluator();
    const aga8::Properties base = *e.evaluate(c.f, T, p);
    for (std::size_t j = 0; j < aga::kComponentCount; ++j) {
      if (!(c.f[j] > 1e-9)) continue;
      SCOPED_TRACE(testing::Message() << "component " << j);
      Fractions g = c.f;
      double others = 0;
      for (std::size_t k = 0; k < g.size(); ++k)
        if (k != j) others += c.f[k];
      g[j] = c.step * c.f[j];
      for (std::size_t k = 0; k < g.size(); ++k)
        if (k != j) g[k] = c.f[k] - (g[j] - c.f[j]) * c.f[k] / others;
      if (c.floorArgon && j != aga::kArgon) g[aga::kArgon] = 1e-8;
      const aga8::Properties kept = *e.evaluate(g, T, p);
      const aga8::Properties full = fresh(g, T, p);
      EXPECT_LT(rel(kept.Z, full.Z), 1e-13);
      EXPECT_LT(rel(kept.density, full.density), 1e-13);
      EXPECT_LT(rel(kept.soundSpeed, full.soundSpeed), 1e-13);
      const double dFull = full.density - base.density;
      const double dKept = kept.density - base.density;
      EXPECT_LE(std::abs(dKept - dFull), 1e-6 * std::abs(dFull) + 1e-15 * base.density);
    }
    EXPECT_GT(e.lowRankMixings(), 0);
  }
}

// R Gazprom 5.3 leaves fractions below 1e-6 out of the sums: a step that
// takes a content across that cut changes which components take part, and
// the kept sums follow it.
TEST(AgaEvaluator, AContentCrossingTheMixingCutIsFollowed) {
  std::array<double, rgaz::kComponentCount> f = {0.93, 0.03, 0.01, 1.000004e-6, 0.002,
                                                  0.001, 0.001, 0.0005, 0.015, 0.01};
  double sum = 0;
  for (double v : f) sum += v;
  f[rgaz::kMethane] += 1 - sum;
  aga8::Evaluator e = rgaz::evaluator();
  const double T = 290, p = 6;
  ASSERT_TRUE(e.evaluate(f, T, p).has_value());
  auto g = f;
  g[rgaz::kIButane] = 0.99999e-6;  // below the cut
  g[rgaz::kMethane] += f[rgaz::kIButane] - g[rgaz::kIButane];
  const auto kept = e.evaluate(g, T, p);
  const auto full = rgaz::equationState(g, T, p);
  ASSERT_TRUE(kept && full);
  EXPECT_LT(rel(kept->Z, full->Z), 1e-13);
  EXPECT_LT(rel(kept->molarMass, full->molarMass), 1e-15);
  EXPECT_EQ(e.lowRankMixings(), 1);
}

// A composition that is no scaled copy of the kept one is mixed in full,
// and the two alternating compositions give their own states every time.
TEST(AgaEvaluator, UnrelatedCompositionsAreMixedInFull) {
  Fractions other{};
  other[aga::kMethane] = 0.85;
  other[aga::kEthane] = 0.1;
  other[aga::kNitrogen] = 0.05;
  aga8::Evaluator e = aga::evaluator();
  for (int round = 0; round < 3; ++round) {
    expectSameState(*e.evaluate(exampleGas(), 300, 4), fresh(exampleGas(), 300, 4));
    expectSameState(*e.evaluate(other, 300, 4), fresh(other, 300, 4));
  }
  EXPECT_EQ(e.mixings(), 6);
  EXPECT_EQ(e.lowRankMixings(), 0);
}

// The whole error estimate with the kept evaluator against the same estimate
// with every state evaluated on its own: the errors agree to 1e-8, far below
// the three decimals they are shown with.
TEST(AgaEvaluator, ErrorEstimateMatchesOneWithSeparateEvaluations) {
  std::mt19937_64 rng(2009);
  std::uniform_real_distribution<double> u(0, 1);
  const std::array<double, aga::kComponentCount> upper = {
      20, 20, 100, 10, 3.5, 0.75, 0.75, 0.25, 0.25, 0.1, 0.05, 0.016, 0.016, 0.016,
      10, 0.02, 3, 0.015, 0.02, 0.5, 0.02};
  int compared = 0;
  for (int n = 0; n < 60; ++n) {
    std::array<double, aga::kComponentCount> x{};
    double rest = 100;
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (i == aga::kMethane) continue;
      x[i] = (u(rng) < 0.6) ? upper[i] * 0.3 * u(rng) : 0;
      rest -= x[i];
    }
    x[aga::kMethane] = rest;
    std::array<double, aga::kComponentCount> dx{};
    for (auto& d : dx) d = 5 * u(rng);
    const double T = 250 + 100 * u(rng), p = 0.1 + 29.9 * u(rng);
    MethodOutputs out;
    if (calcAga(x, dx, T, 0.5, p, 0.5, out) != 0) continue;

    const aga::State w = aga::agaState(x, T, p, true);
    const aga::State st = aga::agaState(x, 293.15, 0.101325, true);
    const perturbation::Constants c{.step = 1.00001, .smallestContent = 5e-5,
                                    .negativeContentFloor = 1e-6, .nonFinite = {18, 19, 20}};
    const perturbation::BaseStates b{T, p, w.rho, w.Z, st.Z, w.methodError, st.methodError};
    const auto separate = [](std::span<const double, aga::kComponentCount> xs, double Ts, double ps) {
      return aga::agaState(xs, Ts, ps, false);
    };
    MethodOutputs ref;
    ASSERT_EQ(perturbation::estimateErrors(separate, std::span<const double, 21>(x),
                                           std::span<const double, 21>(dx), b, {0.5, 0.5}, c, {}, ref),
              0);
    EXPECT_LT(rel(out.dRho, ref.dRho), 1e-8) << n;
    EXPECT_LT(rel(out.dK, ref.dK), 1e-8) << n;
    ++compared;
  }
  EXPECT_GT(compared, 40);
}

// Powers of the terms: every exponent of the equation (multiples of 1/2
// from −13 to 23) from the table, to within a few roundings of pow; any
// other exponent from pow itself.
TEST(AgaEvaluator, HalfPowersMatchPow) {
  std::vector<double> u;
  for (int m = -26; m <= 46; ++m) u.push_back(m / 2.0);
  u.push_back(0.3);
  u.push_back(-40.5);  // beyond the table
  const aga8::HalfPowers powers(u);
  std::vector<double> out(u.size());
  for (double v : {1e-3, 0.0034, 0.7, 1.0, 1.9, 293.15, 489.558373}) {
    powers.of(v, out);
    for (std::size_t n = 0; n < u.size(); ++n) {
      const double expected = std::pow(v, u[n]);
      if (!std::isfinite(expected) || expected == 0) continue;
      EXPECT_LT(rel(out[n], expected), 2e-15) << v << "^" << u[n];
    }
  }
}

TEST(AgaEvaluator, AnInconsistentModelIsRefused) {
  aga8::Model m = aga::model();
  m.binary = m.binary.first(20);
  EXPECT_THROW(aga8::Equation{m}, std::invalid_argument);
  m = aga::model();
  m.heatCapacity = m.heatCapacity.first(20);
  EXPECT_THROW(aga8::Equation{m}, std::invalid_argument);
  EXPECT_NO_THROW(aga8::Equation{aga::model()});
}

}  // namespace
}  // namespace velmar
