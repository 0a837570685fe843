// The gas-property dispatcher through the whole pass: limits per method,
// humidity, measured densities, the other media, failures and their lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "../report/report_fixture.h"
#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

bool hasLine(const TestPoint& p, const std::string& start) { return !p.line(start).empty(); }

// Natural gas by GERG-91 mod. at an absolute pressure (pr_Pbar off), MPa.
void gergState(TestPoint& p, const std::string& t, const std::string& pMPa, int method = 1) {
  auto& in = p.s.in;
  p.choose(in.metod, method);
  p.choose(in.VlTip, 0);
  p.check(in.pr_Pbar, false);
  p.choose(in.PizbEd, 2);
  p.type(in.rststr, "0,7");
  p.type(in.n2str, "1");
  p.type(in.co2str, "0,5");
  p.type(in.Tstr, t);
  p.type(in.PizbStr, pMPa);
  p.type(in.Qstr, "1000");
}

TEST(Dispatcher, TemperatureLimitsOfGost30319_2) {
  TestPoint p;
  gergState(p, "67,0", "5");  // 340.15 K
  p.settle();
  EXPECT_TRUE(p.raised(3));
  EXPECT_TRUE(p.memo1().empty());  // no property lines and no volume from stale properties
  gergState(p, "66,8", "5");
  p.settle();
  EXPECT_FALSE(p.raised(3));
  EXPECT_TRUE(hasLine(p, "Коэффициент сжимаемости "));
  EXPECT_TRUE(hasLine(p, "Объем, приведенный"));
  gergState(p, "-23,16", "5");  // 249.99 K
  p.settle();
  EXPECT_TRUE(p.raised(3));
}

TEST(Dispatcher, PressureLimits) {
  TestPoint p;
  gergState(p, "20", "31");
  p.settle();
  EXPECT_TRUE(p.raised(1));
  EXPECT_TRUE(p.raised(53));
  EXPECT_TRUE(p.memo1().empty());
  gergState(p, "20", "12");
  p.settle();
  EXPECT_FALSE(p.raised(1));
  EXPECT_TRUE(hasLine(p, "Коэффициент сжимаемости "));
  gergState(p, "20", "12,5", 2);  // NX-19 mod.
  p.settle();
  EXPECT_TRUE(p.raised(1));
  EXPECT_FALSE(p.raised(53));
  EXPECT_TRUE(p.memo1().empty());
}

TEST(Dispatcher, HumidityOfNaturalGas) {
  const auto dryPressure = [](const std::string& humidity, int kind) {
    TestPoint p;
    gergState(p, "20", "1");
    p.choose(p.s.in.VlTip, 1);
    p.choose(p.s.in.TipVl, kind);
    p.type(p.s.in.VlStr, humidity);
    p.settle();
    EXPECT_TRUE(p.memo2().empty()) << humidity;
    return std::pair{p.s.gas.pAbs, p.s.gas.phi};
  };
  const double pSat = waterSaturation(293.15).pSat;
  const auto saturated = dryPressure("100", 0);
  EXPECT_DOUBLE_EQ(saturated.second, 1.0);
  EXPECT_DOUBLE_EQ(saturated.first, 1e6 - pSat);
  const auto over = dryPressure("150", 0);
  EXPECT_EQ(over, saturated);  // above saturation the gas holds saturated vapour
  const auto dry = dryPressure("0", 1);
  EXPECT_EQ(dry.first, 1e6);
  EXPECT_EQ(dry.second, 0);
  const auto half = dryPressure("50", 0);
  EXPECT_DOUBLE_EQ(half.first, 1e6 - 0.5 * pSat);
}

