// The binder's frame: the actions a widget's user input becomes, the
// construction over a registry, the look-ups of a control's widgets, the
// menus, and the key events of the edits. The widgets are made in
// form_widgets.cpp, laid out in form_layout.cpp and kept in step with the
// model in form_sync.cpp.
#include "ui/window/form_binding.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <algorithm>

#include "core/form_events.h"
#include "measuring_point/session.h"
#include "ui/window/form_binding_internal.h"
#include "ui/window/qt_text.h"
#include "uncertainty/control_point_tables.h"

namespace velmar::window {

using binding::Updating;

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

std::vector<QLabel*> FormBinding::partsOf(const Control& control) const {
  auto it = bound_.find(&control);
  return it == bound_.end() ? std::vector<QLabel*>{} : it->second.parts;
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
