// The volume at standard conditions, the mass and the wet-gas volumes.
#include <gtest/gtest.h>

#include "core/units.h"
#include "measuring_point/volume.h"
#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

struct Volume : ::testing::Test {
  TestPoint p;
  InputRecord& in = p.s.in;
  GasPropertyResult& g = p.s.gas;
  void SetUp() override {
    p.choose(in.VlTip, 0);
    in.Memo1.clear();
  }
  void state(double Q, double t, double pAbs, double K, double rho, double rhoSt) {
    in.Qstr.value = Q;
    in.Tstr.value = t;
    g.pAbs = pAbs;
    g.K = K;
    g.rho = rho;
    g.rhoSt = rhoSt;
  }
};

TEST_F(Volume, StandardConditionsGiveTheVolumeItself) {
  state(1000, 20, 101325, 1, 1, 1);
  ComputeVolume(p.s);
  EXPECT_EQ(p.s.toOtchet.Vc, 1000);
  EXPECT_EQ(p.memo1()[0], "Объем, приведенный к стандартным условиям  1000,000000 м3");
  EXPECT_EQ(p.memo1()[1], "Масса  1000,000000 кг");
}

TEST_F(Volume, NaturalGasByPressureTemperatureAndK) {
  state(100, 0, 501325, 0.99, 5, 0.7);
  ComputeVolume(p.s);
  EXPECT_DOUBLE_EQ(p.s.toOtchet.Vc, 100 * 293.15 / 101325 * 501325 / 273.15 / 0.99);
  EXPECT_EQ(p.s.toOtchet.M, 500);
}

TEST_F(Volume, AnotherMediumAndMeasuredDensitiesUseTheDensityRatio) {
  p.choose(in.sreda, 1);
  state(7, 55, 3e6, 0.5, 10, 2);
  ComputeVolume(p.s);
  EXPECT_EQ(p.s.toOtchet.Vc, 35);
  p.choose(in.sreda, 0);
  p.check(in.pr_Rab, true);
  state(8, -20, 2e5, 0.8, 10, 0.8);
  ComputeVolume(p.s);
  EXPECT_EQ(p.s.toOtchet.Vc, 100);
}

// Air has both densities and no compressibility coefficient: its volume is
// their ratio, whatever K a previous method left.
TEST_F(Volume, AirUsesTheDensityRatio) {
  p.choose(in.sreda, 10);
  state(7, 55, 3e6, 0, 10, 2);
  ComputeVolume(p.s);
  ASSERT_FALSE(p.raised(7));
  EXPECT_EQ(p.s.toOtchet.Vc, 35);
  EXPECT_EQ(p.s.toOtchet.M, 70);
  EXPECT_EQ(p.memo1()[0], "Объем, приведенный к стандартным условиям  35,000000 м3");
}

TEST(VolumePass, AirGivesItsVolumeAndMassLines) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 10);
  p.choose(in.VlTip, 0);
  p.type(in.Tstr, "15");
  p.type(in.PizbStr, "200000");
  p.type(in.PbarStr, "100000");
  p.type(in.Qstr, "50");
  p.settle();
  EXPECT_EQ(p.memo2(), std::vector<std::string>{});
  const GasPropertyResult& g = p.s.gas;
  EXPECT_EQ(p.line("Объем, приведенный"),
            "Объем, приведенный к стандартным условиям  " + formatFixed(50 * g.rho / g.rhoSt, 8, 6, ',') + " м3");
  EXPECT_EQ(p.line("Масса"), "Масса  " + formatFixed(50 * g.rho, 8, 6, ',') + " кг");
  EXPECT_DOUBLE_EQ(p.s.toOtchet.Vc, 50 * g.rho / g.rhoSt);
  EXPECT_TRUE(in.N2_.enabled());
}

TEST_F(Volume, WetGasWithoutHumidityGivesEqualVolumes) {
  p.choose(in.VlTip, 1);
  state(100, 20, 101325, 1, 4, 0.8);
  g.phi = 0;
  g.phiSt = 0;
  g.rhoSat = 0.0173;
  g.rhoSatSt = 0.0173;
  ComputeVolume(p.s);
  ASSERT_EQ(p.memo1().size(), 2u);
  EXPECT_EQ(p.memo1()[0], "Объем сухой части влажного газа, приведенный к стандартным условиям 500,000000 м3");
  EXPECT_EQ(p.memo1()[1], "Объем влажного газа, приведенный к стандартным условиям 500,000000 м3");
  g.phi = 0.5;
  g.phiSt = 0.25;
  ComputeVolume(p.s);
  EXPECT_DOUBLE_EQ(p.s.toOtchet.Vdry, 100 * (0.5 * 0.0173 + 4) / (0.25 * 0.0173 + 0.8));
}

TEST_F(Volume, WaterOfTheCompositionForGost8662) {
  p.choose(in.metod, 4);
  p.choose(in.VlTip, 1);
  state(100, 20, 101325, 1, 4, 0.8);
  p.s.comp.iso.x[17] = 0.01;
  g.rhoSat = 0.0173;
  ComputeVolume(p.s);
  EXPECT_DOUBLE_EQ(p.s.toOtchet.Vdry, 500);
  EXPECT_DOUBLE_EQ(p.s.toOtchet.Vwet,
                   100 * ((4 - 0.0173 * 0.0001) / (1 - 0.0001)) / ((0.8 - 0.017312 * 0.0001) / (1 - 0.0001)));
}

TEST_F(Volume, NoStandardDensityMeansMessageSevenAndNoLines) {
  state(100, 20, 101325, 1, 4, 0);
  ComputeVolume(p.s);
  EXPECT_TRUE(p.raised(7));
  EXPECT_TRUE(p.memo1().empty());
  state(100, 20, 101325, 1, 4, 0.8);
  ComputeVolume(p.s);
  EXPECT_FALSE(p.raised(7));
}

TEST_F(Volume, ADiameterCalculationWritesNoVolumeLine) {
  p.choose(in.Raschet, 2);
  state(100, 20, 101325, 1, 4, 0.8);
  ComputeVolume(p.s);
  EXPECT_TRUE(p.memo1().empty());
  EXPECT_FALSE(p.raised(7));
}

TEST_F(Volume, ADryVolumeCalculationSetsTheHumidityOfTheReportToZero) {
  state(100, 20, 101325, 1, 4, 0.8);
  g.phi = 0.7;
  ComputeVolume(p.s);
  EXPECT_EQ(g.phi, 0);
}

TEST(VolumePass, ZeroStandardDensityEmptiesTheErrorTables) {
  TestPoint p;
  auto& in = p.s.in;
  p.choose(in.sreda, 1);
  p.choose(in.Raschet, 1);
  typeComboText(p.s, in.NamePrSred, "Пар");
  p.type(in.rPrSredStr, "10");
  p.type(in.rstPrSredStr, "0,0");
  p.type(in.PizbStr, "100000");
  p.type(in.PbarStr, "100000");
  p.type(in.Qstr, "100");
  p.type(in.TauStr, "1");
  in.TablPogr.setCell(3, 4, "old");
  p.settle();
  EXPECT_TRUE(p.raised(7));
  EXPECT_EQ(in.TablPogr.cell(3, 4), "");
  EXPECT_TRUE(p.line("Объем").empty());
}

}  // namespace
}  // namespace velmar
