// velmar-calc --batch DIR as a user meets it: each file of a folder gives what
// its single run gives, whatever the number of workers; the summary opens as
// columns; the report PDFs exist for the enabled reports only and carry
// consecutive numbers in the order of the names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "json_reader.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using velmar::testing::Json;
using velmar::testing::ToolRun;
using velmar::testing::runTool;

const char* const kExamples[] = {"gerg91_dry",     "gerg91_error",  "gerg91_wet",    "gerg91_diameter",
                                 "gost8662_error", "mr135_mixture", "nitrogen",      "rgazprom_error"};

// A folder of the test's own, removed afterwards.
struct TempFolder {
  TempFolder() {
    std::string templ = ::testing::TempDir() + "velmar_batch_XXXXXX";
    if (::mkdtemp(templ.data()) == nullptr) ADD_FAILURE() << "mkdtemp";
    path = templ;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  std::string operator/(const std::string& name) const { return path + "/" + name; }
  std::string path;
};

void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string example(const std::string& name) { return readFile(velmar::testing::examplePath(name + ".vdt")); }

// The dry-gas example with one input changed, saved as an input-data file.
void writePoint(const std::string& path, const std::string& assignment) {
  const ToolRun saved = runTool("--decimal-separator , --load '" + velmar::testing::examplePath("gerg91_dry.vdt") +
                                "' --set '" + assignment + "' --save '" + path + "'");
  EXPECT_NE(saved.status, 2) << saved.err;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end - at));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

