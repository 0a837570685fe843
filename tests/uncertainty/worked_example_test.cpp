// The worked error calculation of the README (examples/gerg91_error.args):
// natural gas by GERG-91 mod. with every channel given and both control-point
// tables filled, run through velmar-calc. Every channel error, the volume
// error and all 60 table cells are worked out here from the inputs of the
// example file with the error model written out by hand: conversion of each
// entry to per cent of the measured value, the addition rule of each
// instrument, the root sums of squares of the channels, the volume error and
// the flows of the control points. The gas properties of each state come from
// the GERG-91 mod. method itself (checked against reference values by its own
// tests), given the temperature and pressure errors computed here, so that
// the test also shows that these errors reach the method.
//
// The printed texts are compared in full: numbers must match to the last
// printed digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <map>
#include <string>
#include <vector>

#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "json_reader.h"
#include "test_support.h"

namespace velmar {
namespace {

using testing::Json;

const char* kExample = "gerg91_error.args";

struct Inputs {
  std::map<std::string, std::string> set;
  double operator[](const std::string& name) const {
    auto it = set.find(name);
    if (it == set.end()) throw std::runtime_error("the example does not set " + name);
    std::string text = it->second;
    for (char& c : text) {
      if (c == ',') c = '.';
    }
    return std::stod(text);
  }
};

std::string comma(std::string text) {
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

// Flows are printed rounded to 5 significant digits in general notation; for
// the flows of this example (6 to 2000 m3/h) that is "%.5g".
std::string flowText(double q) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.5g", q);
  return comma(buf);
}

std::string fixed(double v, int precision, int decimals) { return formatFixed(v, precision, decimals, ','); }

double rss(std::initializer_list<double> terms) {
  double sum = 0;
  for (double t : terms) sum += t * t;
  return std::sqrt(sum);
}

// The example's errors of one state (t in °C, P gauge pressure in Pa).
struct StateErrors {
  double dT, dPizb, dPb, pAbs, dPabs;
  MethodOutputs gas;
};

StateErrors stateErrors(const Inputs& in, double t, double P) {
  StateErrors e{};
  const double T = t + 273.15;
  // Class A resistance thermometer, Δt = 0,15 + 0,002·|t|; its transmitter:
  // reduced to the span of the thermometer, additional relative.
  const double span = in["TmaxStr"] - in["TminStr"];
  const double sensor = (0.15 + 0.002 * std::fabs(t)) / T * 100;
  const double transmitter = in["T2sisstr"] * span / T;
  e.dT = rss({sensor, transmitter, in["T2dopStr"]});
  // Manometer: main and additional reduced to its upper limit, geometric.
  const double Pv = in["PizbPredstr"];
  e.dPizb = rss({in["P1sisstr"] * Pv / P, in["P1dopStr"] * Pv / P});
  // Barometer: main and additional absolute in Pa, arithmetic.
  const double Pb = in["PbarStr"];
  e.dPb = (in["PbarPogrStr"] + in["PbarDopPogrStr"]) / Pb * 100;
  e.pAbs = Pb + P;
  e.dPabs = rss({P / e.pAbs * e.dPizb, Pb / e.pAbs * e.dPb});
  const auto gas = calcGerg91(T, e.dT, e.pAbs, e.dPabs, in["rststr"], in["co2str"], in["n2str"], in["rstsisstr"],
                              in["co2sisstr"], in["n2sisstr"]);
  if (!gas) throw std::runtime_error("GERG-91 mod. refuses a state of the example");
  e.gas = *gas;
  return e;
}

// Flowmeter: 1 % relative, additional reduced to Qв.
double flowError(const Inputs& in, double Q) { return rss({in["dP1sisstr"], in["dp1dopStr"] * in["QpredMaxStr"] / Q}); }

double volumeError(const Inputs& in, double dRho, double dQ) { return rss({in["CompPogrStr"], dRho, dQ}); }

// The option file of the example, followed by further options.
std::string exampleOptions(const std::string& extra) {
  std::string options = "@";
  options += testing::examplePath(kExample);
  options += extra;
  return options;
}

Json runExample(const std::string& extra) {
  const testing::CalcRun r = testing::runVelmarCalc(exampleOptions(extra + " --json"));
  EXPECT_EQ(r.status, 0) << r.out;
  return Json::parse(r.out);
}

std::vector<std::string> strings(const Json& array) {
  std::vector<std::string> out;
  for (const Json& j : array.array()) out.push_back(j.string());
  return out;
}

struct Wording {
  const char* option;
  std::string barometer, gauge, absolute, temperature, flow;
  std::string tableCaption;
};

TEST(WorkedErrorExample, EveryChannelTheVolumeAndBothTablesInBothWordings) {
  const Inputs in{testing::exampleSettings(kExample)};
  const StateErrors point = stateErrors(in, in["Tstr"], in["PizbStr"]);
  const double Qavg = in["Qstr"] / in["TauStr"];
  const double dQ = flowError(in, Qavg);
  const double dVol = volumeError(in, point.gas.dRho, dQ);

  const std::vector<Wording> wordings = {
      {"",
       "Относительная погрешность канала измерения атмосферного давления ",
       "Относительная погрешность канала измерения избыточного давления ",
       "Относительная погрешность измерения абсолютного давления ",
       "Относительная погрешность канала измерения температуры ",
       "Относительная погрешность канала измерения расхода при рабочих условиях ",
       "Погрешность измерения расхода"},
      {" --set TipPogr=1",
       "Суммарная расширенная неопределенность результов измерений атмосферного давления ",
       "Суммарная расширенная неопределенность результата измерения избыточного давления ",
       "Суммарная расширенная неопределенность результата измерения абсолютного давления ",
       "Суммарная расширенная неопределенность результата измерения температуры ",
       "Суммарная расширенная неопределенность результата измерений расхода при рабочих условиях ",
       "Неопределенность измерения расхода"},
  };
  std::vector<Json> outputs;
  for (const Wording& w : wordings) {
    SCOPED_TRACE(w.option);
    const Json out = runExample(w.option);
    EXPECT_TRUE(out["memo2"].array().empty());
    const std::vector<std::string> memo1 = strings(out["memo1"]);
    ASSERT_EQ(memo1.size(), 14u);
    EXPECT_EQ(memo1[0], w.barometer + fixed(point.dPb, 4, 3) + "%");
    EXPECT_EQ(memo1[1], w.gauge + fixed(point.dPizb, 5, 3) + " %");
    EXPECT_EQ(memo1[2], w.absolute + fixed(point.dPabs, 5, 3) + " %");
    EXPECT_EQ(memo1[3], w.temperature + fixed(point.dT, 5, 3) + " %");
    // The gas properties computed with those temperature and pressure errors.
    EXPECT_EQ(memo1[4], "Плотность при рабочих условиях  " + fixed(point.gas.rho, 10, 5) + " кг/м3");
    EXPECT_EQ(memo1[6], "Коэффициент сжимаемости " + fixed(point.gas.K, 10, 6));
    EXPECT_EQ(memo1[8],
              "Относительная погрешность определения коэффициента сжимаемости с учетом погрешностей определения "
              "температуры, давления и состава газа " +
                  fixed(point.gas.dK, 5, 3) + " %");
    EXPECT_EQ(memo1[9].rfind("Объем, приведенный к стандартным условиям  ", 0), 0u);
    EXPECT_EQ(memo1[11], w.flow + fixed(dQ, 4, 3) + "%");
    EXPECT_EQ(memo1[12], "Относительная погрешность вычислителя (ИК) при вычислении объема " +
                             fixed(in["CompPogrStr"], 5, 3) + " %");
    EXPECT_EQ(memo1[13], "Относительная погрешность измерения объема, приведенного к стандартным условиям  " +
                             fixed(dVol, 5, 3) + " %");
    outputs.push_back(out);
  }

  // The tables: five combinations of the extreme temperatures and pressures
  // (the third is the measuring point) over the control points in % of Qв.
  struct Combination {
    const char* t;
    const char* P;
  };
  const Combination combinations[5] = {{"KTTminStr", "KTPminStr"},
                                       {"KTTminStr", "KTPmaxStr"},
                                       {"Tstr", "PizbStr"},
                                       {"KTTmaxStr", "KTPminStr"},
                                       {"KTTmaxStr", "KTPmaxStr"}};
  std::vector<double> points;
  for (const char* name : {"KT1str", "KT2str", "KT3str", "KT4str", "KT5str", "KT6str"}) points.push_back(in[name]);
  std::sort(points.rbegin(), points.rend());
  const double Qv = in["QpredMaxStr"];
  const double Qn = in["QpredMinStr"];
  int outOfRange = 0;
  for (size_t w = 0; w < outputs.size(); ++w) {
    const Json& table1 = outputs[w]["table1"];
    const Json& table2 = outputs[w]["table2"];
    ASSERT_EQ(table1.size(), 9u);
    ASSERT_EQ(table2.size(), 9u);
    auto cell1 = [&](int col, int row) { return table1[static_cast<size_t>(row)][static_cast<size_t>(col)].string(); };
    auto cell2 = [&](int col, int row) { return table2[static_cast<size_t>(row)][static_cast<size_t>(col)].string(); };
    for (int j = 0; j < 5; ++j) {
      SCOPED_TRACE(j);
      const std::string tText = in.set.at(combinations[j].t) + " ";
      const std::string pText = in.set.at(combinations[j].P) + " ";
      EXPECT_EQ(cell1(2 + j, 0), tText);
      EXPECT_EQ(cell1(2 + j, 1), pText);
      EXPECT_EQ(cell2(2 + j, 0), tText);
      EXPECT_EQ(cell2(2 + j, 1), pText);
      const double t = in[combinations[j].t];
      const StateErrors e = stateErrors(in, t, in[combinations[j].P]);
      for (size_t k = 0; k < points.size(); ++k) {
        SCOPED_TRACE(k);
        const int row = 3 + static_cast<int>(k);
        const double Q = Qv * points[k] / 100;
        EXPECT_EQ(cell1(0, row), flowText(Q) + " ");
        EXPECT_EQ(cell1(1, row), fixed(points[k], 6, 2) + " % ");
        EXPECT_EQ(cell2(0, row), cell1(0, row));
        const double Qc = Q * 293.15 * e.pAbs / (101325 * (273.15 + t) * e.gas.K);
        if (Q < Qn) {
          EXPECT_EQ(cell1(2 + j, row), flowText(Qc) + " \n - ");
          EXPECT_EQ(cell2(2 + j, row), " - ");
          ++outOfRange;
          continue;
        }
        const double dVolCell = volumeError(in, e.gas.dRho, flowError(in, Q));
        const double dVolTime = rss({dVolCell, in["CompVrStr"]});
        EXPECT_EQ(cell1(2 + j, row), flowText(Qc) + " \n" + fixed(dVolCell, 5, 2) + " ");
        EXPECT_EQ(cell2(2 + j, row), fixed(dVolTime, 5, 2) + " ");
      }
    }
    // Nothing else in the grids: the captions are labels over the fixed area.
    for (int col = 0; col < 7; ++col) {
      for (int row = 0; row < 3; ++row) {
        if (col >= 2 && row < 2) continue;
        EXPECT_EQ(cell1(col, row), "") << col << "," << row;
      }
    }
  }
  // The 4 % point lies below Qн in every combination.
  EXPECT_EQ(outOfRange, 2 * 5);
}

TEST(WorkedErrorExample, TheTablesAsTextAfterThePanes) {
  const testing::CalcRun r = testing::runVelmarCalc(exampleOptions(" --tables"));
  ASSERT_EQ(r.status, 0);
  const std::string tail = r.out.substr(r.out.find("\n\n\n") + 3);
  // The tab caption, then the rows with the captions in the fixed cells they
  // stand over and the two lines of a cell joined by " / ".
  EXPECT_EQ(tail.rfind("Погрешность измерения расхода\n"
                       "Температура ,°C\t\t-20 \t-20 \t20 \t40 \t40 \n"
                       "Изб. давление ,Па\t\t300000 \t700000 \t500000 \t300000 \t700000 \n"
                       "Расход при раб. усл., м3/ч\t\tРасход при станд. усл., м3/ч   /   погрешность, %\t\t\t\t\n"
                       "160 \t100,00 % \t",
                       0),
            0u)
      << tail;
  EXPECT_NE(tail.find("\n\nПогрешность измерения объема\nТемпература ,°C\t"), std::string::npos);
  EXPECT_NE(tail.find("6,4 \t4,00 % \t"), std::string::npos);
  EXPECT_NE(tail.find(" /  - \t"), std::string::npos);
}

}  // namespace
}  // namespace velmar
