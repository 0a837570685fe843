#pragma once
// The report on A4 pages: one layout for the preview, the printer and PDF
// files. Every page carries the header band (version line, number line,
// standards line, a rule under them) and the footer band (the calculation
// name, "Страница" and the page number, a rule above them). The text pages
// hold the report lines in a fixed-pitch font, flowing over as many pages as
// they need; an error calculation adds the error-table page with its title,
// both framed control-point tables, their captions and the signature line.
#include <QPageLayout>
#include <QString>
#include <memory>
#include <string>

#include "report/report_document.h"

class QPagedPaintDevice;

namespace velmar::window {

// A4 portrait; margins 10 mm top and bottom, 20 mm left, 10 mm right.
QPageLayout reportPageLayout();

// Gives the device the report's page layout and paints every page on it.
// Returns the number of pages painted (0 when the device cannot be painted on).
int paintReport(const ReportDocument& doc, QPagedPaintDevice& device);

// The pages as the bytes of a PDF file.
QByteArray reportPdf(const ReportDocument& doc);

// Writes the PDF file so that a failed write leaves any previous file as it
// was; false when it could not be written.
bool writeReportPdf(const ReportDocument& doc, const QString& path);

// For a program without a window (the batch tool): starts Qt's offscreen
// platform when no application runs yet, so that it needs no display, for as
// long as the handle lives. Call it on the main thread; while it lives,
// reports may be written on other threads too, each to a file of its own
// (Qt paints on PDF devices outside the GUI thread).
std::shared_ptr<void> startReportsWithoutWindow();

// Writes the PDF file in a program without a window, starting Qt for the
// write when it does not run yet.
bool writeReportPdfWithoutWindow(const ReportDocument& doc, const std::string& path);

}  // namespace velmar::window
