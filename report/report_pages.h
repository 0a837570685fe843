#pragma once
// What the report page forms keep between builds: the standards line of the
// page header. It follows the flowmeter type TipSU from the first time the
// user chooses a type or an input-data file is loaded; before that it names
// the company standards.
#include <string>
#include <string_view>

namespace velmar {

struct ReportContext;

inline constexpr std::string_view kInitialStandardsLine =
    "выполнен в соответствии с СТО Газпром 5.2-2005, МИ 3213-2009, Р Газпром 5.6-2009  ";

struct ReportPages {
  std::string standardsLine{kInitialStandardsLine};  // QRLabel1 of the text pages
};

// The standards line for the flowmeter type: GOST 8.611-2013 for an
// ultrasonic flowmeter (TipSU 3), GOST R 8.740-2011 for the others.
std::string_view standardsLineFor(int TipSU);

// Sets the standards line of the report pages by the current TipSU: run when
// the user changes the type and when an input-data file is loaded.
void TipSUChange(ReportContext& s);

}  // namespace velmar
