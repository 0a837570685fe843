#include "ui/window/form_binding.h"

#include <QAbstractItemView>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/form_events.h"
#include "measuring_point/session.h"
#include "ui/window/column_flow_layout.h"
#include "ui/window/qt_text.h"
#include "uncertainty/control_point_tables.h"

namespace velmar::window {

namespace {

// Widths of the edits by what they hold.
constexpr int kValueEditWidth = 90;
constexpr int kErrorEditWidth = 120;
constexpr int kTextEditWidth = 260;
// A grid taller than this many rows scrolls inside its frame.
constexpr int kMaxGridRowsShown = 16;

int codePoints(std::string_view text) {
  int n = 0;
  for (unsigned char ch : text) {
    if ((ch & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A connective caption such as "до", "от" or the number of a control point:
// it sits inside a row rather than heading one.
bool shortCaption(std::string_view caption) { return codePoints(trimmed(caption)) <= 3; }

bool isBlock(const Control& c, bool hasChildren) {
  switch (c.kind()) {
    case ControlKind::GroupBox:
    case ControlKind::RadioGroup:
    case ControlKind::StringGrid:
    case ControlKind::Memo:
    case ControlKind::PageControl:
      return true;
    case ControlKind::Panel:
      return hasChildren;
    default:
      return false;
  }
}

// A text between the controls of a row: a unit, or a formula part such as " +  * |t|".
bool isInlineLabel(const Control& c) {
  return c.kind() == ControlKind::Label && (shortCaption(c.caption()) || c.caption().rfind(' ', 0) == 0);
}

// Puts every keystroke of a cell editor into the cell at once, so that the
// grid's key rule sees each change as the user types.
class LiveCommitDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      connect(line, &QLineEdit::textEdited, this, [this, line] {
        emit const_cast<LiveCommitDelegate*>(this)->commitData(line);
      });
    }
    return editor;
  }
};

// Holds the guard while the model's changes are put into the widgets.
class Updating {
 public:
  explicit Updating(int& counter) : counter_(counter) { ++counter_; }
  ~Updating() { --counter_; }
  Updating(const Updating&) = delete;
  Updating& operator=(const Updating&) = delete;

 private:
  int& counter_;
};

}  // namespace

struct FormBinding::RowState {
  int gridRow = -1;          // -1: no row is open
  QWidget* strip = nullptr;  // the controls that follow the head
  QWidget* head = nullptr;   // spans the strip's column too until the row has a strip
  bool headless = true;
  bool pending = false;      // opened by a unit box that belongs to the edit that follows
  bool onlyLabels = true;
  int labelsShown = 0;       // labels of the row visible when the window is created
  const Control* last = nullptr;
  bool open() const { return gridRow >= 0; }
};

namespace {

// The main window's actions: each is an input event of the measuring point.
class SessionActions : public FormActions {
 public:
  explicit SessionActions(Session& s) : s_(s) {}
  void keyDown(Edit& e) override { velmar::keyDown(s_, e); }
  void keyUp(Edit& e) override { velmar::keyUp(s_, e); }
  void changeText(Edit& e, std::string text) override { velmar::changeText(s_, e, std::move(text)); }
  void chooseItem(Choice& c, int index) override { velmar::chooseItem(s_, c, index); }
  void typeComboText(ComboBox& box, std::string text) override { velmar::typeComboText(s_, box, std::move(text)); }
  void clickCheckBox(CheckBox& box) override { velmar::clickCheckBox(s_, box); }
  void pressButton(Button& button) override { velmar::pressButton(s_, button); }
  void chooseMenu(MenuItem& item) override { velmar::chooseMenu(s_, item); }
  void editCell(StringGrid& grid, int col, int row, std::string text) override {
    velmar::editCell(s_, grid, col, row, std::move(text));
  }

