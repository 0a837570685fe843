#pragma once
// A report saved from the preview, to be viewed again with the report
// inspector: every text of its pages, so that the same pages come back.
// The file is UTF-8 text: a first line naming the format, then one line per
// text, a key and its fields separated by tabs (a tab, a line break, a
// carriage return and a backslash inside a field written \t, \n, \r, \\).
#include <optional>
#include <string>
#include <string_view>

#include "report/report_document.h"

namespace velmar {

// The file extension of saved reports.
inline constexpr std::string_view kReportFileExtension = "vrp";

std::string reportFileText(const ReportDocument& doc);

// The report a file holds; nothing when the bytes are not a saved report
// (another file, a damaged or truncated one).
std::optional<ReportDocument> readReportFile(std::string_view bytes);

}  // namespace velmar
