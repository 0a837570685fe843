// The error of the volume reduced to standard conditions from given channel
// and property errors: which property error each medium and method brings,
// the computing device, the time determination, the line and the report.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "uncertainty/volume_error.h"

namespace velmar {
namespace {

using testing::TestPoint;

constexpr double kdQ = 0.5, kdRho = 0.3, kdK = 0.4, kdRhoSt = 0.2, kdCalc = 0.1, kdTime = 0.01;
const char* kLine = "Относительная погрешность измерения объема, приведенного к стандартным условиям  ";

void givenErrors(Session& s) {
  s.channels.dQ = kdQ;
  s.channels.dCalc = kdCalc;
  s.gas.dRho = kdRho;
  s.gas.dK = kdK;
  s.gas.dRhoSt = kdRhoSt;
  s.in.CompVrStr.value = kdTime;
}

TEST(VolumeError, ThePropertyErrorOfEachMediumAndMethod) {
  enum Part { Density, Compressibility, MeasuredDensities };
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> inputs;
    Part part;
  };
  const std::vector<Case> cases = {
      {"GOST 30319.3", {{"metod", "0"}}, Density},
      {"GERG-91 mod.", {{"metod", "1"}}, Density},
      {"NX-19 mod.", {{"metod", "2"}}, Density},
      {"R Gazprom 5.3", {{"metod", "3"}}, Compressibility},
      {"GOST R 8.662", {{"metod", "4"}}, Compressibility},
      {"another medium", {{"sreda", "1"}}, Density},
      {"a gas mixture", {{"sreda", "2"}}, Compressibility},
      {"nitrogen", {{"sreda", "3"}}, Compressibility},
      {"hydrogen", {{"sreda", "9"}}, Compressibility},
      {"air", {{"sreda", "10"}}, Density},
      {"density meters", {{"pr_Rab", "1"}}, MeasuredDensities},
      {"density meters, GOST R 8.662", {{"metod", "4"}, {"pr_Rab", "1"}}, MeasuredDensities},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestPoint p;
    for (const auto& [name, value] : c.inputs) p.set(name, value);
    givenErrors(p.s);
    calcVolumeError(p.s);
    const double dMeas = c.part == Density           ? std::sqrt(kdRho * kdRho + kdQ * kdQ)
                         : c.part == Compressibility ? std::sqrt(kdK * kdK + kdQ * kdQ)
                                                     : std::sqrt(kdRhoSt * kdRhoSt + kdRho * kdRho + kdQ * kdQ);
    const double dVol = std::sqrt(kdCalc * kdCalc + dMeas * dMeas);
    const VolumeErrors& v = p.s.volumeErrors;
    EXPECT_NEAR(v.dMeas, dMeas, 1e-12);
    EXPECT_NEAR(v.dVol, dVol, 1e-12);
    EXPECT_NEAR(v.dVolTime, std::sqrt(dVol * dVol + kdTime * kdTime), 1e-12);
  }
}

// dQ 0,5, dRho 0,3, dCalc 0,1, dTime 0,01 by GERG-91 mod.: dMeas = √0,34,
// dVol = √0,35 (the line shows 0,592), dVolTime ≈ 0,5917; in both wordings.
TEST(VolumeError, TheLineAndTheReportValues) {
  for (const char* wording : {"0", "1"}) {
    TestPoint p;
    p.set({{"metod", "1"}, {"Raschet", "1"}, {"TipPogr", wording}});
    givenErrors(p.s);
    calcVolumeError(p.s);
    ASSERT_FALSE(p.memo1().empty());
    EXPECT_EQ(p.memo1().back(), kLine + std::string("0,592 %"));
    EXPECT_NEAR(p.s.toOtchet.dMeas, std::sqrt(0.34), 1e-12);
    EXPECT_NEAR(p.s.toOtchet.dVol, std::sqrt(0.35), 1e-12);
    EXPECT_NEAR(p.s.toOtchet.dVolTime, std::sqrt(0.3501), 1e-12);
  }
  // Silent while CalcIdle is cleared: no line, the report keeps its values.
  TestPoint p;
  p.set("metod", "1");
  givenErrors(p.s);
  p.s.in.CalcIdle = false;
  const size_t lines = p.memo1().size();
  calcVolumeError(p.s);
  p.s.in.CalcIdle = true;
  EXPECT_EQ(p.memo1().size(), lines);
  EXPECT_EQ(p.s.toOtchet.dVol, 0);
  EXPECT_NEAR(p.s.volumeErrors.dVol, std::sqrt(0.35), 1e-12);
}

// The time is determined by the computing device: without one, its error
// (the hidden edit still holds a number) is not counted.
TEST(VolumeError, TheTimeErrorBelongsToTheComputingDevice) {
  TestPoint p;
  p.set({{"metod", "1"}, {"pr_IK", "0"}});
  givenErrors(p.s);
  p.s.channels.dCalc = 0;
  calcVolumeError(p.s);
  EXPECT_NEAR(p.s.volumeErrors.dVol, std::sqrt(0.34), 1e-12);
  EXPECT_EQ(p.s.volumeErrors.dVolTime, p.s.volumeErrors.dVol);
}

}  // namespace
}  // namespace velmar
