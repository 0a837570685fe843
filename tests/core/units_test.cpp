// Pressure conversions, rounding to significant digits, reading and writing
// numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "core/units.h"

namespace velmar {
namespace {

double convert(int from, int to, double v) {
  ConvertPressure(from, to, v);
  return v;
}

TEST(ConvertPressure, FactorsAreAppliedAsWrittenNotDerived) {
  EXPECT_DOUBLE_EQ(convert(kPa_MPa, kPa_Pa, 0.5), 500000);
  EXPECT_DOUBLE_EQ(convert(kPa_bar, kPa_mmHg, 1), 750.075);
  EXPECT_DOUBLE_EQ(convert(kPa_mmHg, kPa_Pa, 750), 750 / 0.00750075);
  EXPECT_NEAR(convert(kPa_mmHg, kPa_Pa, 750), 99990.001, 1e-3);
  EXPECT_DOUBLE_EQ(convert(kPa_kgfm2, kPa_mmH2O, 3), 3);
  // Neighbouring factors differ: there and back is not the identity.
  EXPECT_NE(convert(kPa_mmHg, kPa_Pa, convert(kPa_Pa, kPa_mmHg, 100000)), 100000);
  EXPECT_DOUBLE_EQ(convert(kPa_Pa, kPa_mmH2O, 1000), 101.97);
  EXPECT_DOUBLE_EQ(convert(kPa_kgfcm2, kPa_Pa, 1), 1 / 1.01972e-5);
  EXPECT_DOUBLE_EQ(convert(kPa_kgfcm2, kPa_kPa, 1), 98.0665);
}

TEST(ConvertPressure, EveryPairIsFiniteAndTheDiagonalKeepsTheValue) {
  for (int from = 0; from < 8; ++from) {
    for (int to = 0; to < 8; ++to) {
      const double v = convert(from, to, 123.456);
      EXPECT_TRUE(std::isfinite(v) && v > 0) << from << "->" << to;
      if (from == to) {
        EXPECT_EQ(v, 123.456);
      }
    }
  }
}

TEST(ConvertPressure, AnUnknownUnitLeavesTheValue) {
  EXPECT_EQ(convert(-1, kPa_Pa, 42), 42);
  EXPECT_EQ(convert(kPa_Pa, 8, 42), 42);
}

TEST(RoundSignificant, Cases) {
  EXPECT_DOUBLE_EQ(RoundSignificant(3, 0.012345), 0.0123);
  EXPECT_DOUBLE_EQ(RoundSignificant(3, 123456), 123000);
  EXPECT_DOUBLE_EQ(RoundSignificant(3, 100), 100);
  EXPECT_DOUBLE_EQ(RoundSignificant(3, -0.0045678), -0.00457);
  EXPECT_EQ(RoundSignificant(0, 5), 0);
  EXPECT_EQ(RoundSignificant(12, 5), 5);
  EXPECT_DOUBLE_EQ(RoundSignificant(2, 0.125), 0.12);  // 12.5 rounds to the even 12
  EXPECT_DOUBLE_EQ(RoundSignificant(2, 0.135), 0.14);
  EXPECT_EQ(RoundSignificant(5, 0), 0);
  EXPECT_TRUE(std::isinf(RoundSignificant(3, INFINITY)));  // no endless scaling
  EXPECT_GT(RoundSignificant(3, 1e-320), 0);
}

TEST(NumberFormat, FixedWithBothSeparators) {
  EXPECT_EQ(formatFixed(1234.56789, 8, 6, '.'), "1234.567900");
  EXPECT_EQ(formatFixed(1234.56789, 8, 6, ','), "1234,567900");
  EXPECT_EQ(formatFixed(0.7, 10, 6, ','), "0,700000");
  EXPECT_EQ(formatFixed(4.197281, 10, 5, ','), "4,19728");
  EXPECT_EQ(formatFixed(150, 5, 0, ','), "150");
  EXPECT_EQ(formatFixed(-2.5, 5, 3, ','), "-2,500");
  EXPECT_EQ(formatFixed(-0.0001, 5, 3, ','), "0,000");  // no negative zero
  EXPECT_EQ(formatFixed(0, 5, 3, '.'), "0.000");
  EXPECT_EQ(formatFixed(0.123456789, 3, 6, '.'), "0.123000");
  EXPECT_EQ(formatFixed(99999.96, 6, 3, '.'), "100000.000");
}

TEST(NumberFormat, ScientificWhenTheIntegerPartIsLongerThanThePrecision) {
  EXPECT_EQ(formatFixed(123456789, 5, 0, ','), "1,2346E+08");
  EXPECT_EQ(formatFixed(1e20, 8, 6, '.'), "1E+20");
  EXPECT_EQ(formatFixed(NAN, 8, 6, '.'), "-");
  EXPECT_EQ(formatFixed(INFINITY, 8, 6, '.'), "-");
}

TEST(NumberFormat, NearTheLargestDouble) {
  EXPECT_EQ(formatFixed(1.7976931348623157e308, 5, 3, ','), "1,7977E+308");
}

TEST(NumberFormat, General) {
  const std::pair<double, const char*> cases[] = {
      {100, "100"},          {12.5, "12,5"},   {1234600, "1234600"}, {0.00012, "0,00012"},
      {-6.4, "-6,4"},        {0, "0"},         {1.5e20, "1,5E+20"},  {2e-7, "2E-07"},
      {0.1 + 0.2, "0,3"},    {NAN, "-"},       {INFINITY, "-"},
  };
  for (const auto& [v, text] : cases) EXPECT_EQ(formatGeneral(v, ','), text) << v;
  EXPECT_EQ(formatGeneral(741.94, '.'), "741.94");
}

TEST(ParseNumber, OnlyTheSystemSeparatorConverts) {
  EXPECT_EQ(parseNumber("0,5", ','), 0.5);
  EXPECT_FALSE(parseNumber("0.5", ','));
  EXPECT_EQ(parseNumber("0.5", '.'), 0.5);
  EXPECT_FALSE(parseNumber("0,5", '.'));
  EXPECT_EQ(parseNumber(" -12 ", ','), -12);
  EXPECT_EQ(parseNumber("1e3", ','), 1000);
  EXPECT_EQ(parseNumber(",5", ','), 0.5);
  EXPECT_EQ(parseNumber("5,", ','), 5);
  for (const char* bad : {"", "-", ",", "12a", "1,2,3", "e5", "1e", "1e400", "--1", "nan", "inf", "0x10", "1 2"}) {
    EXPECT_FALSE(parseNumber(bad, ',')) << bad;
  }
}

}  // namespace
}  // namespace velmar
