#include "cli/batch.h"

#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/batch_folder.h"
#include "core/program_files.h"
#include "core/safe_file.h"
#include "core/version.h"
#include "measuring_point/input_data.h"
#include "measuring_point/named_input.h"
#include "measuring_point/session.h"
#include "measuring_point/session_file.h"
#include "measuring_point/start_up.h"
#include "persistence/input_file.h"
#include "report/calculation_number.h"
#include "report/report_text.h"
#include "ui/form_rules.h"
#include "uncertainty/control_point_tables.h"

namespace velmar {

namespace {

constexpr const char* kUsage =
    "usage: velmar-calc [--decimal-separator SEP] [--lenient] [--load FILE] [--set NAME=VALUE]...\n"
    "                   [--save FILE] [--tables] [--report-text FILE] [--report-pdf FILE] [--json]\n"
    "                   [@FILE]\n"
    "       velmar-calc --batch DIR [--decimal-separator SEP] [--lenient] [--tables] [--json]\n"
    "                   [--summary FILE.csv] [--reports OUTDIR] [--jobs N]\n"
    "       velmar-calc --version | --help\n"
    "  --load FILE          read an input-data file (.vdt) first, as the window's \"Загрузить\"\n"
    "  --set NAME=VALUE     one input, as typed into the window: an edit gets the text VALUE,\n"
    "                       a combo box or radio group selects item VALUE (0 is the first),\n"
    "                       a check box is set to 1 or 0, a button is pressed with NAME=click,\n"
    "                       a grid cell is NAME[col,row]=TEXT\n"
    "  --save FILE          write the inputs into an input-data file (.vdt) after the pass\n"
    "  --decimal-separator  the decimal separator of edits and results (default: the locale's)\n"
    "  --lenient            a number text that does not convert is typed as in the window, which\n"
    "                       brings the previous text back, and a file whose reading stops early,\n"
    "                       that is cut short or whose number texts do not convert is used as\n"
    "                       far as it was read and taken, each on stderr; without it all are\n"
    "                       errors\n"
    "  --tables             print the two control-point tables after the panes\n"
    "  --report-text FILE   write the lines of the calculation report (UTF-8, one line each)\n"
    "  --report-pdf FILE    write the report pages as the window's preview shows them (A4, PDF);\n"
    "                       the calculation number is taken from Velmar/n.vdt of the current\n"
    "                       folder and advanced there when that folder exists\n"
    "                       (both refused with status 1 while a message is raised)\n"
    "  --json               print {\"memo1\": [...], \"memo2\": [...], \"reportEnabled\": ...,\n"
    "                       \"table1\": [[...], ...], \"table2\": [[...], ...]}\n"
    "  @FILE                read further options from FILE, one per line (a regular file of at\n"
    "                       most 4 MB; lines starting with # are comments)\n"
    "  --batch DIR          compute every file *.vdt directly in DIR (not in its subfolders), in\n"
    "                       byte order of the names, each as --load FILE with the same options\n"
    "                       from a fresh start; print one line per file (name, status, messages,\n"
    "                       what went wrong) and the counts, or with --json the single run's\n"
    "                       object per line with \"file\", \"status\", for status 2 \"error\" (its\n"
    "                       stderr line) and \"warnings\" (its other stderr lines)\n"
    "  --summary FILE.csv   with --batch: one row per file for a spreadsheet (\";\", UTF-8 with BOM)\n"
    "  --reports OUTDIR     with --batch: the report PDF of every file whose report is enabled,\n"
    "                       named after the file (point.vdt -> point.pdf), numbered from\n"
    "                       Velmar/n.vdt of the current folder in the order of the names\n"
    "  --jobs N             with --batch: compute N files at once (default: the number of cores);\n"
    "                       the output is the same whatever N is\n"
    "  --version            print the program's version and exit\n"
    "  --help               print this text and exit\n"
    "exit status: 0 no message raised, 1 a message raised, 2 a usage error;\n"
    "with --batch: 2 when a file had status 2, else 1 when a file raised a message, else 0\n";

// An option file is a regular file of sane size with sane lines.
constexpr std::uintmax_t kMaxOptionFileBytes = 4u << 20;
constexpr size_t kMaxOptionLineBytes = 64u << 10;

}  // namespace

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (ch < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", ch);
          out += buf;
        } else {
          out += static_cast<char>(ch);
        }
    }
  }
  return out + "\"";
}

