// The menu "Отчет" of the window: the preview from the menu and by Ctrl+W
// with consecutive calculation numbers, the commands disabled while a
// message is raised, "Печать" without a printer offering a PDF file, and the
// report inspector viewing a saved report again.
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "measuring_point/named_input.h"
#include "report/calculation_number.h"
#include "ui/window/report_menu.h"
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

class ReportWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    std::string templ = ::testing::TempDir() + "velmar_report_window_XXXXXX";
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    folder = templ;
    session().files.startFolder = folder;
    ASSERT_TRUE(makeProgramFolder(session().files));
    // The file dialogs answer with the next file of the test.
    report().chooseFile = [this](const FileRequest& request, std::function<void(const QString&)> chosen) {
      requests.push_back(request);
      if (!answer.isEmpty()) chosen(answer);
    };
  }
  void TearDown() override {
    WindowTest::TearDown();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  ReportMenu& report() const { return window->reportMenu(); }

  // The worked error calculation, entered through the model.
  void errorCalculation() {
    std::ifstream file(std::string(VELMAR_EXAMPLES_DIR) + "/gerg91_error.args");
    for (std::string line; std::getline(file, line);) {
      if (line.rfind("--set ", 0) != 0) continue;
      ASSERT_EQ(applyNamedInput(session(), line.substr(6), TextCheck::Strict), "") << line;
    }
    waitForCalculation();
    ASSERT_TRUE(session().in.N2_.enabled());
  }

  // The pages the open preview window shows.
  int previewPages() const {
    QPrintPreviewDialog* dialog = report().previewDialog();
    if (dialog == nullptr || !dialog->isVisible()) return -1;
    QCoreApplication::processEvents();
    auto* pages = dialog->findChild<QPrintPreviewWidget*>();
    return pages == nullptr ? -1 : pages->pageCount();
  }

  // A command of the preview window's tool bars.
  QAction* previewCommand(const QString& text) const {
    for (QToolBar* bar : report().previewDialog()->findChildren<QToolBar*>()) {
      for (QAction* a : bar->actions()) {
        if (a->text() == text) return a;
      }
    }
    return nullptr;
  }

  std::string file(const std::string& name) const { return folder + "/" + name; }

  // Triggers the command and gives the text of the message box it shows,
  // closed at once ("" when none shows).
  QString noteOf(QAction* command) {
    QString note;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&note] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
          note = box->text();
          box->close();
        }
      }
    });
    closer.start(10);
    command->trigger();
    return note;
  }

  std::string folder;
  QString answer;
  std::vector<FileRequest> requests;
};

