// The batch tool as a user drives it: options in order, exit status, errors.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

namespace {

using velmar::testing::ToolRun;

// Runs the tool in the given folder (the test's own when empty).
ToolRun run(const std::string& args, const std::string& folder = {}) { return velmar::testing::runTool(args, folder); }

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

// A first start without a session file: the input form's defaults (GERG-91
// mod., every value 0).
TEST(BatchTool, EmptyCommandLineShowsTheMessagesOfAFirstStart) {
  const ToolRun r = run("--json");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "{\"memo1\": [], \"memo2\": [\"[2]  Невозможно расcчитать плотность\", \"[47]  Неверное значение "
            "избыточного давления\", \"[56]  Неверное значение атмосферного давления\", \"[97]  Значение плотности "
            "газа при стандартных условиях должно находиться в диапазоне от 0.66 до 1.05 кг/м3\"], "
            "\"reportEnabled\": false, \"table1\": " +
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
  // A comma is not a number with a point as the separator: the text is
  // refused; with --lenient the edit brings its previous text back, as in the
  // window, and the density keeps its value.
  const ToolRun comma = run("--decimal-separator . --lenient --set metod=1 --set rststr=0,7 --json");
  EXPECT_NE(comma.out.find("[97]"), std::string::npos);
  const ToolRun strict = run("--decimal-separator . --set metod=1 --set rststr=0,7 --json");
  EXPECT_EQ(strict.status, 2);
  EXPECT_EQ(strict.err, "velmar-calc: --set: 'rststr' does not take the text '0,7': it is no number with the decimal "
                        "separator '.'\n");
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

std::string writeFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name + "_" + std::to_string(getpid());
  if (FILE* f = fopen(path.c_str(), "wb")) {
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
  }
  return path;
}

// A hostile or careless user: indexes beyond int, texts that do not convert,
// option files that are no files or never end. Each is a usage error: exit
// status 2, nothing on the standard output and one line on the error stream
// that names what was refused, quoting at most 200 characters of it.
TEST(BatchTool, HostileInputsAreUsageErrors) {
  const std::string longLine(5000, 'x');
  const std::string badLineFile = writeFile("velmar_bad_line", std::string("--set metod=1\n--") + longLine + "\n");
  const std::string bigFile = writeFile("velmar_big", std::string(5u << 20, '#'));
  const std::string binaryFile = writeFile("velmar_binary", std::string("--set\0Qstr=1\n", 14));
  const struct {
    std::string args;
    std::string named;  // the error names this
  } cases[] = {
      {"--set 'sostav[1,2147483647]=5'", "cell [1,2147483647] is not an input cell of 'sostav'"},
      {"--set 'sostav[1,2147483648]=5'", "'sostav[1,2147483648]'"},
      {"--set 'sostav[1,-2147483649]=5'", "'sostav[1,-2147483649]'"},
      {"--set 'sostav[2147483648,1]=5'", "'sostav[2147483648,1]'"},
      {"--set 'sostav[-2147483648,1]=5'", "not an input cell"},
      {"--set Raschet=2147483647", "'2147483647' for 'Raschet'"},
      {"--set Raschet=2147483648", "'2147483648' for 'Raschet'"},
      {"--set Raschet=-2147483649", "'-2147483649' for 'Raschet'"},
      {"--set Raschet=9999999999", "'9999999999' for 'Raschet'"},
      {"--set TipIK=1e3", "'1e3' for 'TipIK'"},
      {"--decimal-separator , --set Tstr=25.5", "'Tstr' does not take the text '25.5'"},
      {"--decimal-separator , --set Tstr=nan", "'Tstr' does not take the text 'nan'"},
      {"--decimal-separator , --set Tstr=１２", "'Tstr' does not take the text '１２'"},
      {"--decimal-separator , --set Tstr=0x10", "'Tstr' does not take the text '0x10'"},
      {"--decimal-separator , --set 'Tstr=20 °C'", "'Tstr' does not take the text '20 °C'"},
      {"--decimal-separator , --set Tstr=1e400", "'Tstr' does not take the text '1e400'"},
      {"--decimal-separator , --set KTTminStr=", "'KTTminStr' does not take the text ''"},
      {"--decimal-separator , --set 'sost_135[1,1]=90.5'", "cell [1,1] of 'sost_135' does not take the text '90.5'"},
      {std::string("@") + ::testing::TempDir(), "is not a regular file"},
      {"@/dev/zero", "'/dev/zero' is not a regular file"},
      {std::string("@") + bigFile, "is larger than 4 MB"},
      {std::string("@") + badLineFile, std::string("unknown option '--") + std::string(198, 'x') + "...'"},
      {std::string("@") + binaryFile, "line 1 of option file"},
      {"--set 'Qstr=1\n2'", "'Qstr' does not take the text '1?2'"},
      // The window shows the wording of the errors disabled outside an error
      // calculation: an input there would be dropped.
      {"--set TipPogr=0 --set Raschet=1",
       "'TipPogr' is disabled: it is enabled only in an error calculation (Raschet=1)"},
  };
  for (const auto& c : cases) {
    const ToolRun r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_TRUE(r.out.empty()) << c.args;
    EXPECT_EQ(r.err.rfind("velmar-calc: ", 0), 0u) << c.args << ": " << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << c.args << ": " << r.err;
    EXPECT_LT(r.err.size(), 400u) << c.args;
  }
  // --lenient asks for the window's behaviour: the edit brings its previous
  // text back, the run goes on with the previous value.
  const ToolRun lenient = run(std::string(kExample) + " --lenient --set Tstr=25.5 --set 'sost_135[1,1]=x'");
  EXPECT_EQ(lenient.status, 0) << lenient.err;
  EXPECT_EQ(lenient.out, run(kExample).out);
  for (const std::string& f : {badLineFile, bigFile, binaryFile}) std::remove(f.c_str());
}

// Texts that do convert are taken as before: the flowmeter's limits "Qн" and
// "Qв", "-" in a temperature, an emptied edit, a formula in an error field.
TEST(BatchTool, TextsThatConvertAreTaken) {
  const ToolRun r = run(std::string(kExample) +
                        " --set Raschet=1 --set dP1dopcheck=1 --set Diap1minStr=Qн --set Diap1maxStr=Qв --set KTTminStr=- --set Qstr= "
                        "--set 'dP1sisstr=0,5+0,01*2' --set Raschet=0");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, run(kExample).out);
}

