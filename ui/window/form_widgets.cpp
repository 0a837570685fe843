// The widget of each kind of control, made from the registry: its size by
// what it holds, and the connections that turn the user's actions on it
// into the model's own events.
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "measuring_point/session.h"
#include "uncertainty/control_point_tables.h"
#include "ui/window/form_binding.h"
#include "ui/window/form_binding_internal.h"
#include "ui/window/qt_text.h"

namespace velmar::window {

namespace {

using binding::codePoints;

// Widths of the edits by what they hold.
constexpr int kValueEditWidth = 90;
constexpr int kErrorEditWidth = 120;
constexpr int kTextEditWidth = 260;

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


}  // namespace

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

}  // namespace velmar::window
