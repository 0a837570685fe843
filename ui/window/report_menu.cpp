#include "ui/window/report_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolBar>
#include <cerrno>

#include "core/program_files.h"
#include "core/safe_file.h"
#include "measuring_point/session.h"
#include "persistence/input_data_dialogs.h"
#include "report/calculation_number.h"
#include "report/report_file.h"
#include "report/report_text.h"
#include "ui/window/form_binding.h"
#include "ui/window/main_window.h"
#include "ui/window/qt_services.h"
#include "ui/window/qt_text.h"
#include "ui/window/report_pages.h"

namespace velmar::window {

namespace {

constexpr size_t kMaxReportFileBytes = 16u << 20;

const QString kPdfFilter = QStringLiteral("Файлы PDF (*.pdf)");
const QString kReportFilter = QStringLiteral("Отчеты программы \"Велмар\" (*.vrp)");

void askWithDialog(QWidget* parent, const FileRequest& request, std::function<void(const QString&)> chosen) {
  auto* dialog = new QFileDialog(parent, request.title, request.proposed, request.filter);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setDefaultSuffix(request.suffix);
  QObject::connect(dialog, &QFileDialog::fileSelected, dialog, [chosen = std::move(chosen)](const QString& path) {
    if (!path.isEmpty()) chosen(path);
  });
  dialog->open();
}

QString today() { return shortDateText(QLocale::system(), QDate::currentDate()); }

// A report file not written, and why: a pipe or a device at the path is
// left alone, as a folder is.
QString writeFailureText(const QString& path, int error) {
  return QStringLiteral("Не удалось записать файл ") + path + QStringLiteral(": ") +
         toQt(describeWriteFailure(error, fromQt(path))) + QStringLiteral(".");
}

}  // namespace

ReportMenu::ReportMenu(Session& s, MainWindow& window) : s_(s), window_(window) {
  InputRecord& in = s_.in;
  chooseFile = [this](const FileRequest& request, std::function<void(const QString&)> chosen) {
    askWithDialog(&window_, request, std::move(chosen));
  };
  in.N2_.onClick = [this] { preview(); };
  in.N9.onClick = [this] { print(); };
  in.MenuReportPdf.onClick = [this] { savePdf(); };
  in.MenuReportInspector.onClick = [this] { inspector(); };
  if (QAction* a = window_.binding().actionOf(in.N2_)) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  if (QAction* a = window_.binding().actionOf(in.N9)) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
}

ReportMenu::~ReportMenu() {
  InputRecord& in = s_.in;
  for (MenuItem* item : {&in.N2_, &in.N9, &in.MenuReportPdf, &in.MenuReportInspector}) item->onClick = nullptr;
  delete preview_;
}

ReportDocument ReportMenu::generate() {
  ReportDocument doc = BuildReportText(s_, reportSettingsOf(s_), fromQt(today()));
  makeProgramFolder(s_.files);
  if (!AdvanceCalculationNumber(s_.files).written) {
    window_.ShowStatusText(QStringLiteral("Номер следующего расчета не удалось записать в файл ") +
                               toQt(programFilePath(s_.files, kCalculationNumberFile)),
                           Qt::red, true, 10);
  }
  return doc;
}

QString ReportMenu::proposedName(const QString& suffix) const {
  // The name the input-data dialog proposes too, in the start folder.
  QString name = toQt(proposedFileName(s_));
  if (name.isEmpty()) name = QStringLiteral("Отчет");
  const QString folder = toQt(s_.files.startFolder);
  return QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath(name + QLatin1Char('.') + suffix);
}

void ReportMenu::preview() { showPreview(std::make_unique<ReportDocument>(generate()), QStringLiteral("Просмотр")); }

void ReportMenu::inspector() {
  // An empty report: no pages until a saved report is opened.
  showPreview(nullptr, QStringLiteral("Инспектор отчетов"));
}

void ReportMenu::showPreview(std::unique_ptr<ReportDocument> doc, const QString& title) {
  delete preview_;
  shown_ = std::move(doc);
  previewPrinter_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
  previewPrinter_->setPageLayout(reportPageLayout());
  preview_ = new QPrintPreviewDialog(previewPrinter_.get(), &window_);
  preview_->setAttribute(Qt::WA_DeleteOnClose);
  preview_->setWindowTitle(title);
  connect(preview_, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    if (shown_) paintReport(*shown_, *printer);
  });
  addPreviewCommands();
  preview_->resize(900, 700);
  preview_->open();
}