// The bundled examples, a point that raises a message (no volume), a broken
// file, an empty file, a directory named x.vdt, a file cut short, a name in
// Windows-1251, a name with a tab and a line break and an upper-case
// extension; beside them what is no input-data file of the folder.
std::vector<std::string> mixedFolder(const TempFolder& dir) {
  for (const char* name : kExamples) writeFile(dir / (std::string(name) + ".vdt"), example(name));
  writePoint(dir / "raised.vdt", "Qstr=0");
  std::string junk;
  for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 37) % 256);
  writeFile(dir / "broken.vdt", junk);
  writeFile(dir / "empty.vdt", "");
  fs::create_directory(dir / "x.vdt");
  const std::string error = example("gerg91_error");
  writeFile(dir / "cut.vdt", error.substr(0, error.size() / 2));
  writeFile(dir / "\xCF\xF3\xED\xEA\xF2.vdt", example("nitrogen"));  // "Пункт" in Windows-1251
  writeFile(dir / "OLD.VDT", example("gerg91_dry"));
  writeFile(dir / "tab\tand\nline.vdt", example("gerg91_wet"));
  writeFile(dir / "notes.txt", "no input data");
  fs::create_directory(dir / "sub");
  writeFile(dir / "sub/inner.vdt", example("gerg91_dry"));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path)) {
    const std::string name = e.path().filename().string();
    if (name != "notes.txt" && name != "sub") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The members of a JSON object as its text holds them, without the braces.
std::string members(const std::string& object) {
  return object.size() > 3 ? object.substr(1, object.size() - 3) : std::string();
}

TEST(BatchFolder, EveryFileGivesItsSingleRunsObjectAndStatus) {
  TempFolder dir;
  const std::vector<std::string> names = mixedFolder(dir);
  for (const std::string options : {"--decimal-separator ,", "--decimal-separator , --lenient"}) {
    SCOPED_TRACE(options);
    const ToolRun batch = runTool(options + " --batch '" + dir.path + "' --json --jobs 3");
    EXPECT_EQ(batch.status, 2) << "a file of status 2 makes the batch's status";
    EXPECT_EQ(batch.err, "");
    const std::vector<std::string> lines = linesOf(batch.out);
    ASSERT_EQ(lines.size(), names.size()) << batch.out;
    const ToolRun table = runTool(options + " --batch '" + dir.path + "'");
    const std::vector<std::string> rows = linesOf(table.out);
    ASSERT_EQ(rows.size(), names.size() + 1) << table.out;
    std::vector<int> counts(3, 0);
    for (size_t i = 0; i < names.size(); ++i) {
      SCOPED_TRACE(names[i]);
      const ToolRun single = runTool(options + " --load '" + (dir / names[i]) + "' --json");
      const Json line = Json::parse(lines[i]);
      const std::string shown = names[i][0] == '\xCF' ? "Пункт.vdt" : names[i];
      EXPECT_EQ(line["file"].string(), shown);
      EXPECT_EQ(line["status"].number(), single.status);
      EXPECT_NE(lines[i].find(members(single.out)), std::string::npos) << lines[i];
      std::vector<std::string> err = linesOf(single.err);
      if (single.status == 2) {
        ASSERT_FALSE(err.empty());
        EXPECT_EQ(line["error"].string(), err.back());
        err.pop_back();
      } else {
        EXPECT_FALSE(line.has("error"));
      }
      EXPECT_EQ(line.has("warnings"), !err.empty());
      for (size_t w = 0; w < err.size(); ++w) EXPECT_EQ(line["warnings"][w].string(), err[w]);
      // A tab or a line break of a name does not split the table's line.
      const std::string field = std::regex_replace(shown, std::regex("[\t\n]"), "?");
      EXPECT_EQ(rows[i].rfind(field + "\t" + std::to_string(single.status) + "\t", 0), 0u) << rows[i];
      ++counts[static_cast<size_t>(single.status)];
    }
    EXPECT_EQ(rows.back(), std::to_string(names.size()) + " files: " + std::to_string(counts[0]) +
                               " with status 0, " + std::to_string(counts[1]) + " with status 1, " +
                               std::to_string(counts[2]) + " with status 2");
  }
}

TEST(BatchFolder, TheBatchsStatusIsItsWorstFile) {
  const struct {
    std::vector<std::string> files;
    int status;
  } cases[] = {
      {{"gerg91_dry", "nitrogen"}, 0},
      {{"gerg91_dry", "raised"}, 1},
      {{"gerg91_dry", "raised", "x"}, 2},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    for (const std::string& f : c.files) {
      if (f == "x") {
        fs::create_directory(dir / "x.vdt");
      } else if (f == "raised") {
        writePoint(dir / "raised.vdt", "Qstr=0");
      } else {
        writeFile(dir / (f + ".vdt"), example(f));
      }
    }
    EXPECT_EQ(runTool("--decimal-separator , --batch '" + dir.path + "'").status, c.status) << c.files.back();
  }
}

TEST(BatchFolder, OneJobAndFourJobsPrintTheSameBytes) {
  TempFolder dir;
  mixedFolder(dir);
  // Enough files that four workers finish them out of order.
  for (int copy = 0; copy < 6; ++copy) {
    for (const char* name : kExamples) writeFile(dir / (std::string(name) + "_" + std::to_string(copy) + ".vdt"), example(name));
  }
  for (const std::string options : {"--json", "--tables", "--json --lenient"}) {
    SCOPED_TRACE(options);
    const std::string args = "--decimal-separator , --batch '" + dir.path + "' " + options;
    const ToolRun one = runTool(args + " --jobs 1 --summary '" + (dir / "one.csv") + "'");
    const ToolRun four = runTool(args + " --jobs 4 --summary '" + (dir / "four.csv") + "'");
    EXPECT_EQ(one.status, 2);
    EXPECT_EQ(four.status, one.status);
    EXPECT_GT(linesOf(one.out).size(), 50u);
    EXPECT_EQ(four.out, one.out);
    EXPECT_EQ(readFile(dir / "four.csv"), readFile(dir / "one.csv"));
  }
}

// A summary row as a spreadsheet reads it: ";" between cells, a quoted cell
// may hold ";", a line break and doubled quotes.
std::vector<std::vector<std::string>> readCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1);
  std::string cell;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (quoted) {
      if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (ch == '"') {
        quoted = false;
      } else {
        cell += ch;
      }
    } else if (ch == '"') {
      quoted = true;
    } else if (ch == ';') {
      rows.back().push_back(cell);
      cell.clear();
    } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.back().push_back(cell);
      cell.clear();
      rows.emplace_back();
      ++i;
    } else {
      cell += ch;
    }
  }
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

