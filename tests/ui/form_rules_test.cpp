// Which inputs the main window shows under each kind of calculation, medium,
// method and option, whatever order the choices were made in.
#include <gtest/gtest.h>

#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

struct Choices {
  int raschet;
  int sreda;
  int method;  // metod for natural gas, Metod_s for a mixture
};

void apply(TestPoint& p, const Choices& c, bool kindFirst) {
  auto& in = p.s.in;
  if (kindFirst) p.choose(in.Raschet, c.raschet);
  p.choose(in.sreda, c.sreda);
  if (c.sreda == 0) p.choose(in.metod, c.method);
  if (c.sreda == 2) p.choose(in.Metod_s, c.method);
  if (!kindFirst) p.choose(in.Raschet, c.raschet);
}

void expectLayout(const TestPoint& p, const Choices& c) {
  const auto& in = p.s.in;
  const bool error = c.raschet == 1;
  SCOPED_TRACE("Raschet " + std::to_string(c.raschet) + " sreda " + std::to_string(c.sreda) + " method " +
               std::to_string(c.method));
  // Tabs by the kind of calculation.
  EXPECT_EQ(in.TabSheet6.shown(), error);
  EXPECT_EQ(in.TabSheet11.shown(), error);
  EXPECT_EQ(in.TabSheet15.shown(), error);
  EXPECT_EQ(in.TabSheet5.shown(), c.raschet == 2);
  EXPECT_FALSE(in.TabSheet4.shown());
  EXPECT_FALSE(in.TabSheet17.shown());
  EXPECT_EQ(in.GroupBox4.shown(), c.raschet != 2);
  EXPECT_EQ(in.GroupBox13.shown(), c.raschet == 2);
  EXPECT_EQ(in.TipPogr.enabled(), error);
  EXPECT_EQ(in.PanelTau.shown(), error);
  EXPECT_EQ(in.KTpanel.shown(), error);
  EXPECT_EQ(in.VlTip.shown(), c.raschet == 0);
  const bool humidityTab = c.raschet == 0 && !(c.sreda == 0 && c.method == 4);  // VlTip is item 1
  EXPECT_EQ(in.TabSheet14.shown(), humidityTab);
  EXPECT_FALSE(in.Koef_mu.shown());
  // Medium and method.
  const bool natural = c.sreda == 0;
  EXPECT_EQ(in.metod.shown(), natural);
  EXPECT_EQ(in.NepolnBox.shown(), natural && (c.method == 1 || c.method == 2));
  EXPECT_EQ(in.PolnBox.shown(), (natural && (c.method == 0 || c.method >= 3)) || c.sreda == 2);
  EXPECT_EQ(in.sostav.shown(), natural && c.method == 0);
  EXPECT_EQ(in.sost_rgaz.shown(), natural && c.method == 3);
  EXPECT_EQ(in.sost_iso.shown(), natural && c.method == 4);
  EXPECT_EQ(in.Metod_s.shown(), c.sreda == 2);
  EXPECT_EQ(in.PanelMR113.shown(), c.sreda == 2 && c.method == 0);
  EXPECT_EQ(in.Memo_113.shown(), c.sreda == 2 && c.method == 0);
  EXPECT_EQ(in.Sost_118.shown(), c.sreda == 2 && c.method == 1);
  EXPECT_EQ(in.sost_135.shown(), c.sreda == 2 && c.method == 2);
  EXPECT_EQ(in.NamePrSredPanel.shown(), c.sreda == 1);
  EXPECT_EQ(in.PrSredPanel.shown(), c.sreda == 1);
  // The error inputs that only an error calculation uses.
  EXPECT_EQ(in.rstsisstr.shown(), error && in.NepolnBox.shown());
  EXPECT_EQ(in.rPrSredPogrSisStr.shown(), error && c.sreda == 1);
  EXPECT_EQ(in.KoefTPrSredStr.shown(), error && c.sreda == 1);
  EXPECT_EQ(in.sostav.colCount(), error ? 3 : 2);
  EXPECT_EQ(in.TipPogrMetan.shown(), error && in.PolnBox.shown());
}