TEST_F(ReportWindowTest, PreviewOpensFromTheMenuAndByCtrlWWithTheNextNumberEachTime) {
  errorCalculation();
  QAction* preview = binding().actionOf(session().in.N2_);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
  EXPECT_EQ(binding().actionOf(session().in.N9)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

  preview->trigger();
  // Two text pages and the error-table page.
  ASSERT_EQ(previewPages(), 3);
  ASSERT_NE(report().shownReport(), nullptr);
  EXPECT_EQ(report().shownReport()->numberLine.rfind(" Расчет N 0  от ", 0), 0u);
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
  report().previewDialog()->close();
  QCoreApplication::processEvents();

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
  ASSERT_EQ(previewPages(), 3);
  EXPECT_EQ(report().shownReport()->numberLine.rfind(" Расчет N 1  от ", 0), 0u);
  EXPECT_EQ(ReadCalculationNumber(session().files), 2);
  report().previewDialog()->close();

  // A volume calculation: the text pages only.
  ASSERT_EQ(applyNamedInput(session(), "Raschet=0", TextCheck::Strict), "");
  waitForCalculation();
  preview->trigger();
  ASSERT_EQ(previewPages(), 1);
  EXPECT_FALSE(report().shownReport()->errorTables.has_value());
  report().previewDialog()->close();
}

TEST_F(ReportWindowTest, TheReportCommandsAreDisabledWhileAMessageIsRaised) {
  errorCalculation();
  typeInto("Qstr", "0");
  waitForCalculation();
  ASSERT_FALSE(session().in.Memo2.lines().empty());
  for (MenuItem* item : {&session().in.N2_, &session().in.N9, &session().in.MenuReportPdf}) {
    EXPECT_FALSE(binding().actionOf(*item)->isEnabled()) << item->caption();
  }
  EXPECT_TRUE(binding().actionOf(session().in.MenuReportInspector)->isEnabled());
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(report().previewDialog(), nullptr);
  EXPECT_EQ(ReadCalculationNumber(session().files), 0);
}

// While the control-point tables are computed the whole menu "Отчет" is
// disabled: neither its items nor their shortcuts build a report of tables
// half filled.
TEST_F(ReportWindowTest, TheShortcutsDoNothingWhileTheWholeMenuIsDisabled) {
  errorCalculation();
  session().in.MenuReport.setEnabled(false);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
  QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
  binding().actionOf(session().in.N2_)->trigger();
  EXPECT_EQ(report().previewDialog(), nullptr);
  EXPECT_EQ(report().noPrinterNote(), nullptr);
  EXPECT_EQ(ReadCalculationNumber(session().files), 0);
  // The run over, the menu works again.
  session().in.MenuReport.setEnabled(true);
  QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_NE(report().previewDialog(), nullptr);
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
}

TEST_F(ReportWindowTest, PrintingWithoutAPrinterSaysSoAndOffersThePdf) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  errorCalculation();
  binding().actionOf(session().in.N9)->trigger();
  QMessageBox* note = report().noPrinterNote();
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text(), QStringLiteral("Принтер не установлен, поэтому отчет нельзя напечатать; "
                                         "его можно сохранить в файл PDF."));
  // Nothing was generated yet.
  EXPECT_EQ(ReadCalculationNumber(session().files), 0);
  QPushButton* pdf = nullptr;
  for (QAbstractButton* b : note->buttons()) {
    if (b->text() == QStringLiteral("Сохранить в PDF…")) pdf = qobject_cast<QPushButton*>(b);
  }
  ASSERT_NE(pdf, nullptr);
  answer = QString::fromStdString(file("report.pdf"));
  QTest::mouseClick(pdf, Qt::LeftButton);
  QCoreApplication::processEvents();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].save);
  EXPECT_EQ(requests[0].suffix, QStringLiteral("pdf"));
  QFile written(answer);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
}

// At its default size the preview shows the report's commands whole, none
// behind the tool bar's overflow; its printer button prints the report shown
// as "Печать" does, so that without a printer it says so instead of opening
// a print dialog, and it generates no new report.
TEST_F(ReportWindowTest, ThePreviewShowsItsCommandsAndItsPrinterButtonPrintsAsPechat) {
  errorCalculation();
  binding().actionOf(session().in.N2_)->trigger();
  ASSERT_EQ(previewPages(), 3);
  QPrintPreviewDialog* dialog = report().previewDialog();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  for (const QString& command :
       {QStringLiteral("Открыть отчет…"), QStringLiteral("Сохранить отчет…"), QStringLiteral("Сохранить в PDF…")}) {
    QAction* a = previewCommand(command);
    ASSERT_NE(a, nullptr) << command.toStdString();
    QWidget* button = nullptr;
    for (QToolBar* bar : dialog->findChildren<QToolBar*>()) {
      if (bar->actions().contains(a)) button = bar->widgetForAction(a);
    }
    ASSERT_NE(button, nullptr) << command.toStdString();
    EXPECT_TRUE(button->isVisible()) << command.toStdString();
    const QRect place(button->mapTo(dialog, QPoint(0, 0)), button->size());
    EXPECT_TRUE(dialog->rect().contains(place)) << command.toStdString();
  }
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  QAction* print = previewCommand(QStringLiteral("Печать"));
  ASSERT_NE(print, nullptr);
  print->trigger();
  QCoreApplication::processEvents();
  QMessageBox* note = report().noPrinterNote();
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isVisible());
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(w->isVisible() && w->inherits("QPrintDialog")) << "a print dialog opened";
  }
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
  // Its "Сохранить в PDF…" saves the report shown.
  answer = QString::fromStdString(file("shown.pdf"));
  for (QAbstractButton* b : note->buttons()) {
    if (b->text() == QStringLiteral("Сохранить в PDF…")) QTest::mouseClick(b, Qt::LeftButton);
  }
  QCoreApplication::processEvents();
  EXPECT_TRUE(std::filesystem::exists(file("shown.pdf")));
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
  dialog->close();
}