// The number of a result line as the panes print it.
std::string paneNumber(const std::string& panes, const std::string& name) {
  for (const std::string& line : linesOf(panes)) {
    if (line.rfind(name + " ", 0) != 0) continue;
    std::string rest = line.substr(name.size());
    rest.erase(0, rest.find_first_not_of(' '));
    return rest.substr(0, rest.find_first_of(" %"));
  }
  return {};
}

// A cell with the tool's decimal separator reads as a number in a Russian
// spreadsheet: digits and one comma.
bool isCommaNumber(const std::string& cell) {
  return std::regex_match(cell, std::regex("-?[0-9]+,[0-9]+"));
}

TEST(BatchFolder, TheSummaryOpensAsColumns) {
  TempFolder dir;
  for (const char* name : {"gerg91_dry", "gerg91_error", "gerg91_wet", "gerg91_diameter", "rgazprom_error"}) {
    writeFile(dir / (std::string(name) + ".vdt"), example(name));
  }
  fs::create_directory(dir / "x.vdt");
  writePoint(dir / "raised.vdt", "Qstr=0");
  // Names that a spreadsheet would split or take for a formula.
  writePoint(dir / "quoted.vdt", "NameIzmTrub=ГРС \"Север\"; линия 2");
  writePoint(dir / "formula.vdt", "NameIzmTrub==1+1");
  const ToolRun batch =
      runTool("--decimal-separator , --batch '" + dir.path + "' --summary '" + (dir / "summary.csv") + "'");
  EXPECT_EQ(batch.status, 2);
  const std::string text = readFile(dir / "summary.csv");
  ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << "a byte-order mark: the spreadsheet reads UTF-8";
  const auto rows = readCsv(text.substr(3));
  const std::vector<std::string> header = {"Файл", "Название расчета", "Вид расчета", "Среда", "Метод", "Статус",
                                           "Сообщения", "Объем при стандартных условиях, м3",
                                           "Объем сухой части влажного газа, м3", "Масса, кг",
                                           "Погрешность объема, %", "Отчет", "Примечание"};
  ASSERT_EQ(rows.size(), 10u) << text;
  EXPECT_EQ(rows[0], header);
  std::map<std::string, std::vector<std::string>> byFile;
  for (size_t r = 1; r < rows.size(); ++r) {
    EXPECT_EQ(rows[r].size(), header.size()) << r;
    byFile[rows[r][0]] = rows[r];
  }
  const std::string volume = "Объем, приведенный к стандартным условиям";
  for (const char* name : {"gerg91_dry", "gerg91_error", "gerg91_wet", "gerg91_diameter", "rgazprom_error"}) {
    SCOPED_TRACE(name);
    const std::vector<std::string>& row = byFile[std::string(name) + ".vdt"];
    ASSERT_EQ(row.size(), header.size());
    const ToolRun single = runTool("--decimal-separator , --load '" + (dir / (std::string(name) + ".vdt")) + "'");
    EXPECT_EQ(row[5], std::to_string(single.status));
    const bool wet = std::string(name) == "gerg91_wet";
    EXPECT_EQ(row[7], paneNumber(single.out, wet ? "Объем влажного газа, приведенный к стандартным условиям" : volume));
    EXPECT_EQ(row[8], wet ? paneNumber(single.out, "Объем сухой части влажного газа, приведенный к стандартным условиям")
                          : "");
    EXPECT_EQ(row[9], paneNumber(single.out, "Масса"));
    EXPECT_EQ(row[10], paneNumber(single.out, "Относительная погрешность измерения объема, приведенного к "
                                              "стандартным условиям"));
    for (int c : {7, 8, 9, 10}) EXPECT_TRUE(row[c].empty() || isCommaNumber(row[c])) << row[c];
  }
  EXPECT_EQ(byFile["gerg91_dry.vdt"][2], "Расчет объема, приведенного к стандартным условиям");
  EXPECT_EQ(byFile["gerg91_dry.vdt"][3], "Природный газ");
  EXPECT_EQ(byFile["gerg91_dry.vdt"][4], "GERG 91 мод. ГОСТ 30319.2-96");
  EXPECT_EQ(byFile["gerg91_error.vdt"][2], "Оценка погрешности результатов измерений");
  EXPECT_TRUE(isCommaNumber(byFile["gerg91_error.vdt"][10]));
  EXPECT_EQ(byFile["gerg91_wet.vdt"][9], "") << "a wet gas has no mass line";
  EXPECT_EQ(byFile["gerg91_diameter.vdt"][2], "Расчет внутреннего диаметра расходомера");
  EXPECT_EQ(byFile["gerg91_diameter.vdt"][7], "") << "a diameter calculation has no volume";
  EXPECT_EQ(byFile["raised.vdt"][6], "[38]");
  EXPECT_EQ(byFile["raised.vdt"][7], "") << "no volume is computed while message 38 stands";
  EXPECT_EQ(byFile["quoted.vdt"][1], "ГРС \"Север\"; линия 2");
  EXPECT_EQ(byFile["formula.vdt"][1], "'=1+1");
  EXPECT_EQ(byFile["x.vdt"][5], "2");
  EXPECT_EQ(byFile["x.vdt"][12], "cannot read input-data file '" + (dir / "x.vdt") + "'");
}

