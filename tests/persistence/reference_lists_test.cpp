// The names of another medium, the default diameter series and the reset of
// the input form, as a user meets them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/code_page.h"
#include "measuring_point/input_data.h"
#include "persistence/input_file.h"
#include "persistence/reference_lists.h"
#include "persistence_fixture.h"

namespace velmar {
namespace {

using testing::FilePoint;
using testing::readBytes;
using testing::writeBytes;

struct NamesPoint : FilePoint {
  // Saves the input data with this text in the medium-name box.
  void saveWithName(const std::string& name, int medium = 1) {
    choose(s.in.sreda, medium);
    typeComboText(s, s.in.NamePrSred, name);
    ASSERT_EQ(SaveInputFile(s, folder.file("point.vdt")), 0);
  }
  std::string namesFile() const { return readBytes(programFile("spnamesred")); }
};

TEST(MediumNames, EachNameIsStoredOnceTrimmedAndLetterCaseCounts) {
  NamesPoint p;
  p.saveWithName("Пропан-бутан");
  p.saveWithName("Пропан-бутан");
  EXPECT_EQ(p.namesFile(), utf8ToCp1251("Пропан-бутан\r\n")) << "the same name twice";
  p.saveWithName("Пропан-бутан   ");
  EXPECT_EQ(p.namesFile(), utf8ToCp1251("Пропан-бутан\r\n")) << "trailing blanks";
  EXPECT_EQ(p.s.in.NamePrSred.text(), "Пропан-бутан") << "the window shows the trimmed name";
  p.saveWithName("пропан-бутан");
  EXPECT_EQ(p.namesFile(), utf8ToCp1251("Пропан-бутан\r\nпропан-бутан\r\n")) << "letter case";
  // Natural gas keeps the stored names and adds the text of the name box.
  ResetInputs(p.s);
  ASSERT_EQ(SaveInputFile(p.s, p.folder.file("gas.vdt")), 0);
  EXPECT_EQ(p.namesFile(), utf8ToCp1251("Пропан-бутан\r\nпропан-бутан\r\n0\r\n"));
}

TEST(MediumNames, TheStoredNamesAreReadOnceAndOfferedWithAnotherMedium) {
  NamesPoint p;
  writeBytes(p.programFile("spnamesred"), utf8ToCp1251("Гелий\r\nЭтилен\r\n"));
  p.saveWithName("Метанол", 0);
  EXPECT_EQ(p.namesFile(), utf8ToCp1251("Гелий\r\nЭтилен\r\nМетанол\r\n"))
      << "the stored names are read before the first one is added";
  // Another program run: the list comes from the file when the medium is
  // chosen.
  NamesPoint q;
  writeBytes(q.programFile("spnamesred"), utf8ToCp1251("Гелий\r\nЭтилен\r\n"));
  EXPECT_TRUE(q.s.in.NamePrSred.items().empty());
  q.choose(q.s.in.sreda, 1);
  EXPECT_EQ(q.s.in.NamePrSred.items(), (std::vector<std::string>{"Гелий", "Этилен"}));
}

TEST(MediumNames, AMissingListStaysEmptyAndAFailedWriteKeepsTheOldList) {
  NamesPoint p;
  p.choose(p.s.in.sreda, 1);
  EXPECT_TRUE(p.s.in.NamePrSred.items().empty());
  p.saveWithName("Азот технический");
  const std::string stored = p.namesFile();
  typeComboText(p.s, p.s.in.NamePrSred, "Аргон");
  const WriteStep full = [](int, const char*, size_t) -> long {
    errno = ENOSPC;
    return -1;
  };
  EXPECT_FALSE(RememberMediumName(p.s, full));
  EXPECT_EQ(p.namesFile(), stored);
}

// A list of names too big to be read whole is never cut down to what was
// read: the input data are saved, the new name is offered in this session,
// and the stored list stays as it was.
TEST(MediumNames, AListTooBigToReadWholeIsNeverOverwritten) {
  NamesPoint p;
  std::string huge;
  while (huge.size() <= (1u << 20)) huge += std::to_string(huge.size()) + std::string(4000, 'x') + "\r\n";
  writeBytes(p.programFile("spnamesred"), huge);
  p.saveWithName("Гелий");
  EXPECT_TRUE(p.namesFile() == huge) << "the stored list is unchanged";
  EXPECT_EQ(p.s.in.NamePrSred.items().back(), "Гелий");
  EXPECT_FALSE(RememberMediumName(p.s));
}

TEST(DiameterSeries, AnEmptySeriesGetsTheFifteenDefaultsAndAFilledOneStays) {
  FilePoint p;
  auto& strad = p.s.in.strad;
  strad.setCell(0, 30, "999");
  FillDefaultDiameters(p.s);
  std::vector<std::string> cells;
  for (int r = 0; r < 50; ++r) cells.push_back(strad.cell(0, r));
  const std::vector<std::string> expected = {"50",  "75",  "100", "150", "200", "250", "300", "350",
                                             "400", "450", "500", "550", "600", "650", "700"};
  EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 15), expected);
  EXPECT_EQ(std::vector<std::string>(cells.begin() + 15, cells.end()), std::vector<std::string>(35));
  strad.setCell(0, 0, "80");
  strad.setCell(0, 1, "");
  FillDefaultDiameters(p.s);
  EXPECT_EQ(strad.cell(0, 0), "80");
  EXPECT_EQ(strad.cell(0, 1), "");
}