TEST(BatchTool, OptionsComeFromAFile) {
  const std::string file = ::testing::TempDir() + "velmar_options.txt";
  FILE* f = fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  // Saved by an editor that marks UTF-8 with a byte-order mark.
  fputs("\xEF\xBB\xBF# natural gas by GERG-91 mod.\n--decimal-separator ,\n--set metod=1\n--set VlTip=0\n"
        "--set rststr=0,7\n"
        "--set n2str=1\n--set co2str=0,5\n--set Tstr=20\n--set PizbStr=500000\n--set PbarStr=101325\n"
        "--set Qstr=1000\n",
        f);
  fclose(f);
  EXPECT_EQ(run("@" + file).out, run(kExample).out);
}

// The bundled examples, as option files and as input-data files.
const std::string kExamples = std::string(VELMAR_TEST_DATA_DIR) + "/../../examples/";

TEST(BatchTool, EveryBundledExampleGivesTheSamePanesFromItsInputDataFile) {
  for (const char* name : {"gerg91_dry", "gerg91_wet", "gerg91_error", "gerg91_diameter", "gost8662_error",
                           "mr135_mixture", "nitrogen", "rgazprom_error"}) {
    const ToolRun typed = run("--tables @" + kExamples + name + ".args");
    const ToolRun loaded = run("--tables --decimal-separator , --load " + kExamples + name + ".vdt");
    EXPECT_EQ(loaded.status, typed.status) << name << ": " << loaded.err;
    EXPECT_EQ(loaded.out, typed.out) << name;
    EXPECT_FALSE(typed.out.empty()) << name;
  }
}

TEST(BatchTool, LoadComesBeforeTheSetsAndSaveAfterThePass) {
  const std::string saved = ::testing::TempDir() + "velmar_saved_" + std::to_string(getpid()) + ".vdt";
  // The file is opened first wherever --load stands; the edits follow it.
  const ToolRun edited =
      run("--set Qstr=2000 --decimal-separator , --load " + kExamples + "gerg91_dry.vdt --save " + saved);
  ASSERT_EQ(edited.status, 0) << edited.err;
  EXPECT_NE(edited.out.find("Объем, приведенный к стандартным условиям  11986,756000 м3"), std::string::npos)
      << edited.out;
  const ToolRun again = run("--decimal-separator , --load " + saved);
  EXPECT_EQ(again.out, edited.out);
  std::remove(saved.c_str());
}

