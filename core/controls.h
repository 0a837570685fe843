#pragma once
// The controls of the main window as a toolkit-free model: every edit, choice,
// check box, grid, panel and tab by its name, with its text, items, index,
// check state, cells, visibility, enabled and read-only state, caption, hint
// and parent. The window shows this model; the driver, the validation, the
// report and the tests read it. "Shown" means visible with every parent visible.
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

enum class ControlKind {
  Form,
  PageControl,
  Tab,
  Panel,
  GroupBox,
  Label,
  Edit,
  ComboBox,
  RadioGroup,
  CheckBox,
  StringGrid,
  Button,
  Memo,
  ProgressBar,
  MenuItem,
};

std::string_view controlKindName(ControlKind kind);

// What changed on a control, for observers such as the window binding.
enum class ControlProperty {
  Text,
  Items,
  Index,
  Checked,
  Cells,
  Visible,
  Enabled,
  ReadOnly,
  Caption,
  Hint,
  Lines,
  Position,
  Geometry,
};

class Control;

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void controlChanged(Control& control, ControlProperty property) = 0;
};

// One registry maps every name to its control; the input-data file, the batch
// tool, the window binding and the tests go through it.
class ControlRegistry {
 public:
  ControlRegistry() = default;
  ControlRegistry(const ControlRegistry&) = delete;
  ControlRegistry& operator=(const ControlRegistry&) = delete;

  void add(Control& control);
  Control* find(std::string_view name) const;
  const std::vector<Control*>& all() const { return ordered_; }

  void setObserver(ControlObserver* observer) { observer_ = observer; }
  void notify(Control& control, ControlProperty property) const {
    if (observer_) observer_->controlChanged(control, property);
  }

 private:
  std::map<std::string, Control*, std::less<>> byName_;
  std::vector<Control*> ordered_;
  ControlObserver* observer_ = nullptr;
};

class Control {
 public:
  Control(ControlRegistry& registry, std::string_view name, ControlKind kind, Control* parent,
          std::string_view caption = {});
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  std::string_view name() const { return name_; }
  ControlKind kind() const { return kind_; }
  Control* parent() const { return parent_; }

  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  const std::string& caption() const { return caption_; }
  const std::string& hint() const { return hint_; }
  // Visible with every parent visible.
  bool shown() const;

  void setVisible(bool visible);
  void show() { setVisible(true); }
  void hide() { setVisible(false); }
  void setEnabled(bool enabled);
  void setCaption(std::string caption);
  void setHint(std::string hint);

  // Width in pixels where the window's layout depends on it (grids, groups);
  // 0 leaves the layout to the window.
  int width() const { return width_; }
  void setWidth(int width);

 protected:
  void notify(ControlProperty property) { registry_.notify(*this, property); }

 private:
  ControlRegistry& registry_;
  std::string name_;
  ControlKind kind_;
  Control* parent_;
  std::string caption_;
  std::string hint_;
  bool visible_ = true;
  bool enabled_ = true;
  int width_ = 0;
};

// Containers: the form, page controls, tabs, panels and group boxes.
class Container : public Control {
 public:
  Container(ControlRegistry& registry, std::string_view name, ControlKind kind, Control* parent,
            std::string_view caption = {}, bool visible = true);
};

// A page control: its tabs, one of them in front.
class PageControl : public Container {
 public:
  PageControl(ControlRegistry& registry, std::string_view name, Control* parent);
  // The tab in front; none until a tab is brought to the front (the window
  // then shows its first tab).
  Control* activePage() const { return activePage_; }
  // Brings one of its own tabs to the front, as the user does by clicking it.
  void setActivePage(Control& tab);

 private:
  Control* activePage_ = nullptr;
};

class Label : public Control {
 public:
  Label(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
        bool visible = true);
};

class Button : public Control {
 public:
  Button(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
         std::string_view hint = {}, bool visible = true);
  std::function<void()> onClick;
};

class MenuItem : public Control {
 public:
  MenuItem(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption);
  std::function<void()> onClick;
};

// A read-only multi-line pane (the result and message panes, the method
// descriptions).
class Memo : public Control {
 public:
  Memo(ControlRegistry& registry, std::string_view name, Control* parent,
       std::vector<std::string> lines = {}, bool visible = true);
  const std::vector<std::string>& lines() const { return lines_; }
  void clear();
  void append(std::string line);
  void setLines(std::vector<std::string> lines);

 private:
  std::vector<std::string> lines_;
};

class ProgressBar : public Control {
 public:
  ProgressBar(ControlRegistry& registry, std::string_view name, Control* parent, bool visible = false);
  int position() const { return position_; }
  void setPosition(int position);

 private:
  int position_ = 0;
};

// How an edit's text becomes its value field.
enum class ValueKind {
  Text,             // a free text; no value field
  Number,           // a number with the system's decimal separator
  TemperatureLike,  // a number; the text "-" alone reads as 0 (a negative number is being typed)
  ErrorValue,       // a number or an error formula
};

// The check a value must pass; the message is raised when it fails.
enum class CheckRule {
  None,
  Positive,             // > 0
  NonNegative,          // >= 0
  NotBelowAbsoluteZero, // >= -273.15 °C
  Range,                // low <= v <= high
};

