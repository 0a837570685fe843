// The two control-point tables as the user sees them after a pass: the order
// of the control points, the flow columns, the cells inside and outside the
// flowmeter's range, the flows of both kinds of control point, the range
// conditions, error formulas in a cell, failed combinations, measured
// densities, the progress of the run and its interruption by an input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/form_events.h"
#include "core/units.h"
#include "error_point_fixture.h"
#include "uncertainty/control_point_tables.h"

namespace velmar {
namespace {

using testing::apply;
using testing::densityMeters;
using testing::errorPoint;
using testing::Inputs;
using testing::TestPoint;

// Control points in % of Qв and the variation of temperature and pressure.
void controlPoints(TestPoint& p, const Inputs& points = {{"KT1str", "100"}, {"KT2str", "50"}}) {
  apply(p, {{"KTtip", "0"},
            {"KT1ed", "1"},
            {"KTTminStr", "-20"},
            {"KTTmaxStr", "40"},
            {"KTPminStr", "300000"},
            {"KTPmaxStr", "700000"}});
  apply(p, points);
}

std::string fixed(double v, int precision, int decimals) { return formatFixed(v, precision, decimals, ','); }

// Flows as printed for these examples: 5 significant digits.
std::string flowText(double q) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.5g", q);
  std::string s = buf;
  for (char& c : s) {
    if (c == '.') c = ',';
  }
  return s;
}

const std::string& cell1(const TestPoint& p, int col, int row) { return p.s.in.TablPogr.cell(col, row); }
const std::string& cell2(const TestPoint& p, int col, int row) { return p.s.in.TablPogrk.cell(col, row); }

// 10, 100, 0, 50, 0, 25 % give four rows in descending order.
TEST(ControlPointTables, TheControlPointsInDescendingOrderAndTheirFlowColumns) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "10"}, {"KT2str", "100"}, {"KT3str", "0"}, {"KT4str", "50"}, {"KT5str", "0"},
                    {"KT6str", "25"}});
  apply(p, {{"QpredMaxStr", "100"}, {"QpredMinStr", "1"}, {"Qstr", "500"}});
  p.settle();
  const char* column0[] = {"100 ", "50 ", "25 ", "10 "};
  const char* column1[] = {"100,00 % ", "50,00 % ", "25,00 % ", "10,00 % "};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(cell1(p, 0, 3 + k), column0[k]);
    EXPECT_EQ(cell1(p, 1, 3 + k), column1[k]);
    EXPECT_EQ(cell2(p, 0, 3 + k), column0[k]);
    EXPECT_EQ(cell2(p, 1, 3 + k), column1[k]);
    for (int j = 0; j < 5; ++j) EXPECT_NE(cell1(p, 2 + j, 3 + k), "");
  }
  for (int col = 0; col < 7; ++col) {
    EXPECT_EQ(cell1(p, col, 7), "");
    EXPECT_EQ(cell1(p, col, 8), "");
  }
  // The headings: the texts of the combination inputs.
  const char* temperatures[] = {"-20 ", "-20 ", "20 ", "40 ", "40 "};
  const char* pressures[] = {"300000 ", "700000 ", "500000 ", "300000 ", "700000 "};
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(cell1(p, 2 + j, 0), temperatures[j]);
    EXPECT_EQ(cell1(p, 2 + j, 1), pressures[j]);
    EXPECT_EQ(cell2(p, 2 + j, 1), pressures[j]);
  }
  // No control point: message 9 and no table run.
  TestPoint none;
  errorPoint(none);
  none.settle();
  EXPECT_TRUE(none.raised(9));
  EXPECT_EQ(cell1(none, 0, 3), "");
}

// A control point of 5 % with Qн = 8 and Qв = 100 m3/h lies below the range:
// its flow and " - " in Table 1, " - " in Table 2.
TEST(ControlPointTables, APointOutsideTheFlowmeterRange) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "5"}});
  apply(p, {{"QpredMaxStr", "100"}, {"QpredMinStr", "8"}, {"Qstr", "500"}});
  p.settle();
  EXPECT_EQ(cell1(p, 0, 3), "5 ");
  for (int j = 0; j < 5; ++j) {
    const std::string& c = cell1(p, 2 + j, 3);
    EXPECT_EQ(c.substr(c.size() - 5), " \n - ") << c;
    EXPECT_EQ(cell2(p, 2 + j, 3), " - ");
  }
}

