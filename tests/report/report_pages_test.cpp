// What the report pages carry beside the text: the calculation number and
// both numbering modes, the standards line, the error-table page with its
// wordings and tables; the report of inputs changed after the pass, of
// composition rows not yet read, and the saved report file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "../error_point_fixture.h"
#include "measuring_point/input_data.h"
#include "persistence/input_file.h"
#include "report/calculation_number.h"
#include "report/error_table_page.h"
#include "report/report_file.h"
#include "report_fixture.h"

namespace velmar::testing {
namespace {

TEST(CalculationNumber, ConsecutiveReportsOfAFreshFolderCarryZeroOneTwo) {
  ReportPoint p;
  p.gerg91Example();
  p.settle();
  const std::string file = p.programFile("n.vdt");
  ASSERT_FALSE(std::filesystem::exists(file));
  for (const char* expected :
       {" Расчет N 0  от 01.02.2024", " Расчет N 1  от 01.02.2024", " Расчет N 2  от 01.02.2024"}) {
    EXPECT_EQ(p.build().numberLine, expected);
    const AdvancedNumber next = AdvanceCalculationNumber(p.s.files);
    EXPECT_TRUE(next.written);
  }
  EXPECT_EQ(readBytes(file), "3\r\n");
  EXPECT_EQ(ReadCalculationNumber(p.s.files), 3);
  // The file removed: the next report is number 0 again.
  std::filesystem::remove(file);
  EXPECT_EQ(p.build().numberLine, " Расчет N 0  от 01.02.2024");
}

TEST(CalculationNumber, AFileWithoutANumberCountsAsZeroAndAnUnwritableOneKeepsItsNumber) {
  ReportPoint p;
  const std::string file = p.programFile("n.vdt");
  const struct {
    const char* bytes;
    long long number;
  } cases[] = {{"41\r\n", 41}, {"  7 \n", 7}, {"12", 12},     {"", 0},
               {"abc\r\n", 0}, {"-5\r\n", 0}, {"1e3\r\n", 0}, {"99999999999999999999\r\n", 0},
               {"\xFF\xFE", 0}};
  for (const auto& c : cases) {
    writeBytes(file, c.bytes);
    EXPECT_EQ(ReadCalculationNumber(p.s.files), c.number) << c.bytes;
  }
  // A folder in place of the file: nothing to read, nothing written.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  const AdvancedNumber next = AdvanceCalculationNumber(p.s.files);
  EXPECT_FALSE(next.written);
  EXPECT_EQ(next.number, 0);
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST(ReportNumbering, FreeNumberingPrintsTheTextOfNomerRAsTyped) {
  ReportPoint p;
  writeBytes(p.programFile("n.vdt"), "5\r\n");
  EXPECT_EQ(p.build({0, ""}).numberLine, " Расчет N 5  от 01.02.2024");
  p.type(p.s.in.NomerR, "12/А-3");
  EXPECT_EQ(p.build({1, ""}).numberLine, " Расчет N 12/А-3  от 01.02.2024");
  p.type(p.s.in.NomerR, "");
  EXPECT_EQ(p.build({1, ""}).numberLine, " Расчет N   от 01.02.2024");
  // The calculation name and the standards line go on every page.
  p.type(p.s.in.NameIzmTrub, "Узел учета N 2");
  EXPECT_EQ(p.build().name, "Узел учета N 2");
}

TEST(ReportNumbering, TheSettingsWindowGivesTheNumberingAndTheSigner) {
  ReportPoint p;
  errorPoint(p);
  p.settle();
  writeBytes(p.programFile("n.vdt"), "8\r\n");
  p.type(p.s.in.NomerR, "77");
  EXPECT_EQ(BuildReportText(p.s, reportSettingsOf(p.s), kReportDate).numberLine, " Расчет N 8  от 01.02.2024");
  EXPECT_EQ(BuildReportText(p.s, reportSettingsOf(p.s), kReportDate).errorTables->signature,
            "Расчет выполнил _____________________");
  p.s.settings.Numer.setIndex(1);
  p.s.settings.NamePol.setItems({"Сидоров С. С.", "Петров П. П."}, 1);
  const ReportDocument doc = BuildReportText(p.s, reportSettingsOf(p.s), kReportDate);
  EXPECT_EQ(doc.numberLine, " Расчет N 77  от 01.02.2024");
  EXPECT_EQ(doc.errorTables->signature, "Расчет выполнил Петров П. П.");
}

TEST(ReportStandards, TheLineFollowsTheFlowmeterTypeOnceChosenOrLoaded) {
  ReportPoint p;
  EXPECT_EQ(p.build().standardsLine,
            "выполнен в соответствии с СТО Газпром 5.2-2005, МИ 3213-2009, Р Газпром 5.6-2009  ");
  p.choose(p.s.in.TipSU, 3);
  EXPECT_EQ(p.build().standardsLine, "выполнен в соответствии ГОСТ  8.611-2013");
  p.choose(p.s.in.TipSU, 1);
  EXPECT_EQ(p.build().standardsLine, "выполнен в соответствии ГОСТ  Р 8.740-2011");
  const std::string file = p.folder.file("ultrasonic.vdt");
  p.choose(p.s.in.TipSU, 3);
  ASSERT_EQ(SaveInputFile(p.s, file), 0);

  ReportPoint loaded;
  ASSERT_EQ(LoadInputFile(loaded.s, file), 0);
  EXPECT_EQ(loaded.build().standardsLine, "выполнен в соответствии ГОСТ  8.611-2013");
  // "Очистить окна ввода" sets the type back to "Турбинный": the line follows.
  ResetInputs(loaded.s);
  ASSERT_EQ(loaded.s.in.TipSU.index(), 0);
  EXPECT_EQ(loaded.build().standardsLine, "выполнен в соответствии ГОСТ  Р 8.740-2011");
  // A reset that leaves the type as it was leaves the line too.
  ReportPoint fresh;
  ResetInputs(fresh.s);
  EXPECT_EQ(fresh.build().standardsLine,
            "выполнен в соответствии с СТО Газпром 5.2-2005, МИ 3213-2009, Р Газпром 5.6-2009  ");
}

TEST(ReportText, ShowsInputsTypedAfterThePassBesideItsResults) {
  ReportPoint p;
  p.gerg91Example();
  p.settle();
  p.type(p.s.in.Qstr, "2000");  // the timer has not run out
  const auto after = p.lines();
  EXPECT_NE(std::find(after.begin(), after.end(),
                      "  Объем при рабочих условиях......................................  2000  м3"),
            after.end());
  EXPECT_NE(std::find(after.begin(), after.end(),
                      "  стандартным условиям.......................................  5993,3778  м3"),
            after.end());
}

TEST(ReportText, ACompositionRowIsPrintedOnlyWhenItsContentWasRead) {
  ReportPoint p;
  p.example("mr135_mixture.args");
  // Typed into the cell without the grid's rule: the content is not read yet.
  p.s.in.sost_135.setCell(1, 4, "1,5");
  const auto lines = p.lines();
  const auto has = [&](const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(has("    Метан..."));
  EXPECT_FALSE(has("    Н-Бутан"));
  EXPECT_FALSE(has("    И-Бутан"));
  // A mixture is named once a pass has passed its input checks.
  ReportPoint fresh;
  fresh.choose(fresh.s.in.sreda, 2);
  fresh.s.in.InputChecked = false;
  EXPECT_EQ(fresh.lines()[5], "  ИЗМЕРЯЕМАЯ СРЕДА .......................................  Другая среда  ");
}

TEST(ErrorTablePage, OnlyAnErrorCalculationHasOneAndItCopiesBothGrids) {
  ReportPoint p;
  p.gerg91Example();
  p.settle();
  EXPECT_FALSE(p.build().errorTables.has_value());
  p.example("gerg91_error.args");
  const auto page = p.build().errorTables;
  ASSERT_TRUE(page.has_value());
  const InputRecord& in = p.s.in;
  EXPECT_EQ(page->title,
            "Расчет погрешностей измерения расхода и количества природного газа при заданных отклонениях температуры и "
            "давления и заданных значениях расхода при рабочих условиях");
  EXPECT_EQ(page->caption1, "Таблица 1. Относительная погрешность измерения расхода природного газа");
  EXPECT_EQ(page->caption2, "Таблица 2. Относительная погрешность измерения объема природного газа");
  EXPECT_EQ(page->signature, "Расчет выполнил _____________________");
  EXPECT_EQ(page->table1.lead1, "Температура ,°C ");
  EXPECT_EQ(page->table1.lead2, "Изб. давление ,Па ");
  EXPECT_EQ(page->table1.lead3, "Расход при раб. усл., м3");
  EXPECT_EQ(page->table1.span3, in.TextQ.caption());
  EXPECT_EQ(page->table2.span3, "Погрешность, %");
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(page->table1.head1[c], in.TablPogr.cell(c + 2, 0));
    EXPECT_EQ(page->table2.head2[c], in.TablPogrk.cell(c + 2, 1));
  }
  EXPECT_EQ(page->table1.head1[0], "-20 ");
  EXPECT_EQ(page->table1.head2[4], "700000 ");
  // Table 1: every body cell on the second line of its double-height cell.
  EXPECT_EQ(page->table1.body[0][0], "\n160  ");
  EXPECT_EQ(page->table1.body[0][1], "\n100,00 %  ");
  EXPECT_EQ(page->table1.body[0][2], "\n" + in.TablPogr.cell(2, 3));
  EXPECT_EQ(page->table2.body[0][0], "160  ");
  EXPECT_EQ(page->table2.body[5][6], " - ");
  EXPECT_EQ(page->table2.body[2][4], in.TablPogrk.cell(4, 5));
}

TEST(ErrorTablePage, WordingsMediaKindsOfControlPointsAndTheSigner) {
  ReportPoint p;
  errorPoint(p);
  p.settle();
  const struct {
    Inputs inputs;
    ReportSettings settings;
    const char* title;
    const char* caption1;
    const char* caption2;
    const char* signature;
  } cases[] = {
      {{{"TipPogr", "1"}},
       {0, "Иванов И. И."},
       "Расчет неопределенностей измерения расхода и количества природного газа при заданных отклонениях температуры и "
       "давления и заданных значениях расхода при рабочих условиях",
       "Таблица 1. Относительная расширенная неопределенность измерения расхода природного газа",
       "Таблица 2. Относительная расширенная неопределенность измерения объема природного газа",
       "Расчет выполнил Иванов И. И."},
      {{{"TipPogr", "0"}, {"sreda", "10"}, {"KTtip", "1"}},
       {},
       "Расчет погрешностей измерения расхода и количества воздуха при заданных отклонениях температуры и давления и "
       "заданных значениях расхода при стандартных условиях",
       "Таблица 1. Относительная погрешность измерения расхода воздуха",
       "Таблица 2. Относительная погрешность измерения объема воздуха",
       "Расчет выполнил _____________________"},
      {{{"sreda", "1"}},
       {},
       "Расчет погрешностей измерения расхода и количества среды при заданных отклонениях температуры и давления и "
       "заданных значениях расхода при стандартных условиях",
       "Таблица 1. Относительная погрешность измерения расхода среды",
       "Таблица 2. Относительная погрешность измерения объема среды",
       "Расчет выполнил _____________________"},
      {{{"sreda", "9"}, {"TipPogr", "1"}, {"KTtip", "0"}},
       {1, "Петров П. П."},
       "Расчет неопределенностей измерения расхода и количества водорода при заданных отклонениях температуры и "
       "давления и заданных значениях расхода при рабочих условиях",
       "Таблица 1. Относительная расширенная неопределенность измерения расхода водорода",
       "Таблица 2. Относительная расширенная неопределенность измерения объема водорода",
       "Расчет выполнил Петров П. П."},
      {{{"sreda", "2"}, {"TipPogr", "0"}},
       {},
       "Расчет погрешностей измерения расхода и количества газовой смеси при заданных отклонениях температуры и "
       "давления и заданных значениях расхода при рабочих условиях",
       "Таблица 1. Относительная погрешность измерения расхода газовой смеси",
       "Таблица 2. Относительная погрешность измерения объема газовой смеси",
       "Расчет выполнил _____________________"},
  };
  for (const auto& c : cases) {
    testing::apply(p, c.inputs);
    p.settle();
    const auto page = p.build(c.settings).errorTables;
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->title, c.title);
    EXPECT_EQ(page->caption1, c.caption1);
    EXPECT_EQ(page->caption2, c.caption2);
    EXPECT_EQ(page->signature, c.signature);
  }
  EXPECT_EQ(p.build().errorTables->table1.lead3, "Расход при раб. усл., м3");
  p.choose(p.s.in.KTtip, 1);
  EXPECT_EQ(p.build().errorTables->table2.lead3, "Расход при ст. усл., м3");
  EXPECT_EQ(mediumGenitive(6), "диоксида углерода");
  EXPECT_EQ(mediumGenitive(-1), "");
}

TEST(ReportFile, ASavedReportComesBackWholeAndAnythingElseIsRefused) {
  ReportPoint p;
  p.example("gerg91_error.args");
  p.type(p.s.in.NameIzmTrub, "Узел\tучета \\ N 2");
  const ReportDocument doc = p.build({0, "Петров"});
  const std::string text = reportFileText(doc);
  const auto back = readReportFile(text);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->versionLine, doc.versionLine);
  EXPECT_EQ(back->numberLine, doc.numberLine);
  EXPECT_EQ(back->standardsLine, doc.standardsLine);
  EXPECT_EQ(back->name, doc.name);
  EXPECT_EQ(back->lines, doc.lines);
  ASSERT_TRUE(back->errorTables.has_value());
  EXPECT_EQ(back->errorTables->title, doc.errorTables->title);
  EXPECT_EQ(back->errorTables->signature, "Расчет выполнил Петров");
  EXPECT_EQ(back->errorTables->table1.body, doc.errorTables->table1.body);
  EXPECT_EQ(back->errorTables->table2.head1, doc.errorTables->table2.head1);
  EXPECT_EQ(back->errorTables->table2.span3, doc.errorTables->table2.span3);
  // A report without tables too.
  ReportDocument plain = doc;
  plain.errorTables.reset();
  EXPECT_EQ(readReportFile(reportFileText(plain))->lines, doc.lines);

  const std::string cut = text.substr(0, text.size() / 2);
  for (const std::string& foreign :
       {std::string(), std::string("Velmar report 1"), cut, text.substr(0, text.size() - 1), std::string("\xFF\xFE"),
        std::string("Velmar report 2\nversion\tx\n"), text + "line\textra\n", text + "unknown\tx\n",
        std::string("Velmar report 1\nversion\ta\\qb\nnumber\t\nstandards\t\nname\t\n")}) {
    EXPECT_FALSE(readReportFile(foreign).has_value()) << foreign.substr(0, 40);
  }
}

}  // namespace
}  // namespace velmar::testing