std::vector<Choices> allChoices() {
  std::vector<Choices> all;
  for (int r = 0; r < 3; ++r) {
    for (int m = 0; m < 5; ++m) all.push_back({r, 0, m});
    for (int m = 0; m < 3; ++m) all.push_back({r, 2, m});
    for (int medium : {1, 3, 6, 9, 10}) all.push_back({r, medium, 0});
  }
  return all;
}

TEST(FormRules, TabsAndPanelsFollowKindMediumAndMethod) {
  for (const Choices& c : allChoices()) {
    for (bool kindFirst : {true, false}) {
      TestPoint p;
      apply(p, c, kindFirst);
      expectLayout(p, c);
    }
  }
}

TEST(FormRules, ALongSequenceOfChoicesEndsInTheLayoutOfTheLastOnes) {
  TestPoint p;
  const auto all = allChoices();
  for (size_t i = 0; i < all.size(); ++i) {
    const Choices& c = all[(i * 7) % all.size()];
    apply(p, c, i % 2 == 0);
    expectLayout(p, c);
  }
}

TEST(FormRules, DensityMetersReplaceTheTemperatureAndPressureInputs) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  p.check(in.pr_St, true);
  p.check(in.pr_Rab, true);
  EXPECT_FALSE(in.pr_St.checked());  // switched off by pr_Rab
  EXPECT_TRUE(in.pr_St.shown());
  EXPECT_FALSE(in.metod.shown());
  EXPECT_FALSE(in.PolnBox.shown());
  EXPECT_FALSE(in.NepolnBox.shown());
  EXPECT_TRUE(in.TabSheet3.shown());
  EXPECT_FALSE(in.TabSheet8.shown());
  EXPECT_FALSE(in.TabSheet9.shown());
  EXPECT_FALSE(in.PanelTP.shown());
  EXPECT_TRUE(in.rrab_panel.shown());
  EXPECT_TRUE(in.GroupBox3.shown());
  EXPECT_FALSE(in.GroupBox5.shown());
  EXPECT_EQ(in.GroupBox3.caption(), "Изменение плотности при раб. условиях");
  // Another medium with measured densities: its properties are not asked for.
  p.choose(in.sreda, 1);
  EXPECT_FALSE(in.PrSredPanel.shown());
  p.check(in.pr_Rab, false);
  EXPECT_FALSE(in.pr_St.checked());  // not restored
  EXPECT_TRUE(in.PrSredPanel.shown());
  EXPECT_TRUE(in.TabSheet8.shown());
  EXPECT_TRUE(in.PanelTP.shown());
  EXPECT_EQ(in.GroupBox6.caption(), "Изменение давления");
}

TEST(FormRules, AtmosphericPressureOffMakesThePressureAbsolute) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  p.type(in.PbarStr, "101325");
  p.check(in.pr_Pbar, false);
  EXPECT_EQ(in.Label4.caption(), "Абсолютное давление (P)");
  EXPECT_EQ(in.PizbBox.caption(), "Абсолютное давление (P)");
  EXPECT_EQ(in.GroupBox6.caption(), "Изменение абс. давления");
  EXPECT_EQ(in.Label118.caption(), "Абсолютного давления");
  EXPECT_FALSE(in.PbarStr.shown());
  EXPECT_FALSE(in.PbarBox.shown());
  EXPECT_FALSE(in.PbaroCheck.shown());
  EXPECT_EQ(in.PbarStr.value, 0);
  p.check(in.pr_Pbar, true);
  EXPECT_EQ(in.Label4.caption(), "Избыточное давление (P)");
  EXPECT_TRUE(in.PbarStr.shown());
  EXPECT_EQ(in.PizboCheck.caption(),
            "Температура окружающей среды в месте установки СИ избыточного давления (to3)");
}