bool havePdfToText() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

// The calculation numbers of the pages of a PDF, as " Расчет N 7  от ..." prints them.
std::vector<std::string> numbersOf(const std::string& pdf) {
  const velmar::testing::CalcRun text = velmar::testing::runCommand("pdftotext '" + pdf + "' - 2>/dev/null");
  std::vector<std::string> numbers;
  const std::regex number("Расчет N ([0-9]+) +от");
  for (std::sregex_iterator it(text.out.begin(), text.out.end(), number), end; it != end; ++it) {
    if (numbers.empty() || numbers.back() != (*it)[1]) numbers.push_back((*it)[1]);
  }
  return numbers;
}

// A PDF without its creation date, the one thing two writings of it differ in.
std::string withoutDate(std::string pdf) {
  return std::regex_replace(pdf, std::regex("/CreationDate \\(D:[0-9Z+'-]*\\)"), "");
}

// Runs the batch with --reports in the folder work and checks its PDFs: one
// for each file whose report is enabled, none for another, numbered from
// first on in the order of the names. Gives the PDFs without their dates.
std::vector<std::string> checkReports(const std::vector<std::string>& names, const std::string& dir,
                                      const std::string& work, const std::string& jobs, long long first) {
  const ToolRun batch =
      runTool("--decimal-separator , --batch '" + dir + "' --json --reports out --jobs " + jobs, work);
  EXPECT_EQ(batch.status, 2);
  const std::vector<std::string> lines = linesOf(batch.out);
  EXPECT_EQ(lines.size(), names.size());
  long long next = first;
  std::vector<std::string> expected;
  std::vector<std::string> pdfs;
  for (size_t i = 0; i < names.size() && i < lines.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const Json line = Json::parse(lines[i]);
    const std::string pdf = (names[i][0] == '\xCF' ? "Пункт" : names[i].substr(0, names[i].size() - 4)) + ".pdf";
    if (!line.has("reportEnabled") || !line["reportEnabled"].boolean()) {
      EXPECT_EQ(line["report"].type(), Json::Type::Null);
      continue;
    }
    EXPECT_EQ(line["report"].string(), pdf);
    EXPECT_EQ(numbersOf(work + "/out/" + pdf), std::vector<std::string>{std::to_string(next)});
    expected.push_back(pdf);
    pdfs.push_back(withoutDate(readFile(work + "/out/" + pdf)));
    ++next;
  }
  std::vector<std::string> written;
  for (const auto& e : fs::directory_iterator(work + "/out")) written.push_back(e.path().filename().string());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, expected);
  EXPECT_GE(expected.size(), 6u);
  return pdfs;
}

