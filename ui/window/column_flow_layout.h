#pragma once
// The layout of a tab page: its parts (group boxes, radio groups, grids and
// runs of simple rows) stand top to bottom in columns; a part that does not
// fit below the previous one in the height at hand starts the next column to
// the right. Hidden parts take no room, so the page rearranges itself when
// the form's rules show or hide a part.
#include <QLayout>
#include <QList>
#include <QScrollArea>

namespace velmar::window {

class ColumnFlowLayout : public QLayout {
 public:
  explicit ColumnFlowLayout(QWidget* parent = nullptr);
  ~ColumnFlowLayout() override;

  void addItem(QLayoutItem* item) override;
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

  // The height the columns may take (the visible height of the page).
  void setAvailableHeight(int height);

 private:
  QSize arrange(const QRect& rect, bool place) const;

  QList<QLayoutItem*> items_;
  int availableHeight_ = 420;
};

// A scrollable page whose content is laid out by a ColumnFlowLayout that
// follows the visible height of the page.
class ColumnPage : public QScrollArea {
 public:
  ColumnPage(QWidget* content, ColumnFlowLayout* layout);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ColumnFlowLayout* layout_;
};

}  // namespace velmar::window
