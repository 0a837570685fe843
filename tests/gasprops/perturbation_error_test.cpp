// The error estimate shared by the six methods that perturb their state:
// how each looks at the restart probe, and the guard on the contents left to
// take a composition step from.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "gasprops/gas_properties.h"

namespace velmar {
namespace {

// One call of a method entry with the given probe, at 283.15 K and 3 MPa
// with nonzero input errors.
using Entry = std::function<MethodFailure(MethodOutputs&, const RestartProbe&)>;

template <std::size_t N>
std::array<double, N> errors(double each) {
  std::array<double, N> dx{};
  dx.fill(each);
  return dx;
}

struct Method {
  const char* name;
  Entry entry;
  // Looks of a probe that never asks for a restart: those of the method
  // between its own states, then one before each perturbed evaluation
  // (temperature, pressure, each content perturbed).
  int looks;
};

std::vector<Method> methods() {
  std::array<double, 21> iso{};
  iso[2] = 90, iso[3] = 5, iso[4] = 2, iso[0] = 1.5, iso[1] = 1.5;  // methane ... nitrogen, CO2
  std::array<double, 10> rgaz = {90, 5, 2, 0, 0, 0, 0, 0, 1.5, 1.5};
  std::array<double, 14> mr113 = {90, 5, 2, 0, 0, 0, 0, 0, 0, 0, 1.5, 1.5};
  std::array<double, 18> mr118{};
  mr118[0] = 90, mr118[1] = 5, mr118[2] = 2, mr118[5] = 1.5, mr118[6] = 1.5;
  std::array<double, 16> mr135{};
  mr135[0] = 90, mr135[1] = 5, mr135[2] = 2, mr135[5] = 1.5, mr135[6] = 1.5;
  return {
      {"GOST R 8.662",
       [=](MethodOutputs& o, const RestartProbe& r) {
         return calcAga(iso, errors<21>(1), 283.15, 0.2, 3, 0.3, o, r);
       },
       1 + 2 + 5},
      {"R Gazprom 5.3",
       [=](MethodOutputs& o, const RestartProbe& r) {
         return calcRGazprom(rgaz, errors<10>(1), 283.15, 0.2, 3, 0.3, o, r);
       },
       1 + 2 + 5},
      {"MR 113-03",
       [=](MethodOutputs& o, const RestartProbe& r) {
         return calcMr113(mr113, errors<14>(1), 283.15, 0.2, 3, 0.3, 1.0, o, r);
       },
       2 + 2 + 5},
      {"MR 118-05",
       [=](MethodOutputs& o, const RestartProbe& r) {
         return calcMr118(mr118, errors<18>(1), 283.15, 0.2, 3, 0.3, o, r);
       },
       2 + 5},
      {"MR 135-07",
       [=](MethodOutputs& o, const RestartProbe& r) {
         return calcMr135(mr135, errors<16>(1), 283.15, 0.2, 3, 0.3, o, r);
       },
       2 + 5},
      {"MR 134-07 nitrogen",
       [](MethodOutputs& o, const RestartProbe& r) { return calcMr134(0, 283.15, 0.2, 3, 0.3, o, r); }, 2},
  };
}

// A restart asked for at any look ends the call at once with code 0: the
// probe is not looked at again and the errors stay as they were. A probe
// that never asks leaves the call as without one.
TEST(PerturbationError, EveryMethodAnswersItsRestartProbeAtOnce) {
  for (const Method& m : methods()) {
    SCOPED_TRACE(m.name);
    MethodOutputs plain;
    ASSERT_EQ(m.entry(plain, {}), 0);
    int looks = 0;
    MethodOutputs watched;
    ASSERT_EQ(m.entry(watched, [&] { return ++looks, false; }), 0);
    EXPECT_EQ(looks, m.looks);
    EXPECT_EQ(watched.dRho, plain.dRho);
    EXPECT_EQ(watched.dK, plain.dK);
    EXPECT_GT(plain.dK, plain.dRhoSt);

    for (int k = 1; k <= m.looks; ++k) {
      int calls = 0;
      MethodOutputs out;
      out.dRho = out.dK = -1;
      EXPECT_EQ(m.entry(out, [&] { return ++calls == k; }), 0) << "restart at look " << k;
      EXPECT_EQ(calls, k) << "looked at again after the restart at look " << k;
      EXPECT_EQ(out.dRho, -1) << "look " << k;
      EXPECT_EQ(out.dK, -1) << "look " << k;
    }
  }
}

// A content whose other contents leave less than 1e-6 % to take the step
// from is not perturbed: nearly pure methane with two traces gets the error
// of temperature, pressure and the method alone, whatever the content errors.
TEST(PerturbationError, NoCompositionStepWithoutARemainderToTakeItFrom) {
  struct Case {
    const char* name;
    std::function<MethodFailure(double, MethodOutputs&)> entry;  // content error of methane
  } cases[] = {
      {"MR 113-03",
       [](double e, MethodOutputs& o) {
         std::array<double, 14> x{100 - 2e-7, 1e-7, 1e-7};
         std::array<double, 14> dx{e, 1, 1};
         return calcMr113(x, dx, 283.15, 0.2, 3, 0.3, 1.0, o);
       }},
      {"MR 118-05",
       [](double e, MethodOutputs& o) {
         std::array<double, 18> x{100 - 2e-7, 1e-7, 1e-7};
         std::array<double, 18> dx{e, 1, 1};
         return calcMr118(x, dx, 283.15, 0.2, 3, 0.3, o);
       }},
      {"MR 135-07",
       [](double e, MethodOutputs& o) {
         std::array<double, 16> x{100 - 2e-7, 1e-7, 1e-7};
         std::array<double, 16> dx{e, 1, 1};
         return calcMr135(x, dx, 283.15, 0.2, 3, 0.3, o);
       }},
  };
  for (const Case& c : cases) {
    MethodOutputs without, with;
    ASSERT_EQ(c.entry(0, without), 0) << c.name;
    ASSERT_EQ(c.entry(5, with), 0) << c.name;
    EXPECT_EQ(with.dRho, without.dRho) << c.name;
    EXPECT_EQ(with.dK, without.dK) << c.name;
    EXPECT_TRUE(std::isfinite(with.dRho)) << c.name;
  }
}

}  // namespace
}  // namespace velmar
