#include "ui/window/column_flow_layout.h"

#include <QResizeEvent>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace velmar::window {

ColumnFlowLayout::ColumnFlowLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(6, 6, 6, 6);
  setSpacing(8);
}

ColumnFlowLayout::~ColumnFlowLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void ColumnFlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* ColumnFlowLayout::itemAt(int index) const {
  return index >= 0 && index < items_.size() ? items_[index] : nullptr;
}

QLayoutItem* ColumnFlowLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

void ColumnFlowLayout::setAvailableHeight(int height) {
  height = std::max(height, 1);
  if (height == availableHeight_) return;
  availableHeight_ = height;
  invalidate();
  if (QWidget* w = parentWidget()) w->updateGeometry();
}

QSize ColumnFlowLayout::sizeHint() const { return arrange(QRect(0, 0, 0, availableHeight_), false); }

QSize ColumnFlowLayout::minimumSize() const { return sizeHint(); }

void ColumnFlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  arrange(rect, true);
}

QSize ColumnFlowLayout::arrange(const QRect& rect, bool place) const {
  const QMargins m = contentsMargins();
  const QRect area = rect.adjusted(m.left(), m.top(), -m.right(), -m.bottom());
  const int limit = std::max(area.height(), 1);
  const int gap = spacing();

  struct Column {
    std::vector<QLayoutItem*> items;
    int width = 0;
    int height = 0;
  };
  std::vector<Column> columns(1);
  for (QLayoutItem* item : items_) {
    if (item->isEmpty()) continue;  // a hidden part
    const QSize hint = item->sizeHint();
    Column* col = &columns.back();
    const int below = col->items.empty() ? hint.height() : col->height + gap + hint.height();
    // A part starts the next column when it does not fit below the previous
    // ones but would fit in a column of its own; a column that holds only a
    // line or two keeps the next part below it.
    if (!col->items.empty() && below > limit && hint.height() <= limit && col->height * 4 >= limit) {
      columns.emplace_back();
      col = &columns.back();
    }
    col->height = col->items.empty() ? hint.height() : col->height + gap + hint.height();
    col->width = std::max(col->width, hint.width());
    col->items.push_back(item);
  }

  int x = area.left();
  int width = 0;
  int height = 0;
  for (const Column& col : columns) {
    if (col.items.empty()) continue;
    int y = area.top();
    for (QLayoutItem* item : col.items) {
      const int h = item->sizeHint().height();
      if (place) item->setGeometry(QRect(x, y, col.width, h));
      y += h + gap;
    }
    x += col.width + gap;
    width += (width > 0 ? gap : 0) + col.width;
    height = std::max(height, col.height);
  }
  return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

ColumnPage::ColumnPage(QWidget* content, ColumnFlowLayout* layout) : layout_(layout) {
  setWidget(content);
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
}

void ColumnPage::resizeEvent(QResizeEvent* event) {
  layout_->setAvailableHeight(event->size().height());
  QScrollArea::resizeEvent(event);
}

}  // namespace velmar::window