// The flow at standard conditions of a natural gas counts the absolute
// pressure: Pб = 100000 Pa, 300000 Pa gauge, 20 °C: Qc = Q·400000/(101325·K).
TEST(ControlPointTables, TheStandardFlowOfACellCountsTheAbsolutePressure) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "100"}});
  apply(p, {{"PbarStr", "100000"}, {"PizbStr", "300000"}});
  p.settle();
  const double Q = 200;
  EXPECT_EQ(cell1(p, 4, 3).substr(0, cell1(p, 4, 3).find('\n')), flowText(Q * 400000 / (101325 * p.s.gas.K)) + " ");
}

// Another medium has both densities: the flow at standard conditions is
// their ratio, not the compressibility of a natural gas.
TEST(ControlPointTables, TheStandardFlowOfAnotherMediumIsTheDensityRatio) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "100"}});
  p.set("sreda", "1");
  typeComboText(p.s, p.s.in.NamePrSred, "Пар");
  apply(p, {{"rPrSredStr", "5"}, {"KoefTPrSredStr", "1"}, {"KoefPPrSredStr", "1"}, {"rstPrSredStr", "0,9"}});
  p.settle();
  EXPECT_TRUE(p.memo2().empty());
  for (int j = 0; j < 5; ++j) {
    const std::string& c = cell1(p, 2 + j, 3);
    EXPECT_EQ(c.substr(0, c.find('\n')), flowText(200 * 5 / 0.9) + " ");
  }
}

// Air has both densities too (its routine gives no compressibility
// coefficient): the same density ratio.
TEST(ControlPointTables, TheStandardFlowOfAirIsTheDensityRatio) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "100"}});
  p.set("sreda", "10");
  p.settle();
  EXPECT_TRUE(p.memo2().empty());
  ASSERT_GT(p.s.gas.rhoSt, 0);
  const std::string& c = cell1(p, 4, 3);
  EXPECT_EQ(c.substr(0, c.find('\n')), flowText(200 * p.s.gas.rho / p.s.gas.rhoSt) + " ");
}

// Control points given as flows at standard conditions: column 1 holds a
// blank and the cells show the working flow Qc·rhoSt/rho.
TEST(ControlPointTables, ControlPointsAtStandardConditions) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p);
  apply(p, {{"KTtip", "1"}, {"KT1str", "800"}, {"KT2str", "400"}});
  p.settle();
  const double point[] = {800, 400};
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(cell1(p, 0, 3 + k), flowText(point[k]) + " ");
    EXPECT_EQ(cell1(p, 1, 3 + k), " ");
    // The measuring point's column: its densities.
    const double Q = point[k] * p.s.gas.rhoSt / p.s.gas.rho;
    const std::string& c = cell1(p, 4, 3 + k);
    EXPECT_EQ(c.substr(0, c.find('\n')), flowText(Q) + " ");
  }
}

