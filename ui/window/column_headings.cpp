#include "ui/window/column_headings.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace velmar::window {

namespace {
constexpr int kSpacing = 6;
}

ColumnHeadings::ColumnHeadings(std::vector<QLabel*> leading, std::vector<QLabel*> headings,
                               std::vector<std::vector<QWidget*>> columns, QWidget* parent)
    : QWidget(parent), leading_(std::move(leading)), headings_(std::move(headings)), columns_(std::move(columns)) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  for (QLabel* l : leading_) l->setParent(this);
  for (QLabel* l : headings_) {
    l->setParent(this);
    l->installEventFilter(this);
  }
  // A column widget moves with its row strip: both are watched.
  for (const auto& column : columns_) {
    for (QWidget* w : column) {
      w->installEventFilter(this);
      if (w->parentWidget() != nullptr) w->parentWidget()->installEventFilter(this);
    }
  }
}

QSize ColumnHeadings::sizeHint() const {
  int height = 0;
  int width = 0;
  for (const auto* group : {&leading_, &headings_}) {
    for (const QLabel* l : *group) {
      height = std::max(height, l->sizeHint().height());
      width += l->sizeHint().width() + kSpacing;
    }
  }
  return {std::max(width, width_), height * lines_};
}

void ColumnHeadings::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place();
}

bool ColumnHeadings::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      place();
      break;
    default:
      break;
  }
  return false;
}

void ColumnHeadings::place() {
  if (placing_ || parentWidget() == nullptr) return;
  placing_ = true;
  int height = 0;
  for (const auto* group : {&leading_, &headings_}) {
    for (const QLabel* l : *group) height = std::max(height, l->sizeHint().height());
  }
  int x = 0;
  for (QLabel* l : leading_) {
    l->setGeometry(x, 0, l->sizeHint().width(), height);
    if (!l->isHidden()) x = l->geometry().right() + 1 + kSpacing;
  }
  // Where each column begins; a leading heading that reaches into the first
  // column puts the column headings on a line of their own.
  std::vector<int> starts;
  for (size_t k = 0; k < headings_.size(); ++k) {
    int at = -1;
    if (k < columns_.size()) {
      for (QWidget* w : columns_[k]) {
        if (w->isHidden() || w->parentWidget() == nullptr || w->parentWidget()->isHidden()) continue;
        at = w->mapTo(parentWidget(), QPoint(0, 0)).x() - pos().x();
        break;
      }
    }
    starts.push_back(at);
  }
  const bool below = x > 0 && !starts.empty() && starts[0] >= 0 && starts[0] < x;
  const int lines = below ? 2 : 1;
  if (below) x = 0;
  for (size_t k = 0; k < headings_.size(); ++k) {
    QLabel* l = headings_[k];
    const int at = std::max(x, starts[k]);
    l->setGeometry(at, below ? height : 0, l->sizeHint().width(), height);
    if (!l->isHidden()) x = l->geometry().right() + 1 + kSpacing;
  }
  if (x != width_ || lines != lines_) {
    width_ = x;
    lines_ = lines;
    updateGeometry();
  }
  placing_ = false;
}

}  // namespace velmar::window