 private:
  Session& s_;
};

// A form without a calculation (the settings window): each control's own rule.
class PlainActions : public FormActions {
 public:
  void keyDown(Edit&) override {}
  void keyUp(Edit&) override {}
  void changeText(Edit& e, std::string text) override { velmar::changeText(e, std::move(text)); }
  void chooseItem(Choice& c, int index) override { velmar::chooseItem(c, index); }
  void typeComboText(ComboBox& box, std::string text) override { box.setText(std::move(text)); }
  void clickCheckBox(CheckBox& box) override { velmar::clickCheckBox(box); }
  void pressButton(Button& button) override { velmar::pressButton(button); }
  void chooseMenu(MenuItem& item) override {
    if (item.enabled() && item.onClick) item.onClick();
  }
  void editCell(StringGrid& grid, int col, int row, std::string text) override {
    if (grid.editable()) grid.setCell(col, row, std::move(text));
  }
};

}  // namespace

FormBinding::FormBinding(Session& s)
    : FormBinding(s.in.registry, &s.in, std::make_unique<SessionActions>(s)) {}

FormBinding::FormBinding(ControlRegistry& registry)
    : FormBinding(registry, nullptr, std::make_unique<PlainActions>()) {}

FormBinding::FormBinding(ControlRegistry& registry, const InputRecord* record, std::unique_ptr<FormActions> actions)
    : registry_(registry), record_(record), actions_(std::move(actions)) {
  for (Control* c : registry_.all()) {
    if (c->parent() != nullptr) children_[c->parent()].push_back(c);
    if (c->kind() == ControlKind::StringGrid) {
      for (const TableCaption& caption : captionsOf(static_cast<StringGrid&>(*c))) {
        captionLabels_.insert(caption.label);
      }
    }
  }
  registry_.setObserver(this);
}

FormBinding::~FormBinding() { registry_.setObserver(nullptr); }

std::vector<TableCaption> FormBinding::captionsOf(const StringGrid& grid) const {
  return record_ != nullptr ? tableCaptions(*record_, grid) : std::vector<TableCaption>{};
}

const std::vector<Control*>& FormBinding::childrenOf(const Control& control) const {
  static const std::vector<Control*> none;
  auto it = children_.find(&control);
  return it == children_.end() ? none : it->second;
}

QWidget* FormBinding::widgetOf(const Control& control) const {
  auto it = bound_.find(&control);
  return it == bound_.end() ? nullptr : it->second.widget;
}

QAction* FormBinding::actionOf(const Control& control) const {
  auto it = bound_.find(&control);
  return it == bound_.end() ? nullptr : it->second.action;
}

QLabel* FormBinding::captionLabelOf(const Control& control) const {
  auto it = bound_.find(&control);
  return it == bound_.end() ? nullptr : it->second.caption;
}

QTabWidget* FormBinding::tabWidgetOf(const Control& control) const {
  auto it = bound_.find(&control);
  return it == bound_.end() ? nullptr : it->second.tabs;
}

void FormBinding::bindForm(Control& form, QWidget* window) {
  Bound& b = bound_[&form];
  b.widget = window;
  window->setWindowTitle(toQt(form.caption()));
}

// --- Building -------------------------------------------------------------------

QWidget* FormBinding::build(Control& c) {
  QWidget* w = nullptr;
  switch (c.kind()) {
    case ControlKind::Form:
    case ControlKind::MenuItem:
      return nullptr;
    case ControlKind::PageControl: {
      auto* tabs = new QTabWidget;
      for (Control* tab : childrenOf(c)) {
        if (tab->kind() != ControlKind::Tab) continue;
        QWidget* page = build(*tab);
        bound_[tab].tabs = tabs;
        tabs->addTab(page, toQt(tab->caption()));
      }
      // The tab the user brings to the front is the model's page in front.
      connect(tabs, &QTabWidget::currentChanged, this, [this, &c, tabs] {
        if (updating_) return;
        const auto it = controlOfWidget_.find(tabs->currentWidget());
        auto* pages = dynamic_cast<PageControl*>(&c);
        if (pages != nullptr && it != controlOfWidget_.end()) pages->setActivePage(*it->second);
      });
      w = tabs;
      break;
    }
    case ControlKind::Tab:
      w = buildTabPage(c);
      break;
    case ControlKind::Panel:
    case ControlKind::GroupBox:
      w = buildBox(c);
      break;
    case ControlKind::Label:
      w = new QLabel;
      break;
    case ControlKind::Edit: {
      auto& e = static_cast<Edit&>(c);
      auto* line = new QLineEdit;
      const ValueKind kind = e.traits().kind;
      line->setFixedWidth(kind == ValueKind::Text         ? kTextEditWidth
                          : kind == ValueKind::ErrorValue ? kErrorEditWidth
                                                          : kValueEditWidth);
      line->installEventFilter(this);
      connect(line, &QLineEdit::textEdited, this, [this, &e](const QString& text) {
        if (updating_) return;
        // A change without a key (a paste with the mouse) still keeps the
        // previous text first.
        if (keyDownIn_ != &e) actions_->keyDown(e);
        keyDownIn_ = nullptr;
        actions_->changeText(e, fromQt(text));
        apply(e, ControlProperty::Text);
      });
      if (!c.caption().empty()) bound_[&c].caption = new QLabel(toQt(c.caption()));
      w = line;
      break;
    }
    case ControlKind::ComboBox: {
      auto& box = static_cast<ComboBox&>(c);
      auto* combo = new QComboBox;
      combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      combo->setEditable(box.editable());
      connect(combo, &QComboBox::activated, this, [this, &box](int index) {
        if (updating_) return;
        actions_->chooseItem(box, index);
        apply(box, ControlProperty::Index);
      });
      if (box.editable()) {
        combo->setMinimumWidth(kTextEditWidth);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, &box](const QString& text) {
          if (updating_) return;
          actions_->typeComboText(box, fromQt(text));
        });
      }
      w = combo;
      break;
    }
    case ControlKind::RadioGroup: {
      auto& choice = static_cast<Choice&>(c);
      auto* group = new QGroupBox;
      new QVBoxLayout(group);
      auto* buttons = new QButtonGroup(group);
      bound_[&c].radios = buttons;
      connect(buttons, &QButtonGroup::idClicked, this, [this, &choice](int index) {
        if (updating_) return;
        actions_->chooseItem(choice, index);
        apply(choice, ControlProperty::Index);
      });
      w = group;
      break;
    }
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBox&>(c);
      auto* check = new QCheckBox;
      connect(check, &QCheckBox::clicked, this, [this, &box] {
        if (updating_) return;
        actions_->clickCheckBox(box);
        apply(box, ControlProperty::Checked);
      });
      w = check;
      break;
    }
    case ControlKind::StringGrid: {
      auto& grid = static_cast<StringGrid&>(c);
      auto* table = new QTableWidget(grid.rowCount(), grid.colCount());
      // The caption labels of a control-point table stand in the fixed cells
      // they head, spanning the columns they cover.
      for (const TableCaption& caption : captionsOf(grid)) {
        QWidget* label = build(*registry_.find(caption.label->name()));
        label->setContentsMargins(4, 0, 4, 0);
        if (caption.colSpan > 1) table->setSpan(caption.row, caption.col, 1, caption.colSpan);
        table->setCellWidget(caption.row, caption.col, label);
      }
      table->horizontalHeader()->hide();
      table->verticalHeader()->hide();
      table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
      table->setItemDelegate(new LiveCommitDelegate(table));
      table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
      table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      connect(table, &QTableWidget::itemChanged, this, [this, &grid](QTableWidgetItem* item) {
        if (updating_) return;
        actions_->editCell(grid, item->column(), item->row(), fromQt(item->text()));
        apply(grid, ControlProperty::Cells);
      });
      w = table;
      break;
    }
    case ControlKind::Button: {
      auto& button = static_cast<Button&>(c);
      auto* push = new QPushButton;
      push->setAutoDefault(false);
      if (codePoints(c.caption()) <= 8) {
        // A small button beside a field ("f(x).."): as wide as its caption.
        push->setFixedWidth(push->fontMetrics().horizontalAdvance(toQt(c.caption())) + 18);
      }
      connect(push, &QPushButton::clicked, this, [this, &button] {
        if (updating_) return;
        actions_->pressButton(button);
      });
      w = push;
      break;
    }
    case ControlKind::Memo: {
      auto* memo = new QPlainTextEdit;
      memo->setReadOnly(true);
      if (c.parent() != nullptr && c.parent()->kind() != ControlKind::Form) {
        // A description beside a choice: its lines, wrapped to the width at hand.
        const auto lines = static_cast<int>(std::max<size_t>(static_cast<const Memo&>(c).lines().size(), 1));
        memo->setFixedHeight(memo->fontMetrics().lineSpacing() * (2 * lines) + 2 * memo->frameWidth() + 8);
        memo->setMinimumWidth(200);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
      }
      w = memo;
      break;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar;
      bar->setRange(0, 100);
      bar->setMaximumWidth(200);
      w = bar;
      break;
    }
  }
  w->setObjectName(QString::fromUtf8(c.name().data(), static_cast<qsizetype>(c.name().size())));
  Bound& b = bound_[&c];
  b.widget = w;
  controlOfWidget_[w] = &c;
  applyAll(c);
  return w;
}

