#include "measuring_point/named_input.h"

#include <charconv>

#include "core/form_events.h"
#include "core/parse_value.h"
#include "measuring_point/session.h"

namespace velmar {

namespace {

constexpr size_t kQuotedCharacters = 200;

// A decimal integer within int, all of the text: an optional sign and
// digits, nothing else.
std::optional<int> readIndex(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int v = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || text.empty()) return std::nullopt;
  return v;
}

NamedInputResult failure(std::string message) { return {std::nullopt, std::move(message)}; }

// A text refused by TextCheck::Strict.
NamedInputResult notANumber(const Session& s, const std::string& target, std::string_view text) {
  return failure(textNotTaken(target, text, s.decimalSeparator));
}

// Why the window shows a control disabled: an input there would do nothing.
std::string whyDisabled(const Session& s, const Control& c) {
  if (&c == &s.in.TipPogr) return "it is enabled only in an error calculation (Raschet=1)";
  if (c.parent() == &s.in.MenuReport || &c == &s.in.MenuReport) {
    return "the report commands are disabled while a message is raised";
  }
  return "the window shows it disabled";
}

}  // namespace

std::string textNotTaken(std::string_view target, std::string_view text, char separator) {
  std::string message(target);
  message += " does not take the text ";
  message += quotedInput(text);
  message += ": it is no number with the decimal separator '";
  message += separator;
  message += "'";
  return message;
}

std::string quotedInput(std::string_view text) {
  std::string out = "'";
  size_t characters = 0;
  size_t i = 0;
  while (i < text.size() && characters < kQuotedCharacters) {
    const auto ch = static_cast<unsigned char>(text[i]);
    // One UTF-8 sequence is one character; a stray byte counts as one.
    size_t length = ch < 0x80 ? 1 : (ch >> 5) == 0x6 ? 2 : (ch >> 4) == 0xE ? 3 : (ch >> 3) == 0x1E ? 4 : 1;
    if (i + length > text.size()) length = 1;
    if (ch < 0x20 || ch == 0x7F) {
      out += '?';
    } else {
      out.append(text.substr(i, length));
    }
    i += length;
    ++characters;
  }
  if (i < text.size()) out += "...";
  out += '\'';
  return out;
}

NamedInputResult readNamedInput(const Session& s, std::string_view assignment, TextCheck check) {
  const size_t eq = assignment.find('=');
  if (eq == std::string_view::npos || eq == 0) {
    return failure("expected NAME=VALUE, got " + quotedInput(assignment));
  }
  std::string_view name = assignment.substr(0, eq);
  const std::string_view value = assignment.substr(eq + 1);

  std::optional<std::pair<int, int>> cell;
  if (const size_t bracket = name.find('['); bracket != std::string_view::npos) {
    const size_t comma = name.find(',', bracket);
    const size_t close = name.find(']', bracket);
    const auto bad = [&] {
      return failure("bad grid cell address " + quotedInput(name) + " (expected NAME[col,row] within int)");
    };
    if (comma == std::string_view::npos || close == std::string_view::npos || close != name.size() - 1 ||
        comma > close) {
      return bad();
    }
    const auto col = readIndex(name.substr(bracket + 1, comma - bracket - 1));
    const auto row = readIndex(name.substr(comma + 1, close - comma - 1));
    if (!col || !row) return bad();
    cell = std::pair{*col, *row};
    name = name.substr(0, bracket);
  }

  Control* c = s.in.registry.find(name);
  if (c == nullptr) return failure("unknown control " + quotedInput(name));
  const std::string n(name);
  if (cell && c->kind() != ControlKind::StringGrid) return failure("'" + n + "' is not a grid");

  // The window takes no input there: as a disabled control in the window, it
  // would be dropped, and the result would hang on the order of the options.
  for (const Control* p = c; p != nullptr; p = p->parent()) {
    if (!p->enabled()) return failure("'" + n + "' is disabled: " + whyDisabled(s, *p));
  }

  NamedInput input;
  input.control = c;
  input.text = std::string(value);
  using A = NamedInput::Action;
  switch (c->kind()) {
    case ControlKind::Edit: {
      const auto& e = static_cast<const Edit&>(*c);
      if (e.readOnly()) return failure("'" + n + "' is read-only");
      if (check == TextCheck::Strict && !editTakesText(s, e, input.text)) return notANumber(s, "'" + n + "'", value);
      input.action = A::TypeText;
      return {input, {}};
    }
    case ControlKind::ComboBox:
    case ControlKind::RadioGroup: {
      const auto& choice = static_cast<const Choice&>(*c);
      if (c->kind() == ControlKind::ComboBox && static_cast<const ComboBox&>(*c).editable()) {
        input.action = A::TypeComboText;
        return {input, {}};
      }
      const auto index = readIndex(value);
      if (!index || *index < 0 || *index >= choice.count()) {
        return failure("bad item index " + quotedInput(value) + " for '" + n + "' (it has " +
                       std::to_string(choice.count()) + " items)");
      }
      input.action = A::ChooseItem;
      input.index = *index;
      return {input, {}};
    }
    case ControlKind::CheckBox: {
      if (value != "0" && value != "1") return failure("check box '" + n + "' takes 0 or 1, got " + quotedInput(value));
      input.action = A::SetCheck;
      input.index = value == "1" ? 1 : 0;
      return {input, {}};
    }
    case ControlKind::Button:
    case ControlKind::MenuItem: {
      if (value != "click") return failure("'" + n + "' is pressed with " + n + "=click");
      input.action = A::Press;
      return {input, {}};
    }
    case ControlKind::StringGrid: {
      const auto& grid = static_cast<const StringGrid&>(*c);
      if (!cell) return failure("grid '" + n + "' takes a cell: " + n + "[col,row]=TEXT");
      const auto [col, row] = *cell;
      if (col < grid.fixedCols() || col >= grid.colCount() || row < grid.fixedRows() || row >= grid.rowCount()) {
        return failure("cell [" + std::to_string(col) + "," + std::to_string(row) + "] is not an input cell of '" +
                       n + "'");
      }
      if (check == TextCheck::Strict && !cellTakesText(s, grid, col, input.text)) {
        return notANumber(s, "cell [" + std::to_string(col) + "," + std::to_string(row) + "] of '" + n + "'", value);
      }
      input.action = A::EditCell;
      input.col = col;
      input.row = row;
      return {input, {}};
    }
    default: break;
  }
  return failure("'" + n + "' (" + std::string(controlKindName(c->kind())) + ") is not an input");
}

void applyNamedInput(Session& s, const NamedInput& input) {
  Control& c = *input.control;
  using A = NamedInput::Action;
  switch (input.action) {
    case A::TypeText: typeText(s, static_cast<Edit&>(c), input.text); return;
    case A::TypeComboText: typeComboText(s, static_cast<ComboBox&>(c), input.text); return;
    case A::ChooseItem: chooseItem(s, static_cast<Choice&>(c), input.index); return;
    case A::SetCheck: setCheckBox(s, static_cast<CheckBox&>(c), input.index == 1); return;
    case A::Press:
      if (c.kind() == ControlKind::Button) {
        pressButton(s, static_cast<Button&>(c));
      } else {
        chooseMenu(s, static_cast<MenuItem&>(c));
      }
      return;
    case A::EditCell: editCell(s, static_cast<StringGrid&>(c), input.col, input.row, input.text); return;
  }
}

std::string applyNamedInput(Session& s, std::string_view assignment, TextCheck check) {
  NamedInputResult r = readNamedInput(s, assignment, check);
  if (!r.input) return r.error;
  applyNamedInput(s, *r.input);
  return {};
}

}  // namespace velmar
