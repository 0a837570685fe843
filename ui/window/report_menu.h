#pragma once
// The menu "Отчет" of the main window: "Просмотр" (Ctrl+W) builds the report
// and shows its pages in the print-preview window, "Печать" (Ctrl+P) prints
// them on the default printer without a dialog (without a printer it says so
// and offers a PDF file instead), "Сохранить в PDF…" writes them into a PDF
// file, and "Инспектор отчетов" opens the preview window on an empty report,
// where a report saved from the preview is opened and viewed again. Every
// generation of the pages advances the calculation number. The preview
// window gains a row of "Открыть отчет…", "Сохранить отчет…" and
// "Сохранить в PDF…" under its tool bar, whose printer button prints the
// report shown as "Печать" does.
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QString>
#include <functional>
#include <memory>

#include "report/report_document.h"

class QPrinter;

namespace velmar {
struct Session;
}

namespace velmar::window {

class MainWindow;

// A file the user is asked for.
struct FileRequest {
  QString title;
  QString proposed;  // the folder and the proposed name
  QString filter;
  QString suffix;    // added to a name typed without one
  bool save = true;
};

class ReportMenu : public QObject {
 public:
  ReportMenu(Session& s, MainWindow& window);
  ~ReportMenu() override;
  ReportMenu(const ReportMenu&) = delete;
  ReportMenu& operator=(const ReportMenu&) = delete;

  // Asks for a file and calls `chosen` with its path once the user has chosen
  // one (not at all when the user cancels). A file dialog by default; the
  // tests answer it themselves.
  std::function<void(const FileRequest& request, std::function<void(const QString&)> chosen)> chooseFile;

  void preview();
  void print();
  void savePdf();
  void inspector();

  // The preview window while it is open, and the note shown by "Печать"
  // without a printer.
  QPrintPreviewDialog* previewDialog() const { return preview_; }
  QMessageBox* noPrinterNote() const { return noPrinter_; }
  // The report the preview window shows (none in an empty inspector).
  const ReportDocument* shownReport() const { return shown_.get(); }

 private:
  // BuildReportText, then the next calculation number is stored: the pages
  // of this report are about to be generated.
  ReportDocument generate();
  void showPreview(std::unique_ptr<ReportDocument> doc, const QString& title);
  void addPreviewCommands();
  bool reportShown(const QString& title);
  void openReportFile(const QString& path);
  void writePdf(const ReportDocument& doc, const QString& path);
  // The preview's printer button and its "Сохранить в PDF…": the report shown.
  void printShown();
  void saveShownPdf();
  // The pages on the default printer, without a dialog; without a printer a
  // note that offers the PDF file instead. The pages are made only when
  // there is a printer to take them.
  void printOnDefaultPrinter(QWidget* parent, const std::function<ReportDocument()>& pages,
                             const std::function<void()>& pdfInstead);
  QString proposedName(const QString& suffix) const;

  Session& s_;
  MainWindow& window_;
  std::unique_ptr<ReportDocument> shown_;
  std::unique_ptr<QPrinter> previewPrinter_;
  QPointer<QPrintPreviewDialog> preview_;
  QPointer<QMessageBox> noPrinter_;
};

}  // namespace velmar::window
