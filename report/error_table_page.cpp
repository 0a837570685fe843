#include "report/error_table_page.h"

#include <array>
#include <string>

#include "core/input_record.h"
#include "report/report_context.h"
#include "report/report_pages.h"

namespace velmar {

namespace {

constexpr std::array<std::string_view, 11> kMediumGenitive = {
    "природного газа",   "среды",   "газовой смеси", "азота",    "ацетилена", "кислорода",
    "диоксида углерода", "аммиака", "аргона",        "водорода", "воздуха",
};

// A table from its grid: the captions of the fixed area, the values of the
// combinations in rows 0 and 1, the six rows of the control points. Row 2
// of the grid holds only the caption laid over it and is not copied.
ReportTable tableOf(const InputRecord& in, const StringGrid& grid, const Label& t, const Label& p, const Label& q,
                    bool twoLineCells) {
  ReportTable table;
  table.lead1 = t.caption() + " ";
  table.lead2 = p.caption() + " ";
  if (in.KTtip.index() == 0) table.lead3 = "Расход при раб. усл., м3";
  if (in.KTtip.index() == 1) table.lead3 = "Расход при ст. усл., м3";
  table.span3 = q.caption();
  for (int c = 0; c < 5; ++c) {
    table.head1[static_cast<size_t>(c)] = grid.cell(c + 2, 0);
    table.head2[static_cast<size_t>(c)] = grid.cell(c + 2, 1);
  }
  const std::string lineBreak = twoLineCells ? "\n" : "";
  for (int r = 0; r < 6; ++r) {
    auto& row = table.body[static_cast<size_t>(r)];
    for (int c = 0; c < 7; ++c) {
      row[static_cast<size_t>(c)] = lineBreak + grid.cell(c, r + 3) + (c < 2 ? " " : "");
    }
  }
  return table;
}

}  // namespace

std::string_view mediumGenitive(int sreda) {
  return sreda >= 0 && sreda < static_cast<int>(kMediumGenitive.size()) ? kMediumGenitive[static_cast<size_t>(sreda)]
                                                                        : std::string_view{};
}

ErrorTablePage fillErrorTablePage(const ReportContext& s, const ReportSettings& settings) {
  const InputRecord& in = s.in;
  ErrorTablePage page;
  page.table1 = tableOf(in, in.TablPogr, in.TextT, in.TextP, in.TextQ, true);
  page.table2 = tableOf(in, in.TablPogrk, in.TextTk, in.TextPk, in.TextQk, false);
  const bool uncertainty = in.TipPogr.index() == 1;
  const std::string medium(mediumGenitive(in.sreda.index()));
  const int kind = in.KTtip.index();
  if (kind == 0 || kind == 1) {
    page.title = std::string("Расчет") + (uncertainty ? " неопределенностей " : " погрешностей ") +
                 "измерения расхода и количества " + medium +
                 " при заданных отклонениях температуры и давления и заданных значениях расхода при " +
                 (kind == 0 ? "рабочих условиях" : "стандартных условиях");
  }
  const std::string what = uncertainty ? " расширенная неопределенность " : " погрешность ";
  page.caption1 = "Таблица 1. Относительная" + what + "измерения расхода " + medium;
  page.caption2 = "Таблица 2. Относительная" + what + "измерения объема " + medium;
  page.signature =
      settings.NamePol.empty() ? "Расчет выполнил _____________________" : "Расчет выполнил " + settings.NamePol;
  return page;
}

}  // namespace velmar