// What "Очистить окна ввода" leaves in the window, by the texts a user sees.
TEST(ResetInputs, TheInputFormComesBackToItsDefaults) {
  FilePoint p;
  auto& in = p.s.in;
  p.gerg91Example();
  p.choose(in.Raschet, 1);
  p.choose(in.PizbEd, 2);
  p.type(in.NameIzmTrub, "Узел 7");
  p.check(in.pr_Rab, true);
  p.check(in.dP2check, true);
  p.choose(in.Metod_s, 2);
  p.choose(in.TipVl, 0);
  p.type(in.Vlag113Str, "3");
  editCell(p.s, in.strad, 0, 0, "32");
  p.settle();

  ResetInputs(p.s);
  p.settle();
  const struct {
    const char* name;
    std::string value;
  } expected[] = {
      {"Raschet", "0"},       {"sreda", "0"},        {"metod", "1"},          {"TipSU", "0"},
      {"TipPogr", "1"},       {"NameIzmTrub", ""},   {"NameSU", ""},          {"NamePrSred", "0"},
      {"Qstr", "0"},          {"Tstr", "0"},         {"PizbEd", "0"},         {"pr_Pbar", "1"},
      {"KTPed", "2"},         {"QpredMaxEd", "1"},   {"dP1check", "1"},       {"dP2check", "0"},
      {"dP1tipPogr", "1"},    {"PizbPredEd", "4"},   {"PbarPredEd", "6"},     {"PbarTipPogr", "2"},
      {"Tclass", "1"},        {"T1tipPogr", "2"},    {"TipPogrKanalT", "2"},  {"TipPogrKanaldP", "1"},
      {"pr_IK", "1"},         {"TipIkQ", "1"},       {"pr_Rab", "0"},         {"rrab1Check", "1"},
      {"rrab1TipPogr", "2"},  {"MatTr", "11"},       {"KlinTRStr", "0,00001"}, {"ModUprTrStr", "200"},
      {"NamePrTr", "-1"},     {"dPoStr", "20"},      {"Pbar_Ed", "1"},        {"Pizb_ed", "1"},
      {"TminHStr", "-30"},    {"D20nStr", "216"},    {"Poverh", "1"},         {"TeploPrIzStr", "0,05"},
      // Left as they were.
      {"Metod_s", "2"},       {"TipVl", "0"},        {"Vlag113Str", "3"},
  };
  for (const auto& e : expected) {
    const Control* c = in.registry.find(e.name);
    ASSERT_NE(c, nullptr) << e.name;
    std::string value;
    switch (c->kind()) {
      case ControlKind::Edit: value = static_cast<const Edit*>(c)->text(); break;
      case ControlKind::CheckBox: value = static_cast<const CheckBox*>(c)->checked() ? "1" : "0"; break;
      case ControlKind::ComboBox:
        if (static_cast<const ComboBox*>(c)->editable()) {
          value = static_cast<const ComboBox*>(c)->text();
          break;
        }
        [[fallthrough]];
      default: value = std::to_string(static_cast<const Choice*>(c)->index()); break;
    }
    EXPECT_EQ(value, e.value) << e.name;
  }
  EXPECT_EQ(in.sostav.cell(1, 1), "0");
  EXPECT_EQ(in.sost_135.cell(1, 16), "0");
  EXPECT_EQ(in.sost_135.cell(1, 17), "100,00000") << "the remainder as the grid shows it";
  EXPECT_EQ(in.strad.cell(0, 0), "32") << "the diameter series stays";
  EXPECT_TRUE(in.CalcIdle);
}

}  // namespace
}  // namespace velmar
