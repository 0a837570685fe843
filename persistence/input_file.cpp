#include "persistence/input_file.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/code_page.h"
#include "core/composition_grid_texts.h"
#include "core/input_record.h"
#include "core/parse_value.h"
#include "core/program_files.h"
#include "core/units.h"
#include "persistence/input_file_table.h"
#include "persistence/reference_lists.h"
#include "persistence/storage_context.h"

namespace velmar {

namespace {

// A line's text as the window shows it.
std::string storedText(const StorageContext& s, const FileLine& line) {
  if (line.kind == LineKind::Kept) return s.files.keptLine;
  const Control* c = s.in.registry.find(line.control);
  if (c == nullptr) return {};
  switch (line.kind) {
    case LineKind::Index: return std::to_string(static_cast<const Choice&>(*c).index());
    case LineKind::Check: return static_cast<const CheckBox&>(*c).checked() ? "1" : "0";
    case LineKind::Text:
    case LineKind::ComboText:
      return c->kind() == ControlKind::Edit ? static_cast<const Edit&>(*c).text()
                                            : static_cast<const ComboBox&>(*c).text();
    case LineKind::Cell:
    case LineKind::CellCopy: return static_cast<const StringGrid&>(*c).cell(line.col, line.row);
    case LineKind::Kept: break;
  }
  return {};
}

bool isIntegerLine(const FileLine& line) { return line.kind == LineKind::Index || line.kind == LineKind::Check; }

// The check boxes whose click rule runs as soon as they are read: each second
// transducer clears its third one, which is read next.
bool clickRuleOnRead(std::string_view name) {
  for (std::string_view n : {"dP2check", "dP3check", "P2check", "P3check", "T2check", "T3check"}) {
    if (n == name) return true;
  }
  return false;
}

void applyInteger(const FileLine& line, Control& c, int v) {
  if (line.kind == LineKind::Index) {
    // An index beyond the items leaves no selection (a material list that has
    // become shorter, a foreign file).
    static_cast<Choice&>(c).setIndex(v);
    return;
  }
  auto& box = static_cast<CheckBox&>(c);
  box.setChecked(v != 0);
  if (clickRuleOnRead(line.control) && box.onClick) box.onClick();
}

void applyText(StorageContext& s, const FileLine& line, Control* c, std::string text) {
  switch (line.kind) {
    case LineKind::Kept: s.files.keptLine = std::move(text); return;
    case LineKind::CellCopy: return;
    case LineKind::Cell: static_cast<StringGrid&>(*c).setCell(line.col, line.row, std::move(text)); return;
    default: break;
  }
  if (c->kind() == ControlKind::Edit) {
    static_cast<Edit&>(*c).setText(std::move(text));  // the edit parses it
  } else if (c->kind() == ControlKind::ComboBox) {
    static_cast<ComboBox&>(*c).setText(std::move(text));
  }
}

struct ReadText {
  const FileLine* line;
  std::string text;
};

// The control of a line as the batch tool names it: NAME, or NAME[col,row]
// for a grid cell.
std::string inputOfLine(const FileLine& line) {
  std::string name(line.control);
  if (line.kind == LineKind::Cell || line.kind == LineKind::CellCopy) {
    name += '[';
    name += std::to_string(line.col);
    name += ',';
    name += std::to_string(line.row);
    name += ']';
  }
  return name;
}

// Whether the control takes the text of its line as the window takes a typed
// one; a number edit or a composition cell does not take a text that does
// not convert.
bool takesText(const StorageContext& s, const FileLine& line, const Control* c, const std::string& text) {
  if (c == nullptr) return true;
  if (line.kind == LineKind::Text && c->kind() == ControlKind::Edit) {
    return editTakesText(s, static_cast<const Edit&>(*c), text);
  }
  if (line.kind == LineKind::Cell) return cellTakesText(s, static_cast<const StringGrid&>(*c), line.col, text);
  return true;
}

// The content of the last row of a composition grid: what the contents
// leave to 100 %, written by the grid's rule.
bool remainderCell(const StorageContext& s, const FileLine& line, const Control* c) {
  return line.kind == LineKind::Cell && line.col == 1 &&
         line.row > static_cast<int>(gridComponents(s.in, static_cast<const StringGrid&>(*c)).size());
}

// A file of fewer lines than the table that ends right before a block: an
// older file, complete for its time.
bool endsAtABlock(const TextLines& file, const std::vector<FileLine>& table) {
  const size_t n = file.lines.size();
  if (n >= table.size()) return true;
  return n > 0 && file.lastLineEnded && table[n].block != 0 && table[n - 1].block != table[n].block;
}

}  // namespace

std::string describeLoadNote(const LoadNote& note) {
  const std::string at = "line " + std::to_string(note.line);
  switch (note.stop) {
    case LoadNote::Stop::None: return {};
    case LoadNote::Stop::NotAnInteger: return "reading stopped at " + at + ": it should hold an integer";
    case LoadNote::Stop::LineTooLong:
      return "reading stopped at " + at + ": it is longer than " + std::to_string(kMaxInputLineBytes) + " bytes";
    case LoadNote::Stop::FileTooLarge:
      return "reading stopped at " + at + ": the file is larger than " + std::to_string(kMaxInputFileBytes) +
             " bytes";
    case LoadNote::Stop::CutShort:
      return "the file is damaged: it ends at " + at + ", where no complete or older file ends";
  }
  return {};
}

std::vector<LostCharacters> charactersLostInFile(const StorageContext& s) {
  std::vector<LostCharacters> lost;
  const std::vector<FileLine>& table = inputFileLines();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind == LineKind::CellCopy) continue;  // the cell itself is told
    std::string characters = charactersOutsideCp1251(storedText(s, table[i]));
    if (!characters.empty()) lost.push_back({static_cast<int>(i + 1), inputOfLine(table[i]), std::move(characters)});
  }
  return lost;
}

