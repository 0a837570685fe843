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
#include <deque>
#include <map>
#include <utility>

#include "ui/window/column_flow_layout.h"
#include "ui/window/column_headings.h"
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
  // A label with gaps: the parts still to follow the next edits, each the
  // part of every alternative label (Label47 or Label114) at that place.
  std::deque<std::vector<QLabel*>> gaps;
  int gapCount = 0;
  // Unit boxes held back until the last edit that converts from them.
  std::map<const Control*, std::vector<std::pair<Control*, QWidget*>>> unitsAfter;
  bool open() const { return gridRow >= 0; }
};

size_t FormBinding::takeGapFillers(Control& group, const std::vector<Control*>& kids, size_t at) {
  if (group.kind() != ControlKind::RadioGroup) return 0;
  size_t needed = 0;
  for (const std::string& item : static_cast<Choice&>(group).items()) needed += binding::gapParts(item).size() - 1;
  size_t taken = 0;
  Bound& b = bound_[&group];
  while (taken < needed && at + 1 + taken < kids.size()) {
    Control& next = *kids[at + 1 + taken];
    if (next.kind() != ControlKind::ComboBox && next.kind() != ControlKind::Edit) break;
    b.fillers.push_back(build(next));
    ++taken;
  }
  if (taken > 0) apply(group, ControlProperty::Items);
  return taken;
}

std::vector<QLabel*> FormBinding::gapLabels(Control& label) {
  const size_t parts = binding::gapParts(label.caption()).size();
  Bound& b = bound_[&label];
  if (parts > 1 && b.parts.empty()) {
    for (size_t k = 1; k < parts; ++k) {
      auto* part = new QLabel;
      controlOfWidget_[part] = &label;
      b.parts.push_back(part);
    }
    apply(label, ControlProperty::Caption);
  }
  return b.parts;
}

