// Labels written with blanks where an edit belongs read as sentences in the
// window: each edit stands in the gap its label leaves, the unit box after
// the edits, and the headings "Основная" / "Дополнительная" over their
// columns. Pictures of each place are saved beside the other screenshots.
#include <QDir>
#include <QLabel>
#include <QRadioButton>

#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

class LabelGapsTest : public WindowTest {
 protected:
  QRect place(const QWidget* w) const { return {w->mapTo(window.get(), QPoint(0, 0)), w->size()}; }
  QLabel* part(const char* label, size_t k) {
    if (k == 0) return widget<QLabel>(label);
    const auto parts = binding().partsOf(control(label));
    if (parts.size() < k) throw std::runtime_error(std::string("no part of ") + label);
    return parts[k - 1];
  }
  void save(const char* name, const char* box) {
    QCoreApplication::processEvents();
    binding().widgetOf(control(box))->grab().save(QDir(QStringLiteral(VELMAR_SCREENSHOT_DIR)).filePath(
        QString::fromUtf8(name) + ".png"));
  }
};

TEST_F(LabelGapsTest, EachEditStandsInTheGapOfItsLabelAndEachHeadingOverItsColumn) {
  clickRadio("Raschet", 1);
  waitForCalculation();
  auto* group = widget<QGroupBox>("Raschet");
  QRadioButton* item = nullptr;
  QLabel* itemTail = nullptr;
  for (QRadioButton* b : group->findChildren<QRadioButton*>()) {
    if (b->text() == QStringLiteral("Оценка погрешности")) item = b;
  }
  for (QLabel* l : group->findChildren<QLabel*>()) {
    if (l->text() == QStringLiteral("результатов измерений")) itemTail = l;
  }
  ASSERT_NE(item, nullptr);
  ASSERT_NE(itemTail, nullptr);

  struct Row {
    const char* what;
    const char* tab;  // a control on the tab to show
    std::vector<QWidget*> widgets;  // left to right, on one line
  };
  pickItem("TipIzmBar", 0);
  const Row rows[] = {
      {"the item of the kind of calculation", "Raschet", {item, widget<QComboBox>("TipPogr"), itemTail}},
      {"the range of the barometer", "PbarMinStr",
       {part("Label47", 0), widget<QLineEdit>("PbarMinStr"), part("Label47", 1), widget<QLineEdit>("PbarMaxStr"),
        widget<QComboBox>("PbarPredEd")}},
      {"the class of a resistance thermometer", "T11str",
       {widget<QLineEdit>("T11str"), part("LabelTclass", 0), widget<QLineEdit>("T12str"), part("LabelTclass", 1)}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    showTabsOf(control(r.tab));
    for (size_t k = 0; k < r.widgets.size(); ++k) {
      const QWidget* w = r.widgets[k];
      ASSERT_TRUE(w->isVisible()) << k;
      if (k == 0) continue;
      const QRect before = place(r.widgets[k - 1]);
      const QRect here = place(w);
      EXPECT_GT(here.left(), before.right()) << k;
      EXPECT_LT(here.left() - before.right(), 40) << k;
      EXPECT_LE(std::abs(here.center().y() - before.center().y()), 4) << k;
    }
  }
  save("gaps_kind_of_calculation", "TabSheet1");

  // The headings: each over the error-kind box of its column (the
  // thermometer's error fields show without a resistance thermometer).
  setCheck("T11check", false);
  setCheck("T2check", true);
  struct Heading {
    const char* label;
    const char* column;
  };
  const Heading headings[] = {
      {"LabelTMain", "T1tipPogr"},
      {"LabelTDop", "T1tipdopPogr"},
      {"LabelPbarMain", "PbarTipPogr"},
      {"LabelPbarDop", "PbarTipdopPogr"},
  };
  for (const Heading& h : headings) {
    SCOPED_TRACE(h.label);
    showTabsOf(control(h.column));
    QCoreApplication::processEvents();
    QLabel* label = widget<QLabel>(h.label);
    ASSERT_TRUE(label->isVisible());
    const QRect over = place(label);
    const QRect column = place(binding().widgetOf(control(h.column)));
    EXPECT_LE(std::abs(over.left() - column.left()), 2) << over.left() << " " << column.left();
    EXPECT_LT(over.bottom(), column.top());
  }
  showTabsOf(control("T1tipPogr"));
  save("gaps_thermometer", "TabSheet9");
  showTabsOf(control("PbarTipPogr"));
  save("gaps_barometer", "PbarBox");
}

}  // namespace
}  // namespace velmar::window::testing
