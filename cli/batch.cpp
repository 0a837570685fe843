#include "cli/batch.h"

#include <clocale>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/form_events.h"
#include "core/session.h"
#include "core/start_up.h"
#include "uncertainty/control_point_tables.h"

namespace velmar {

namespace {

constexpr const char* kUsage =
    "usage: velmar-calc [--decimal-separator SEP] [--set NAME=VALUE]... [--tables] [--json] [@FILE]\n"
    "  --set NAME=VALUE     one input, as typed into the window: an edit gets the text VALUE,\n"
    "                       a combo box or radio group selects item VALUE (0 is the first),\n"
    "                       a check box is set to 1 or 0, a button is pressed with NAME=click,\n"
    "                       a grid cell is NAME[col,row]=TEXT\n"
    "  --decimal-separator  the decimal separator of edits and results (default: the locale's)\n"
    "  --tables             print the two control-point tables after the panes\n"
    "  --json               print {\"memo1\": [...], \"memo2\": [...], \"reportEnabled\": ...,\n"
    "                       \"table1\": [[...], ...], \"table2\": [[...], ...]}\n"
    "  @FILE                read further options from FILE, one per line\n"
    "exit status: 0 no message raised, 1 a message raised, 2 a usage error\n";

struct UsageError {
  std::string message;
};

std::optional<int> parseInt(const std::string& text) {
  if (text.empty()) return std::nullopt;
  size_t i = 0;
  if (text[0] == '-' || text[0] == '+') i = 1;
  if (i == text.size() || text.size() > 10) return std::nullopt;
  for (size_t k = i; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
  }
  return std::stoi(text);
}

// Applies one --set, exactly as the window applies a user's input.
void applySet(Session& s, const std::string& assignment) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos || eq == 0) throw UsageError{"--set needs NAME=VALUE, got '" + assignment + "'"};
  std::string name = assignment.substr(0, eq);
  const std::string value = assignment.substr(eq + 1);
  std::optional<std::pair<int, int>> cell;
  if (const size_t bracket = name.find('['); bracket != std::string::npos) {
    const size_t comma = name.find(',', bracket);
    const size_t close = name.find(']', bracket);
    if (comma == std::string::npos || close == std::string::npos || close != name.size() - 1 || comma > close) {
      throw UsageError{"bad grid cell address '" + name + "' (expected NAME[col,row])"};
    }
    const auto col = parseInt(name.substr(bracket + 1, comma - bracket - 1));
    const auto row = parseInt(name.substr(comma + 1, close - comma - 1));
    if (!col || !row) throw UsageError{"bad grid cell address '" + name + "' (expected NAME[col,row])"};
    cell = std::pair{*col, *row};
    name = name.substr(0, bracket);
  }
  Control* c = s.in.registry.find(name);
  if (c == nullptr) throw UsageError{"unknown control '" + name + "'"};
  if (cell && c->kind() != ControlKind::StringGrid) throw UsageError{"'" + name + "' is not a grid"};
  switch (c->kind()) {
    case ControlKind::Edit: {
      auto& e = static_cast<Edit&>(*c);
      if (e.readOnly()) throw UsageError{"'" + name + "' is read-only"};
      typeText(s, e, value);
      return;
    }
    case ControlKind::ComboBox:
    case ControlKind::RadioGroup: {
      auto& choice = static_cast<Choice&>(*c);
      if (c->kind() == ControlKind::ComboBox && static_cast<ComboBox&>(*c).editable()) {
        typeComboText(s, static_cast<ComboBox&>(*c), value);
        return;
      }
      const auto index = parseInt(value);
      if (!index || *index < 0 || *index >= choice.count()) {
        throw UsageError{"bad item index '" + value + "' for '" + name + "' (it has " +
                         std::to_string(choice.count()) + " items)"};
      }
      chooseItem(s, choice, *index);
      return;
    }
    case ControlKind::CheckBox: {
      if (value != "0" && value != "1") throw UsageError{"check box '" + name + "' takes 0 or 1, got '" + value + "'"};
      setCheckBox(s, static_cast<CheckBox&>(*c), value == "1");
      return;
    }
    case ControlKind::Button:
    case ControlKind::MenuItem: {
      if (value != "click") throw UsageError{"'" + name + "' is pressed with " + name + "=click"};
      if (c->kind() == ControlKind::Button) {
        pressButton(s, static_cast<Button&>(*c));
      } else {
        chooseMenu(s, static_cast<MenuItem&>(*c));
      }
      return;
    }
    case ControlKind::StringGrid: {
      auto& grid = static_cast<StringGrid&>(*c);
      if (!cell) throw UsageError{"grid '" + name + "' takes a cell: " + name + "[col,row]=TEXT"};
      const auto [col, row] = *cell;
      if (col < grid.fixedCols() || col >= grid.colCount() || row < grid.fixedRows() || row >= grid.rowCount()) {
        throw UsageError{"cell [" + std::to_string(col) + "," + std::to_string(row) + "] is not an input cell of '" +
                         name + "'"};
      }
      editCell(s, grid, col, row, value);
      return;
    }
    default: throw UsageError{"'" + name + "' (" + std::string(controlKindName(c->kind())) + ") is not an input"};
  }
}

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
void printTable(const InputRecord& in, const StringGrid& grid, const Control& tab) {
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(grid.rowCount()));
  for (int r = 0; r < grid.rowCount(); ++r) {
    for (int c = 0; c < grid.colCount(); ++c) rows[static_cast<size_t>(r)].push_back(grid.cell(c, r));
  }
  for (const TableCaption& caption : tableCaptions(in, grid)) {
    std::string& cell = rows[static_cast<size_t>(caption.row)][static_cast<size_t>(caption.col)];
    if (cell.empty()) cell = caption.label->caption();
  }
  std::cout << '\n' << tab.caption() << '\n';
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      std::string text = row[c];
      for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) text.replace(at, 1, " / ");
      std::cout << (c ? "\t" : "") << text;
    }
    std::cout << '\n';
  }
}

