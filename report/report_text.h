#pragma once
// The calculation report text: the instrument, the medium and its
// properties, the input data, the instruments and their errors and the
// results, one fixed-pitch line each, built from the controls as they stand,
// the report record toOtchet, the diameter selection and the control-point
// grids. It never recalculates: inputs changed after the last pass show
// beside the results of that pass.
#include <string_view>

#include "report/report_document.h"

namespace velmar {

struct ReportContext;

// Builds the whole report: the number line (the stored calculation number,
// or the text of NomerR with numbering "Произвольная") with the date given
// in the short form of the regional settings, the name, the standards line,
// the text lines and, for an error calculation, the error-table page.
ReportDocument BuildReportText(const ReportContext& s, const ReportSettings& settings, std::string_view date);

}  // namespace velmar