TEST(BatchFolder, ReportPdfsExistForTheEnabledReportsNumberedInNameOrder) {
  if (runTool("--batch /nonexistent --reports x").err.find("not available") != std::string::npos) {
    GTEST_SKIP() << "velmar-calc is built without Qt";
  }
  if (!havePdfToText()) GTEST_SKIP() << "poppler-utils (pdftotext) are not installed";
  TempFolder dir;
  const std::vector<std::string> names = mixedFolder(dir);
  // Qt orders the fonts of a PDF by a hash seeded anew in every process
  // unless told otherwise: with one seed two writings of a PDF differ in
  // their creation date only.
  ::setenv("QT_HASH_SEED", "0", 1);
  std::vector<std::string> drawnByOne;
  for (const std::string jobs : {"1", "4"}) {
    SCOPED_TRACE("--jobs " + jobs);
    // A program folder whose numbering has reached 41.
    TempFolder work;
    fs::create_directory(work / "Velmar");
    writeFile(work / "Velmar/n.vdt", "41\r\n");
    const std::vector<std::string> pdfs = checkReports(names, dir.path, work.path, jobs, 41);
    // The next report continues the series.
    EXPECT_EQ(readFile(work / "Velmar/n.vdt"), std::to_string(41 + pdfs.size()) + "\r\n");
    // Drawn on four workers, each PDF is the one a single worker draws.
    if (jobs == "1") {
      drawnByOne = pdfs;
    } else {
      EXPECT_TRUE(pdfs == drawnByOne);
    }
  }
  // Without a program folder the reports are numbered from 0 all the same,
  // and no folder is made.
  TempFolder work;
  checkReports(names, dir.path, work.path, "2", 0);
  EXPECT_FALSE(fs::exists(work / "Velmar"));
  ::unsetenv("QT_HASH_SEED");
}

TEST(BatchFolder, UsageErrorsOfTheBatchExitWithTwoAndOneLine) {
  TempFolder dir;
  TempFolder none;
  writeFile(dir / "gerg91_dry.vdt", example("gerg91_dry"));
  writeFile(none / "notes.txt", "");
  const std::string d = "'" + dir.path + "'";
  const struct {
    std::string args;
    std::string err;
  } cases[] = {
      {"--batch /nonexistent-velmar", "--batch: '/nonexistent-velmar' is no folder"},
      {"--batch '" + (dir / "gerg91_dry.vdt") + "'", "--batch: '" + (dir / "gerg91_dry.vdt") + "' is no folder"},
      {"--batch '" + none.path + "'", "--batch: the folder '" + none.path + "' holds no .vdt file"},
      {"--batch", "'--batch' needs a value"},
      {"--batch " + d + " --batch " + d, "--batch is given twice"},
      {"--batch " + d + " --load x.vdt", "--batch does not take --load (each file is loaded as it is)"},
      {"--batch " + d + " --set Qstr=1", "--batch does not take --set (each file is loaded as it is)"},
      {"--batch " + d + " --save x.vdt", "--batch does not take --save (each file is loaded as it is)"},
      {"--batch " + d + " --jobs 0", "--jobs takes a whole number from 1 to 256, got '0'"},
      {"--batch " + d + " --jobs 257", "--jobs takes a whole number from 1 to 256, got '257'"},
      {"--batch " + d + " --jobs -1", "--jobs takes a whole number from 1 to 256, got '-1'"},
      {"--batch " + d + " --jobs 99999999999", "--jobs takes a whole number from 1 to 256, got '99999999999'"},
      {"--batch " + d + " --jobs two", "--jobs takes a whole number from 1 to 256, got 'two'"},
      {"--batch " + d + " --summary /nonexistent-velmar/s.csv",
       "cannot write summary file '/nonexistent-velmar/s.csv'"},
      {"--batch " + d + " --summary " + d, "cannot write summary file " + d},
      {"--summary s.csv", "--summary needs --batch DIR"},
      {"--reports out", "--reports needs --batch DIR"},
      {"--jobs 2", "--jobs needs --batch DIR"},
  };
  for (const auto& c : cases) {
    const ToolRun r = runTool(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_EQ(r.err, "velmar-calc: " + c.err + "\n") << c.args;
  }
}

}  // namespace