// Expands @FILE arguments into the options the file holds, one per line.
std::vector<std::string> expandArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.size() > 1 && a[0] == '@') {
      std::ifstream in(a.substr(1));
      if (!in) throw UsageError{"cannot read option file '" + a.substr(1) + "'"};
      std::string line;
      while (std::getline(in, line)) {
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

}  // namespace

int runBatch(int argc, char** argv) {
  try {
    const std::vector<std::string> args = expandArguments(argc, argv);
    char separator = localeDecimalSeparator();
    bool json = false;
    bool tables = false;
    std::vector<std::string> sets;
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& a = args[i];
      auto next = [&]() -> const std::string& {
        if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
        return args[++i];
      };
      if (a == "--help" || a == "-h") {
        std::cout << kUsage;
        return 0;
      } else if (a == "--json") {
        json = true;
      } else if (a == "--tables") {
        tables = true;
      } else if (a == "--decimal-separator") {
        const std::string& sep = next();
        if (sep != "," && sep != ".") throw UsageError{"--decimal-separator takes ',' or '.', got '" + sep + "'"};
        separator = sep[0];
      } else if (a == "--set") {
        sets.push_back(next());
      } else if (a.rfind("--set=", 0) == 0) {
        sets.push_back(a.substr(6));
      } else if (a == "--load" || a == "--save" || a == "--report-text" || a == "--report-pdf") {
        throw UsageError{a + " is not available in this version"};
      } else {
        throw UsageError{"unknown option '" + a + "'"};
      }
    }

    ManualTimer timer;
    ScriptedEventPump pump;
    Session s(timer, pump, separator);
    startUp(s);
    for (const std::string& assignment : sets) applySet(s, assignment);
    // Let the timer run out until no further pass is scheduled.
    for (int pass = 0; pass < 20 && timer.running(); ++pass) timer.runOut();

    const bool raised = s.flags.anyRaised();
    if (json) {
      std::cout << "{\"memo1\": " << jsonArray(s.in.Memo1.lines()) << ", \"memo2\": " << jsonArray(s.in.Memo2.lines())
                << ", \"reportEnabled\": " << (s.in.N2_.enabled() ? "true" : "false")
                << ", \"table1\": " << jsonGrid(s.in.TablPogr) << ", \"table2\": " << jsonGrid(s.in.TablPogrk) << "}\n";
    } else {
      for (const auto& line : s.in.Memo1.lines()) std::cout << line << '\n';
      std::cout << '\n';
      for (const auto& line : s.in.Memo2.lines()) std::cout << line << '\n';
      if (tables) {
        printTable(s.in, s.in.TablPogr, s.in.TabSheet12);
        printTable(s.in, s.in.TablPogrk, s.in.TabSheet13);
      }
    }
    return raised ? 1 : 0;
  } catch (const UsageError& e) {
    std::cerr << "velmar-calc: " << e.message << "\n";
    return 2;
  }
}

}  // namespace velmar
