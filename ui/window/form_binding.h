#pragma once
// The widgets of the main window, built from the form model's registry and
// bound to it. One binder per control kind: a change of the model (text,
// items, index, check state, visibility, enabled and read-only state, caption,
// hint, cells, lines, position) shows at once; a user's action reaches the
// model only as the model's own event (key down, text change and key up in an
// edit, choice of an item, click of a check box or a button, edit of a grid
// cell, a typed medium name, a menu command). Updates coming from the model
// never travel back as user events.
//
// Layout (form_layout.cpp): a page control is a tab widget, a tab a scrollable page whose parts
// stand in columns (ColumnFlowLayout); panels and group boxes lay out their
// children in declaration order as rows of a head
// (a check box, a label, the caption of an edit) followed by the controls that
// belong with it (unit and kind boxes, value edits, formula buttons); group
// boxes, radio groups, grids, memos and nested page controls take a row of
// their own. A label written with wide gaps of blanks takes the edits that
// follow it into its gaps ("от [..] до [..]"), its unit box after them; an
// item of a radio group written so takes the boxes that follow the group; a
// row of labels over rows of error fields stands each heading over the
// error-kind box of its column. A hidden control hides its widget and its caption label. The
// caption labels of the control-point tables stand in the fixed cells they
// head, inside their table.
#include <QObject>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/controls.h"

class QAction;
class QGridLayout;
class QLabel;
class QMenuBar;
class QTabWidget;
class QWidget;
class QButtonGroup;

namespace velmar {
struct Session;
struct InputRecord;
struct TableCaption;
}  // namespace velmar

namespace velmar::window {

// Where a user's action on a widget goes: the model's own event.
class FormActions {
 public:
  virtual ~FormActions() = default;
  virtual void keyDown(Edit& edit) = 0;
  virtual void keyUp(Edit& edit) = 0;
  virtual void changeText(Edit& edit, std::string text) = 0;
  virtual void chooseItem(Choice& choice, int index) = 0;
  virtual void typeComboText(ComboBox& box, std::string text) = 0;
  virtual void clickCheckBox(CheckBox& box) = 0;
  virtual void pressButton(Button& button) = 0;
  virtual void chooseMenu(MenuItem& item) = 0;
  virtual void editCell(StringGrid& grid, int col, int row, std::string text) = 0;
};

class FormBinding : public QObject, public ControlObserver {
 public:
  // The main window: the controls of the input record, whose every action is
  // an input event of the measuring point.
  explicit FormBinding(Session& s);
  // Another form (the settings window): the controls of its registry, whose
  // actions run the controls' own rules and start no calculation.
  explicit FormBinding(ControlRegistry& registry);
  ~FormBinding() override;
  FormBinding(const FormBinding&) = delete;
  FormBinding& operator=(const FormBinding&) = delete;

  // The form itself is the given window (its caption is the window title).
  void bindForm(Control& form, QWidget* window);
  // Creates the widget of a control, with everything a container holds.
  QWidget* build(Control& control);
  // The menu items of the form and its menus (containers of menu items).
  void buildMenus(QMenuBar* bar, Control& form);
  // Applies the model's visibility once every widget has its place.
  void finish();

  QWidget* widgetOf(const Control& control) const;
  QAction* actionOf(const Control& control) const;
  QLabel* captionLabelOf(const Control& control) const;
  // The parts of a label with gaps after its first, which is its widget.
  std::vector<QLabel*> partsOf(const Control& control) const;
  // The tab widget that holds a tab.
  QTabWidget* tabWidgetOf(const Control& control) const;
  const std::vector<Control*>& childrenOf(const Control& control) const;

  void controlChanged(Control& control, ControlProperty property) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Bound {
    QWidget* widget = nullptr;        // the control's own widget
    QLabel* caption = nullptr;        // the caption label of an edit
    QWidget* row = nullptr;           // the row strip the widget sits in
    QWidget* part = nullptr;          // the run of rows of a tab page the widget sits in
    QAction* action = nullptr;        // a menu item or a menu
    QButtonGroup* radios = nullptr;   // the buttons of a radio group
    QTabWidget* tabs = nullptr;       // the tab widget of a tab
    std::vector<QLabel*> parts;       // a label with gaps: its parts after the first, around the edits
    std::vector<QWidget*> fillers;    // a radio group: the boxes in the gaps of its items
    std::vector<QWidget*> itemRows;   // a radio group: the rows of its items with gaps
  };
  struct RowState;

  QWidget* buildTabPage(Control& tab);
  QWidget* buildBox(Control& box);
  void layoutRows(const std::vector<Control*>& kids, QWidget* content, int margin);
  void layoutInOneRow(Control& container, QWidget* content);
  void addToRow(RowState& row, QGridLayout* grid, QWidget* content, QWidget* widget);
  std::vector<QLabel*> gapLabels(Control& label);
  size_t takeGapFillers(Control& group, const std::vector<Control*>& kids, size_t at);
  std::vector<std::vector<const Control*>> headingColumns(const std::vector<Control*>& kids, size_t from);
  QWidget* headingRow(const std::vector<Control*>& headings, const std::vector<std::vector<const Control*>>& columns);

  void apply(Control& control, ControlProperty property);
  void applyAll(Control& control);
  void applyVisible(Control& control);
  void updateRow(QWidget* row);
  void rebuildRadios(Control& control);

  FormBinding(ControlRegistry& registry, const InputRecord* record, std::unique_ptr<FormActions> actions);
  // The caption labels that stand inside a control-point table (none
  // outside the main window).
  std::vector<TableCaption> captionsOf(const StringGrid& grid) const;

  ControlRegistry& registry_;
  const InputRecord* record_;
  std::unique_ptr<FormActions> actions_;
  std::unordered_map<const Control*, Bound> bound_;
  std::unordered_map<const Control*, std::vector<Control*>> children_;
  // The caption labels that stand inside their control-point table.
  std::unordered_set<const Control*> captionLabels_;
  std::unordered_map<const QObject*, Control*> controlOfWidget_;
  // Row strips and runs of rows, each shown while any of its widgets is.
  std::unordered_map<const QWidget*, std::vector<QWidget*>> rowMembers_;
  const Control* keyDownIn_ = nullptr;  // the edit in which a key went down and no text changed yet
  int updating_ = 0;                    // > 0 while the model's changes are put into the widgets
  bool finished_ = false;
};

}  // namespace velmar::window
