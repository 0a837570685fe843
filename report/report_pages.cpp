#include "report/report_pages.h"

#include "core/input_record.h"
#include "report/report_context.h"
#include "report/report_pages.h"

namespace velmar {

std::string_view standardsLineFor(int TipSU) {
  return TipSU == 3 ? "выполнен в соответствии ГОСТ  8.611-2013" : "выполнен в соответствии ГОСТ  Р 8.740-2011";
}

void TipSUChange(ReportContext& s) { s.reportPages.standardsLine = std::string(standardsLineFor(s.in.TipSU.index())); }

}  // namespace velmar
