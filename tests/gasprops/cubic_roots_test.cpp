#include "gasprops/cubic_roots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace velmar {
namespace {

double residual(double a, double b, double c, double v) { return ((v + c) * v + b) * v + a; }

// v³ + c·v² + b·v + a = 0 with known real roots, one case per branch of the
// formulas.
struct Case {
  const char* what;
  double a, b, c;
  std::vector<double> roots;  // distinct real roots, ascending
};

TEST(CubicRoots, EveryBranchFindsTheRealRoots) {
  const Case cases[] = {
      {"three real roots (v-1)(v-2)(v-3)", -6, 11, -6, {1, 2, 3}},
      {"three real roots of mixed sign (v+4)(v-0.5)(v-10)", 20, -37, -6.5, {-4, 0.5, 10}},
      {"double root v^2 (v-3)", 0, 0, -3, {0, 3}},
      {"double root (v-1)^2 (v+2)", 2, -3, 0, {-2, 1}},
      {"one real root, Q > 0: (v-2)(v^2+1)", -2, 1, -2, {2}},
      {"one real root, Q < 0: (v-1)(v^2+1)", -1, 1, -1, {1}},
      {"one real root, Q = 0: v^3 - 8", -8, 0, 0, {2}},
      {"one negative root, Q < 0: (v+3)(v^2+2v+5)", 15, 11, 5, {-3}},
      {"triple root (v-2)^3", -8, 12, -6, {2}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const CubicRoots r = cubicRoots(k.a, k.b, k.c);
    std::vector<double> got(r.v.begin(), r.v.begin() + r.count);
    std::sort(got.begin(), got.end());
    got.erase(std::unique(got.begin(), got.end(),
                          [](double x, double y) { return std::fabs(x - y) < 1e-7; }),
              got.end());
    ASSERT_EQ(got.size(), k.roots.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      // A double or triple root is found to about the square or cube root of
      // the rounding error; simple roots to rounding.
      EXPECT_NEAR(got[i], k.roots[i], 1e-6 * (1 + std::fabs(k.roots[i])));
      EXPECT_NEAR(residual(k.a, k.b, k.c, got[i]), 0, 1e-9);
    }
    for (int i = r.count; i < 3; ++i) EXPECT_EQ(r.v[i], 0) << "a missing root is 0";
  }
}

TEST(CubicRoots, LargestCountsAMissingRootAsZero) {
  EXPECT_DOUBLE_EQ(cubicRoots(-6, 11, -6).largest(), 3);
  EXPECT_DOUBLE_EQ(cubicRoots(6, 11, 6).largest(), -1);   // (v+1)(v+2)(v+3): all three real
  EXPECT_DOUBLE_EQ(cubicRoots(15, 11, 5).largest(), 0);   // one real root -3, two missing
}

TEST(CubicRoots, NonFiniteCoefficientsGiveNoRoot) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const auto& [a, b, c] : {std::array{nan, 1.0, 1.0}, std::array{1.0, inf, 1.0},
                                std::array{1.0, 1.0, -inf}, std::array{1e200, 1.0, -1e200}}) {
    const CubicRoots r = cubicRoots(a, b, c);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.largest(), 0);
  }
}

// The molar-volume cubic of a virial gas, V³ − a·V² − a·B·V − a·C with
// a = RT/p: the largest root agrees with a Newton solution started at the
// ideal-gas volume to 1e-13 relative over gas-like states, from 0.0001 MPa
// (a of 10⁷ cm³/mol) to dense states near the three-root region.
TEST(CubicRoots, GasRootOfTheVirialCubicIsAccurate) {
  for (double rt : {2.4e7, 2.4e5, 2.4e4, 2400.0, 480.0, 240.0, 166.0}) {
    for (double B : {-800.0, -200.0, -60.0, -10.0, 0.0, 15.0}) {
      for (double C : {500.0, 1500.0, 3000.0, 20000.0}) {
        double V = rt;
        for (int i = 0; i < 100; ++i) {
          const double f = ((V - rt) * V - rt * B) * V - rt * C;
          const double d = (3 * V - 2 * rt) * V - rt * B;
          V -= f / d;
        }
        const double Z = V / rt;
        if (!(Z > 0.3 && Z < 1.5)) continue;  // not a gas-like state
        const double got = cubicRoots(-rt * C, -rt * B, -rt).largest();
        EXPECT_NEAR(got / V - 1, 0, 1e-13) << "RT/p " << rt << " B " << B << " C " << C;
      }
    }
  }
}

}  // namespace
}  // namespace velmar
