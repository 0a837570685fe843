// How typed texts become values, and how input schedules the calculation.
#include <gtest/gtest.h>

#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

TEST(ParseValue, MinusAloneStartsANegativeTemperatureButNotAVolume) {
  TestPoint p;
  auto& in = p.s.in;
  p.type(in.Tstr, "15");
  p.type(in.Tstr, "-");
  EXPECT_EQ(in.Tstr.text(), "-");
  EXPECT_EQ(in.Tstr.value, 0);
  p.type(in.Tstr, "-7,5");
  EXPECT_EQ(in.Tstr.value, -7.5);

  p.type(in.Qstr, "100");
  p.type(in.Qstr, "-");
  EXPECT_EQ(in.Qstr.text(), "100");
  EXPECT_EQ(in.Qstr.value, 100);
}

TEST(ParseValue, EmptyTextKeepsTheValueAndStaysEmpty) {
  TestPoint p;
  auto& in = p.s.in;
  p.type(in.Qstr, "250");
  p.type(in.Qstr, "");
  EXPECT_EQ(in.Qstr.text(), "");
  EXPECT_EQ(in.Qstr.value, 250);
  // The control-point temperatures bring their text back even into an empty edit.
  p.type(in.KTTminStr, "-10");
  p.type(in.KTTminStr, "");
  EXPECT_EQ(in.KTTminStr.text(), "-10");
}

TEST(ParseValue, ALetterAfterANumberBringsThePreviousTextBack) {
  TestPoint p;
  auto& in = p.s.in;
  p.type(in.PbarStr, "12");
  p.type(in.PbarStr, "12a");
  EXPECT_EQ(in.PbarStr.text(), "12");
  EXPECT_EQ(in.PbarStr.value, 12);
}

TEST(ParseValue, PressureIsStoredInPascalsWithTheSystemSeparator) {
  TestPoint comma(',');
  comma.choose(comma.s.in.PbarEd, 1);  // кПа
  comma.type(comma.s.in.PbarStr, "0,5");
  EXPECT_DOUBLE_EQ(comma.s.in.PbarStr.value, 500);
  comma.type(comma.s.in.PbarStr, "0.5");
  EXPECT_EQ(comma.s.in.PbarStr.text(), "0,5");
  EXPECT_DOUBLE_EQ(comma.s.in.PbarStr.value, 500);

  TestPoint point('.');
  point.choose(point.s.in.PbarEd, 1);
  point.type(point.s.in.PbarStr, "0.5");
  EXPECT_DOUBLE_EQ(point.s.in.PbarStr.value, 500);
}

TEST(ParseValue, AbsoluteCompositionErrorsAreStoredRelative) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  p.choose(in.metod, 1);
  p.choose(in.n2TipPogr, 1);  // "абсолютная, %"
  p.type(in.n2str, "2");
  p.type(in.n2sisstr, "0,5");
  EXPECT_DOUBLE_EQ(in.n2sisstr.value, 25);
  p.type(in.n2str, "0");
  p.type(in.n2sisstr, "0,6");
  EXPECT_DOUBLE_EQ(in.n2sisstr.value, 0.6);
}

TEST(ParseValue, FieldChecksRaiseAndClearTheirMessages) {
  TestPoint p;
  auto& in = p.s.in;
  p.type(in.TauStr, "0,0");
  EXPECT_TRUE(p.raised(36));
  p.type(in.TauStr, "24");
  EXPECT_FALSE(p.raised(36));
  p.type(in.dPoStr, "71");
  EXPECT_TRUE(p.raised(171));
  p.type(in.dPoStr, "-50");
  EXPECT_FALSE(p.raised(171));
  p.type(in.TminStr, "-274");
  EXPECT_TRUE(p.raised(79));
}

TEST(Timer, EveryInputPostponesTheCalculationByOneSecond) {
  TestPoint p;
  auto& in = p.s.in;
  p.gerg91Example();
  p.settle();
  const std::string before = p.line("Объем");
  ASSERT_FALSE(before.empty());
  // A key held down: a key-down every 300 ms keeps the pass from running.
  for (int i = 0; i < 10; ++i) {
    keyDown(p.s, in.Qstr);
    p.timer.advance(300);
    EXPECT_TRUE(p.timer.running()) << "after " << (i + 1) * 300 << " ms";
  }
  keyDown(p.s, in.Qstr);
  changeText(p.s, in.Qstr, "2000");
  EXPECT_EQ(p.line("Объем"), before);  // not yet calculated
  p.timer.advance(999);
  EXPECT_TRUE(p.timer.running());
  p.timer.advance(1);
  EXPECT_FALSE(p.timer.running());
  EXPECT_NE(p.line("Объем"), before);  // one second after the last key
}

TEST(Events, ChoicesAndClicksScheduleAndCopiesFollow) {
  TestPoint p;
  auto& in = p.s.in;
  p.settle();
  in.InputChanged = false;
  p.check(in.pr_Pbar, false);
  EXPECT_TRUE(in.InputChanged);
  EXPECT_TRUE(p.timer.running());
  // Nitrogen and carbon dioxide are copied into every composition grid.
  p.choose(in.metod, 1);
  p.type(in.n2str, "3,5");
  EXPECT_EQ(in.sostav.cell(1, 6), "3,5");
  EXPECT_EQ(in.sost_iso.cell(1, 1), "3,5");
  EXPECT_EQ(in.sost_rgaz.cell(1, 9), "3,5");
  // The units of the pressure instruments follow the unit of the pressure.
  p.choose(in.PizbEd, 2);
  EXPECT_EQ(in.PizbPredEd.index(), 2);
  EXPECT_EQ(in.PizbPrednEd.index(), 2);
  EXPECT_EQ(in.KTPed.index(), 2);
  p.choose(in.PbarEd, 3);
  EXPECT_EQ(in.PbarPredEd.index(), 3);
}

}  // namespace
}  // namespace velmar
