#include "ui/status_clock.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(StatusClock, HoursWithoutLeadingZeroMinutesAndSecondsWithTwoDigits) {
  struct Case {
    int h, m, s;
    bool colons;
    const char* text;
  };
  const Case cases[] = {
      {9, 5, 7, true, "9:05:07"},   {9, 5, 7, false, "9 05 07"}, {0, 0, 0, true, "0:00:00"},
      {23, 59, 59, true, "23:59:59"}, {10, 0, 9, false, "10 00 09"}, {12, 30, 0, true, "12:30:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(clockText(c.h, c.m, c.s, c.colons), c.text);
}

TEST(StatusClock, SeparatorsAlternateAtEveryTickStartingWithColons) {
  StatusClock clock;
  EXPECT_EQ(clock.tick(8, 1, 2), "8:01:02");
  EXPECT_EQ(clock.tick(8, 1, 3), "8 01 03");
  EXPECT_EQ(clock.tick(8, 1, 5), "8:01:05");
  EXPECT_EQ(clock.tick(8, 1, 6), "8 01 06");
}

}  // namespace
}  // namespace velmar
