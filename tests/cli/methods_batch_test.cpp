// Every method through the batch tool: a volume calculation from grid input
// or from the medium alone, and in an error calculation the method's
// compressibility-error line.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "test_support.h"

namespace {

struct Output {
  int status = -1;
  std::string text;
};

Output calc(const std::string& args) {
  const velmar::testing::CalcRun r = velmar::testing::runCommand(std::string(VELMAR_CALC_PATH) + " --decimal-separator , " + args + " 2>&1");
  return {r.status, r.out};
}

const std::string kPoint =
    " --set VlTip=0 --set Tstr=20 --set PizbStr=3000000 --set PbarStr=101325 --set Qstr=1000";

struct Case {
  const char* name;
  std::string args;
  const char* errorLine;
};

const char* kCompositionError =
    "Относительная погрешность определения коэффициента сжимаемости с учетом погрешностей определения температуры, "
    "давления и состава газа ";
const char* kStateError =
    "Относительная погрешность определения коэффициента сжимаемости с учетом погрешностей определения температуры и "
    "давления газа ";

std::string grid(const char* name, std::initializer_list<std::pair<int, const char*>> rows) {
  std::string s;
  for (const auto& [row, value] : rows) {
    s += " --set ";
    s += name;
    s += "[1,";
    s += std::to_string(row);
    s += "]=";
    s += value;
  }
  return s;
}

std::vector<Case> cases() {
  std::vector<Case> all = {
      {"GOST 30319.3", "--set metod=0" + grid("sostav", {{1, "95"}, {2, "3"}, {6, "1"}, {7, "1"}}), kCompositionError},
      {"R Gazprom 5.3", "--set metod=3" + grid("sost_rgaz", {{1, "95"}, {2, "3"}, {9, "1"}, {10, "1"}}),
       kCompositionError},
      {"GOST R 8.662", "--set metod=4" + grid("sost_iso", {{3, "95"}, {4, "3"}, {1, "1"}, {2, "1"}}),
       kCompositionError},
      {"NX-19 mod.", "--set metod=2 --set rststr=0,7 --set n2str=1 --set co2str=1", kCompositionError},
      {"MR 113-03", "--set sreda=2 --set Metod_s=0" + grid("sost_113", {{1, "90"}, {2, "7"}, {3, "3"}}), kStateError},
      {"MR 118-05", "--set sreda=2 --set Metod_s=1" + grid("Sost_118", {{1, "90"}, {2, "7"}, {3, "3"}}), kStateError},
      {"MR 135-07", "--set sreda=2 --set Metod_s=2" + grid("sost_135", {{1, "90"}, {2, "7"}, {3, "3"}}), kStateError},
  };
  for (int gas = 3; gas <= 9; ++gas) {
    all.push_back({"MR 134-07", "--set sreda=" + std::to_string(gas) + " --set PizbStr=1000000", kStateError});
  }
  return all;
}

TEST(MethodsThroughBatchTool, VolumeCalculationOfEveryMethod) {
  for (const Case& c : cases()) {
    const Output o = calc(c.args + kPoint);
    EXPECT_EQ(o.status, 0) << c.name << " " << c.args << "\n" << o.text;
    EXPECT_NE(o.text.find("Коэффициент сжимаемости "), std::string::npos) << c.name << "\n" << o.text;
    EXPECT_NE(o.text.find("Объем, приведенный к стандартным условиям  "), std::string::npos) << c.name;
    EXPECT_NE(o.text.find("Масса  "), std::string::npos) << c.name;
  }
}

TEST(MethodsThroughBatchTool, ErrorCalculationPrintsTheCompressibilityErrorLine) {
  for (const Case& c : cases()) {
    const Output o = calc(c.args + kPoint + " --set Raschet=1");
    EXPECT_NE(o.text.find(c.errorLine), std::string::npos) << c.name << " " << c.args << "\n" << o.text;
  }
}

}  // namespace
