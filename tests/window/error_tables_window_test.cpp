// The two control-point tables in the window at 1280×720, filled by the
// worked error example (examples/gerg91_error.args): the headings in the
// fixed rows and columns, the captions in the fixed cells they head, every
// text within its cell and the whole table within the visible page.
// Screenshots of both tables go into the screenshot folder.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QTableWidget>
#include <QTextStream>

#include "measuring_point/named_input.h"
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

class ErrorTablesWindowTest : public WindowTest {
 protected:
  // The inputs of the example file, given to the model as the user's inputs.
  void applyExample() {
    QFile file(QStringLiteral(VELMAR_EXAMPLES_DIR) + "/gerg91_error.args");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream lines(&file);
    while (!lines.atEnd()) {
      const QString line = lines.readLine();
      if (!line.startsWith(QStringLiteral("--set "))) continue;
      const QString assignment = line.mid(6);
      ASSERT_EQ(applyNamedInput(session(), fromQt(assignment), TextCheck::Strict), "");
    }
  }

  // Every text of the table fits its cell (a caption its span), and the
  // table lies within the visible part of its page.
  void expectReadable(const char* gridName) {
    const auto& grid = static_cast<const StringGrid&>(control(gridName));
    auto* table = widget<QTableWidget>(gridName);
    const QFontMetrics metrics = table->fontMetrics();
    for (int r = 0; r < grid.rowCount(); ++r) {
      for (int c = 0; c < grid.colCount(); ++c) {
        SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
        const QString text = toQt(grid.cell(c, r));
        ASSERT_NE(table->item(r, c), nullptr);
        EXPECT_EQ(table->item(r, c)->text(), text);
        const QStringList parts = text.split(QLatin1Char('\n'));
        for (const QString& part : parts) EXPECT_LE(metrics.horizontalAdvance(part), table->columnWidth(c));
        EXPECT_LE(metrics.height() * parts.size(), table->rowHeight(r));
        if (QWidget* caption = table->cellWidget(r, c)) {
          int width = 0;
          for (int k = c; k < c + table->columnSpan(r, c); ++k) width += table->columnWidth(k);
          EXPECT_TRUE(caption->isVisible());
          EXPECT_LE(caption->sizeHint().width(), width);
          EXPECT_FALSE(static_cast<QLabel*>(caption)->text().isEmpty());
        }
      }
    }
    // Within every scrolling area it sits in, and within the window.
    for (QWidget* w = table->parentWidget(); w != nullptr; w = w->parentWidget()) {
      auto* area = qobject_cast<QScrollArea*>(w);
      QWidget* frame = area != nullptr ? area->viewport() : (w->parentWidget() == nullptr ? w : nullptr);
      if (frame == nullptr) continue;
      const QRect placed(table->mapTo(frame, QPoint(0, 0)), table->size());
      EXPECT_TRUE(frame->rect().contains(placed))
          << "table at " << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height()
          << " in " << frame->width() << "x" << frame->height() << " of " << w->metaObject()->className();
    }
  }

  void save(const QString& name) {
    QCoreApplication::processEvents();
    const QPixmap picture = window->grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QDir(QStringLiteral(VELMAR_SCREENSHOT_DIR)).filePath(name + ".png")));
  }
};

TEST_F(ErrorTablesWindowTest, BothTablesFilledAndReadableAt1280x720) {
  applyExample();
  waitForCalculation();
  window->resize(1280, 720);
  QCoreApplication::processEvents();
  ASSERT_EQ(session().in.TablPogr.cell(2, 3).empty(), false);
  showTabsOf(control("TabSheet12"));
  expectReadable("TablPogr");
  save(QStringLiteral("error_tables_flow"));
  showTabsOf(control("TabSheet13"));
  expectReadable("TablPogrk");
  save(QStringLiteral("error_tables_volume"));
  // The other wording: the captions and tab captions change, the table stays readable.
  ASSERT_EQ(applyNamedInput(session(), "TipPogr=1", TextCheck::Strict), "");
  waitForCalculation();
  showTabsOf(control("TabSheet12"));
  expectReadable("TablPogr");
  save(QStringLiteral("error_tables_flow_uncertainty"));
}

// While the progress bar of the table run shows, the status text is bold.
TEST_F(ErrorTablesWindowTest, TheStatusTextIsBoldDuringTheRun) {
  InputRecord& in = session().in;
  auto* status = widget<QLabel>("InitTextStr");
  in.ProgressBar1.show();
  in.InitTextStr.setCaption("Производится расчет погрешностей");
  QCoreApplication::processEvents();
  EXPECT_TRUE(status->font().bold());
  EXPECT_EQ(status->text(), QStringLiteral("Производится расчет погрешностей"));
  in.ProgressBar1.hide();
  QCoreApplication::processEvents();
  EXPECT_FALSE(status->font().bold());
}

}  // namespace
}  // namespace velmar::window::testing
