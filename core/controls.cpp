#include "core/controls.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace velmar {

std::string_view controlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form: return "form";
    case ControlKind::PageControl: return "page control";
    case ControlKind::Tab: return "tab";
    case ControlKind::Panel: return "panel";
    case ControlKind::GroupBox: return "group box";
    case ControlKind::Label: return "label";
    case ControlKind::Edit: return "edit";
    case ControlKind::ComboBox: return "combo box";
    case ControlKind::RadioGroup: return "radio group";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::StringGrid: return "string grid";
    case ControlKind::Button: return "button";
    case ControlKind::Memo: return "memo";
    case ControlKind::ProgressBar: return "progress bar";
    case ControlKind::MenuItem: return "menu item";
  }
  return "control";
}

void ControlRegistry::add(Control& control) {
  std::string key(control.name());
  if (!byName_.emplace(key, &control).second) {
    throw std::logic_error("control declared twice: " + key);
  }
  ordered_.push_back(&control);
}

Control* ControlRegistry::find(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Control::Control(ControlRegistry& registry, std::string_view name, ControlKind kind, Control* parent,
                 std::string_view caption)
    : registry_(registry), name_(name), kind_(kind), parent_(parent), caption_(caption) {
  registry_.add(*this);
}

bool Control::shown() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  notify(ControlProperty::Visible);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  notify(ControlProperty::Enabled);
}

void Control::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  notify(ControlProperty::Caption);
}

void Control::setHint(std::string hint) {
  if (hint_ == hint) return;
  hint_ = std::move(hint);
  notify(ControlProperty::Hint);
}

void Control::setWidth(int width) {
  if (width_ == width) return;
  width_ = width;
  notify(ControlProperty::Geometry);
}

Container::Container(ControlRegistry& registry, std::string_view name, ControlKind kind, Control* parent,
                     std::string_view caption, bool visible)
    : Control(registry, name, kind, parent, caption) {
  if (!visible) hide();
}

PageControl::PageControl(ControlRegistry& registry, std::string_view name, Control* parent)
    : Container(registry, name, ControlKind::PageControl, parent) {}

void PageControl::setActivePage(Control& tab) {
  if (tab.parent() != this || activePage_ == &tab) return;
  activePage_ = &tab;
  notify(ControlProperty::Index);
}

Label::Label(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
             bool visible)
    : Control(registry, name, ControlKind::Label, parent, caption) {
  if (!visible) hide();
}

Button::Button(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
               std::string_view hint, bool visible)
    : Control(registry, name, ControlKind::Button, parent, caption) {
  setHint(std::string(hint));
  if (!visible) hide();
}

MenuItem::MenuItem(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption)
    : Control(registry, name, ControlKind::MenuItem, parent, caption) {}

Memo::Memo(ControlRegistry& registry, std::string_view name, Control* parent, std::vector<std::string> lines,
           bool visible)
    : Control(registry, name, ControlKind::Memo, parent), lines_(std::move(lines)) {
  if (!visible) hide();
}

void Memo::clear() {
  if (lines_.empty()) return;
  lines_.clear();
  notify(ControlProperty::Lines);
}

void Memo::append(std::string line) {
  lines_.push_back(std::move(line));
  notify(ControlProperty::Lines);
}

void Memo::setLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  notify(ControlProperty::Lines);
}

ProgressBar::ProgressBar(ControlRegistry& registry, std::string_view name, Control* parent, bool visible)
    : Control(registry, name, ControlKind::ProgressBar, parent) {
  if (!visible) hide();
}

void ProgressBar::setPosition(int position) {
  position = std::clamp(position, 0, 100);
  if (position_ == position) return;
  position_ = position;
  notify(ControlProperty::Position);
}

bool ValueCheck::passes(double v) const {
  switch (rule) {
    case CheckRule::None: return true;
    case CheckRule::Positive: return v > 0;
    case CheckRule::NonNegative: return v >= 0;
    case CheckRule::NotBelowAbsoluteZero: return v >= -273.15;
    case CheckRule::Range: return v >= low && v <= high;
  }
  return true;
}

namespace {
// The initial texts are the program's own and use either separator.
double initialValue(std::string_view text) {
  std::string t(text);
  std::replace(t.begin(), t.end(), ',', '.');
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  return (end != t.c_str() && *end == '\0') ? v : 0.0;
}
}  // namespace

Edit::Edit(ControlRegistry& registry, std::string_view name, Control* parent, EditTraits traits)
    : Control(registry, name, ControlKind::Edit, parent, traits.caption), traits_(traits), text_(traits.text) {
  if (isValueEdit()) value = initialValue(traits_.text);
  if (!traits_.visible) hide();
}

