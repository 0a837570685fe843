// The composition grids: contents into the method's vector, the remainder
// row, the checks, and the automatic uncertainty of composition.
#include <gtest/gtest.h>

#include "core/units.h"
#include "gasprops/RGazprom2008.h"
#include "measuring_point/composition_grids.h"
#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

TEST(CompositionGrids, HeadingsNamesAndRemainderCaptions) {
  TestPoint p;
  auto& in = p.s.in;
  EXPECT_EQ(in.sostav.cell(0, 0), "Компонент");
  EXPECT_EQ(in.sostav.cell(1, 0), "Содерж.,%");
  EXPECT_EQ(in.sostav.cell(2, 0), "Погр.,%");
  EXPECT_EQ(in.sostav.colWidth(0), 122);
  EXPECT_EQ(in.sostav.cell(0, 4), "н-бутан");
  EXPECT_EQ(in.sostav.cell(0, 12), "прочие:");
  p.choose(in.metod, 4);
  EXPECT_EQ(in.sost_iso.cell(0, 18), "Вода");
  EXPECT_EQ(in.sost_iso.cell(0, 22), "Прочие:");
  p.choose(in.metod, 3);
  EXPECT_EQ(in.sost_rgaz.cell(0, 11), "прочие:");
  p.choose(in.sreda, 2);
  EXPECT_EQ(in.sost_113.cell(0, 13), "Сероводород");
}

TEST(CompositionGrids, RemainderOfGost30319_3IsTheOthersElement) {
  TestPoint p;
  auto& in = p.s.in;
  p.cell(in.sostav, 1, 1, "95");
  p.cell(in.sostav, 1, 2, "3,5");
  p.cell(in.sostav, 1, 6, "1");
  EXPECT_EQ(in.sostav.cell(1, 12), "0,50000");
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.x[11], 0.5);
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.x[0], 95);
  // Nitrogen and carbon dioxide are mirrored into the gas parameters.
  EXPECT_EQ(in.n2str.text(), "1");
  EXPECT_DOUBLE_EQ(in.n2str.value, 1);
  // A cell that does not convert keeps its element and subtracts nothing.
  p.cell(in.sostav, 1, 2, "3,5x");
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.x[1], 3.5);
  EXPECT_EQ(in.sostav.cell(1, 12), "4,00000");
}

TEST(CompositionGrids, MixtureSumChecks) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 2);
  p.choose(in.Metod_s, 1);
  p.cell(in.Sost_118, 1, 1, "90");
  p.cell(in.Sost_118, 1, 2, "9,97");
  EXPECT_TRUE(p.raised(88));
  p.cell(in.Sost_118, 1, 2, "9,99");
  EXPECT_FALSE(p.raised(88));
  // An emptied cell of MR 118-05 becomes "0"; one of MR 135-07 stays empty.
  p.cell(in.Sost_118, 1, 2, "");
  EXPECT_EQ(in.Sost_118.cell(1, 2), "0");
  EXPECT_DOUBLE_EQ(p.s.comp.mr118.x[1], 0);
  p.choose(in.Metod_s, 2);
  p.cell(in.sost_135, 1, 2, "5");
  p.cell(in.sost_135, 1, 2, "");
  EXPECT_EQ(in.sost_135.cell(1, 2), "");
  EXPECT_DOUBLE_EQ(p.s.comp.mr135.x[1], 5);
}

TEST(CompositionGrids, HydrogenSulphideOfMr113GoesToElementFourteen) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 2);
  p.choose(in.Metod_s, 0);
  p.cell(in.sost_113, 1, 1, "95");
  p.cell(in.sost_113, 1, 13, "2");
  EXPECT_DOUBLE_EQ(p.s.comp.mr113.x[13], 2);
  EXPECT_DOUBLE_EQ(p.s.comp.mr113.x[12], 0);
  EXPECT_EQ(in.sost_113.cell(1, 14), "3,00000");
}

