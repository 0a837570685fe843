#pragma once
// What one report consists of, as the page layout prints it: the page header
// and footer texts, the text lines in a fixed-pitch font, and for an error
// calculation the error-table page with the two control-point tables. Built
// by BuildReportText from the controls, the report record and the grids;
// laid out on A4 pages by the window's report pages (preview, print, PDF).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/version.h"

namespace velmar {

// The version line of the page header: the program's version.
inline constexpr std::string_view kReportVersionLine = "Программный комплекс \"Велмар\", версия " VELMAR_VERSION;

// One framed table of the error-table page: three header rows and six body
// rows of two leading cells and five value cells.
struct ReportTable {
  std::string lead1;                 // header 1: the caption of the first varied quantity
  std::string lead2;                 // header 2: the caption of the second
  std::string lead3;                 // header 3: what the control points are
  std::string span3;                 // header 3, across the value cells: what the cells hold
  std::array<std::string, 5> head1;  // the values of the first quantity, one per combination
  std::array<std::string, 5> head2;  // the values of the second
  // Body rows: cells 0 and 1 the control point, 2..6 the results. A body cell
  // of Table 1 begins with a line break, so that it stands on the second
  // line of its double-height cell.
  std::array<std::array<std::string, 7>, 6> body;
};

struct ErrorTablePage {
  std::string title;     // three lines high, centred
  std::string caption1;  // "Таблица 1. ..." above Table 1
  ReportTable table1;    // the error of the volume over the control points
  std::string caption2;  // "Таблица 2. ..." below Table 1
  ReportTable table2;    // the same with the error of the time determination
  std::string signature;
};

struct ReportDocument {
  std::string versionLine{kReportVersionLine};
  std::string numberLine;     // " Расчет N " + number + "  от " + date
  std::string standardsLine;  // the standards the calculation follows
  std::string name;           // the calculation name: at the top of the text and in every footer
  std::vector<std::string> lines;
  std::optional<ErrorTablePage> errorTables;  // an error calculation only
};

// What the report takes from the settings window: the numbering of
// calculations (Numer: 0 "Автоматическая", 1 "Произвольная") and the current
// user (NamePol; empty when none is selected).
struct ReportSettings {
  int Numer = 0;
  std::string NamePol;
  // With automatic numbering, the number to print instead of the stored one:
  // a batch numbers the reports of its files itself, in their order.
  std::optional<long long> number = std::nullopt;
};

}  // namespace velmar