std::string jsonArray(const std::vector<std::string>& lines) {
  std::string out = "[";
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += ", ";
    out += jsonString(lines[i]);
  }
  return out + "]";
}

namespace {

// A grid as rows of its cell texts.
std::string jsonGrid(const StringGrid& grid) {
  std::string out = "[";
  for (int r = 0; r < grid.rowCount(); ++r) {
    std::vector<std::string> cells;
    for (int c = 0; c < grid.colCount(); ++c) cells.push_back(grid.cell(c, r));
    if (r) out += ", ";
    out += jsonArray(cells);
  }
  return out + "]";
}

// A control-point table as text: its tab caption, then one line per row with
// the cells separated by tabs, the captions in the fixed cells they stand
// over and the line break of a two-line cell written " / ".
void printTable(std::ostream& out, const InputRecord& in, const StringGrid& grid, const Control& tab) {
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(grid.rowCount()));
  for (int r = 0; r < grid.rowCount(); ++r) {
    for (int c = 0; c < grid.colCount(); ++c) rows[static_cast<size_t>(r)].push_back(grid.cell(c, r));
  }
  for (const TableCaption& caption : tableCaptions(in, grid)) {
    std::string& cell = rows[static_cast<size_t>(caption.row)][static_cast<size_t>(caption.col)];
    if (cell.empty()) cell = caption.label->caption();
  }
  out << '\n' << tab.caption() << '\n';
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      std::string text = row[c];
      for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) text.replace(at, 1, " / ");
      out << (c ? "\t" : "") << text;
    }
    out << '\n';
  }
}

// Reads the options an option file holds, one per line; "--opt value" on one
// line is the option and its value.
void readOptionFile(const std::string& path, std::vector<std::string>& args) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) throw UsageError{"cannot read option file " + quotedInput(path)};
  if (!std::filesystem::is_regular_file(status)) {
    throw UsageError{"option file " + quotedInput(path) + " is not a regular file"};
  }
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxOptionFileBytes) {
    throw UsageError{"option file " + quotedInput(path) + " is larger than 4 MB"};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UsageError{"cannot read option file " + quotedInput(path)};
  std::string line;
  std::uintmax_t read = 0;
  for (int number = 1; std::getline(in, line); ++number) {
    read += line.size() + 1;
    // A byte-order mark says the file is UTF-8; it is no part of the option.
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    const std::string where = "line " + std::to_string(number) + " of option file " + quotedInput(path);
    // The file may grow while it is read.
    if (read > kMaxOptionFileBytes) throw UsageError{"option file " + quotedInput(path) + " is larger than 4 MB"};
    if (line.size() > kMaxOptionLineBytes) throw UsageError{where + " is longer than 64 KB: " + quotedInput(line)};
    if (line.find('\0') != std::string::npos) throw UsageError{where + " is not text: " + quotedInput(line)};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    if (line.rfind("--", 0) == 0 && space != std::string::npos) {
      args.push_back(line.substr(0, space));
      args.push_back(line.substr(space + 1));
    } else {
      args.push_back(line);
    }
  }
  if (in.bad()) throw UsageError{"cannot read option file " + quotedInput(path)};
}

// Expands @FILE arguments into the options the file holds.
std::vector<std::string> expandArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.size() > 1 && a[0] == '@') {
      readOptionFile(a.substr(1), args);
    } else {
      args.push_back(a);
    }
  }
  return args;
}

char localeDecimalSeparator() {
  std::setlocale(LC_NUMERIC, "");
  const char* point = std::localeconv()->decimal_point;
  const char sep = (point != nullptr && point[0] != '\0') ? point[0] : '.';
  std::setlocale(LC_NUMERIC, "C");  // the program's own number conversions stay locale-free
  return sep;
}