TEST(BatchTool, AnInputDataFileThatCannotBeReadOrWrittenIsAUsageError) {
  const std::string dir = ::testing::TempDir();
  const std::string shifted = writeFile("velmar_shifted.vdt", "Расчет\r\n1\r\n");
  struct Case {
    std::string args;
    std::string error;
  };
  const Case cases[] = {
      {"--load /nonexistent/point.vdt", "velmar-calc: cannot read input-data file '/nonexistent/point.vdt': no such file\n"},
      {"--load " + dir, "velmar-calc: cannot read input-data file '" + dir + "'\n"},
      {"--load " + shifted, "velmar-calc: input-data file '" + shifted +
                                "': reading stopped at line 1: it should hold an integer\n"},
      {"--load /dev/zero",
       "velmar-calc: input-data file '/dev/zero': reading stopped at line 1: the file is larger than 4194304 bytes\n"},
      {"--save /nonexistent/point.vdt",
       "velmar-calc: cannot write input-data file '/nonexistent/point.vdt': No such file or directory\n"},
      {"--save " + dir, "velmar-calc: cannot write input-data file '" + dir + "': Is a directory\n"},
      {"--load", "velmar-calc: '--load' needs a value\n"},
  };
  for (const Case& c : cases) {
    const ToolRun r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_TRUE(r.out.empty()) << c.args;
    EXPECT_EQ(r.err, c.error) << c.args;
  }
  // With --lenient the values read before the stop are used, as in the window.
  const ToolRun lenient = run("--lenient --load " + shifted);
  EXPECT_EQ(lenient.status, 1);
  EXPECT_EQ(lenient.err, "velmar-calc: input-data file '" + shifted +
                             "': reading stopped at line 1: it should hold an integer\n");
  std::remove(shifted.c_str());
}

// The report of the batch tool: the lines of the report text, refused while
// a message is raised, as the menu "Отчет" is disabled then.
TEST(BatchTool, ReportTextIsWrittenOnlyWhenNoMessageIsRaised) {
  char folderTemplate[] = "/tmp/velmar_batch_report_XXXXXX";
  ASSERT_NE(mkdtemp(folderTemplate), nullptr);
  const std::string folder = folderTemplate;
  const std::string text = folder + "/report.txt";

  ToolRun r = run(std::string(kExample) + " --report-text report.txt", folder);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  std::string bytes;
  if (FILE* f = fopen(text.c_str(), "rb")) {
    std::array<char, 4096> buf{};
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), f)) > 0;) bytes.append(buf.data(), n);
    fclose(f);
  }
  // UTF-8 lines, each ended by a line feed; the first line empty, the last one too.
  EXPECT_EQ(bytes.rfind("\n  Расходомер (счетчик) - Турбинный      ", 0), 0u);
  EXPECT_NE(bytes.find("\n* Плотность при рабочих условиях...............................  4,19536  кг/м3\n"),
            std::string::npos);
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  ASSERT_GE(bytes.size(), 5u);
  EXPECT_EQ(bytes.substr(bytes.size() - 5), "м3\n\n");
  std::remove(text.c_str());

  // A message raised (no volume): no report, status 1 and the reason.
  r = run("--decimal-separator , --set metod=1 --set rststr=0,7 --report-text report.txt", folder);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "velmar-calc: no report is written while a message is raised (see the message pane)\n");
  EXPECT_EQ(fopen(text.c_str(), "rb"), nullptr);

  for (const char* args : {"--report-text", "--report-text ''", "--report-text a --report-text b"}) {
    r = run(args, folder);
    EXPECT_EQ(r.status, 2) << args;
  }
  r = run(std::string(kExample) + " --report-text no/such/folder/report.txt", folder);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "velmar-calc: cannot write report file 'no/such/folder/report.txt': No such file or directory\n");
  std::remove(folder.c_str());
}