// The corners of the variation against the measuring ranges of the
// instruments; the tables are filled all the same, and a corrected range
// clears its condition.
TEST(ControlPointTables, TheRangeConditions) {
  struct Case {
    const char* what;
    bool densities;
    Inputs inputs;
    std::set<int> raised;
  };
  const std::vector<Case> cases = {
      {"inside", false, {}, {}},
      {"below tн", false, {{"KTTminStr", "-50"}}, {99}},
      {"above tв", false, {{"KTTmaxStr", "70"}}, {99}},
      {"above Pв", false, {{"KTPmaxStr", "1200000"}}, {100}},
      {"below Pн", false, {{"PizbprednStr", "400000"}}, {100}},
      {"Pн counts as 0 without a computing device", false, {{"pr_IK", "0"}, {"PizbprednStr", "400000"}}, {}},
      {"densities inside", true, {}, {}},
      {"below rн", true, {{"KTrrabminStr", "0,5"}}, {120}},
      {"above rсв", true, {{"KTrstMaxStr", "1,2"}}, {121}},
      {"no standard-density meter", true, {{"KTrstMaxStr", "1,2"}, {"pr_St", "0"}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestPoint p;
    errorPoint(p);
    controlPoints(p);
    if (c.densities) {
      densityMeters(p);
      apply(p, {{"KTrrabminStr", "2"}, {"KTrrabMaxStr", "8"}, {"KTrstMinStr", "0,65"}, {"KTrstMaxStr", "0,9"}});
    }
    apply(p, c.inputs);
    p.settle();
    for (int n : {99, 100, 120, 121}) EXPECT_EQ(p.raised(n), c.raised.count(n) == 1) << n;
    EXPECT_NE(cell2(p, 2, 3), "");
    if (c.raised.empty()) continue;
    // The range corrected.
    if (c.densities) {
      apply(p, {{"KTrrabminStr", "2"}, {"KTrstMaxStr", "0,9"}});
    } else {
      apply(p, {{"KTTminStr", "-20"}, {"KTTmaxStr", "40"}, {"KTPmaxStr", "700000"}, {"PizbprednStr", "0"}});
    }
    p.settle();
    for (int n : {99, 100, 120, 121}) EXPECT_FALSE(p.raised(n)) << n;
  }
}

// A flow error written as a formula in Q takes, in each cell, the cell's
// working flow; the field keeps showing the value at the measuring point.
TEST(ControlPointTables, AFormulaInQTakesTheFlowOfTheCell) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "100"}, {"KT2str", "50"}, {"KT3str", "10"}});
  apply(p, {{"pr_IK", "0"}, {"dP1tipPogr", "0"}, {"dP1sisstr", "0,2*Qв/Q"}});
  p.settle();
  const double dRho = p.s.gas.dRho;
  const double flows[] = {200, 100, 20};
  for (int k = 0; k < 3; ++k) {
    const double dQ = 0.2 * 200 / flows[k];
    const std::string& c = cell1(p, 4, 3 + k);
    EXPECT_EQ(c.substr(c.find('\n') + 1), fixed(std::hypot(dRho, dQ), 5, 2) + " ") << k;
  }
  EXPECT_EQ(p.s.in.dP1sisstr.text(), "0,2*Qв/Q = 0,4");
  EXPECT_DOUBLE_EQ(p.s.in.dP1sisstr.value, 0.4);
  EXPECT_DOUBLE_EQ(p.s.channels.dQ, 0.4);
}

// A corner of the table is the measuring point moved to the corner's
// temperature and pressure: error formulas in t and P follow it too.
TEST(ControlPointTables, ACornerIsTheMeasuringPointAtThatTemperatureAndPressure) {
  const Inputs errors = {{"T1tipPogr", "2"},       {"T1sisstr", "0,1+0,005*\x05t\x05"},
                         {"P1tipPogr", "0"},       {"P1sisstr", "0,1+0,0000002*P"},
                         {"dP1tipPogr", "0"},      {"dP1sisstr", "0,5"},
                         {"CompPogrStr", "0,05"},  {"CompVrStr", "0,02"}};
  TestPoint table;
  errorPoint(table);
  controlPoints(table, {{"KT1str", "100"}, {"KT2str", "30"}});
  apply(table, errors);
  table.settle();
  // The first corner (-20 °C, 300 kPa) as the measuring point.
  TestPoint corner;
  errorPoint(corner);
  controlPoints(corner, {{"KT1str", "100"}, {"KT2str", "30"}});
  apply(corner, errors);
  apply(corner, {{"Tstr", "-20"}, {"PizbStr", "300000"}});
  corner.settle();
  for (int row = 3; row <= 4; ++row) {
    EXPECT_EQ(cell1(table, 2, row), cell1(corner, 4, row));
    EXPECT_EQ(cell2(table, 2, row), cell2(corner, 4, row));
  }
  EXPECT_NE(cell1(table, 2, 3), cell1(table, 4, 3));
}

// A combination outside the method's temperature range (80 °C for GERG-91
// mod.) gives " - " in both tables; the method's message says why.
TEST(ControlPointTables, ACombinationWhosePropertiesFail) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p);
  p.set("KTTmaxStr", "80");
  p.settle();
  for (int row = 3; row <= 4; ++row) {
    for (int j : {3, 4}) {
      EXPECT_EQ(cell1(p, 2 + j, row), " - ");
      EXPECT_EQ(cell2(p, 2 + j, row), " - ");
    }
    EXPECT_NE(cell1(p, 2, row), " - ");
  }
  EXPECT_TRUE(p.raised(3));
  EXPECT_TRUE(p.raised(99));
  // The measuring point keeps its results.
  EXPECT_NE(p.line("Плотность при рабочих условиях  "), "");
}