QWidget* FormBinding::buildTabPage(Control& tab) {
  const auto& kids = childrenOf(tab);
  if (kids.size() == 1 && kids[0]->kind() == ControlKind::PageControl) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(build(*kids[0]));
    return page;
  }
  // A page of a control-point table holds the table alone (its captions stand
  // inside it): no scrolling of its own, the page is as large as the table.
  const auto captionOrGrid = [this](const Control* c) {
    return c->kind() == ControlKind::StringGrid || captionLabels_.count(c) != 0;
  };
  if (!kids.empty() && !captionLabels_.empty() && std::all_of(kids.begin(), kids.end(), captionOrGrid) &&
      std::any_of(kids.begin(), kids.end(), [this](const Control* c) { return captionLabels_.count(c) != 0; })) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    for (Control* c : kids) {
      if (c->kind() == ControlKind::StringGrid) layout->addWidget(build(*c), 0, Qt::AlignLeft | Qt::AlignTop);
    }
    layout->addStretch(1);
    return page;
  }
  // The parts of the page: every block, and every run of simple rows between them.
  auto* content = new QWidget;
  auto* flow = new ColumnFlowLayout(content);
  std::vector<Control*> run;
  auto flush = [&] {
    if (run.empty()) return;
    auto* part = new QWidget;
    layoutRows(run, part, 0);
    auto& members = rowMembers_[part];
    for (Control* c : run) {
      Bound& b = bound_[c];
      b.part = part;
      if (b.widget != nullptr) members.push_back(b.widget);
      if (b.caption != nullptr) members.push_back(b.caption);
    }
    flow->addWidget(part);
    run.clear();
  };
  for (Control* c : kids) {
    if (captionLabels_.count(c) != 0) continue;  // built with its table
    if (isBlock(*c, !childrenOf(*c).empty())) {
      flush();
      QWidget* w = build(*c);
      if (w != nullptr) flow->addWidget(w);
    } else {
      run.push_back(c);
    }
  }
  flush();
  return new ColumnPage(content, flow);
}

