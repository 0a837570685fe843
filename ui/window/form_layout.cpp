// Where the widgets stand: a tab page of columns, boxes and panels of rows,
// each row a head (a check box, a label, the caption of an edit) followed by
// the controls that belong with it.
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/window/column_flow_layout.h"
#include "ui/window/form_binding.h"
#include "ui/window/form_binding_internal.h"

namespace velmar::window {

namespace {

using binding::codePoints;

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

}  // namespace velmar::window
