#include "cli/batch.h"

#ifdef VELMAR_REPORT_PDF
#include "ui/window/report_pages.h"
#endif

// runBatch reports whatever stops the run on one line, so that no exception
// leaves main.
int main(int argc, char** argv) {
#ifdef VELMAR_REPORT_PDF
  return velmar::runBatch(argc, argv,
                         {velmar::window::startReportsWithoutWindow, velmar::window::writeReportPdfWithoutWindow});
#else
  return velmar::runBatch(argc, argv);
#endif
}
