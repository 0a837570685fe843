// From the model into the widgets: every change of a control's property
// (text, items, index, check state, cells, lines, position, visibility,
// enabled and read-only state, caption, hint, size) is put into its widget
// at once, under the guard that keeps it from coming back as a user event.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <vector>

#include "ui/window/form_binding.h"
#include "ui/window/form_binding_internal.h"
#include "ui/window/qt_text.h"

namespace velmar::window {

namespace {

using binding::Updating;

// A grid taller than this many rows scrolls inside its frame.
constexpr int kMaxGridRowsShown = 16;

}  // namespace

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
  for (QLabel* part : b.parts) part->setVisible(c.visible());
  if (b.row != nullptr) updateRow(b.row);
  if (b.part != nullptr) updateRow(b.part);
}

void FormBinding::rebuildRadios(Control& c) {
  Bound& b = bound_[&c];
  auto& choice = static_cast<Choice&>(c);
  // The boxes in the gaps of the items outlive the rows they stand in.
  for (QWidget* filler : b.fillers) filler->setParent(b.widget);
  for (QAbstractButton* old : b.radios->buttons()) {
    b.radios->removeButton(old);
    delete old;
  }
  for (QWidget* row : b.itemRows) delete row;
  b.itemRows.clear();
  auto* layout = b.widget->layout();
  size_t nextFiller = 0;
  for (int i = 0; i < choice.count(); ++i) {
    const std::vector<std::string> parts = binding::gapParts(choice.items()[static_cast<size_t>(i)]);
    if (parts.size() == 1 || nextFiller + parts.size() - 1 > b.fillers.size()) {
      auto* radio = new QRadioButton(toQt(choice.items()[static_cast<size_t>(i)]));
      b.radios->addButton(radio, i);
      layout->addWidget(radio);
      continue;
    }
    // "Оценка погрешности [box] результатов измерений": the button carries
    // the first part, the boxes and the other parts follow in its row.
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* radio = new QRadioButton(toQt(parts[0]));
    b.radios->addButton(radio, i);
    h->addWidget(radio);
    for (size_t k = 1; k < parts.size(); ++k) {
      QWidget* filler = b.fillers[nextFiller++];
      h->addWidget(filler);
      filler->setVisible(!finished_ || controlOfWidget_.count(filler) == 0 || controlOfWidget_[filler]->visible());
      h->addWidget(new QLabel(toQt(parts[k])));
    }
    h->addStretch(1);
    layout->addWidget(row);
    b.itemRows.push_back(row);
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
        for (QLabel* part : b.parts) part->setEnabled(c.enabled());
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
        case ControlKind::Label:
          if (b.parts.empty()) {
            static_cast<QLabel*>(w)->setText(caption);
          } else {
            // A label with gaps: each part beside its edits; parts beyond
            // those laid out join the last one.
            const std::vector<std::string> parts = binding::gapParts(c.caption());
            static_cast<QLabel*>(w)->setText(toQt(parts[0]));
            for (size_t k = 0; k < b.parts.size(); ++k) {
              std::string text = k + 1 < parts.size() ? parts[k + 1] : std::string();
              if (k + 1 == b.parts.size()) {
                for (size_t m = k + 2; m < parts.size(); ++m) text += " " + parts[m];
              }
              b.parts[k]->setText(toQt(text));
            }
          }
          break;
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

}  // namespace velmar::window
