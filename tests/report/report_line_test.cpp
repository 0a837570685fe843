// The lines of the calculation report: the value clean-up, the columns of
// value and unit, the full width of a name-only line and the single split of
// a long name, counted in characters of Cyrillic texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_line.h"

namespace velmar {
namespace {

TEST(ReportValueCleanUp, TrailingZerosOfAFractionGoAndOneStaysAfterTheSeparator) {
  const struct {
    const char* text;
    const char* cleaned;
  } cases[] = {
      {"2,500", "2,5"},   {"7,000", "7,0"},   {"0,0", "0,0"},           {"100", "100"},
      {"150", "150"},     {"2.500", "2.5"},   {"10,", "10,0"},          {",500", ",500"},  // only a leading separator
      {"2,,500", "2,,500"},                                                                // two in a row
      {"8 ... 160", "8 ... 160"},  // a range: its last separator follows another
      {"1,50 ... 2,00", "1,50 ... 2,0"},
      {"1,50E+10", "1,50E+10"},    {"6,0132E+05", "6,0132E+05"},        // exponent form
      {"0,15+0,0020", "0,15+0,002"}, {"", ""},  {"0", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(cleanReportValue(c.text), c.cleaned) << c.text;
}

std::vector<std::string> lineOf(bool marked, const char* name, const char* value, const char* unit) {
  std::vector<std::string> lines;
  AddReportLine(lines, marked, name, value, unit);
  return lines;
}

TEST(ReportLine, ColumnsOfNameValueAndUnit) {
  using L = std::vector<std::string>;
  const struct {
    bool marked;
    const char* name;
    const char* value;
    const char* unit;
    L lines;
  } cases[] = {
      // A name alone fills the full width of 80 characters.
      {false, "РЕЗУЛЬТАТЫ РАСЧЕТА", "", "",
       {"  РЕЗУЛЬТАТЫ РАСЧЕТА                                                            "}},
      // The value ends in column 72, the unit follows two blanks later.
      {false, "Объем при рабочих условиях", "1000,000", "м3",
       {"  Объем при рабочих условиях....................................  1000,0  м3"}},
      {true, "Плотность при рабочих условиях", "4,19536", "кг/м3",
       {"* Плотность при рабочих условиях...............................  4,19536  кг/м3"}},
      // A value without a unit ends with the value and two blanks.
      {true, "Коэффициент сжимаемости", "0,99020", "",
       {"* Коэффициент сжимаемости.......................................  0,9902  "}},
      // A unit without a value: the name padded to column 72.
      {false, "Погрешность", "", "%",
       {"  Погрешность                                                             %"}},
      // A value without a name stands right-aligned in the value column.
      {false, "", "12,50", "%", {"                                                                    12,5  %"}},
      {false, "", "", "", {""}},
      // A name too long for the dots is split once at its last blank that
      // leaves room for the value; the rest, indented, carries the dots.
      {true, "Внутренний диаметр расходомера, выбранный из стандартного ряда номинальных внутренних диаметров ",
       "75,000", "мм",
       {"* Внутренний диаметр расходомера, выбранный из стандартного ряда ",
        "  номинальных внутренних диаметров ...............................  75,0  мм"}},
      // A name-only line of 77 characters stays whole; one of 78 is split.
      {false, "Атмосферное давление принимается условно-постоянным при расчете объема газа", "", "",
       {"  Атмосферное давление принимается условно-постоянным при расчете объема газа   "}},
      {false, "Атмосферное давление принимается условно-постоянным при расчете объема газа и", "", "",
       {"  Атмосферное давление принимается условно-постоянным при расчете объема ",
        "  газа и                                                                        "}},
      // The split goes to the last blank at or before column 69, whatever
      // the length of the value.
      {false, "Относительная погрешность определения плотности при стандартных условиях", "1000000,123",
       "кг/м3",
       {"  Относительная погрешность определения плотности при стандартных ",
        "  условиях.................................................  1000000,123  кг/м3"}},
  };
  for (const auto& c : cases) EXPECT_EQ(lineOf(c.marked, c.name, c.value, c.unit), c.lines) << c.name;
}

TEST(ReportLine, ANameWithoutABlankBeforeTheSplitIsSplitThereAndKeepsItsMark) {
  // 70 letters and no blank: split at column 69, the mark stays with the text.
  std::string letters;
  for (int i = 0; i < 70; ++i) letters += "ж";
  const auto lines = lineOf(true, letters.c_str(), "5", "%");
  ASSERT_EQ(lines.size(), 2u);
  std::string first = "* ";
  for (int i = 0; i < 67; ++i) first += "ж";
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], "  жжж" + std::string(64, '.') + "  5  %");
  EXPECT_EQ(utf8Length(lines[1]), 72 + 3);
  // The bar of an absolute value in an error formula reads as the window shows it.
  EXPECT_EQ(lineOf(false, "Погрешность", "0,1*\x05t\x05", "°C")[0],
            "  Погрешность..................................................  0,1*¦t¦  °C");
}

}  // namespace
}  // namespace velmar
