#pragma once
// A row of headings over the columns of the rows below it ("Основная" and
// "Дополнительная" over the main and the additional error fields): the first
// headings stand at the left, each of the others over the first shown widget
// of its column, and they follow those widgets as the window lays them out.
#include <QWidget>
#include <vector>

class QLabel;

namespace velmar::window {

class ColumnHeadings : public QWidget {
 public:
  // `leading` stand at the left one after another; `headings[k]` stands over
  // the first shown widget of `columns[k]`.
  ColumnHeadings(std::vector<QLabel*> leading, std::vector<QLabel*> headings,
                 std::vector<std::vector<QWidget*>> columns, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void place();

  std::vector<QLabel*> leading_;
  std::vector<QLabel*> headings_;
  std::vector<std::vector<QWidget*>> columns_;
  int width_ = 0;  // the width the headings took when last placed
  int lines_ = 1;  // 2 when the column headings stand below the leading ones
  bool placing_ = false;
};

}  // namespace velmar::window