// With density meters the combinations are densities; the working-density
// error of a reduced meter follows the density of the combination.
TEST(ControlPointTables, MeasuredDensities) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p);
  densityMeters(p);
  apply(p, {{"KTrrabminStr", "2"}, {"KTrrabMaxStr", "8"}, {"KTrstMinStr", "0,65"}, {"KTrstMaxStr", "0,9"},
            {"pr_IK", "0"}, {"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}, {"rrab1TipPogr", "1"},
            {"rrab1pogrStr", "0,2"}, {"rst1TipPogr", "0"}, {"rst1PogrStr", "0,1"}});
  p.settle();
  const double r[] = {2, 2, 4, 8, 8};
  const double rc[] = {0.65, 0.9, 0.7, 0.65, 0.9};
  const char* rTexts[] = {"2 ", "2 ", "4 ", "8 ", "8 "};
  const char* rcTexts[] = {"0,65 ", "0,9 ", "0,7 ", "0,65 ", "0,9 "};
  const double Q[] = {200, 100};
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(cell1(p, 2 + j, 0), rTexts[j]);
    EXPECT_EQ(cell1(p, 2 + j, 1), rcTexts[j]);
    const double dRho = 0.2 * 10 / r[j];
    for (int k = 0; k < 2; ++k) {
      const double dVol = std::sqrt(0.1 * 0.1 + dRho * dRho + 0.5 * 0.5);
      EXPECT_EQ(cell1(p, 2 + j, 3 + k), flowText(Q[k] * r[j] / rc[j]) + " \n" + fixed(dVol, 5, 2) + " ") << j;
      EXPECT_EQ(cell2(p, 2 + j, 3 + k), fixed(dVol, 5, 2) + " ");
    }
  }
}

// After the run the measuring point has its own values again: the channel
// and property errors behind its lines, and its error-field values.
TEST(ControlPointTables, TheMeasuringPointIsRestored) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p);
  apply(p, {{"T1tipPogr", "0"}, {"T1sisstr", "0,2"}, {"dP1tipPogr", "0"}, {"dP1sisstr", "0,04*Qв/Q"}});
  p.settle();
  EXPECT_EQ(p.line("Плотность при рабочих условиях  "),
            "Плотность при рабочих условиях  " + fixed(p.s.gas.rho, 10, 5) + " кг/м3");
  EXPECT_EQ(p.line("Коэффициент сжимаемости "), "Коэффициент сжимаемости " + fixed(p.s.gas.K, 10, 6));
  EXPECT_DOUBLE_EQ(p.s.channels.dT, 0.2);
  EXPECT_DOUBLE_EQ(p.s.channels.dQ, 0.08);
  EXPECT_DOUBLE_EQ(p.s.in.dP1sisstr.value, 0.08);
  EXPECT_DOUBLE_EQ(p.s.channels.pAbs, 601325);
  EXPECT_NEAR(p.s.volumeErrors.dVol, std::hypot(p.s.gas.dRho, 0.08), 1e-12);
}

// The progress of the run, seen from the window's pending events before each
// cell: the bar counts up, the status text says what runs, the report menu
// waits; all of it goes at the end.
TEST(ControlPointTables, TheProgressOfTheRun) {
  for (const auto& [wording, text] : {std::pair{"0", "Производится расчет погрешностей"},
                                      std::pair{"1", "Производится расчет неопределенностей"}}) {
    TestPoint p;
    errorPoint(p);
    controlPoints(p, {{"KT1str", "100"}, {"KT2str", "50"}, {"KT3str", "20"}});
    p.set("TipPogr", wording);
    p.settle();
    std::vector<int> positions;
    bool reportMenu = true;
    std::string status;
    std::function<void()> watch = [&] {
      if (p.s.in.ProgressBar1.visible()) {
        positions.push_back(p.s.in.ProgressBar1.position());
        reportMenu = reportMenu && p.s.in.MenuReport.enabled();
        status = p.s.in.InitTextStr.caption();
      }
      p.pump.post(watch);
    };
    p.pump.post(watch);
    p.type(p.s.in.KT3str, "25");
    p.settle();
    // 15 cells: the bar reaches 100 at the last one.
    const std::vector<int> expected = {7, 13, 20, 27, 33, 40, 47, 53, 60, 67, 73, 80, 87, 93, 100};
    EXPECT_EQ(positions, expected);
    EXPECT_FALSE(reportMenu);
    EXPECT_EQ(status, text);
    EXPECT_FALSE(p.s.in.ProgressBar1.visible());
    EXPECT_EQ(p.s.in.InitTextStr.caption(), "");
    EXPECT_TRUE(p.s.in.MenuReport.enabled());
  }
}