TEST(CompositionGrids, RGazpromLimitsAsTheCompositionIsTyped) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.metod, 3);
  p.cell(in.sost_rgaz, 1, 1, "69,9");
  EXPECT_TRUE(p.raised(11));
  p.cell(in.sost_rgaz, 1, 1, "99,9");
  EXPECT_FALSE(p.raised(11));
  p.cell(in.sost_rgaz, 1, 8, "0,1");
  EXPECT_FALSE(p.raised(16));  // exactly the limit
  p.cell(in.sost_rgaz, 1, 8, "0,11");
  EXPECT_TRUE(p.raised(16));
  EXPECT_TRUE(p.raised(19));  // the remainder is negative
}

// The grid of R Gazprom 5.3 checks the contents against the method's own
// limits as they are typed: it raises message 11 + k exactly when the method
// refuses the composition with code k + 1.
TEST(CompositionGrids, RGazpromGridAndMethodShareTheirLimits) {
  struct Case {
    int row;  // the other rows 0, methane in row 1 takes up the difference to 99.9
    const char* text;
    int message;  // 0: none
  } cases[] = {
      {2, "10", 0},      {2, "10,1", 12},  {2, "-0,01", 12}, {3, "3,5", 0},   {3, "3,6", 13},
      {4, "1,5", 0},     {4, "1,6", 14},   {7, "0,5", 0},    {6, "0,51", 15}, {8, "0,1", 0},
      {8, "0,11", 16},   {9, "20", 0},     {9, "20,1", 17},  {10, "20", 0},   {10, "20,1", 18},
      {1, "69,99", 11},
  };
  for (const Case& c : cases) {
    TestPoint p;
    auto& in = p.s.in;
    p.choose(in.metod, 3);
    for (int row = 2; row <= 10; ++row) p.cell(in.sost_rgaz, 1, row, "0");
    const double v = *parseNumber(c.text, ',');
    if (c.row != 1) p.cell(in.sost_rgaz, 1, 1, formatFixed(99.9 - v, 10, 4, ','));
    p.cell(in.sost_rgaz, 1, c.row, c.text);
    const int code = rgaz::rgazState(p.s.comp.rgaz.x, 293.15, 0.101325, true).code;
    for (int m = 11; m <= 18; ++m) {
      EXPECT_EQ(p.raised(m), m == c.message) << "row " << c.row << " = " << c.text << ", message " << m;
    }
    EXPECT_EQ(code, c.message == 0 ? 0 : c.message - 10) << "row " << c.row << " = " << c.text;
  }
}

TEST(CompositionGrids, AutomaticUncertaintyOfComposition) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  p.cell(in.sostav, 1, 1, "90");
  p.cell(in.sostav, 1, 2, "6");
  p.cell(in.sostav, 2, 8, "5");  // a typed row
  p.check(in.TipPogrMetan, true);
  EXPECT_TRUE(in.PanelMetan.shown());
  const double byDifference = (-0.0187 * 90 + 1.88) / 90 * 100;
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.dx[0], byDifference);
  EXPECT_EQ(in.sostav.cell(2, 1), formatFixed(byDifference, 7, 5, ','));
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.dx[1], (0.04 * 6 + 0.00026) / 6 * 100);
  EXPECT_EQ(in.sostav.cell(2, 3), "0");  // no propane: 0 in the GOST 30319.3 grid
  p.choose(in.TipMetan, 1);  // methane measured directly
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.dx[0], (-0.0023 * 90 + 0.29) / 90 * 100);
  // Typed rows keep what was typed; a text that is no number becomes "0".
  EXPECT_EQ(in.sostav.cell(2, 8), "0");  // no hydrogen sulphide: its error is 0 as well
  p.cell(in.sostav, 1, 8, "1");
  p.cell(in.sostav, 2, 8, "5");
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.dx[7], 5);
  p.cell(in.sostav, 2, 8, "пять");
  EXPECT_EQ(in.sostav.cell(2, 8), "0");
  // Off: every row is typed.
  p.check(in.TipPogrMetan, false);
  p.cell(in.sostav, 2, 1, "0,3");
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.dx[0], 0.3);
  EXPECT_FALSE(in.PanelMetan.shown());
  p.cell(in.sostav, 2, 1, "150");
  EXPECT_TRUE(p.raised(71));
}

