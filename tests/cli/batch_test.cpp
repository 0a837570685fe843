// The batch tool as a user drives it: options in order, exit status, errors.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun run(const std::string& args) {
  // One file per test process: ctest runs the tests of this file side by side.
  const std::string errFile = ::testing::TempDir() + "velmar_calc_stderr_" + std::to_string(getpid()) + ".txt";
  const std::string command = std::string(VELMAR_CALC_PATH) + " " + args + " 2>" + errFile;
  ToolRun r;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  std::array<char, 4096> buf{};
  size_t n = 0;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (FILE* e = fopen(errFile.c_str(), "r")) {
    while ((n = fread(buf.data(), 1, buf.size(), e)) > 0) r.err.append(buf.data(), n);
    fclose(e);
  }
  std::remove(errFile.c_str());
  return r;
}

const char* kExample =
    "--decimal-separator , --set metod=1 --set VlTip=0 --set rststr=0,7 --set n2str=1 --set co2str=0,5 "
    "--set Tstr=20 --set PizbStr=500000 --set PbarStr=101325 --set Qstr=1000";

// The JSON of an empty control-point table: 9 rows of 7 empty cells.
std::string emptyTableJson() {
  std::string row = "[";
  for (int c = 0; c < 7; ++c) row += c ? ", \"\"" : "\"\"";
  row += "]";
  std::string table = "[";
  for (int r = 0; r < 9; ++r) table += (r ? ", " : "") + row;
  return table + "]";
}

TEST(BatchTool, EmptyCommandLineShowsTheMessagesOfAFreshWindow) {
  const ToolRun r = run("--json");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "{\"memo1\": [], \"memo2\": [\"[2]  Невозможно расcчитать плотность\", \"[47]  Неверное значение "
            "избыточного давления\", \"[56]  Неверное значение атмосферного давления\"], \"reportEnabled\": false, "
            "\"table1\": " +
                emptyTableJson() + ", \"table2\": " + emptyTableJson() + "}\n");
}

TEST(BatchTool, TheExamplePrintsItsSixLinesAndNoMessage) {
  const ToolRun r = run(kExample);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Плотность при рабочих условиях  4,19536 кг/м3\n"
            "Плотность при стандартных условиях  0,700000 кг/м3\n"
            "Коэффициент сжимаемости 0,990196\n"
            "Скорость звука  431,387300 м/с\n"
            "Объем, приведенный к стандартным условиям  5993,377800 м3\n"
            "Масса  4195,364500 кг\n"
            "\n");
}

TEST(BatchTool, DecimalSeparatorChangesReadingAndWriting) {
  std::string example = kExample;
  for (size_t at; (at = example.find("0,")) != std::string::npos;) example[at + 1] = '.';
  for (size_t at; (at = example.find("separator ,")) != std::string::npos;) example[at + 10] = '.';
  const ToolRun r = run(example);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Плотность при стандартных условиях  0.700000 кг/м3"), std::string::npos) << r.out;
  // A comma is not a number with a point as the separator: the text is refused.
  const ToolRun comma = run("--decimal-separator . --set metod=1 --set rststr=0,7 --json");
  EXPECT_NE(comma.out.find("[97]"), std::string::npos);
}

TEST(BatchTool, EveryKindOfControlTakesItsInput) {
  // edit, combo box, radio group, check box, grid cell, button
  const ToolRun r = run(std::string(kExample) +
                    " --set TipSU=2 --set Raschet=0 --set pr_Rab=0 --set 'sostav[1,1]=90' --set Button46=click");
  EXPECT_EQ(r.status, 0) << r.err;
  const ToolRun editable = run("--set sreda=1 --set NamePrSred=Пар --json");
  EXPECT_EQ(editable.status, 1);
  EXPECT_EQ(editable.out.find("[10]"), std::string::npos);
}

TEST(BatchTool, UsageErrorsExitWithTwoAndOneLine) {
  const char* cases[] = {"--set Nonexistent=1",
                         "--set sreda=11",
                         "--set sreda=x",
                         "--set pr_Rab=2",
                         "--set Button46=press",
                         "--set sostav=1",
                         "--set 'sostav[1]=1'",
                         "--set 'sostav[9,1]=1'",
                         "--set 'Qstr[1,1]=1'",
                         "--set TabSheet1=1",
                         "--set Qstr",
                         "--set",
                         "--frobnicate",
                         "--decimal-separator ';'",
                         "@/nonexistent/options"};
  for (const char* args : cases) {
    const ToolRun r = run(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_EQ(r.err.rfind("velmar-calc: ", 0), 0u) << args << ": " << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
  }
}

TEST(BatchTool, OptionsComeFromAFile) {
  const std::string file = ::testing::TempDir() + "velmar_options.txt";
  FILE* f = fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  fputs("# natural gas by GERG-91 mod.\n--decimal-separator ,\n--set metod=1\n--set VlTip=0\n--set rststr=0,7\n"
        "--set n2str=1\n--set co2str=0,5\n--set Tstr=20\n--set PizbStr=500000\n--set PbarStr=101325\n"
        "--set Qstr=1000\n",
        f);
  fclose(f);
  EXPECT_EQ(run("@" + file).out, run(kExample).out);
}

}  // namespace