// The humidity applies only while its tab is shown: typed for a wet gas and
// then hidden (a dry gas, an error or a diameter calculation) it changes
// neither the panes nor the report.
TEST(Dispatcher, AHiddenHumidityLeavesTheGasDry) {
  const std::vector<std::pair<const char*, const char*>> hiding[] = {
      {{"VlTip", "0"}},
      {{"Raschet", "1"}, {"TauStr", "10"}},
      {{"Raschet", "2"}, {"T_str", "20"}, {"Pizb_str", "600"}, {"Q_Str", "1000"}, {"uMaxStr", "20"},
       {"uMaxDstr", "25"}},
  };
  for (const auto& inputs : hiding) {
    testing::ReportPoint wet;
    wet.example("gerg91_wet.args");  // 60 % relative humidity
    testing::ReportPoint dry;
    dry.example("gerg91_dry.args");
    for (testing::ReportPoint* p : {&wet, &dry}) {
      for (const auto& [name, value] : inputs) p->set(name, value);
      p->settle();
    }
    EXPECT_EQ(wet.memo1(), dry.memo1()) << inputs[0].first;
    EXPECT_EQ(wet.memo2(), dry.memo2()) << inputs[0].first;
    EXPECT_EQ(wet.lines(), dry.lines()) << inputs[0].first;
    EXPECT_FALSE(wet.memo1().empty()) << inputs[0].first;
  }
  testing::ReportPoint p;
  p.example("gerg91_wet.args");
  p.set("VlTip", "0");
  p.settle();
  EXPECT_EQ(p.line("Объем, приведенный"), "Объем, приведенный к стандартным условиям  5993,377800 м3");
}

TEST(Dispatcher, Gost8662IgnoresTheHumidityPage) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.metod, 4);
  p.check(in.pr_Pbar, false);
  p.choose(in.PizbEd, 2);
  p.type(in.PizbStr, "5");
  p.type(in.Tstr, "20");
  p.type(in.Qstr, "100");
  p.cell(in.sost_iso, 1, 3, "98");
  p.cell(in.sost_iso, 1, 4, "2");
  p.choose(in.TipVl, 0);
  p.type(in.VlStr, "80");
  p.settle();
  EXPECT_EQ(p.s.gas.pAbs, 5e6);
  EXPECT_TRUE(hasLine(p, "Скорость звука  "));
}

TEST(Dispatcher, MeasuredDensitiesAreTakenOver) {
  TestPoint p;
  auto& in = p.s.in;
  p.gerg91Example();
  p.settle();
  const double K = p.s.gas.K;
  p.check(in.pr_Rab, true);
  p.type(in.rrab_Str, "10");
  p.type(in.rst_str, "0,8");
  p.settle();
  EXPECT_EQ(p.s.gas.rho, 10);
  EXPECT_EQ(p.s.gas.rhoSt, 0.8);
  EXPECT_EQ(p.s.gas.K, K);
  EXPECT_FALSE(hasLine(p, "Коэффициент сжимаемости"));
  EXPECT_FALSE(hasLine(p, "Скорость звука"));
  EXPECT_EQ(p.line("Объем, приведенный"), "Объем, приведенный к стандартным условиям  12500,000000 м3");
}

TEST(Dispatcher, AnotherMediumUsesItsEnteredDensities) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 1);
  p.choose(in.Raschet, 1);
  typeComboText(p.s, in.NamePrSred, "Пар");
  p.type(in.rPrSredStr, "10");
  p.type(in.rstPrSredStr, "2");
  p.type(in.rPrSredPogrSisStr, "0,3");
  p.type(in.rstPrSredPogrSisStr, "0,2");
  p.type(in.KoefTPrSredStr, "1");
  p.type(in.KoefPPrSredStr, "1");
  p.type(in.PizbStr, "100000");
  p.type(in.PbarStr, "100000");
  p.settle();
  EXPECT_EQ(p.s.gas.rho, 10);
  EXPECT_EQ(p.s.gas.rhoSt, 2);
  EXPECT_EQ(p.s.gas.dRhoSt, 0.2);
  EXPECT_DOUBLE_EQ(p.s.gas.dRho, 0.3);  // channel errors are 0 so far
  EXPECT_EQ(p.line("Относительная погрешность определения плотности"),
            "Относительная погрешность определения плотности при рабочих условиях  0,300 %");
  EXPECT_FALSE(hasLine(p, "Коэффициент сжимаемости"));
  // An absolute error of the density is made relative to it.
  p.choose(in.rPrSredTipPogr, 1);
  p.settle();
  EXPECT_DOUBLE_EQ(p.s.gas.dRho, 3.0);
}