QWidget* FormBinding::buildBox(Control& box) {
  const auto& kids = childrenOf(box);
  if (kids.empty()) {
    // A panel that only shows its caption (the date and the clock of the status line).
    auto* label = new QLabel;
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(70);
    label->setAlignment(Qt::AlignCenter);
    return label;
  }
  QWidget* w = nullptr;
  if (box.kind() == ControlKind::GroupBox || !box.caption().empty()) {
    w = new QGroupBox;
  } else {
    w = new QFrame;
  }
  if (box.parent() != nullptr && box.parent()->kind() == ControlKind::Form) {
    layoutInOneRow(box, w);
  } else {
    // A frameless panel only groups its rows; a group box has a frame to keep off.
    layoutRows(kids, w, qobject_cast<QGroupBox*>(w) != nullptr ? 6 : 0);
  }
  return w;
}

void FormBinding::layoutInOneRow(Control& container, QWidget* content) {
  auto* layout = new QHBoxLayout(content);
  layout->setContentsMargins(2, 0, 2, 0);
  for (Control* c : childrenOf(container)) {
    QWidget* w = build(*c);
    if (w == nullptr) continue;
    layout->addWidget(w, c->kind() == ControlKind::Label ? 1 : 0);
  }
}

void FormBinding::addToRow(RowState& row, QGridLayout* grid, QWidget* content, QWidget* widget) {
  if (row.strip == nullptr) {
    row.strip = new QWidget(content);
    auto* h = new QHBoxLayout(row.strip);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    // A row without a head starts at the left edge; a head gives up the
    // strip's column once the row has a strip.
    if (row.headless && !row.pending) {
      grid->addWidget(row.strip, row.gridRow, 0, 1, 2, Qt::AlignLeft);
    } else {
      if (row.head != nullptr) {
        grid->removeWidget(row.head);
        grid->addWidget(row.head, row.gridRow, 0, Qt::AlignLeft | Qt::AlignVCenter);
      }
      grid->addWidget(row.strip, row.gridRow, 1, Qt::AlignLeft);
    }
  }
  row.strip->layout()->addWidget(widget);
  rowMembers_[row.strip].push_back(widget);
}