QWidget* FormBinding::headingRow(const std::vector<Control*>& labels,
                                 const std::vector<std::vector<const Control*>>& columns) {
  const size_t leading = labels.size() - columns.size();
  std::vector<QLabel*> left;
  std::vector<QLabel*> over;
  for (size_t k = 0; k < labels.size(); ++k) {
    auto* l = static_cast<QLabel*>(build(*labels[k]));
    (k < leading ? left : over).push_back(l);
  }
  std::vector<std::vector<QWidget*>> widgets;
  for (const auto& column : columns) {
    std::vector<QWidget*>& ws = widgets.emplace_back();
    for (const Control* c : column) {
      if (QWidget* w = widgetOf(*c)) ws.push_back(w);
    }
  }
  auto* row = new ColumnHeadings(std::move(left), std::move(over), std::move(widgets));
  auto& members = rowMembers_[row];
  for (Control* c : labels) {
    bound_[c].row = row;
    members.push_back(bound_[c].widget);
  }
  return row;
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
  for (size_t i = 0; i < kids.size(); ++i) {
    Control* c = kids[i];
    if (captionLabels_.count(c) != 0) continue;  // built with its table
    if (isBlock(*c, !childrenOf(*c).empty())) {
      flush();
      QWidget* w = build(*c);
      if (w != nullptr) flow->addWidget(w);
      i += takeGapFillers(*c, kids, i);
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
// The headings of a row of labels over rows of error fields: for each
// column k, the error-kind boxes of the k-th error field of every row below.
std::vector<std::vector<const Control*>> FormBinding::headingColumns(const std::vector<Control*>& kids, size_t from) {
  std::vector<std::vector<const Control*>> columns;
  size_t k = 0;
  for (size_t j = from; j < kids.size(); ++j) {
    const Control& c = *kids[j];
    if (isBlock(c, !childrenOf(c).empty())) break;
    if (c.kind() == ControlKind::Label && !isInlineLabel(c)) break;
    if (c.kind() == ControlKind::CheckBox) k = 0;
    if (c.kind() != ControlKind::Edit) continue;
    const auto& e = static_cast<const Edit&>(c);
    if (e.traits().kind != ValueKind::ErrorValue || e.traits().errorKind == nullptr) continue;
    if (columns.size() <= k) columns.resize(k + 1);
    columns[k++].push_back(e.traits().errorKind);
  }
  return columns;
}

void FormBinding::layoutRows(const std::vector<Control*>& kids, QWidget* content, int margin) {
  auto* grid = new QGridLayout(content);
  grid->setContentsMargins(margin, margin, margin, margin);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);

  int nextRow = 0;
  RowState row;
  auto join = [&](Control& c, QWidget* w) {
    if (!row.open()) {
      row = RowState{};
      row.gridRow = nextRow++;
    }
    addToRow(row, grid, content, w);
    bound_[&c].row = row.strip;
    if (c.kind() == ControlKind::Label) {
      if (c.visible()) ++row.labelsShown;
    } else {
      row.onlyLabels = false;
    }
    row.last = &c;
    // An edit fills the next gap of the label before it; the unit boxes it
    // converts from follow the last edit that uses them.
    if (c.kind() == ControlKind::Edit) {
      if (!row.gaps.empty()) {
        const std::vector<QLabel*> parts = row.gaps.front();
        row.gaps.pop_front();
        for (QLabel* part : parts) addToRow(row, grid, content, part);
      }
      if (auto it = row.unitsAfter.find(&c); it != row.unitsAfter.end()) {
        const auto units = it->second;
        row.unitsAfter.erase(it);
        for (const auto& [unit, widget] : units) {
          addToRow(row, grid, content, widget);
          bound_[unit].row = row.strip;
        }
      }
    }
  };
  // A row ends: unit boxes still held back stand at its end.
  auto closeRow = [&] {
    while (!row.unitsAfter.empty()) {
      const auto units = row.unitsAfter.begin()->second;
      row.unitsAfter.erase(row.unitsAfter.begin());
      for (const auto& [unit, widget] : units) {
        addToRow(row, grid, content, widget);
        bound_[unit].row = row.strip;
      }
    }
    row = RowState{};
  };
  auto openRow = [&](QWidget* head, bool pending) {
    closeRow();
    row.gridRow = nextRow++;
    row.pending = pending;
    if (head != nullptr) {
      grid->addWidget(head, row.gridRow, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
      row.head = head;
      row.headless = false;
    }
  };
  struct Headings {
    int gridRow;
    std::vector<Control*> labels;
    std::vector<std::vector<const Control*>> columns;
  };
  std::vector<Headings> headings;

  for (size_t i = 0; i < kids.size(); ++i) {
    Control& c = *kids[i];
    const Control* prev = i > 0 ? kids[i - 1] : nullptr;
    const Control* next = i + 1 < kids.size() ? kids[i + 1] : nullptr;

    // A row of two or more plain labels over rows of error fields: the
    // headings of their columns, placed once those rows are built.
    if (c.kind() == ControlKind::Label && !isInlineLabel(c) && binding::gapParts(c.caption()).size() == 1) {
      size_t end = i;
      while (end < kids.size() && kids[end]->kind() == ControlKind::Label && !isInlineLabel(*kids[end]) &&
             binding::gapParts(kids[end]->caption()).size() == 1) {
        ++end;
      }
      auto columns = headingColumns(kids, end);
      if (end - i >= 2 && !columns.empty() && columns.size() <= end - i) {
        closeRow();
        headings.push_back({nextRow++, std::vector<Control*>(kids.begin() + static_cast<std::ptrdiff_t>(i),
                                                             kids.begin() + static_cast<std::ptrdiff_t>(end)),
                            std::move(columns)});
        i = end - 1;
        continue;
      }
    }

    QWidget* w = build(c);
    if (w == nullptr) continue;

    if (isBlock(c, !childrenOf(c).empty())) {
      closeRow();
      const int r = nextRow++;
      if (c.kind() == ControlKind::StringGrid) {
        grid->addWidget(w, r, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
      } else {
        grid->addWidget(w, r, 0, 1, 2);
      }
      i += takeGapFillers(c, kids, i);
      continue;
    }

    switch (c.kind()) {
      case ControlKind::CheckBox:
        openRow(w, false);
        row.onlyLabels = false;
        row.last = &c;
        break;
      case ControlKind::Label: {
        const std::vector<QLabel*> parts = gapLabels(c);
        if (!parts.empty()) {
          // The edits that follow go into its gaps; a second label of as
          // many gaps right after it is its alternative at the same places.
          const bool alternative = row.open() && row.last != nullptr && row.last->kind() == ControlKind::Label &&
                                   row.gapCount == static_cast<int>(parts.size()) &&
                                   row.gaps.size() == parts.size();
          if (!alternative && !(isInlineLabel(c) && row.open())) openRow(nullptr, false);
          join(c, w);
          if (alternative) {
            for (size_t k = 0; k < parts.size(); ++k) row.gaps[k].push_back(parts[k]);
          } else {
            row.gaps.clear();
            for (QLabel* part : parts) row.gaps.push_back({part});
            row.gapCount = static_cast<int>(parts.size());
          }
          row.onlyLabels = false;
        } else if (isInlineLabel(c) || (row.open() && row.onlyLabels && row.last != nullptr &&
                                        row.last->kind() == ControlKind::Label)) {
          join(c, w);
        } else {
          openRow(w, false);
          if (c.visible()) ++row.labelsShown;
          row.last = &c;
        }
        break;
      }
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
        // In a row of gaps, the unit box of the edits that follow stands after the last of them.
        if (!row.gaps.empty()) {
          const Control* lastUser = nullptr;
          for (size_t j = i + 1; j < kids.size(); ++j) {
            if (kids[j]->kind() == ControlKind::Edit && static_cast<const Edit&>(*kids[j]).traits().unit == &c) {
              lastUser = kids[j];
            }
          }
          if (lastUser != nullptr) {
            row.unitsAfter[lastUser].emplace_back(&c, w);
            break;
          }
        }
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
  closeRow();
  for (const Headings& h : headings) grid->addWidget(headingRow(h.labels, h.columns), h.gridRow, 0, 1, 2);
  grid->setRowStretch(nextRow, 1);
}

}  // namespace velmar::window