TEST_F(ReportWindowTest, TheInspectorShowsASavedReportAgain) {
  errorCalculation();
  binding().actionOf(session().in.N2_)->trigger();
  ASSERT_EQ(previewPages(), 3);
  const ReportDocument shown = *report().shownReport();
  answer = QString::fromStdString(file("saved.vrp"));
  QAction* save = previewCommand(QStringLiteral("Сохранить отчет…"));
  ASSERT_NE(save, nullptr);
  save->trigger();
  ASSERT_TRUE(std::filesystem::exists(file("saved.vrp")));
  answer = QString::fromStdString(file("shown.pdf"));
  previewCommand(QStringLiteral("Сохранить в PDF…"))->trigger();
  EXPECT_TRUE(std::filesystem::exists(file("shown.pdf")));
  // Saving what the preview shows generates no new report.
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
  report().previewDialog()->close();

  binding().actionOf(session().in.MenuReportInspector)->trigger();
  ASSERT_NE(report().previewDialog(), nullptr);
  EXPECT_TRUE(report().previewDialog()->isVisible());
  EXPECT_EQ(report().shownReport(), nullptr);
  // Nothing shown yet: saving says so and asks for no file.
  const size_t asked = requests.size();
  for (const QString& command : {QStringLiteral("Сохранить отчет…"), QStringLiteral("Сохранить в PDF…")}) {
    EXPECT_EQ(noteOf(previewCommand(command)), QStringLiteral("Отчет не открыт: сохранять нечего."))
        << command.toStdString();
  }
  EXPECT_EQ(requests.size(), asked);
  answer = QString::fromStdString(file("saved.vrp"));
  previewCommand(QStringLiteral("Открыть отчет…"))->trigger();
  ASSERT_NE(report().shownReport(), nullptr);
  EXPECT_EQ(report().shownReport()->lines, shown.lines);
  EXPECT_EQ(report().shownReport()->numberLine, shown.numberLine);
  EXPECT_EQ(previewPages(), 3);
  EXPECT_EQ(ReadCalculationNumber(session().files), 1);
  report().previewDialog()->close();
}

// The report's save dialogs propose the file name the input-data dialog
// proposes, folder separators and all replaced, in the start folder; a pipe
// chosen as the file stays a pipe, and the message says why.
TEST_F(ReportWindowTest, TheSaveDialogsProposeOneNameAndLeaveAPipeAlone) {
  ASSERT_EQ(applyNamedInput(session(), "NameIzmTrub=Узел: \"ГРС-1\", ввод.2; A/B", TextCheck::Strict), "");
  errorCalculation();
  const QString proposed = QString::fromStdString(folder) + QStringLiteral("/Узел   ГРС-1   ввод 2  A B.");
  binding().actionOf(session().in.MenuReportPdf)->trigger();
  binding().actionOf(session().in.N2_)->trigger();
  previewCommand(QStringLiteral("Сохранить отчет…"))->trigger();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].proposed, proposed + QStringLiteral("pdf"));
  EXPECT_EQ(requests[1].proposed, proposed + QStringLiteral("vrp"));

  const std::string pipe = file("pipe.pdf");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  answer = QString::fromStdString(pipe);
  for (const QString& command : {QStringLiteral("Сохранить отчет…"), QStringLiteral("Сохранить в PDF…")}) {
    EXPECT_EQ(noteOf(previewCommand(command)),
              QStringLiteral("Не удалось записать файл ") + answer +
                  QStringLiteral(": под этим именем на диске канал (FIFO), а не файл."))
        << command.toStdString();
  }
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
  report().previewDialog()->close();
}

}  // namespace
}  // namespace velmar::window::testing
