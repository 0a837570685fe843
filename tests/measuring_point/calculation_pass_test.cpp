// One calculation pass: the message list, the passes that end early, the
// restart of a pass by an input that arrives while it runs.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/messages.h"
#include "measuring_point/calculation_driver.h"
#include "measuring_point/validation.h"
#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

bool shows(const TestPoint& p, int n) {
  std::string prefix = "[";
  prefix += std::to_string(n);
  prefix += "]  ";
  const auto& m = p.memo2();
  return std::any_of(m.begin(), m.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

TEST(Messages, TableTextsAndTheInitialRaisedSet) {
  EXPECT_EQ(messageText(36), "Неверное значение продолжительности периода измерений");
  EXPECT_EQ(messageText(10), "Не указано название измеряемой среды ");  // trailing blank kept
  EXPECT_EQ(messageText(2), "Невозможно расcчитать плотность");
  EXPECT_EQ(messageText(150), "");
  EXPECT_EQ(messageText(0), "");
  EXPECT_EQ(messageText(181), "");
  FailureFlags f;
  EXPECT_TRUE(f.raised(97));
  EXPECT_TRUE(f.raised(174));
  EXPECT_FALSE(f.raised(150));  // no text, never raised
  EXPECT_FALSE(f.raised(175));
}

TEST(Messages, ShowMessagesListsNumberTwoBlanksTextAndNote) {
  TestPoint p;
  p.s.flags = FailureFlags();
  for (int n = 1; n <= kMessageCount; ++n) p.s.flags.clear(n);
  ShowMessages(p.s);
  EXPECT_TRUE(p.memo2().empty());
  EXPECT_TRUE(p.s.in.N2_.enabled());
  EXPECT_TRUE(p.s.in.N9.enabled());
  p.s.flags.raise(36);
  p.s.flags.raise(2);
  p.s.notes.setNote(2, "Сумма компонентов не равна 100%");
  ShowMessages(p.s);
  ASSERT_EQ(p.memo2().size(), 3u);
  EXPECT_EQ(p.memo2()[0], "[2]  Невозможно расcчитать плотность");
  EXPECT_EQ(p.memo2()[1], "Сумма компонентов не равна 100%");
  EXPECT_EQ(p.memo2()[2], "[36]  Неверное значение продолжительности периода измерений");
  EXPECT_FALSE(p.s.in.N2_.enabled());
  EXPECT_FALSE(p.s.in.N9.enabled());
}

TEST(Pass, AGoodVolumeCalculationRaisesNothing) {
  TestPoint p;
  p.gerg91Example();
  p.settle();
  EXPECT_TRUE(p.memo2().empty()) << p.memo2()[0];
  EXPECT_EQ(p.memo1().size(), 6u);
  EXPECT_TRUE(p.s.in.N2_.enabled());
}

TEST(Pass, DurationMessageBelongsToTheErrorCalculation) {
  TestPoint p;
  p.gerg91Example();
  p.type(p.s.in.TauStr, "0,0");
  p.settle();
  EXPECT_FALSE(shows(p, 36));  // the period panel is hidden in a volume calculation
  p.choose(p.s.in.Raschet, 1);
  p.settle();
  EXPECT_TRUE(shows(p, 36));
}

TEST(Pass, ZeroVolumeWritesOnlyThePropertyLines) {
  TestPoint p;
  p.gerg91Example();
  p.type(p.s.in.Qstr, "0,0");
  p.settle();
  EXPECT_TRUE(shows(p, 38));
  EXPECT_EQ(p.memo1().size(), 4u);
  EXPECT_TRUE(p.line("Объем").empty());
}

TEST(Pass, GaugePressureOfZeroEndsThePassWithItsMessages) {
  TestPoint p;
  p.gerg91Example();
  p.settle();
  const auto lastGood = p.memo1();
  p.type(p.s.in.PizbStr, "0,0");
  p.settle();
  EXPECT_TRUE(shows(p, 47));
  EXPECT_TRUE(shows(p, 2));
  EXPECT_EQ(p.memo1(), lastGood);  // Memo1 keeps the last complete pass
  p.check(p.s.in.pr_Pbar, false);
  p.settle();
  EXPECT_TRUE(shows(p, 96));
  EXPECT_TRUE(shows(p, 2));
  EXPECT_FALSE(shows(p, 47));
  // With the atmospheric pressure off, its value 0 is no error.
  EXPECT_FALSE(shows(p, 56));
}

TEST(Pass, StandardDensityOutOfTheGost30319_2Range) {
  TestPoint p;
  p.gerg91Example();
  p.settle();
  const auto lastGood = p.memo1();
  p.type(p.s.in.rststr, "0,5");
  p.settle();
  EXPECT_TRUE(shows(p, 97));
  EXPECT_EQ(p.memo1(), lastGood);
  p.type(p.s.in.rststr, "0,65");
  p.settle();
  EXPECT_TRUE(shows(p, 97));
  // With measured densities the same value raises nothing.
  p.check(p.s.in.pr_Rab, true);
  p.settle();
  EXPECT_FALSE(shows(p, 97));
}

TEST(Pass, NameOfAnotherMediumMadeOfBlanks) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 1);
  p.choose(in.VlTip, 0);
  typeComboText(p.s, in.NamePrSred, "   ");
  p.type(in.rPrSredStr, "10");
  p.type(in.rstPrSredStr, "2");
  p.type(in.Tstr, "20");
  p.type(in.PizbStr, "500000");
  p.type(in.PbarStr, "101325");
  p.type(in.Qstr, "100");
  p.settle();
  EXPECT_EQ(in.NamePrSred.text(), "");
  EXPECT_FALSE(shows(p, 10));  // the instruments page is hidden
  EXPECT_EQ(p.line("Объем"), "Объем, приведенный к стандартным условиям  500,000000 м3");  // Q·ρ/ρс
  p.choose(in.Raschet, 1);
  p.settle();
  EXPECT_TRUE(shows(p, 10));
}