struct ValueCheck {
  CheckRule rule = CheckRule::None;
  int message = 0;
  double low = 0;
  double high = 0;
  bool passes(double v) const;
};

class Edit;
class Choice;

// Everything the record knows about an edit at design time.
struct EditTraits {
  std::string_view text = {};           // initial text
  ValueKind kind = ValueKind::Number;
  ValueCheck check = {};
  const Choice* unit = nullptr;         // pressure unit box the value converts from into Pa
  const Choice* errorKind = nullptr;    // error value: converts from the unit only when this is "абсолютная"
  bool channelError = false;            // error of a channel pair: converts only with pr_IK on and TipIK 2
  const Edit* relativeBase = nullptr;   // absolute error stored relative to this parameter
  bool restoreIntoEmpty = false;        // an empty text also brings the previous text back
  bool parseOnKeyDown = false;          // re-parses the text it holds when a key goes down
  bool prevTextOnKeyUp = false;         // saves its previous text when a key comes up
  bool visible = true;
  std::string_view caption = {};        // the label beside the edit
};

class Edit : public Control {
 public:
  Edit(ControlRegistry& registry, std::string_view name, Control* parent, EditTraits traits);

  const std::string& text() const { return text_; }
  // Puts a text into the edit; when it differs from the current one this is a
  // change of the edit: onChange runs (it parses the text).
  void setText(std::string text);
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool readOnly);
  const EditTraits& traits() const { return traits_; }
  bool isValueEdit() const { return traits_.kind != ValueKind::Text; }

  // The value field: the number last parsed from the text, in stored units.
  double value = 0;

  // Runs on every change of the text. The session installs it for every
  // edit: a value edit parses its text, then changeRule runs.
  std::function<void()> onChange;
  // The form rule that follows a change of the text (the mirrors of nitrogen
  // and carbon dioxide, the copy of the flowmeter's range), installed by the
  // form rules; it never replaces the parse.
  std::function<void()> changeRule;

 private:
  EditTraits traits_;
  std::string text_;
  bool readOnly_ = false;
};

class CheckBox : public Control {
 public:
  CheckBox(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
           bool checked = false, bool visible = true);
  bool checked() const { return checked_; }
  // Sets the state without running any rule (programmatic change).
  void setChecked(bool checked);
  // The click rule of the box, installed by the form rules.
  std::function<void()> onClick;

 private:
  bool checked_;
};

// Common part of combo boxes and radio groups: fixed items and an item index
// (-1 when nothing is selected).
class Choice : public Control {
 public:
  Choice(ControlRegistry& registry, std::string_view name, ControlKind kind, Control* parent,
         std::string_view caption, std::initializer_list<std::string_view> items, int index,
         bool visible);
  // A box whose items are not known (stored-only boxes of hidden pages) keeps
  // any index it is given, so that a stored index survives a load and a save.
  void keepAnyIndex() { keepAnyIndex_ = true; }
  const std::vector<std::string>& items() const { return items_; }
  int index() const { return index_; }
  int count() const { return static_cast<int>(items_.size()); }
  // The text of the selected item, empty when nothing is selected.
  std::string selectedText() const;
  // Selects an item without running any rule; an index outside the items
  // leaves nothing selected.
  void setIndex(int index);
  void setItems(std::vector<std::string> items, int index);
  // The rule run when the user changes the choice, installed by the form rules.
  std::function<void()> onChange;

 protected:
  virtual void indexChanged() {}

 private:
  std::vector<std::string> items_;
  int index_;
  bool keepAnyIndex_ = false;
};

class ComboBox : public Choice {
 public:
  ComboBox(ControlRegistry& registry, std::string_view name, Control* parent,
           std::initializer_list<std::string_view> items, int index = 0, bool visible = true,
           bool editable = false);
  // The text the box shows: the selected item, or the typed text of an
  // editable box (the medium name box).
  const std::string& text() const { return text_; }
  void setText(std::string text);
  bool editable() const { return editable_; }

 protected:
  void indexChanged() override;

 private:
  std::string text_;
  bool editable_;
};

class RadioGroup : public Choice {
 public:
  RadioGroup(ControlRegistry& registry, std::string_view name, Control* parent, std::string_view caption,
             std::initializer_list<std::string_view> items, int index = 0, bool visible = true);
};

class StringGrid : public Control {
 public:
  StringGrid(ControlRegistry& registry, std::string_view name, Control* parent, int cols, int rows,
             int fixedRows = 1, int fixedCols = 0, bool visible = true);
  int colCount() const { return cols_; }
  int rowCount() const { return rows_; }
  int fixedRows() const { return fixedRows_; }
  int fixedCols() const { return fixedCols_; }
  // Cells outside the grid read as empty and are not written.
  const std::string& cell(int col, int row) const;
  void setCell(int col, int row, std::string text);
  void setColCount(int cols);
  int colWidth(int col) const;
  void setColWidth(int col, int width);
  bool editable() const { return editable_; }
  void setEditable(bool editable) { editable_ = editable; }
  // The rule run on a key release in the grid, installed by the form rules.
  std::function<void()> onKeyUp;

 private:
  int cols_;
  int rows_;
  int fixedRows_;
  int fixedCols_;
  bool editable_ = true;
  std::vector<std::vector<std::string>> cells_;  // [row][col], always rows_ x maxCols_
  std::vector<int> colWidths_;
};

}  // namespace velmar