// Why a write failed: what stands at the path when it is no regular file,
// otherwise the system's reason.
std::string writeFailure(const std::string& path, int error) {
  switch (writeTargetOf(path)) {
    case WriteTarget::Pipe: return "it is a named pipe, not a regular file";
    case WriteTarget::Device: return "it is a device, not a regular file";
    case WriteTarget::Other: return "it is not a regular file";
    default: return std::strerror(error);
  }
}

UsageError cannotWrite(std::string_view what, const std::string& file, const std::string& path, int error) {
  return UsageError{"cannot write " + std::string(what) + " file " + quotedInput(file) + ": " +
                    writeFailure(path, error)};
}

// A file loaded as the window's "Загрузить" loads it: a text of a number
// edit or a composition cell that does not convert is not taken (the input
// keeps its value), and the reading may stop early or find the file cut
// short. Without --lenient the first of these is a usage error; with it each
// is a line of err and the run goes on.
void loadInputData(Session& s, const std::string& file, TextCheck textCheck, std::ostream& err) {
  LoadNote note;
  switch (LoadInputFile(s, file, &note)) {
    case 1: throw UsageError{"cannot read input-data file " + quotedInput(file) + ": no such file"};
    case 2: throw UsageError{"cannot read input-data file " + quotedInput(file)};
    case kEmptyInputFile:
      throw UsageError{"input-data file " + quotedInput(file) + " is empty: it holds no input data"};
    default: break;
  }
  std::vector<std::string> problems;
  const char other = s.decimalSeparator == ',' ? '.' : ',';
  for (const RefusedInput& r : note.refused) {
    std::string problem = "input-data file " + quotedInput(file) + ", line " + std::to_string(r.line) + ": " +
                          textNotTaken("'" + r.control + "'", r.text, s.decimalSeparator);
    if (r.otherSeparator) problem += std::string(" (the file was written with the decimal separator '") + other + "')";
    if (textCheck == TextCheck::Lenient) problem += "; the input keeps its value";
    problems.push_back(std::move(problem));
  }
  if (note.stop != LoadNote::Stop::None) {
    problems.push_back("input-data file " + quotedInput(file) + ": " + describeLoadNote(note));
  }
  if (problems.empty()) return;
  if (textCheck == TextCheck::Strict) throw UsageError{problems.front()};
  for (const std::string& problem : problems) err << "velmar-calc: " << problem << "\n";
}

// The inputs a save wrote with "?" in place of characters Windows-1251
// lacks, one line each of err; the file is written all the same.
void tellLostCharacters(const Session& s, const std::string& file, std::ostream& err) {
  for (const LostCharacters& l : charactersLostInFile(s)) {
    err << "velmar-calc: input-data file " << quotedInput(file) << ", line " << l.line;
    if (!l.control.empty()) err << " ('" << l.control << "')";
    err << ": the characters " << quotedInput(l.characters) << " are not in Windows-1251 and are written as '?'\n";
  }
}

// Two outputs into one file would leave only the last of them.
bool sameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::equivalent(a, b, ec) && !ec) return true;
  std::error_code ea;
  std::error_code eb;
  const fs::path ca = fs::weakly_canonical(fs::absolute(a, ea), ea);
  const fs::path cb = fs::weakly_canonical(fs::absolute(b, eb), eb);
  return (!ea && !eb) ? ca == cb : a == b;
}

// Each output its own file.
void checkOutputsDiffer(const CalcOptions& c) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--save", &c.saveFile}, {"--report-text", &c.reportTextFile}, {"--report-pdf", &c.reportPdfFile}};
  for (size_t a = 0; a < std::size(outputs); ++a) {
    for (size_t b = a + 1; b < std::size(outputs); ++b) {
      const std::string& first = *outputs[a].second;
      const std::string& second = *outputs[b].second;
      if (!first.empty() && !second.empty() && sameFile(first, second)) {
        throw UsageError{std::string(outputs[a].first) + " and " + outputs[b].first + " name the same file " +
                         quotedInput(second)};
      }
    }
  }
}