void ReportMenu::addPreviewCommands() {
  auto* pages = preview_->findChild<QToolBar*>();
  if (pages == nullptr) return;
  // The preview's own printer button prints the report shown as "Печать"
  // does: on the default printer without a dialog, or says that there is none.
  const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
  for (QAction* a : pages->actions()) {
    if (a->text() != printText) continue;
    QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
    connect(a, &QAction::triggered, this, [this] { printShown(); });
  }
  // The report's own commands on a row of their own under the preview's
  // tool bar, so that none of them hides behind its overflow at the default
  // width.
  QToolBar* bar = pages;
  if (auto* frame = preview_->findChild<QMainWindow*>()) {
    bar = new QToolBar(QStringLiteral("Отчет"), frame);
    bar->setObjectName(QStringLiteral("reportCommands"));
    bar->setMovable(false);
    bar->setFloatable(false);
    frame->addToolBarBreak();
    frame->addToolBar(bar);
  } else {
    bar->addSeparator();
  }
  bar->addAction(QStringLiteral("Открыть отчет…"), this, [this] {
    chooseFile(
        {QStringLiteral("Открыть отчет"), toQt(s_.files.startFolder), kReportFilter, QStringLiteral("vrp"), false},
        [this](const QString& path) { openReportFile(path); });
  });
  bar->addAction(QStringLiteral("Сохранить отчет…"), this, [this] {
    if (!reportShown(QStringLiteral("Сохранить отчет"))) return;
    chooseFile({QStringLiteral("Сохранить отчет"), proposedName(QStringLiteral("vrp")), kReportFilter,
                QStringLiteral("vrp"), true},
               [this](const QString& path) {
                 if (!shown_ || !writeFileSafely(fromQt(path), reportFileText(*shown_))) {
                   QMessageBox::warning(preview_, QStringLiteral("Сохранить отчет"), writeFailureText(path, errno));
                 }
               });
  });
  bar->addAction(QStringLiteral("Сохранить в PDF…"), this, [this] { saveShownPdf(); });
}

void ReportMenu::saveShownPdf() {
  if (!reportShown(QStringLiteral("Сохранить в PDF"))) return;
  chooseFile({QStringLiteral("Сохранить в PDF"), proposedName(QStringLiteral("pdf")), kPdfFilter,
              QStringLiteral("pdf"), true},
             [this](const QString& path) {
               if (shown_) writePdf(*shown_, path);
             });
}

// The inspector opened empty has nothing to save yet: it says so instead of
// asking for a file name.
bool ReportMenu::reportShown(const QString& title) {
  if (shown_) return true;
  QMessageBox::information(preview_, title, QStringLiteral("Отчет не открыт: сохранять нечего."));
  return false;
}

void ReportMenu::openReportFile(const QString& path) {
  const FileBytes file = readFileCapped(fromQt(path), kMaxReportFileBytes);
  std::optional<ReportDocument> doc;
  if (file.status == ReadStatus::Read && !file.truncated) doc = readReportFile(file.bytes);
  if (!doc) {
    QMessageBox::warning(preview_, QStringLiteral("Открыть отчет"),
                         QStringLiteral("Файл ") + path + QStringLiteral(" не является сохраненным отчетом."));
    return;
  }
  shown_ = std::make_unique<ReportDocument>(std::move(*doc));
  if (preview_) {
    if (auto* pages = preview_->findChild<QPrintPreviewWidget*>()) pages->updatePreview();
  }
}

void ReportMenu::writePdf(const ReportDocument& doc, const QString& path) {
  if (writeReportPdf(doc, path)) {
    window_.ShowStatusText(QStringLiteral("Отчет сохранен в файле ") + path, Qt::blue, true, 5);
  } else {
    QMessageBox::warning(&window_, QStringLiteral("Сохранить в PDF"), writeFailureText(path, errno));
  }
}

void ReportMenu::savePdf() {
  chooseFile(
      {QStringLiteral("Сохранить в PDF"), proposedName(QStringLiteral("pdf")), kPdfFilter, QStringLiteral("pdf"), true},
      [this](const QString& path) { writePdf(generate(), path); });
}

void ReportMenu::print() {
  printOnDefaultPrinter(&window_, [this] { return generate(); }, [this] { savePdf(); });
}

void ReportMenu::printShown() {
  if (!reportShown(QStringLiteral("Печать"))) return;
  printOnDefaultPrinter(preview_, [this] { return *shown_; }, [this] { saveShownPdf(); });
}

void ReportMenu::printOnDefaultPrinter(QWidget* parent, const std::function<ReportDocument()>& pages,
                                       const std::function<void()>& pdfInstead) {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty()) info = QPrinterInfo::availablePrinters().first();
  if (info.isNull()) {
    delete noPrinter_;
    noPrinter_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Печать"),
                                 QStringLiteral("Принтер не установлен, поэтому отчет нельзя напечатать; "
                                                "его можно сохранить в файл PDF."),
                                 QMessageBox::NoButton, parent);
    noPrinter_->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* pdf = noPrinter_->addButton(QStringLiteral("Сохранить в PDF…"), QMessageBox::AcceptRole);
    noPrinter_->addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    connect(pdf, &QPushButton::clicked, this, pdfInstead);
    noPrinter_->open();
    return;
  }
  QPrinter printer(info, QPrinter::HighResolution);
  if (paintReport(pages(), printer) == 0) {
    QMessageBox::warning(parent, QStringLiteral("Печать"),
                         QStringLiteral("Отчет не удалось отправить на принтер ") + info.printerName());
  }
}

}  // namespace velmar::window
