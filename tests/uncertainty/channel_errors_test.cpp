// The errors of the measuring channels as a user sees them after a pass: the
// value of each channel and its result line, for each error kind of each
// channel, both addition rules, one to three transducers, the channel pairs,
// the modes of the computing device, the two ranges of the flowmeter, the
// resistance-thermometer classes and the barometer taken as constant.
//
// Expected values are worked out in each case from its inputs; the values are
// compared to 1e-12 relative (the same arithmetic in a different order), the
// lines to every printed digit.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/units.h"
#include "error_point_fixture.h"
#include "uncertainty/channel_errors.h"

namespace velmar {
namespace {

using testing::apply;
using testing::densityMeters;
using testing::errorPoint;
using testing::Inputs;
using testing::TestPoint;

constexpr double kT = 293.15;        // K, the measuring point at 20 °C
constexpr double kP = 500000;        // Pa, gauge
constexpr double kPb = 101325;       // Pa
constexpr double kQ = 100;           // m3/h, 1000 m3 in 10 h
constexpr double kQv = 200;          // m3/h
constexpr double kSpan = 100;        // °C, -40 ... 60
constexpr double kPv = 1e6;          // Pa
constexpr double kPbv = 110000;      // Pa
constexpr double kR = 4, kRv = 10;   // kg/m3, measured working density and its upper limit
constexpr double kRc = 0.7, kRcv = 1;
constexpr double kMmHg = 1 / 0.00750075;  // Pa, the program's factor

struct Channel {
  const char* name;
  std::function<double(const Session&)> result;
  const char* line;  // the TipPogr 0 text
  int precision, decimals;
  const char* unit;
  bool densities;
};

const Channel kFlow{"flow", [](const Session& s) { return s.channels.dQ; },
                    "Относительная погрешность канала измерения расхода при рабочих условиях ", 4, 3, "%", false};
const Channel kTemperature{"temperature", [](const Session& s) { return s.channels.dT; },
                           "Относительная погрешность канала измерения температуры ", 5, 3, " %", false};
const Channel kGauge{"gauge pressure", [](const Session& s) { return s.channels.dPizb; },
                     "Относительная погрешность канала измерения избыточного давления ", 5, 3, " %", false};
const Channel kBarometer{"atmospheric pressure", [](const Session& s) { return s.channels.dPb; },
                         "Относительная погрешность канала измерения атмосферного давления ", 4, 3, "%", false};
const Channel kDensity{"working density", [](const Session& s) { return s.gas.dRho; },
                       "Относительная погрешность канала измерения плотности при рабочих условиях  ", 5, 3, " %", true};
const Channel kStdDensity{"standard density", [](const Session& s) { return s.gas.dRhoSt; },
                          "Относительная погрешность канала измерения плотности при стандартных условиях ", 5, 3, " %",
                          true};

struct Case {
  const Channel* channel;
  const char* what;
  Inputs inputs;
  double expected;
};

// Runs an error pass with the case's inputs and checks the channel's value
// and its result line.
void expectChannel(const Case& c, const Inputs& extra = {}) {
  SCOPED_TRACE(std::string(c.channel->name) + ": " + c.what);
  TestPoint p;
  errorPoint(p);
  if (c.channel->densities) densityMeters(p);
  apply(p, extra);
  apply(p, c.inputs);
  p.settle();
  const double v = c.channel->result(p.s);
  EXPECT_NEAR(v, c.expected, 1e-12 * std::fabs(c.expected));
  EXPECT_EQ(p.line(c.channel->line),
            c.channel->line + formatFixed(c.expected, c.channel->precision, c.channel->decimals, ',') + c.channel->unit);
}

TEST(ChannelErrors, EachErrorKindOfEachChannel) {
  const std::vector<Case> cases = {
      {&kFlow, "relative", {{"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}}, 0.5},
      {&kFlow, "reduced to Qв", {{"dP1tipPogr", "1"}, {"dP1sisstr", "0,5"}}, 0.5 * kQv / kQ},
      {&kTemperature, "relative", {{"T1tipPogr", "0"}, {"T1sisstr", "0,2"}}, 0.2},
      {&kTemperature, "reduced to the span", {{"T1tipPogr", "1"}, {"T1sisstr", "0,2"}}, 0.2 * kSpan / kT},
      {&kTemperature, "absolute in °C", {{"T1tipPogr", "2"}, {"T1sisstr", "0,3"}}, 0.3 / kT * 100},
      {&kGauge, "relative", {{"P1tipPogr", "0"}, {"P1sisstr", "0,5"}}, 0.5},
      {&kGauge, "reduced to Pв", {{"P1tipPogr", "1"}, {"P1sisstr", "0,5"}}, 0.5 * kPv / kP},
      {&kGauge, "absolute in Pa", {{"P1tipPogr", "2"}, {"P1sisstr", "2000"}}, 2000 / kP * 100},
      {&kGauge,
       "absolute in kPa, the unit of the limits",
       {{"PizbPredEd", "1"}, {"PizbPredstr", "1000"}, {"P1tipPogr", "2"}, {"P1sisstr", "2"}},
       2000 / kP * 100},
      {&kBarometer, "relative", {{"PbarTipPogr", "0"}, {"PbarPogrStr", "0,1"}}, 0.1},
      {&kBarometer, "reduced to Pбв", {{"PbarTipPogr", "1"}, {"PbarPogrStr", "0,1"}}, 0.1 * kPbv / kPb},
      {&kBarometer, "absolute in Pa", {{"PbarTipPogr", "2"}, {"PbarPogrStr", "200"}}, 200 / kPb * 100},
      // The atmospheric pressure itself follows the unit of the limits.
      {&kBarometer,
       "absolute in mm Hg, the unit of the limits",
       {{"PbarPredEd", "6"}, {"PbarStr", "760"}, {"PbarMinStr", "675"}, {"PbarMaxStr", "825"}, {"PbarTipPogr", "2"},
        {"PbarPogrStr", "1,5"}},
       1.5 * kMmHg / (760 * kMmHg) * 100},
      {&kDensity, "relative", {{"rrab1TipPogr", "0"}, {"rrab1pogrStr", "0,2"}}, 0.2},
      {&kDensity, "reduced to rв", {{"rrab1TipPogr", "1"}, {"rrab1pogrStr", "0,2"}}, 0.2 * kRv / kR},
      {&kDensity, "absolute in kg/m3", {{"rrab1TipPogr", "2"}, {"rrab1pogrStr", "0,01"}}, 0.01 / kR * 100},
      {&kStdDensity, "relative", {{"rst1TipPogr", "0"}, {"rst1PogrStr", "0,1"}}, 0.1},
      {&kStdDensity, "reduced to rсв", {{"rst1TipPogr", "1"}, {"rst1PogrStr", "0,1"}}, 0.1 * kRcv / kRc},
      {&kStdDensity, "absolute in kg/m3", {{"rst1TipPogr", "2"}, {"rst1PogrStr", "0,002"}}, 0.002 / kRc * 100},
  };
  for (const Case& c : cases) expectChannel(c);
}

// Main 0,5 % and additional 0,3 %: √0,34 geometrically, 0,8 arithmetically.
TEST(ChannelErrors, BothAdditionRulesOfEveryInstrument) {
  struct Instrument {
    const Channel* channel;
    const char *mainKind, *main, *addKind, *add, *rule;
  };
  const std::vector<Instrument> instruments = {
      {&kFlow, "dP1tipPogr", "dP1sisstr", "dp1tipdopPogr", "dp1dopStr", "TipAdddP1"},
      {&kTemperature, "T1tipPogr", "T1sisstr", "T1tipdopPogr", "T1dopStr", "TipAddT1"},
      {&kGauge, "P1tipPogr", "P1sisstr", "P1tipdopPogr", "P1dopStr", "TipAddP1"},
      {&kBarometer, "PbarTipPogr", "PbarPogrStr", "PbarTipdopPogr", "PbarDopPogrStr", "TipAddPbar"},
      {&kDensity, "rrab1TipPogr", "rrab1pogrStr", "rrab1tipdopPogr", "rrab1dopPogrStr", "TipAddrrab1"},
      {&kStdDensity, "rst1TipPogr", "rst1PogrStr", "rst1tipdopPogr", "rst1dopPogrStr", "TipAddrst1"},
  };
  for (const Instrument& i : instruments) {
    for (const auto& [rule, expected] : {std::pair{"0", std::sqrt(0.34)}, std::pair{"1", 0.8}}) {
      expectChannel({i.channel,
                     rule[0] == '0' ? "geometric" : "arithmetic",
                     {{i.mainKind, "0"}, {i.main, "0,5"}, {i.addKind, "0"}, {i.add, "0,3"}, {i.rule, rule}},
                     expected});
    }
  }
}

// The additional error has a kind box of its own: a reduced additional flow
// error is reduced to Qв whatever the main kind.
TEST(ChannelErrors, TheAdditionalErrorIsConvertedByItsOwnKind) {
  expectChannel({&kFlow,
                 "relative main, reduced additional",
                 {{"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}, {"dp1tipdopPogr", "1"}, {"dp1dopStr", "0,1"}},
                 std::hypot(0.5, 0.1 * kQv / kQ)});
  expectChannel({&kGauge,
                 "reduced main, absolute additional",
                 {{"P1tipPogr", "1"}, {"P1sisstr", "0,1"}, {"P1tipdopPogr", "2"}, {"P1dopStr", "1500"}},
                 std::hypot(0.1 * kPv / kP, 1500 / kP * 100)});
}

// Transducers of 0,3, 0,4 and 1,2 % relative (no additional errors).
TEST(ChannelErrors, OneToThreeTransducers) {
  struct Rows {
    const Channel* channel;
    const char *kind[3], *value[3], *check[3];
  };
  const std::vector<Rows> channels = {
      {&kFlow, {"dP1tipPogr", "dP2tipPogr", "dP3tipPogr"}, {"dP1sisstr", "dP2sisstr", "dP3sisstr"},
       {nullptr, "dP2check", "dP3check"}},
      {&kTemperature, {"T1tipPogr", "T2tipPogr", "T3tipPogr"}, {"T1sisstr", "T2sisstr", "T3sisstr"},
       {nullptr, "T2check", "T3check"}},
      {&kGauge, {"P1tipPogr", "P2tipPogr", "P3tipPogr"}, {"P1sisstr", "P2sisstr", "P3sisstr"},
       {nullptr, "P2check", "P3check"}},
      {&kDensity, {"rrab1TipPogr", "rrab2TipPogr", "rrab3TipPogr"}, {"rrab1pogrStr", "rrab2PogrStr", "rrab3PogrStr"},
       {nullptr, "rrab2Check", "rrab3check"}},
      {&kStdDensity, {"rst1TipPogr", "rst2TipPogr", "rst3TipPogr"}, {"rst1PogrStr", "rst2PogrStr", "rst3PogrStr"},
       {nullptr, "rst2Check", "rst3Check"}},
  };
  const char* errors[3] = {"0,3", "0,4", "1,2"};
  const double expected[3] = {0.3, 0.5, 1.3};
  for (const Rows& r : channels) {
    for (int n = 1; n <= 3; ++n) {
      Inputs inputs;
      for (int k = 0; k < 3; ++k) {
        if (k > 0) inputs.emplace_back(r.check[k], k < n ? "1" : "0");
        if (k < n) {
          inputs.emplace_back(r.kind[k], "0");
          inputs.emplace_back(r.value[k], errors[k]);
        }
      }
      expectChannel({r.channel, n == 1 ? "one" : n == 2 ? "two" : "three", inputs, expected[n - 1]});
    }
  }
  // A third transducer whose second was cleared is no longer counted.
  expectChannel({&kDensity,
                 "third without second",
                 {{"rrab1TipPogr", "0"}, {"rrab1pogrStr", "0,3"}, {"rrab2Check", "1"}, {"rrab3check", "1"},
                  {"rrab3TipPogr", "0"}, {"rrab3PogrStr", "1,2"}, {"rrab2Check", "0"}},
                 0.3});
}

// With TipIK 2 each channel adds its channel pair (main 0,3, additional 0,4
// relative) to its transducers (1,2 % relative): √(1,44 + 0,09 + 0,16) = 1,3.
TEST(ChannelErrors, TheChannelPairsWhenTheDeviceExcludesTheChannels) {
  struct Pair {
    const Channel* channel;
    const char *kind, *value;              // the first transducer
    const char *pairKind, *pair, *pairAddKind, *pairAdd;
  };
  const std::vector<Pair> pairs = {
      {&kFlow, "dP1tipPogr", "dP1sisstr", "TipPogrKanaldP", "PogrKanaldPStr", "TipPogrKanaldPdop", "PogrKanaldPdopStr"},
      {&kTemperature, "T1tipPogr", "T1sisstr", "TipPogrKanalT", "PogrKanalTStr", "TipPogrKanalTdop",
       "PogrKanalTdopStr"},
      {&kGauge, "P1tipPogr", "P1sisstr", "TipPogrKanalP", "PogrKanalPStr", "TipPogrKanalPdop", "PogrKanalPdopStr"},
      {&kBarometer, "PbarTipPogr", "PbarPogrStr", "TipPogrKanalPbar", "PogrKanalPbarStr", "TipPogrKanalPbardop",
       "PogrKanalPbardopStr"},
      {&kDensity, "rrab1TipPogr", "rrab1pogrStr", "TipPogrKanalrrab", "PogrKanalrrabStr", "TipPogrKanalrrabdop",
       "PogrKanalrrabdopStr"},
      {&kStdDensity, "rst1TipPogr", "rst1PogrStr", "TipPogrKanalrst", "PogrKanalrstStr", "TipPogrKanalrstdop",
       "PogrKanalrstdopStr"},
  };
  for (const Pair& c : pairs) {
    const Inputs transducer = {{c.kind, "0"}, {c.value, "1,2"}};
    Inputs withPair = transducer;
    for (const auto& [n, v] : Inputs{{c.pairKind, "0"}, {c.pair, "0,3"}, {c.pairAddKind, "0"}, {c.pairAdd, "0,4"}}) {
      withPair.emplace_back(n, v);
    }
    expectChannel({c.channel, "TipIK 2", withPair, 1.3}, {{"TipIK", "2"}});
    // With TipIK 1 the pair is not counted.
    expectChannel({c.channel, "TipIK 1", withPair, 1.2}, {{"TipIK", "1"}});
  }
  // A reduced flow pair is reduced to Qв.
  expectChannel({&kFlow,
                 "reduced pair",
                 {{"dP1tipPogr", "0"}, {"dP1sisstr", "0"}, {"TipPogrKanaldP", "1"}, {"PogrKanaldPStr", "0,2"}},
                 0.2 * kQv / kQ},
                {{"TipIK", "2"}});
}

// The computing device: whose errors its own error covers, and its line.
TEST(ChannelErrors, TheModesOfTheComputingDevice) {
  const char* deviceLine = "Относительная погрешность вычислителя (ИК) при вычислении объема ";
  struct Mode {
    const char* what;
    Inputs inputs;
    double dQ;
    bool flowLine, deviceLine;
    double dCalc;
  };
  const double withPair = std::hypot(0.5, 0.4);
  const std::vector<Mode> modes = {
      {"no device", {{"pr_IK", "0"}}, 0.5, true, false, 0},
      {"covers the channels with the transducers", {{"TipIK", "0"}, {"TipIkQ", "0"}}, 0, false, false, 0.1},
      {"covers them except the flowmeter", {{"TipIK", "0"}, {"TipIkQ", "1"}}, 0.5, true, false, 0.1},
      {"covers the channels", {{"TipIK", "1"}}, 0.5, true, true, 0.1},
      {"excludes the channels", {{"TipIK", "2"}, {"TipPogrKanaldP", "0"}, {"PogrKanaldPStr", "0,4"}}, withPair, true,
       true, 0.1},
  };
  for (const Mode& m : modes) {
    SCOPED_TRACE(m.what);
    TestPoint p;
    errorPoint(p);
    apply(p, {{"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}, {"CompPogrStr", "0,1"}, {"T1tipPogr", "0"},
              {"T1sisstr", "0,2"}});
    apply(p, m.inputs);
    p.settle();
    EXPECT_NEAR(p.s.channels.dQ, m.dQ, 1e-12);
    EXPECT_EQ(!p.line(kFlow.line).empty(), m.flowLine);
    EXPECT_EQ(p.s.channels.dCalc, m.dCalc);
    EXPECT_EQ(p.line(deviceLine), m.deviceLine ? deviceLine + std::string("0,100 %") : "");
    // Temperature and pressure are computed and written in every mode.
    EXPECT_EQ(p.line(kTemperature.line), kTemperature.line + std::string("0,200 %"));
    // The volume error takes the device's error as computed.
    const double dVol = std::sqrt(m.dCalc * m.dCalc + m.dQ * m.dQ + p.s.gas.dRho * p.s.gas.dRho);
    EXPECT_NEAR(p.s.volumeErrors.dVol, dVol, 1e-12);
  }
  // The density channels give 0 and no line while the device covers the
  // transducers.
  TestPoint p;
  errorPoint(p);
  densityMeters(p);
  apply(p, {{"TipIK", "0"}, {"rrab1TipPogr", "0"}, {"rrab1pogrStr", "0,2"}, {"rst1TipPogr", "0"},
            {"rst1PogrStr", "0,1"}});
  p.settle();
  EXPECT_EQ(p.s.gas.dRho, 0);
  EXPECT_EQ(p.s.gas.dRhoSt, 0);
  EXPECT_EQ(p.line(kDensity.line), "");
  EXPECT_EQ(p.line(kStdDensity.line), "");
}

// The flowmeter with an additional range below the boundary Qgr = 20 m3/h
// (10 % of Qв or 20 m3/h): main 1 % reduced (to Qв above the boundary, to Qgr
// below it), additional 0,1 % reduced, always to Qв.
TEST(ChannelErrors, TheFlowmeterBelowAtAndAboveItsRangeBoundary) {
  const double Qgr = 20;
  for (const auto& [unit, boundary] : {std::pair{"0", "10"}, std::pair{"1", "20"}}) {
    for (double Q : {15.0, 20.0, 100.0}) {
      const double main = Q < Qgr ? 1.0 * Qgr / Q : 1.0 * kQv / Q;
      const std::string volume = std::to_string(static_cast<int>(Q * 10));
      TestPoint p;
      errorPoint(p);
      apply(p, {{"dP1dopcheck", "1"}, {"Diap1Ed", unit}, {"Diap1minStr", boundary}, {"dP1tipPogr", "1"},
                {"dP1sisstr", "1"}, {"dP1dopdiapTipPogr", "1"}, {"dP1dopsisStr", "1"}, {"dp1tipdopPogr", "1"},
                {"dp1dopStr", "0,1"}});
      p.set("Qstr", volume);
      p.settle();
      SCOPED_TRACE(std::string("Diap1Ed ") + unit + ", Q " + std::to_string(Q));
      EXPECT_NEAR(p.s.channels.Qgr, Qgr, 1e-12);
      EXPECT_NEAR(p.s.channels.dQ, std::hypot(main, 0.1 * kQv / Q), 1e-12);
    }
  }
  // The additional range's main error has its own kind: relative there.
  TestPoint p;
  errorPoint(p);
  apply(p, {{"dP1dopcheck", "1"}, {"dP1dopdiapTipPogr", "0"}, {"dP1dopsisStr", "2,5"}, {"Qstr", "150"}});
  p.settle();
  EXPECT_NEAR(p.s.channels.dQ, 2.5, 1e-12);
}

// The class tolerance Δt = a + b·|t| of a resistance thermometer, relative to
// the absolute temperature; its additional error is not counted.
TEST(ChannelErrors, TheResistanceThermometerClasses) {
  struct Class {
    const char* item;
    double a, b;
  };
  const std::vector<Class> classes = {{"0", 0.1, 0.0017}, {"1", 0.15, 0.002}, {"2", 0.3, 0.005}, {"3", 0.6, 0.01}};
  for (const double t : {20.0, -30.0}) {
    for (const Class& c : classes) {
      expectChannel({&kTemperature,
                     c.item,
                     {{"T11check", "1"}, {"Tclass", c.item}, {"T1dopStr", "0,5"}, {"Tstr", t > 0 ? "20" : "-30"}},
                     (c.a + c.b * std::fabs(t)) / (t + 273.15) * 100},
                    {{"TminStr", "-40"}});
    }
    // An individual characteristic takes the coefficients entered.
    expectChannel({&kTemperature,
                   "individual",
                   {{"T11check", "1"}, {"Tclass", "4"}, {"T11str", "0,2"}, {"T12str", "0,003"},
                    {"Tstr", t > 0 ? "20" : "-30"}},
                   (0.2 + 0.003 * std::fabs(t)) / (t + 273.15) * 100});
  }
  // The example of class A at 20 °C: Δt = 0,19 °C, 0,0648 % of 293,15 K.
  TestPoint p;
  errorPoint(p);
  apply(p, {{"T11check", "1"}, {"Tclass", "1"}});
  p.settle();
  EXPECT_EQ(p.line(kTemperature.line), kTemperature.line + std::string("0,065 %"));
}

TEST(ChannelErrors, TheAtmosphericPressureTakenAsConstant) {
  const char* line = "Относительная погрешность определения барометрического давления  ";
  for (const char* wording : {"0", "1"}) {
    TestPoint p;
    errorPoint(p);
    apply(p, {{"TipPogr", wording}, {"TipIzmBar", "1"}, {"PbarMinStr", "98000"}, {"PbarMaxStr", "102000"},
              {"PbarPogrStr", "500"}});
    p.settle();
    // The half range of a uniform distribution related to its middle.
    const double dPb = 4000 / (200000 * std::sqrt(3.0)) * 100;
    EXPECT_NEAR(p.s.channels.dPb, dPb, 1e-12);
    EXPECT_EQ(p.line(line), line + std::string("1,155 %"));
  }
  // An empty range (both limits 0) gives no error rather than 0/0.
  TestPoint p;
  errorPoint(p);
  p.set("TipIzmBar", "1");
  p.settle();
  p.s.in.PbarMinStr.value = 0;
  p.s.in.PbarMaxStr.value = 0;
  calcPressureChannelErrors(p.s);
  EXPECT_EQ(p.s.channels.dPb, 0);
}

TEST(ChannelErrors, TheAbsolutePressureCombinesGaugeAndAtmosphericPressure) {
  TestPoint p;
  errorPoint(p);
  apply(p, {{"P1tipPogr", "0"}, {"P1sisstr", "0,5"}, {"PbarTipPogr", "0"}, {"PbarPogrStr", "0,2"}});
  p.settle();
  const double pAbs = kP + kPb;
  const double dPabs = std::hypot(kP / pAbs * 0.5, kPb / pAbs * 0.2);
  const char* absolute = "Относительная погрешность измерения абсолютного давления ";
  EXPECT_NEAR(p.s.channels.dPabs, dPabs, 1e-12);
  EXPECT_EQ(p.s.channels.pAbs, pAbs);
  EXPECT_EQ(p.line(absolute), absolute + formatFixed(dPabs, 5, 3, ',') + " %");
  EXPECT_EQ(p.s.toOtchet.dPabs, p.s.channels.dPabs);
  EXPECT_EQ(p.s.toOtchet.pAbs, pAbs);

  // Without the atmospheric pressure the pressure is absolute: no gauge line,
  // the absolute line equal to the channel of the manometer.
  TestPoint q;
  errorPoint(q);
  apply(q, {{"pr_Pbar", "0"}, {"P1tipPogr", "0"}, {"P1sisstr", "0,5"}});
  q.settle();
  EXPECT_EQ(q.line(kGauge.line), "");
  EXPECT_EQ(q.line(kBarometer.line), "");
  EXPECT_EQ(q.line(absolute), absolute + std::string("0,500 %"));
  EXPECT_EQ(q.s.channels.dPabs, q.s.channels.dPizb);
}

TEST(ChannelErrors, TheStandardDensityWithoutItsMeterTakesItsEnteredError) {
  for (const auto& [kind, text, expected] :
       {std::tuple{"0", "0,2", 0.2}, std::tuple{"1", "0,0014", 0.0014 / kRc * 100}}) {
    TestPoint p;
    errorPoint(p);
    densityMeters(p);
    apply(p, {{"pr_St", "0"}, {"rst_pogrTip", kind}, {"rst_pogrStr", text}});
    p.settle();
    EXPECT_NEAR(p.s.gas.dRhoSt, expected, 1e-12);
    EXPECT_EQ(p.line(kStdDensity.line), "");  // no line without the meter
  }
}

TEST(ChannelErrors, TheManometerLowerLimitAboveTheAbsolutePressure) {
  TestPoint p;
  errorPoint(p);
  apply(p, {{"PizbPrednEd", "0"}, {"PizbprednStr", "700000"}});
  p.settle();
  EXPECT_TRUE(p.raised(8));
  // With density meters there is no measured pressure to compare.
  densityMeters(p);
  p.settle();
  EXPECT_FALSE(p.raised(8));
}

// The report values are those of the measuring point, whatever a silent run
// of the channels computed since.
TEST(ChannelErrors, TheReportKeepsTheValuesOfTheMeasuringPoint) {
  TestPoint p;
  errorPoint(p);
  apply(p, {{"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}, {"T1tipPogr", "0"}, {"T1sisstr", "0,2"}});
  p.settle();
  EXPECT_EQ(p.s.toOtchet.dQ, 0.5);
  EXPECT_EQ(p.s.toOtchet.dT, 0.2);
  const size_t lines = p.memo1().size();
  p.s.in.CalcIdle = false;
  calcFlowChannelError(p.s, 50);
  calcTemperatureChannelError(p.s, -10);
  p.s.in.CalcIdle = true;
  EXPECT_EQ(p.s.toOtchet.dQ, 0.5);
  EXPECT_EQ(p.s.toOtchet.dT, 0.2);
  EXPECT_EQ(p.memo1().size(), lines);
  EXPECT_EQ(p.s.toOtchet.Qavg, kQ);
  // No flow, no flow error.
  calcFlowChannelError(p.s, 0);
  EXPECT_EQ(p.s.channels.dQ, 0);
}

// A period that is no longer valid leaves no average flow: the flow error of
// the pass before is not shown again.
TEST(ChannelErrors, NoFlowErrorWithoutAValidPeriod) {
  TestPoint p;
  errorPoint(p);
  apply(p, {{"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}});
  p.settle();
  ASSERT_NE(p.line(kFlow.line), "");
  p.set("TauStr", "0");
  p.settle();
  EXPECT_TRUE(p.raised(36));
  EXPECT_EQ(p.line(kFlow.line), "");
  EXPECT_EQ(p.s.channels.dQ, 0);
}

// Absurdly large entered errors give large numbers, never inf or nan.
TEST(ChannelErrors, HugeErrorsStayNumbers) {
  TestPoint p;
  errorPoint(p);
  apply(p, {{"dP1tipPogr", "0"}, {"dP1sisstr", "1e308"}, {"dp1tipdopPogr", "0"}, {"dp1dopStr", "1e308"},
            {"TipAdddP1", "1"}, {"CompPogrStr", "1e308"}});
  p.settle();
  EXPECT_TRUE(std::isfinite(p.s.channels.dQ));
  EXPECT_TRUE(std::isfinite(p.s.volumeErrors.dVol));
  for (const std::string& l : p.memo1()) {
    EXPECT_EQ(l.find("inf"), std::string::npos) << l;
    EXPECT_EQ(l.find("nan"), std::string::npos) << l;
  }
}

}  // namespace
}  // namespace velmar