void writeReports(const Session& s, const std::string& textFile, const std::string& pdfFile,
                  const ReportPdfWriter& writePdf, std::ostream& err) {
  const ReportDocument doc = BuildReportText(s, reportSettingsOf(s), today());
  if (!textFile.empty()) {
    std::string bytes;
    for (const std::string& line : doc.lines) bytes += line + "\n";
    const std::string path = userFilePath(s.files, textFile);
    if (!writeFileSafely(path, bytes)) throw cannotWrite("report", textFile, path, errno);
  }
  if (!pdfFile.empty()) {
    const std::shared_ptr<void> gui = writePdf.start();
    const std::string path = userFilePath(s.files, pdfFile);
    if (!writePdf.write(doc, path)) throw cannotWrite("report", pdfFile, path, errno);
    // The pages are generated: the next report carries the next number, kept
    // in the program's folder when the current folder has one.
    if (!AdvanceCalculationNumber(s.files).written && std::filesystem::is_directory(programFolderPath(s.files))) {
      const int error = errno;
      const std::string path = programFilePath(s.files, kCalculationNumberFile);
      err << "velmar-calc: the next calculation number could not be written to " << quotedInput(path) << ": "
          << writeFailure(path, error) << "\n";
    }
  }
}

// The options of the command line: one run, or a folder of them.
struct Options {
  bool help = false;
  bool version = false;
  CalcOptions calc;
  FolderOptions folder;
};

Options parseOptions(const std::vector<std::string>& args, bool canWritePdf) {
  Options o;
  CalcOptions& c = o.calc;
  c.separator = localeDecimalSeparator();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto next = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{quotedInput(a) + " needs a value"};
      return args[++i];
    };
    auto file = [&](std::string& name) {
      if (!name.empty()) throw UsageError{a + " is given twice"};
      name = next();
      if (name.empty()) throw UsageError{a + " needs a file name"};
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
      return o;
    } else if (a == "--version") {
      o.version = true;
      return o;
    } else if (a == "--json") {
      c.json = true;
    } else if (a == "--tables") {
      c.tables = true;
    } else if (a == "--lenient") {
      c.textCheck = TextCheck::Lenient;
    } else if (a == "--decimal-separator") {
      const std::string& sep = next();
      if (sep != "," && sep != ".") throw UsageError{"--decimal-separator takes ',' or '.', got " + quotedInput(sep)};
      c.separator = sep[0];
    } else if (a == "--set") {
      c.sets.push_back(next());
    } else if (a.rfind("--set=", 0) == 0) {
      c.sets.push_back(a.substr(6));
    } else if (a == "--load") {
      file(c.loadFile);
    } else if (a == "--save") {
      file(c.saveFile);
    } else if (a == "--report-text" || a == "--report-pdf") {
      file(a == "--report-text" ? c.reportTextFile : c.reportPdfFile);
      if (a == "--report-pdf" && !canWritePdf) throw UsageError{"--report-pdf is not available: built without Qt"};
    } else if (a == "--batch") {
      if (o.folder.given) throw UsageError{"--batch is given twice"};
      o.folder.given = true;
      o.folder.dir = next();
    } else if (a == "--summary") {
      file(o.folder.summaryFile);
    } else if (a == "--reports") {
      file(o.folder.reportDir);
      if (!canWritePdf) throw UsageError{"--reports is not available: built without Qt"};
    } else if (a == "--jobs") {
      o.folder.jobs = parseJobs(next());
    } else {
      throw UsageError{"unknown option " + quotedInput(a)};
    }
  }
  checkFolderOptions(o.folder, c);
  checkOutputsDiffer(c);
  return o;
}