// Typing while the tables are filled stops the run after the cells already
// done, gives the measuring point its values back and starts the pass again;
// the pass that completes shows the results of the new input.
TEST(ControlPointTables, AnInputDuringTheRunRestartsThePass) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p, {{"KT1str", "100"}, {"KT2str", "50"}, {"KT3str", "20"}});
  apply(p, {{"CompPogrStr", "0,05"}, {"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}});
  p.settle();
  const std::string rhoLine = p.line("Плотность при рабочих условиях  ");

  int tableCells = 0;
  bool interrupted = false;
  std::vector<std::vector<std::string>> afterInterruption;
  bool barAfter = true, menuAfter = false;
  double rhoAfter = 0;
  std::function<void()> afterwards = [&] {
    // The next pending events: the start of the restarted pass.
    for (int row = 3; row <= 5; ++row) {
      std::vector<std::string> cells;
      for (int col = 2; col <= 6; ++col) cells.push_back(cell2(p, col, row));
      afterInterruption.push_back(cells);
    }
    barAfter = p.s.in.ProgressBar1.visible();
    menuAfter = p.s.in.MenuReport.enabled();
    rhoAfter = p.s.gas.rho;
  };
  std::function<void()> user = [&] {
    if (p.s.in.ProgressBar1.visible() && ++tableCells == 8) {
      // Before the eighth cell (the second point, third combination).
      p.type(p.s.in.CompVrStr, "0,5");
      interrupted = true;
      p.pump.post(afterwards);
      return;
    }
    p.pump.post(user);
  };
  p.pump.post(user);
  p.type(p.s.in.KT3str, "25");
  p.settle();
  ASSERT_TRUE(interrupted);
  ASSERT_EQ(afterInterruption.size(), 3u);
  for (int j = 0; j < 5; ++j) {
    EXPECT_NE(afterInterruption[0][static_cast<size_t>(j)], "") << j;
    EXPECT_EQ(afterInterruption[1][static_cast<size_t>(j)] != "", j < 2) << j;
    EXPECT_EQ(afterInterruption[2][static_cast<size_t>(j)], "") << j;
  }
  EXPECT_FALSE(barAfter);
  EXPECT_TRUE(menuAfter);
  EXPECT_EQ(rhoLine, "Плотность при рабочих условиях  " + fixed(rhoAfter, 10, 5) + " кг/м3");
  EXPECT_TRUE(p.s.in.CalcIdle);

  // The final tables are those of a pass with the new input.
  TestPoint fresh;
  errorPoint(fresh);
  controlPoints(fresh, {{"KT1str", "100"}, {"KT2str", "50"}, {"KT3str", "25"}});
  apply(fresh, {{"CompPogrStr", "0,05"}, {"dP1tipPogr", "0"}, {"dP1sisstr", "0,5"}, {"CompVrStr", "0,5"}});
  fresh.settle();
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 7; ++col) {
      EXPECT_EQ(cell1(p, col, row), cell1(fresh, col, row)) << col << "," << row;
      EXPECT_EQ(cell2(p, col, row), cell2(fresh, col, row)) << col << "," << row;
    }
  }
  EXPECT_EQ(p.memo1(), fresh.memo1());
}