// A folder of its own for a test of files, removed afterwards.
struct RunFolder {
  RunFolder() {
    std::string templ = ::testing::TempDir() + "velmar_batch_files_XXXXXX";
    if (mkdtemp(templ.data()) != nullptr) path = templ;
  }
  ~RunFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string file(const std::string& name) const { return path + "/" + name; }
  std::string read(const std::string& name) const {
    std::string bytes;
    if (FILE* f = fopen(file(name).c_str(), "rb")) {
      std::array<char, 4096> buf{};
      for (size_t n; (n = fread(buf.data(), 1, buf.size(), f)) > 0;) bytes.append(buf.data(), n);
      fclose(f);
    }
    return bytes;
  }
  void write(const std::string& name, const std::string& bytes) const {
    if (FILE* f = fopen(file(name).c_str(), "wb")) {
      fwrite(bytes.data(), 1, bytes.size(), f);
      fclose(f);
    }
  }
  std::string path;
};

// Line n (from 1) of a file of CR LF lines.
std::string lineOf(const std::string& bytes, int n) {
  size_t at = 0;
  for (int i = 1; i < n; ++i) {
    at = bytes.find('\n', at);
    if (at == std::string::npos) return {};
    ++at;
  }
  return bytes.substr(at, bytes.find("\r\n", at) - at);
}

// A file saved where the decimal separator is one and loaded where it is the
// other, both ways: the texts that do not convert are not taken, so that the
// calculation, a later save and the report all use what the inputs show (the
// defaults here), and the load names every line it did not take.
TEST(BatchTool, AFileOfTheOtherDecimalSeparatorComputesWithWhatItShows) {
  for (const char separator : {',', '.'}) {
    const std::string sep(1, separator);
    const std::string other(1, separator == ',' ? '.' : ',');
    SCOPED_TRACE("loaded with '" + sep + "'");
    RunFolder folder;
    const std::string point = "--set sreda=3 --set VlTip=0 --set PizbStr=1000000 --set PbarStr=101325 --set Qstr=250";
    ASSERT_EQ(run("--decimal-separator " + other + " " + point + " --set Tstr=15" + other + "5 --save saved.vdt",
                  folder.path).status, 0);
    const std::string file = "input-data file 'saved.vdt'";
    const auto notTaken = [&](int line, const char* control, const std::string& text) {
      return "velmar-calc: " + file + ", line " + std::to_string(line) + ": '" + control +
             "' does not take the text '" + text + "': it is no number with the decimal separator '" + sep +
             "' (the file was written with the decimal separator '" + other + "')";
    };
    // The reset's own texts of the other separator, then the temperature.
    const ToolRun strict = run("--decimal-separator " + sep + " --load saved.vdt", folder.path);
    EXPECT_EQ(strict.status, 2);
    EXPECT_EQ(strict.out, "");
    EXPECT_EQ(strict.err, notTaken(43, "KlinTRStr", "0" + other + "00001") + "\n");

    const ToolRun lenient =
        run("--decimal-separator " + sep + " --lenient --load saved.vdt --save again.vdt --report-text report.txt",
            folder.path);
    const std::string kept = "; the input keeps its value\n";
    EXPECT_EQ(lenient.err, notTaken(43, "KlinTRStr", "0" + other + "00001") + kept +
                               notTaken(86, "T11str", "0" + other + "15") + kept +
                               notTaken(87, "T12str", "0" + other + "002") + kept +
                               notTaken(92, "Tstr", "15" + other + "5") + kept);
    const ToolRun atZero = run("--decimal-separator " + sep + " " + point);
    EXPECT_EQ(lenient.status, atZero.status);
    EXPECT_EQ(lenient.out, atZero.out) << "the temperature shown, 0 °C, is the one computed with";
    EXPECT_NE(lenient.out.find("Объем, приведенный к стандартным условиям  2929" + sep + "224100 м3"),
              std::string::npos)
        << lenient.out;
    EXPECT_EQ(lineOf(folder.read("again.vdt"), 92), "0");
    EXPECT_EQ(lineOf(folder.read("again.vdt"), 43), "0" + sep + "00001");
    const std::string report = folder.read("report.txt");
    const size_t temperature = report.find("Температура (t)");
    ASSERT_NE(temperature, std::string::npos);
    EXPECT_EQ(report.substr(report.find(' ', report.find("..", temperature)), 8), "  0  °C") << report;
    EXPECT_EQ(run("--decimal-separator " + sep + " --load again.vdt", folder.path).err, "") << "saved as it computed";
  }
}