// The single run: the pass, its panes on stdout, then the report files.
int runOnce(const CalcOptions& options, const ReportPdfWriter& writePdf) {
  CalcRun run = calculate(options);
  std::cerr << run.err;
  std::cout << run.out;
  std::cout.flush();
  if (run.status == 2) return 2;
  if (!std::cout) {
    std::cerr << "velmar-calc: the panes could not be written to the standard output\n";
    return 2;
  }
  if (!options.reportTextFile.empty() || !options.reportPdfFile.empty()) {
    const Session& s = run.point->s;
    // As the menu "Отчет": its commands are disabled while a message is raised.
    if (!s.in.N2_.enabled()) {
      std::cerr << "velmar-calc: no report is written while a message is raised (see the message pane)\n";
      return 1;
    }
    try {
      writeReports(s, options.reportTextFile, options.reportPdfFile, writePdf, std::cerr);
    } catch (...) {
      std::cerr << stopLine(std::current_exception());
      return 2;
    }
  }
  return run.status;
}

}  // namespace

std::string stopLine(std::exception_ptr stop) {
  try {
    std::rethrow_exception(stop);
  } catch (const UsageError& e) {
    return "velmar-calc: " + e.message + "\n";
  } catch (const std::bad_alloc&) {
    return "velmar-calc: out of memory\n";
  } catch (const std::exception& e) {
    return "velmar-calc: the run stopped on an unexpected error " + quotedInput(e.what()) + "\n";
  } catch (...) {
    return "velmar-calc: the run stopped on an unexpected error\n";
  }
}

std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[16] = "";
  if (localtime_r(&now, &local) != nullptr) std::strftime(text, sizeof text, "%d.%m.%Y", &local);
  return text;
}

CalcRun calculate(const CalcOptions& o) {
  CalcRun run;
  std::ostringstream out;
  std::ostringstream err;
  try {
    run.point = std::make_unique<RunPoint>(o.separator);
    Session& s = run.point->s;
    ManualTimer& timer = run.point->timer;
    installFormRules(s);
    // A first start of the program without a session file.
    startWithDefaults(s);
    // As a user opens a file and then edits it.
    if (!o.loadFile.empty()) loadInputData(s, o.loadFile, o.textCheck, err);
    for (const std::string& assignment : o.sets) {
      if (std::string error = applyNamedInput(s, assignment, o.textCheck); !error.empty()) {
        throw UsageError{"--set: " + error};
      }
    }
    // Let the timer run out until no further pass is scheduled.
    for (int pass = 0; pass < 20 && timer.running(); ++pass) timer.runOut();
    if (!o.saveFile.empty()) {
      const std::string path = userFilePath(s.files, o.saveFile);
      if (SaveInputFile(s, path) != 0) throw cannotWrite("input-data", o.saveFile, path, errno);
      tellLostCharacters(s, o.saveFile, err);
    }

    if (o.json) {
      out << "{\"memo1\": " << jsonArray(s.in.Memo1.lines()) << ", \"memo2\": " << jsonArray(s.in.Memo2.lines())
          << ", \"reportEnabled\": " << (s.in.N2_.enabled() ? "true" : "false")
          << ", \"table1\": " << jsonGrid(s.in.TablPogr) << ", \"table2\": " << jsonGrid(s.in.TablPogrk) << "}\n";
    } else {
      for (const auto& line : s.in.Memo1.lines()) out << line << '\n';
      out << '\n';
      for (const auto& line : s.in.Memo2.lines()) out << line << '\n';
      if (o.tables) {
        printTable(out, s.in, s.in.TablPogr, s.in.TabSheet12);
        printTable(out, s.in, s.in.TablPogrk, s.in.TabSheet13);
      }
    }
    run.status = s.flags.anyRaised() ? 1 : 0;
    run.out = out.str();
  } catch (...) {
    run.status = 2;
    run.point.reset();
    err << stopLine(std::current_exception());
  }
  run.err = err.str();
  return run;
}

int runBatch(int argc, char** argv, const ReportPdfWriter& writePdf) {
  try {
    const Options o = parseOptions(expandArguments(argc, argv), static_cast<bool>(writePdf));
    if (o.help) {
      std::cout << kUsage;
      return 0;
    }
    if (o.version) {
      std::cout << "velmar-calc " << kProgramVersion << "\n";
      return 0;
    }
    if (o.folder.given) return runFolder(o.calc, o.folder, writePdf);
    return runOnce(o.calc, writePdf);
  } catch (...) {
    std::cerr << stopLine(std::current_exception());
  }
  return 2;
}

}  // namespace velmar