// The volume error combines the gas properties with the channels: when the
// properties cannot be computed at the point, no volume error is printed,
// neither one without the density error nor one with an earlier pass's.
TEST(Pass, NoVolumeErrorWithoutTheGasProperties) {
  const std::string volumeError = "Относительная погрешность измерения объема, приведенного к стандартным условиям";
  TestPoint p;
  p.example("gost8662_error.args");
  ASSERT_TRUE(p.memo2().empty()) << p.memo2().front();
  ASSERT_NE(p.line(volumeError), "");
  // GOST R 8.662 holds to 30 MPa.
  p.type(p.s.in.PizbStr, "31000000");
  p.settle();
  EXPECT_TRUE(shows(p, 2));
  EXPECT_NE(std::find(p.memo2().begin(), p.memo2().end(), "Допустимый диапазон давления 0-30 МПа"), p.memo2().end());
  EXPECT_EQ(p.line(volumeError), "");
  EXPECT_EQ(p.line("Объем"), "");
  // The channels do not depend on the gas properties and keep their lines.
  EXPECT_NE(p.line("Суммарная расширенная неопределенность результата измерения температуры"), "");
}

TEST(Pass, EqualThermometerLimitsBlockTheChannelButTheMessageIsNotListed) {
  TestPoint p;
  p.gerg91Example();
  p.choose(p.s.in.Raschet, 1);
  p.type(p.s.in.TminStr, "10");
  p.type(p.s.in.TmaxStr, "10");
  p.settle();
  EXPECT_FALSE(shows(p, 32));
  EXPECT_TRUE(shows(p, 31));
}

TEST(Pass, AnInputDuringThePassRestartsItFromTheCrossChecks) {
  TestPoint p;
  auto& in = p.s.in;
  p.gerg91Example();
  p.settle();
  const std::string before = p.line("Объем");
  TestPoint direct;
  direct.gerg91Example();
  direct.type(direct.s.in.Qstr, "2000");
  direct.settle();
  const std::string expected = direct.line("Объем");
  ASSERT_NE(before, expected);
  // The user types while the pass lets the window process its events.
  bool typed = false;
  p.pump.post([&] {
    p.type(in.Qstr, "2000");
    typed = true;
  });
  p.type(in.Tstr, "20,0");
  p.timer.runOut();
  ASSERT_TRUE(typed);
  // The same pass restarted with the new volume; its result is complete.
  EXPECT_EQ(p.line("Объем"), expected);
  EXPECT_GT(p.pump.calls(), 1);
  EXPECT_FALSE(in.InputChanged);
  EXPECT_TRUE(in.CalcIdle);
  EXPECT_TRUE(p.memo2().empty());
  // The input restarted TimerProv as well: a second pass follows and agrees.
  EXPECT_TRUE(p.timer.running());
  p.settle();
  EXPECT_EQ(p.line("Объем"), expected);
}

// A click on TipIkQ runs the calculation at once, although the click itself
// restarted TimerProv; a second pass follows one second later.
TEST(Pass, ClickingTipIkQRunsAPassAtOnce) {
  const auto point = [](TestPoint& p, const char* volume) {
    p.gerg91Example();
    p.choose(p.s.in.Raschet, 1);
    p.type(p.s.in.TauStr, "24");
    p.type(p.s.in.Qstr, volume);
  };
  TestPoint expected;
  point(expected, "2000");
  clickCheckBox(expected.s, expected.s.in.TipIkQ);
  expected.settle();
  ASSERT_NE(expected.line("Объем"), "");

  TestPoint p;
  point(p, "1000");
  p.settle();
  ASSERT_TRUE(p.s.in.TipIkQ.shown());
  p.type(p.s.in.Qstr, "2000");
  ASSERT_TRUE(p.timer.running());
  ASSERT_NE(p.line("Объем"), expected.line("Объем"));
  clickCheckBox(p.s, p.s.in.TipIkQ);
  EXPECT_EQ(p.memo1(), expected.memo1());
  EXPECT_EQ(p.memo2(), expected.memo2());
  EXPECT_EQ(p.s.in.PaneldP.shown(), p.s.in.TipIkQ.checked());
  EXPECT_TRUE(p.timer.running());
  p.settle();
  EXPECT_EQ(p.memo1(), expected.memo1());
}

TEST(Pass, TheDriverDoesNothingWhileTheTimerRunsOrCalcIdleIsFalse) {
  TestPoint p;
  p.gerg91Example();
  ASSERT_TRUE(p.timer.running());
  RunCalculation(p.s);
  EXPECT_TRUE(p.memo1().empty());
  p.timer.stop();
  p.s.in.CalcIdle = false;
  RunCalculation(p.s);
  EXPECT_TRUE(p.memo1().empty());
  p.s.in.CalcIdle = true;
  RunCalculation(p.s);
  EXPECT_EQ(p.memo1().size(), 6u);
}

}  // namespace
}  // namespace velmar