// The captions over the fixed area and the tab captions follow what the
// combinations and the control points are, and the wording.
TEST(ControlPointTables, TheCaptionsInBothWordings) {
  struct Case {
    Inputs inputs;
    const char *t, *P, *flow, *q, *qk, *tab, *tab1, *tab2;
  };
  const std::vector<Case> cases = {
      {{{"TipPogr", "0"}},
       "Температура ,°C", "Изб. давление ,Па", "Расход при раб. усл., м3/ч",
       "Расход при станд. усл., м3/ч   /   погрешность, %", "Погрешность, %", "Расчет погрешностей",
       "Погрешность измерения расхода", "Погрешность измерения объема"},
      {{{"TipPogr", "1"}, {"KTtip", "1"}, {"KT1str", "800"}, {"KT2str", "400"}},
       "Температура ,°C", "Изб. давление ,Па", "Расход при ст. усл., м3/ч",
       "Расход при раб. усл., м3/ч   /   неопределенность, % ", "Неопределенность, %", "Расчет неопределенностей",
       "Неопределенность измерения расхода", "неопределенность измерения объема"},
      {{{"TipPogr", "0"}, {"pr_Pbar", "0"}, {"PizbStr", "600000"}},
       "Температура ,°C", "Абс. давление ,Па", "Расход при раб. усл., м3/ч",
       "Расход при станд. усл., м3/ч   /   погрешность, %", "Погрешность, %", "Расчет погрешностей",
       "Погрешность измерения расхода", "Погрешность измерения объема"},
      {{{"TipPogr", "0"}, {"pr_Rab", "1"}},
       "Плотность при раб. усл.,кг/м3", "Плотность при станд. усл.,кг/м3", "Расход при раб. усл., м3/ч",
       "Расход при станд. усл., м3/ч   /   погрешность, %", "Погрешность, %", "Расчет погрешностей",
       "Погрешность измерения расхода", "Погрешность измерения объема"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.P);
    TestPoint p;
    errorPoint(p);
    controlPoints(p);
    apply(p, c.inputs);
    p.settle();
    const InputRecord& in = p.s.in;
    EXPECT_EQ(in.TextT.caption(), c.t);
    EXPECT_EQ(in.TextTk.caption(), c.t);
    EXPECT_EQ(in.TextP.caption(), c.P);
    EXPECT_EQ(in.TextPk.caption(), c.P);
    EXPECT_EQ(in.TextdP.caption(), c.flow);
    EXPECT_EQ(in.TextdPk.caption(), c.flow);
    EXPECT_EQ(in.TextQ.caption(), c.q);
    EXPECT_EQ(in.TextQk.caption(), c.qk);
    EXPECT_EQ(in.TabSheet11.caption(), c.tab);
    EXPECT_EQ(in.TabSheet12.caption(), c.tab1);
    EXPECT_EQ(in.TabSheet13.caption(), c.tab2);
  }
}

// GOST R 8.662 lets pending events run between the evaluations of its
// equation: an input while the combinations are computed stops the run there,
// and the rest of it stays silent (no line written after the volume error).
TEST(ControlPointTables, AnInputWhileTheCombinationsAreComputed) {
  const auto setUp = [](TestPoint& p, const char* timeError) {
    errorPoint(p);
    controlPoints(p);
    p.set("metod", "4");
    for (const auto& [row, content] : {std::pair{3, "95"}, std::pair{4, "3"}, std::pair{1, "1"}, std::pair{2, "1"}}) {
      p.cell(p.s.in.sost_iso, 1, row, content);
    }
    p.set("CompVrStr", timeError);
    p.settle();
  };
  TestPoint p;
  setUp(p, "0");
  ASSERT_NE(cell1(p, 2, 3), "");
  const std::string volumeLine = "Относительная погрешность измерения объема, приведенного к стандартным условиям  ";
  bool typed = false;
  bool lineAfterVolumeError = false;
  std::function<void()> user = [&] {
    const auto& m = p.memo1();
    for (size_t i = 0; i + 1 < m.size(); ++i) {
      if (m[i].rfind(volumeLine, 0) == 0) lineAfterVolumeError = true;
    }
    if (!typed && !p.s.in.CalcIdle && !p.s.in.ProgressBar1.visible()) {
      p.type(p.s.in.CompVrStr, "0,5");
      typed = true;
    }
    p.pump.post(user);
  };
  p.pump.post(user);
  p.type(p.s.in.KT2str, "40");
  p.settle();
  EXPECT_TRUE(typed);
  EXPECT_FALSE(lineAfterVolumeError);
  EXPECT_TRUE(p.s.in.CalcIdle);
  TestPoint fresh;
  setUp(fresh, "0,5");
  fresh.set("KT2str", "40");
  fresh.settle();
  EXPECT_EQ(p.memo1(), fresh.memo1());
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 7; ++col) EXPECT_EQ(cell2(p, col, row), cell2(fresh, col, row)) << col << "," << row;
  }
}

// Without an upper limit of the flowmeter there is no run: the tables keep
// their texts.
TEST(ControlPointTables, NoRunWithoutTheUpperLimitOfTheFlowmeter) {
  TestPoint p;
  errorPoint(p);
  controlPoints(p);
  p.settle();
  const std::string before = cell1(p, 2, 3);
  ASSERT_NE(before, "");
  p.set("QpredMaxStr", "0");
  p.settle();
  EXPECT_EQ(cell1(p, 2, 3), before);
}

}  // namespace
}  // namespace velmar
