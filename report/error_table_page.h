#pragma once
// The error-table page of an error calculation: its title, the two framed
// control-point tables copied from the grids TablPogr and TablPogrk with
// their captions, and the signature line.
#include <string_view>

#include "report/report_document.h"

namespace velmar {

struct ReportContext;

// The medium in the genitive, as the titles name it, by the item of `sreda`.
std::string_view mediumGenitive(int sreda);

// The page as the grids and captions stand. The title stays empty while the
// control points are of no known kind (KTtip neither 0 nor 1).
ErrorTablePage fillErrorTablePage(const ReportContext& s, const ReportSettings& settings);

}  // namespace velmar