// The pressure caption of the control-point tables reads the same whichever
// rule wrote it last: the atmospheric-pressure box, the unit of the
// overpressure, the kind of error or the density meter.
TEST(FormRules, PressureCaptionOfTheControlPointTablesHasOneText) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  const auto expect = [&](const std::string& text, const char* after) {
    EXPECT_EQ(in.TextP.caption(), text) << after;
    EXPECT_EQ(in.TextPk.caption(), text) << after;
  };
  p.choose(in.PizbEd, 2);
  expect("Изб. давление ,МПа", "unit МПа");
  p.check(in.pr_Pbar, false);
  expect("Абс. давление ,МПа", "pr_Pbar off");
  p.choose(in.PizbEd, 1);
  expect("Абс. давление ,кПа", "unit кПа");
  p.check(in.pr_Pbar, true);
  expect("Изб. давление ,кПа", "pr_Pbar on");
  p.choose(in.TipPogr, 1);
  expect("Изб. давление ,кПа", "uncertainty");
  p.check(in.pr_Rab, true);
  expect("Плотность при станд. усл.,кг/м3", "pr_Rab on");
  p.check(in.pr_Rab, false);
  p.check(in.pr_Pbar, false);
  expect("Абс. давление ,кПа", "pr_Rab off, pr_Pbar off");
}

TEST(FormRules, HumidityTabAndBasis) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.VlTip, 0);
  EXPECT_FALSE(in.TabSheet14.shown());
  p.choose(in.VlTip, 1);
  EXPECT_TRUE(in.TabSheet14.shown());
  p.choose(in.metod, 4);
  EXPECT_FALSE(in.TabSheet14.shown());  // water is a component of GOST R 8.662
  p.choose(in.metod, 1);
  EXPECT_TRUE(in.TabSheet14.shown());
  p.choose(in.TipVl, 0);
  EXPECT_FALSE(in.TipAbsVl.shown());
  p.choose(in.TipVl, 1);
  EXPECT_TRUE(in.TipAbsVl.shown());
}

TEST(FormRules, TransducerBoxesShowTheirRows) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  EXPECT_FALSE(in.P3check.shown());
  p.check(in.P2check, true);
  EXPECT_TRUE(in.P2sisstr.shown());
  EXPECT_TRUE(in.P3check.shown());
  p.check(in.P3check, true);
  EXPECT_TRUE(in.P3sisstr.shown());
  p.check(in.P2check, false);
  EXPECT_FALSE(in.P3check.checked());
  EXPECT_FALSE(in.P3check.shown());
  EXPECT_FALSE(in.P3sisstr.shown());
  p.check(in.dP2check, true);
  EXPECT_TRUE(in.dP3check.shown());
  EXPECT_FALSE(in.dP3check.checked());
  // The flowmeter cannot be switched off.
  p.check(in.dP1check, false);
  EXPECT_TRUE(in.dP1check.checked());
}

TEST(FormRules, KindOfAnErrorChoosesTheUnitBesideIt) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.Raschet, 1);
  p.choose(in.PizbPredEd, 2);
  p.choose(in.P1tipPogr, 2);
  EXPECT_EQ(in.P1Ed.count(), 8);
  EXPECT_EQ(in.P1Ed.index(), 2);
  p.choose(in.P1tipPogr, 0);
  EXPECT_EQ(in.P1Ed.items(), std::vector<std::string>{"%"});
}

TEST(FormRules, ACalculationNameProposesAFileName) {
  TestPoint p;
  p.type(p.s.in.NameIzmTrub, "ГРС: точка \"1\". Линия, 2; итог");
  EXPECT_EQ(p.s.proposedSaveName, "ГРС  точка  1   Линия  2  итог");
  EXPECT_EQ(p.s.in.NameIzmTrub.text(), "ГРС: точка \"1\". Линия, 2; итог");
}

}  // namespace
}  // namespace velmar