void Edit::setText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  notify(ControlProperty::Text);
  if (onChange) onChange();
}

void Edit::setReadOnly(bool readOnly) {
  if (readOnly_ == readOnly) return;
  readOnly_ = readOnly;
  notify(ControlProperty::ReadOnly);
}

CheckBox::CheckBox(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
                   bool checked, bool visible)
    : Control(registry, name, ControlKind::CheckBox, parent, caption), checked_(checked) {
  if (!visible) hide();
}

void CheckBox::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  notify(ControlProperty::Checked);
}

Choice::Choice(ControlRegistry& registry, std::string_view name, ControlKind kind, Control* parent,
               std::string_view caption, std::initializer_list<std::string_view> items, int index, bool visible)
    : Control(registry, name, kind, parent, caption), index_(-1) {
  for (auto item : items) items_.emplace_back(item);
  index_ = (index >= 0 && index < count()) ? index : -1;
  if (!visible) hide();
}

std::string Choice::selectedText() const {
  return (index_ >= 0 && index_ < count()) ? items_[static_cast<size_t>(index_)] : std::string();
}

void Choice::setIndex(int index) {
  if (!keepAnyIndex_ && (index < 0 || index >= count())) index = -1;
  if (keepAnyIndex_ && index < -1) index = -1;
  if (index_ == index) return;
  index_ = index;
  indexChanged();
  notify(ControlProperty::Index);
}

void Choice::setItems(std::vector<std::string> items, int index) {
  items_ = std::move(items);
  if (!keepAnyIndex_ && (index < 0 || index >= count())) index = -1;
  index_ = index < -1 ? -1 : index;
  indexChanged();
  notify(ControlProperty::Items);
  notify(ControlProperty::Index);
}

ComboBox::ComboBox(ControlRegistry& registry, std::string_view name, Control* parent,
                   std::initializer_list<std::string_view> items, int index, bool visible, bool editable)
    : Choice(registry, name, ControlKind::ComboBox, parent, {}, items, index, visible), editable_(editable) {
  text_ = selectedText();
}

void ComboBox::setText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  notify(ControlProperty::Text);
}

void ComboBox::indexChanged() {
  if (index() >= 0 || !editable_) text_ = selectedText();
}

RadioGroup::RadioGroup(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
                       std::initializer_list<std::string_view> items, int index, bool visible)
    : Choice(registry, name, ControlKind::RadioGroup, parent, caption, items, index, visible) {}

StringGrid::StringGrid(ControlRegistry& registry, std::string_view name, Control* parent, int cols, int rows,
                       int fixedRows, int fixedCols, bool visible)
    : Control(registry, name, ControlKind::StringGrid, parent),
      cols_(cols),
      rows_(rows),
      fixedRows_(fixedRows),
      fixedCols_(fixedCols),
      cells_(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(cols))),
      colWidths_(static_cast<size_t>(cols), 64) {
  if (!visible) hide();
}

const std::string& StringGrid::cell(int col, int row) const {
  static const std::string empty;
  if (row < 0 || row >= rows_ || col < 0 || col >= static_cast<int>(cells_[0].size())) return empty;
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::setCell(int col, int row, std::string text) {
  if (row < 0 || row >= rows_ || col < 0 || col >= static_cast<int>(cells_[0].size())) return;
  auto& c = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (c == text) return;
  c = std::move(text);
  notify(ControlProperty::Cells);
}

// Hiding a column keeps its texts: the input-data file stores them whatever
// the column count, and showing the column again brings them back.
void StringGrid::setColCount(int cols) {
  if (cols < 1) cols = 1;
  if (cols == cols_) return;
  if (cols > static_cast<int>(cells_[0].size())) {
    for (auto& row : cells_) row.resize(static_cast<size_t>(cols));
    colWidths_.resize(static_cast<size_t>(cols), 64);
  }
  cols_ = cols;
  notify(ControlProperty::Cells);
}

int StringGrid::colWidth(int col) const {
  return (col >= 0 && col < static_cast<int>(colWidths_.size())) ? colWidths_[static_cast<size_t>(col)] : 0;
}

void StringGrid::setColWidth(int col, int width) {
  if (col < 0 || col >= static_cast<int>(colWidths_.size()) || colWidths_[static_cast<size_t>(col)] == width) return;
  colWidths_[static_cast<size_t>(col)] = width;
  notify(ControlProperty::Geometry);
}

}  // namespace velmar
