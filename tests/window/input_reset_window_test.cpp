// "Очистить окна ввода" as the user sees it: the cleared form opens on its
// first page, "Вид расчета", whichever page was in front.
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

class InputResetWindowTest : public WindowTest {};

TEST_F(InputResetWindowTest, TheClearedFormOpensOnTheFirstPage) {
  const Control& first = control("TabSheet1");
  QTabWidget* pages = binding().tabWidgetOf(first);
  ASSERT_NE(pages, nullptr);
  for (const char* inside : {"Qstr", "dP1sisstr", "KT1str"}) {
    clickRadio("Raschet", 1);
    waitForCalculation();
    showTabsOf(control(inside));  // the user brings the page of an input to the front
    ASSERT_NE(pages->currentWidget(), binding().widgetOf(first)) << inside;
    QAction* reset = binding().actionOf(control("MenuReset"));
    ASSERT_NE(reset, nullptr);
    reset->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(pages->currentWidget(), binding().widgetOf(first)) << inside;
    EXPECT_EQ(session().in.PageControl1.activePage(), &first) << inside;
    EXPECT_EQ(session().in.Raschet.index(), 0) << inside;
  }
}

}  // namespace
}  // namespace velmar::window::testing