std::vector<std::string> inputFileTexts(const StorageContext& s) {
  std::vector<std::string> lines;
  lines.reserve(inputFileLines().size());
  for (const FileLine& line : inputFileLines()) lines.push_back(storedText(s, line));
  return lines;
}

int SaveInputFile(StorageContext& s, const std::string& fileName, const WriteStep& write) {
  trimMediumName(s);  // the file and the window show the same name
  if (!writeTextLines(userFilePath(s.files, fileName), inputFileTexts(s), write)) return 1;
  RememberMediumName(s);
  return 0;
}

TextLines readInputFile(StorageContext& s, const std::string& fileName) {
  LoadPipeMaterials(s);
  return readTextLines(userFilePath(s.files, fileName), kMaxInputFileBytes);
}

InputFileValues readInputLines(StorageContext& s, const TextLines& file, LoadNote* note) {
  InputRecord& in = s.in;
  in.CalcIdle = false;
  in.PrevTextOwner = nullptr;  // no edit brings a previous text back while the lines arrive
  LoadNote noted;
  const auto stopAt = [&noted](LoadNote::Stop why, size_t line) {
    noted.stop = why;
    noted.line = static_cast<int>(line);
  };
  std::vector<ReadText> cells;
  InputFileValues read;
  const std::vector<FileLine>& table = inputFileLines();
  for (size_t i = 0; i < table.size(); ++i) {
    const FileLine& line = table[i];
    const bool atEnd = i >= file.lines.size();
    if (atEnd && file.truncated) {
      stopAt(LoadNote::Stop::FileTooLarge, i + 1);
      break;
    }
    // A file written before a block was added ends before it: the block's
    // controls keep their values.
    if (atEnd && line.block != 0 && (i == 0 || table[i - 1].block != line.block)) {
      while (i + 1 < table.size() && table[i + 1].block == line.block) ++i;
      continue;
    }
    // Past the end of the file an integer line reads as 0, a text as empty.
    std::string text = atEnd ? std::string(isIntegerLine(line) ? "0" : "") : file.lines[i];
    if (text.size() > kMaxInputLineBytes) {
      stopAt(LoadNote::Stop::LineTooLong, i + 1);
      break;
    }
    Control* c = line.kind == LineKind::Kept ? nullptr : in.registry.find(line.control);
    if (line.kind != LineKind::Kept && c == nullptr) continue;
    if (isIntegerLine(line)) {
      const std::optional<int> v = readIntegerLine(text);
      if (!v) {
        stopAt(LoadNote::Stop::NotAnInteger, i + 1);
        break;
      }
      applyInteger(line, *c, *v);
      if (line.givenBack) read.givenBack.push_back({&line, *v});
    } else if (!takesText(s, line, c, text)) {
      // As a typed text that does not convert: the control keeps its text
      // and its value, and the load tells which line it did not take (but
      // for the remainder row of a grid, which its rule works out again).
      if (!atEnd && !remainderCell(s, line, c)) {
        const char other = s.decimalSeparator == ',' ? '.' : ',';
        noted.refused.push_back(
            {static_cast<int>(i + 1), inputOfLine(line), text, parseNumber(text, other).has_value()});
      }
    } else {
      if (line.kind == LineKind::Cell) cells.push_back({&line, text});
      applyText(s, line, c, std::move(text));
    }
    // The natural-gas composition is read into its vector once its rows are in.
    if (line.control == "sostav" && (i + 1 == table.size() || table[i + 1].control != "sostav")) {
      if (in.sostav.onKeyUp) in.sostav.onKeyUp();
    }
  }
  // The edits read after a grid (nitrogen, carbon dioxide) copy their texts
  // into its cells; the cells keep what the file holds.
  for (const ReadText& r : cells) applyText(s, *r.line, in.registry.find(r.line->control), r.text);
  if (noted.stop == LoadNote::Stop::None && !endsAtABlock(file, table)) {
    stopAt(LoadNote::Stop::CutShort, file.lines.size());
  }
  in.TabSheet17.hide();
  if (note != nullptr) *note = noted;
  return read;
}

void giveBackValues(InputRecord& in, const InputFileValues& read) {
  // The rules rebuilt unit lists and cleared third transducers and pr_St:
  // the values read come back, with the visibility rules of the boxes.
  for (const InputFileValues::Integer& r : read.givenBack) {
    Control* c = in.registry.find(r.line->control);
    if (r.line->kind == LineKind::Index) {
      static_cast<Choice&>(*c).setIndex(r.value);
    } else {
      auto& box = static_cast<CheckBox&>(*c);
      box.setChecked(r.value != 0);
      if (box.onClick) box.onClick();
    }
  }
}

}  // namespace velmar