void FormBinding::layoutChildren(Control& container, QWidget* content) {
  layoutRows(childrenOf(container), content, 6);
}

void FormBinding::layoutRows(const std::vector<Control*>& kids, QWidget* content, int margin) {
  auto* grid = new QGridLayout(content);
  grid->setContentsMargins(margin, margin, margin, margin);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);

  int nextRow = 0;
  RowState row;
  auto openRow = [&](QWidget* head, bool pending) {
    row = RowState{};
    row.gridRow = nextRow++;
    row.pending = pending;
    if (head != nullptr) {
      grid->addWidget(head, row.gridRow, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
      row.head = head;
      row.headless = false;
    }
  };
  auto join = [&](Control& c, QWidget* w) {
    if (!row.open()) openRow(nullptr, false);
    addToRow(row, grid, content, w);
    bound_[&c].row = row.strip;
    if (c.kind() == ControlKind::Label) {
      if (c.visible()) ++row.labelsShown;
    } else {
      row.onlyLabels = false;
    }
    row.last = &c;
  };

  for (size_t i = 0; i < kids.size(); ++i) {
    Control& c = *kids[i];
    const Control* prev = i > 0 ? kids[i - 1] : nullptr;
    const Control* next = i + 1 < kids.size() ? kids[i + 1] : nullptr;
    QWidget* w = build(c);
    if (w == nullptr) continue;

    if (isBlock(c, !childrenOf(c).empty())) {
      row = RowState{};
      const int r = nextRow++;
      if (c.kind() == ControlKind::StringGrid) {
        grid->addWidget(w, r, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
      } else {
        grid->addWidget(w, r, 0, 1, 2);
      }
      continue;
    }

    switch (c.kind()) {
      case ControlKind::CheckBox:
        openRow(w, false);
        row.onlyLabels = false;
        row.last = &c;
        break;
      case ControlKind::Label:
        if (isInlineLabel(c) || (row.open() && row.onlyLabels && row.last != nullptr &&
                                 row.last->kind() == ControlKind::Label)) {
          join(c, w);
        } else {
          openRow(w, false);
          if (c.visible()) ++row.labelsShown;
          row.last = &c;
        }
        break;
      case ControlKind::Edit: {
        QLabel* caption = bound_[&c].caption;
        if (caption == nullptr) {
          join(c, w);
        } else if (!shortCaption(c.caption())) {
          if (row.open() && row.pending && row.headless) {
            grid->addWidget(caption, row.gridRow, 0, Qt::AlignLeft | Qt::AlignVCenter);
            row.head = caption;
            row.headless = false;
            row.pending = false;
          } else {
            openRow(caption, false);
          }
          join(c, w);
        } else {
          const bool continues = row.open() && (row.pending || (row.last != nullptr && row.last->kind() == ControlKind::Edit));
          if (!continues) openRow(nullptr, false);
          addToRow(row, grid, content, caption);
          join(c, w);
        }
        break;
      }
      case ControlKind::ComboBox: {
        const bool unitOfNext = next != nullptr && next->kind() == ControlKind::Edit && !next->caption().empty() &&
                                (prev == nullptr || prev->kind() != ControlKind::ComboBox);
        if (unitOfNext) {
          openRow(nullptr, true);
        } else if (row.open() && row.onlyLabels && row.labelsShown >= 2) {
          openRow(nullptr, false);  // a row of column headings stands alone
        }
        join(c, w);
        break;
      }
      default:
        if (row.open() && row.onlyLabels && row.labelsShown >= 2) openRow(nullptr, false);
        join(c, w);
        break;
    }
  }
  grid->setRowStretch(nextRow, 1);
}

void FormBinding::buildMenus(QMenuBar* bar, Control& form) {
  auto bindItem = [this](Control& c, QAction* action) {
    Bound& b = bound_[&c];
    b.action = action;
    controlOfWidget_[action] = &c;
    if (c.kind() == ControlKind::MenuItem) {
      auto& item = static_cast<MenuItem&>(c);
      connect(action, &QAction::triggered, this, [this, &item] {
        if (updating_) return;
        actions_->chooseMenu(item);
      });
    }
    applyAll(c);
  };
  for (Control* c : childrenOf(form)) {
    if (c->kind() == ControlKind::MenuItem) {
      bindItem(*c, bar->addAction(toQt(c->caption())));
      continue;
    }
    const auto& items = childrenOf(*c);
    const bool menu = !items.empty() && std::all_of(items.begin(), items.end(), [](const Control* i) {
      return i->kind() == ControlKind::MenuItem;
    });
    if (!menu) continue;
    QMenu* m = bar->addMenu(toQt(c->caption()));
    bindItem(*c, m->menuAction());
    for (Control* item : items) bindItem(*item, m->addAction(toQt(item->caption())));
  }
}

void FormBinding::finish() {
  finished_ = true;
  Updating guard(updating_);
  for (auto& [control, b] : bound_) applyVisible(*const_cast<Control*>(control));
  for (auto& [row, members] : rowMembers_) updateRow(const_cast<QWidget*>(row));
}

// --- From the model into the widgets ---------------------------------------------

void FormBinding::controlChanged(Control& control, ControlProperty property) {
  if (bound_.find(&control) == bound_.end()) return;
  apply(control, property);
}

void FormBinding::applyAll(Control& c) {
  for (ControlProperty p : {ControlProperty::Items, ControlProperty::Index, ControlProperty::Text,
                            ControlProperty::Checked, ControlProperty::Cells, ControlProperty::Lines,
                            ControlProperty::Position, ControlProperty::ReadOnly, ControlProperty::Caption,
                            ControlProperty::Hint, ControlProperty::Enabled, ControlProperty::Geometry}) {
    apply(c, p);
  }
}

void FormBinding::updateRow(QWidget* row) {
  auto it = rowMembers_.find(row);
  if (it == rowMembers_.end()) return;
  const bool any = std::any_of(it->second.begin(), it->second.end(), [](const QWidget* w) { return !w->isHidden(); });
  row->setVisible(any);
}

void FormBinding::applyVisible(Control& c) {
  Bound& b = bound_[&c];
  if (c.kind() == ControlKind::Form) return;
  if (c.kind() == ControlKind::Tab) {
    if (b.tabs != nullptr) b.tabs->setTabVisible(b.tabs->indexOf(b.widget), c.visible());
    return;
  }
  if (b.action != nullptr) {
    b.action->setVisible(c.visible());
    return;
  }
  if (b.widget == nullptr) return;
  b.widget->setVisible(c.visible());
  if (b.caption != nullptr) b.caption->setVisible(c.visible());
  if (b.row != nullptr) updateRow(b.row);
  if (b.part != nullptr) updateRow(b.part);
}

void FormBinding::rebuildRadios(Control& c) {
  Bound& b = bound_[&c];
  auto& choice = static_cast<Choice&>(c);
  for (QAbstractButton* old : b.radios->buttons()) {
    b.radios->removeButton(old);
    delete old;
  }
  auto* layout = b.widget->layout();
  for (int i = 0; i < choice.count(); ++i) {
    auto* radio = new QRadioButton(toQt(choice.items()[static_cast<size_t>(i)]));
    b.radios->addButton(radio, i);
    layout->addWidget(radio);
  }
}

void FormBinding::apply(Control& c, ControlProperty property) {
  Bound& b = bound_[&c];
  QWidget* w = b.widget;
  Updating guard(updating_);
  switch (property) {
    case ControlProperty::Visible:
      if (finished_) applyVisible(c);
      return;
    case ControlProperty::Enabled:
      if (c.kind() == ControlKind::Tab) {
        if (b.tabs != nullptr) b.tabs->setTabEnabled(b.tabs->indexOf(w), c.enabled());
      } else if (b.action != nullptr) {
        b.action->setEnabled(c.enabled());
      } else if (w != nullptr && c.kind() != ControlKind::Form) {
        w->setEnabled(c.enabled());
        if (b.caption != nullptr) b.caption->setEnabled(c.enabled());
      }
      return;
    case ControlProperty::Hint:
      if (b.action != nullptr) {
        b.action->setToolTip(toQt(c.hint()));
      } else if (w != nullptr && c.kind() != ControlKind::Form) {
        w->setToolTip(toQt(c.hint()));
      }
      return;
    case ControlProperty::Caption: {
      const QString caption = toQt(c.caption());
      if (b.action != nullptr) {
        b.action->setText(caption);
        return;
      }
      if (w == nullptr) return;
      switch (c.kind()) {
        case ControlKind::Form: w->setWindowTitle(caption); break;
        case ControlKind::Tab:
          if (b.tabs != nullptr) b.tabs->setTabText(b.tabs->indexOf(w), caption);
          break;
        case ControlKind::Label: static_cast<QLabel*>(w)->setText(caption); break;
        case ControlKind::CheckBox: static_cast<QCheckBox*>(w)->setText(caption); break;
        case ControlKind::Button: static_cast<QPushButton*>(w)->setText(caption); break;
        case ControlKind::Edit:
          if (b.caption != nullptr) b.caption->setText(caption);
          break;
        default:
          if (auto* group = qobject_cast<QGroupBox*>(w)) {
            group->setTitle(caption);
          } else if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(caption);
          }
      }
      return;
    }
    default:
      break;
  }
  if (w == nullptr) return;

  switch (c.kind()) {
    case ControlKind::Edit: {
      auto& e = static_cast<Edit&>(c);
      auto* line = static_cast<QLineEdit*>(w);
      if (property == ControlProperty::Text) {
        const QString text = toQt(e.text());
        if (line->text() != text) {
          const int caret = line->cursorPosition();
          const bool focused = line->hasFocus();
          line->setText(text);
          if (focused) line->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
        }
      } else if (property == ControlProperty::ReadOnly) {
        line->setReadOnly(e.readOnly());
      } else if (property == ControlProperty::Geometry && e.width() > 0) {
        line->setFixedWidth(e.width());
      }
      return;
    }
    case ControlKind::ComboBox: {
      auto& box = static_cast<ComboBox&>(c);
      auto* combo = static_cast<QComboBox*>(w);
      if (property == ControlProperty::Geometry && box.width() > 0) combo->setMinimumWidth(box.width());
      if (property == ControlProperty::Items) {
        combo->clear();
        for (const auto& item : box.items()) combo->addItem(toQt(item));
      }
      if (property == ControlProperty::Items || property == ControlProperty::Index ||
          property == ControlProperty::Text) {
        if (combo->currentIndex() != box.index()) combo->setCurrentIndex(box.index());
        if (box.editable() && combo->currentText() != toQt(box.text())) combo->setEditText(toQt(box.text()));
      }
      return;
    }
    case ControlKind::RadioGroup: {
      auto& choice = static_cast<Choice&>(c);
      if (property == ControlProperty::Items) rebuildRadios(c);
      if (property == ControlProperty::Items || property == ControlProperty::Index) {
        if (QAbstractButton* button = b.radios->button(choice.index())) {
          button->setChecked(true);
        } else if (QAbstractButton* checked = b.radios->checkedButton()) {
          b.radios->setExclusive(false);
          checked->setChecked(false);
          b.radios->setExclusive(true);
        }
      }
      return;
    }
    case ControlKind::CheckBox:
      if (property == ControlProperty::Checked) {
        static_cast<QCheckBox*>(w)->setChecked(static_cast<CheckBox&>(c).checked());
      }
      return;
    case ControlKind::StringGrid: {
      if (property != ControlProperty::Cells && property != ControlProperty::Geometry) return;
      auto& grid = static_cast<StringGrid&>(c);
      auto* table = static_cast<QTableWidget*>(w);
      if (table->columnCount() != grid.colCount()) table->setColumnCount(grid.colCount());
      const QBrush fixedBrush = table->palette().brush(QPalette::Button);
      for (int r = 0; r < grid.rowCount(); ++r) {
        bool multiLine = false;
        for (int col = 0; col < grid.colCount(); ++col) {
          QTableWidgetItem* item = table->item(r, col);
          if (item == nullptr) {
            item = new QTableWidgetItem;
            const bool fixed = r < grid.fixedRows() || col < grid.fixedCols();
            if (fixed) {
              item->setFlags(Qt::ItemIsEnabled);
              item->setBackground(fixedBrush);
            } else {
              item->setFlags(grid.editable() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                             : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            table->setItem(r, col, item);
          }
          const QString text = toQt(grid.cell(col, r));
          if (item->text() != text) item->setText(text);
          multiLine = multiLine || text.contains(QLatin1Char('\n'));
        }
        if (multiLine) {
          table->resizeRowToContents(r);
        } else {
          table->setRowHeight(r, table->verticalHeader()->defaultSectionSize());
        }
      }
      // A column is as wide as the model says, or as its widest text.
      const QFontMetrics metrics = table->fontMetrics();
      std::vector<int> widths(static_cast<size_t>(grid.colCount()));
      for (int col = 0; col < grid.colCount(); ++col) {
        int w = grid.colWidth(col);
        for (int r = 0; r < grid.rowCount(); ++r) {
          for (const QString& line : toQt(grid.cell(col, r)).split(QLatin1Char('\n'))) {
            w = std::max(w, metrics.horizontalAdvance(line) + 12);
          }
        }
        widths[static_cast<size_t>(col)] = w;
      }
      // A caption in the fixed cells gets the room of its text, shared out
      // over the columns it spans.
      for (int r = 0; r < grid.rowCount(); ++r) {
        for (int col = 0; col < grid.colCount(); ++col) {
          const QWidget* cellWidget = table->cellWidget(r, col);
          if (cellWidget == nullptr) continue;
          const int span = std::max(table->columnSpan(r, col), 1);
          int have = 0;
          for (int k = col; k < col + span; ++k) have += widths[static_cast<size_t>(k)];
          const int lack = cellWidget->sizeHint().width() + 8 - have;
          for (int k = 0; k < span && lack > 0; ++k) {
            widths[static_cast<size_t>(col + k)] += lack / span + (k < lack % span ? 1 : 0);
          }
        }
      }
      int width = 0;
      for (int col = 0; col < grid.colCount(); ++col) {
        table->setColumnWidth(col, widths[static_cast<size_t>(col)]);
        width += widths[static_cast<size_t>(col)];
      }
      int height = 0;
      const int shownRows = std::min(grid.rowCount(), kMaxGridRowsShown);
      for (int r = 0; r < shownRows; ++r) height += table->rowHeight(r);
      const int frame = 2 * table->frameWidth();
      if (grid.rowCount() > kMaxGridRowsShown) width += table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
      table->setFixedSize(std::max(width + frame, grid.width()), height + frame);
      return;
    }
    case ControlKind::Memo:
      if (property == ControlProperty::Lines) {
        QStringList lines;
        for (const auto& line : static_cast<Memo&>(c).lines()) lines << toQt(line);
        static_cast<QPlainTextEdit*>(w)->setPlainText(lines.join(QLatin1Char('\n')));
      }
      return;
    case ControlKind::PageControl:
      if (const auto* pages = dynamic_cast<const PageControl*>(&c); pages && property == ControlProperty::Index) {
        const Control* page = pages->activePage();
        if (page != nullptr && bound_[page].widget != nullptr) {
          static_cast<QTabWidget*>(w)->setCurrentWidget(bound_[page].widget);
        }
      }
      return;
    case ControlKind::ProgressBar:
      if (property == ControlProperty::Position) {
        static_cast<QProgressBar*>(w)->setValue(static_cast<ProgressBar&>(c).position());
      }
      return;
    default:
      return;
  }
}

// --- From the user into the model ------------------------------------------------

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  auto it = controlOfWidget_.find(watched);
  if (it == controlOfWidget_.end() || it->second->kind() != ControlKind::Edit || updating_) return false;
  auto& e = static_cast<Edit&>(*it->second);
  if (event->type() == QEvent::KeyPress) {
    actions_->keyDown(e);
    keyDownIn_ = &e;
  } else {
    actions_->keyUp(e);
  }
  return false;
}

}  // namespace velmar::window