// Input-data files the tool refuses or reads only in part, as the window
// does: an empty one (a file, /dev/null, a pipe nobody writes into) holds no
// input data; one cut short is damaged and, with --lenient, read as far as it
// goes; a byte-order mark is no part of line 1.
TEST(BatchTool, EveryInputDataFileNotReadWholeSaysWhy) {
  RunFolder folder;
  ASSERT_EQ(run(std::string(kExample) + " --save full.vdt", folder.path).status, 0);
  const std::string full = folder.read("full.vdt");
  folder.write("empty.vdt", "");
  ASSERT_EQ(mkfifo(folder.file("pipe.vdt").c_str(), 0600), 0);
  size_t at = 0;
  for (int i = 0; i < 450; ++i) at = full.find('\n', at) + 1;
  folder.write("cut.vdt", full.substr(0, at));
  folder.write("marked.vdt", "\xEF\xBB\xBF" + full);
  const struct {
    std::string args;
    int status;
    std::string err;
  } cases[] = {
      {"--load empty.vdt", 2, "velmar-calc: input-data file 'empty.vdt' is empty: it holds no input data\n"},
      {"--lenient --load /dev/null", 2, "velmar-calc: input-data file '/dev/null' is empty: it holds no input data\n"},
      {"--load pipe.vdt", 2, "velmar-calc: input-data file 'pipe.vdt' is empty: it holds no input data\n"},
      {"--load cut.vdt", 2,
       "velmar-calc: input-data file 'cut.vdt': the file is damaged: it ends at line 450, where no complete or older "
       "file ends\n"},
      {"--lenient --load cut.vdt", 0,
       "velmar-calc: input-data file 'cut.vdt': the file is damaged: it ends at line 450, where no complete or older "
       "file ends\n"},
      {"--load marked.vdt", 0, ""},
  };
  for (const auto& c : cases) {
    const ToolRun r = run("--decimal-separator , " + c.args, folder.path);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;
    if (c.args.find("marked") != std::string::npos) {
      EXPECT_EQ(r.out, run(kExample).out) << "the marked file reads as the unmarked one";
    }
  }
}

// The files the tool writes: only a regular file or a missing one, never two
// outputs into one file, a name as long as the file system takes, and the
// characters Windows-1251 lacks said on stderr while the file is written
// with "?" for them.
TEST(BatchTool, OutputsGoOnlyIntoRegularFilesAndSayWhatTheyLose) {
  RunFolder folder;
  ASSERT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);
  ASSERT_EQ(symlink("pipe", folder.file("to_pipe").c_str()), 0);
  const std::string longName = std::string(251, 'n') + ".vdt";
  const struct {
    std::string args;
    int status;
    std::string err;
  } cases[] = {
      {"--save pipe", 2, "velmar-calc: cannot write input-data file 'pipe': it is a named pipe, not a regular file\n"},
      {"--save to_pipe", 2,
       "velmar-calc: cannot write input-data file 'to_pipe': it is a named pipe, not a regular file\n"},
      {"--report-text to_pipe", 2,
       "velmar-calc: cannot write report file 'to_pipe': it is a named pipe, not a regular file\n"},
      {"--save same.txt --report-text ./same.txt", 2,
       "velmar-calc: --save and --report-text name the same file './same.txt'\n"},
      {"--save " + longName, 0, ""},
      {"--set 'NameIzmTrub=Узел Ø100 м³' --set 'NameSU=Ø 5' --save lost.vdt", 0,
       "velmar-calc: input-data file 'lost.vdt', line 123 ('NameIzmTrub'): the characters 'Ø³' are not in "
       "Windows-1251 and are written as '?'\n"
       "velmar-calc: input-data file 'lost.vdt', line 377 ('NameSU'): the characters 'Ø' are not in Windows-1251 "
       "and are written as '?'\n"},
  };
  for (const auto& c : cases) {
    const ToolRun r = run(std::string(kExample) + " " + c.args, folder.path);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;
  }
  struct stat st {};
  EXPECT_TRUE(stat(folder.file("pipe").c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) << "the pipe stays a pipe";
  EXPECT_FALSE(std::filesystem::exists(folder.file("same.txt")));
  EXPECT_EQ(run("--decimal-separator , --load " + longName, folder.path).out, run(kExample).out);
  EXPECT_EQ(lineOf(folder.read("lost.vdt"), 123), "\xD3\xE7\xE5\xEB ?100 \xEC?");
}

}  // namespace