// A row of zero content has no uncertainty and is not checked: clearing a
// content under the automatic uncertainty clears its uncertainty and the
// message it raised, in every grid.
TEST(CompositionGrids, AZeroContentHasNoUncertainty) {
  struct Grid {
    int sreda;
    int method;  // metod or Metod_s
    StringGrid InputRecord::*grid;
    int methaneRow;
  } grids[] = {{0, 0, &InputRecord::sostav, 1},    {0, 3, &InputRecord::sost_rgaz, 1},
               {0, 4, &InputRecord::sost_iso, 3},  {2, 0, &InputRecord::sost_113, 1},
               {2, 1, &InputRecord::Sost_118, 1},  {2, 2, &InputRecord::sost_135, 1}};
  for (const Grid& c : grids) {
    TestPoint p;
    auto& in = p.s.in;
    p.choose(in.Raschet, 1);
    p.choose(in.sreda, c.sreda);
    p.choose(c.sreda == 0 ? static_cast<Choice&>(in.metod) : static_cast<Choice&>(in.Metod_s), c.method);
    StringGrid& g = in.*c.grid;
    const int message = &g == &in.sostav ? 71 : 89;
    p.check(in.TipPogrMetan, true);
    p.cell(g, 1, c.methaneRow, "1");  // 186,13 % by difference: above 100 %
    ASSERT_EQ(g.cell(2, c.methaneRow), "186,13000") << g.name();
    ASSERT_TRUE(p.raised(message)) << g.name();
    p.cell(g, 1, c.methaneRow, "0");
    EXPECT_EQ(g.cell(2, c.methaneRow), "0") << g.name();
    EXPECT_FALSE(p.raised(message)) << g.name();
    // A typed uncertainty of a zero content is not checked either.
    p.check(in.TipPogrMetan, false);
    p.cell(g, 2, c.methaneRow, "150");
    EXPECT_FALSE(p.raised(message)) << g.name();
    p.cell(g, 1, c.methaneRow, "1");
    EXPECT_TRUE(p.raised(message)) << g.name();
  }
}

// Nitrogen and carbon dioxide typed into the gas parameters reach the grids
// through their rules: the remainder and the method's vector follow at once.
TEST(CompositionGrids, MirroredNitrogenRunsTheGridRule) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.metod, 0);
  p.cell(in.sostav, 1, 1, "95");
  EXPECT_EQ(in.sostav.cell(1, 12), "5,00000");
  p.type(in.n2str, "2");
  EXPECT_EQ(in.sostav.cell(1, 6), "2");
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.x[5], 2);
  EXPECT_EQ(in.sostav.cell(1, 12), "3,00000");
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.x[11], 3);
  p.choose(in.sreda, 2);
  p.choose(in.Metod_s, 1);
  p.cell(in.Sost_118, 1, 1, "96");  // nitrogen 2 is there already
  p.type(in.co2str, "1,5");
  EXPECT_DOUBLE_EQ(p.s.comp.mr118.x[6], 1.5);
  EXPECT_EQ(in.Sost_118.cell(1, 19), "0,50000");
  EXPECT_TRUE(p.raised(88));
  // The grids that are not shown are read when their method is chosen.
  p.choose(in.sreda, 0);
  EXPECT_DOUBLE_EQ(p.s.comp.vnic.x[6], 1.5);
  EXPECT_EQ(in.sostav.cell(1, 12), "1,50000");
}

TEST(CompositionGrids, NaturalGasGridsWorkOnlyForTheirMethod) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.metod, 1);
  p.cell(in.sost_iso, 1, 3, "50");
  EXPECT_EQ(p.s.comp.iso.x[2], 0);  // not the chosen method: not read
  p.choose(in.metod, 4);
  EXPECT_EQ(p.s.comp.iso.x[2], 50);  // the method rule reads it
}

}  // namespace
}  // namespace velmar
