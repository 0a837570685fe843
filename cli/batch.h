#pragma once
#include <functional>
#include <string>

#include "report/report_document.h"

namespace velmar {

// Writes the report pages as a PDF file; false when the file could not be
// written. The batch tool gets it from the window layer where Qt is built.
using ReportPdfWriter = std::function<bool(const ReportDocument& doc, const std::string& path)>;

// The batch tool velmar-calc: options applied in order to a freshly started
// form, one calculation pass, both panes printed, the report written when
// asked. Returns the exit status; no exception leaves it (whatever stops the
// run is a line on stderr and status 2). Without a PDF writer --report-pdf
// is refused as a usage error.
int runBatch(int argc, char** argv, const ReportPdfWriter& writePdf = {});

}  // namespace velmar