TEST(Dispatcher, AirHasNoCompressibilityLine) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 10);
  p.choose(in.VlTip, 0);
  p.type(in.Tstr, "20");
  p.type(in.PizbStr, "0,0001");
  p.type(in.PbarStr, "101325");
  p.type(in.Qstr, "100");
  p.settle();
  EXPECT_FALSE(hasLine(p, "Коэффициент сжимаемости"));
  EXPECT_FALSE(hasLine(p, "Относительная погрешность"));
  EXPECT_DOUBLE_EQ(p.s.gas.dRhoSt, 0.03);
  EXPECT_NEAR(p.s.gas.rho, p.s.gas.rhoSt, 1e-7);
  p.choose(in.Raschet, 1);
  p.settle();
  EXPECT_TRUE(hasLine(p, "Относительная погрешность определения плотности при рабочих условиях  0,030 %"));
}

TEST(Dispatcher, AMethodFailureShowsItsReasonUnderMessageTwo) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.metod, 4);
  p.choose(in.VlTip, 0);
  p.type(in.Tstr, "20");
  p.type(in.PizbStr, "5000000");
  p.type(in.PbarStr, "101325");
  p.type(in.Qstr, "100");
  p.cell(in.sost_iso, 1, 3, "60");  // methane below 70 %
  p.cell(in.sost_iso, 1, 4, "40");
  p.settle();
  ASSERT_GE(p.memo2().size(), 2u);
  EXPECT_EQ(p.memo2()[0], "[2]  Невозможно расcчитать плотность");
  EXPECT_EQ(p.memo2()[1], "Допустипый диапазон молярной доли этана 0-10%");  // the last failing check
  EXPECT_TRUE(p.memo1().empty());
}

TEST(Dispatcher, AStateWithoutPressureIsRefusedNotShownWithOldValues) {
  TestPoint p;
  gergState(p, "20", "5");
  p.settle();
  ASSERT_FALSE(p.memo1().empty());
  p.choose(p.s.in.PizbEd, 0);
  p.type(p.s.in.PizbStr, "50");  // 50 Pa absolute
  p.type(p.s.in.rststr, "0,0");
  p.choose(p.s.in.metod, 0);
  p.settle();
  EXPECT_TRUE(p.raised(2) || p.raised(4));
  EXPECT_TRUE(p.memo1().empty());
}

TEST(Dispatcher, MixturesAndTechnicalGasesCompute) {
  for (int medium = 3; medium <= 9; ++medium) {
    TestPoint p;
    auto& in = p.s.in;
    p.choose(in.sreda, medium);
    p.choose(in.VlTip, 0);
    p.type(in.Tstr, "20");
    p.type(in.PizbStr, "1000000");
    p.type(in.PbarStr, "101325");
    p.type(in.Qstr, "100");
    p.choose(in.Raschet, 1);
    p.settle();
    EXPECT_TRUE(hasLine(p, "Коэффициент сжимаемости ")) << medium;
    EXPECT_TRUE(hasLine(p, "Относительная погрешность определения коэффициента сжимаемости с учетом погрешностей "
                           "определения температуры и давления газа "))
        << medium;
    EXPECT_FALSE(hasLine(p, "Скорость звука")) << medium;
    EXPECT_FALSE(p.raised(2)) << medium;
  }
  for (int method = 0; method < 3; ++method) {
    TestPoint p;
    auto& in = p.s.in;
    p.choose(in.sreda, 2);
    p.choose(in.Metod_s, method);
    p.choose(in.VlTip, 0);
    StringGrid& g = method == 0 ? in.sost_113 : method == 1 ? in.Sost_118 : in.sost_135;
    p.cell(g, 1, 1, "90");
    p.cell(g, 1, 2, "7");
    p.cell(g, 1, 3, "3");
    p.type(in.Tstr, "20");
    p.type(in.PizbStr, "3000000");
    p.type(in.PbarStr, "101325");
    p.type(in.Qstr, "1000");
    p.settle();
    EXPECT_TRUE(p.memo2().empty()) << method << " " << (p.memo2().empty() ? "" : p.memo2()[0]);
    EXPECT_TRUE(hasLine(p, "Масса  ")) << method;
  }
}

}  // namespace
}  // namespace velmar
