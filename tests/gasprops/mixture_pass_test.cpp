// Gas mixtures through the whole pass: the grid's guard on the entered sum,
// and an input typed into a mixture grid while the method is computing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

const std::string kDensity = "Плотность при рабочих условиях  ";

std::string joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& l : lines) all += l + "\n";
  return all;
}

struct Row {
  int row;
  const char* content;
};

// A gas mixture by Metod_s, a volume of dry gas at 10 °C and 2 MPa gauge.
void mixture(TestPoint& p, int method, const std::vector<Row>& rows) {
  auto& in = p.s.in;
  p.choose(in.sreda, 2);
  p.choose(in.Metod_s, method);
  p.choose(in.VlTip, 0);
  StringGrid& grid = method == 0 ? in.sost_113 : method == 1 ? in.Sost_118 : in.sost_135;
  for (const Row& r : rows) p.cell(grid, 1, r.row, r.content);
  p.type(in.Tstr, "10");
  p.type(in.PizbStr, "2000000");
  p.type(in.PbarStr, "101325");
  p.type(in.Qstr, "500");
}

// MR 135-07 normalises the entered contents before it checks them, so a
// mixture whose rows sum to 99.99 % is computed as that mixture made up to
// 100 %; message 88 of the grid warns from a remainder above 0.02 % on.
TEST(Mr135Pass, TheEnteredSumIsGuardedByTheGrid) {
  struct Case {
    const char* what;
    std::vector<Row> rows;
    bool message88;
  } cases[] = {
      {"100 %", {{1, "90"}, {2, "7"}, {3, "3"}}, false},
      {"99.99 %", {{1, "90"}, {2, "7"}, {3, "2,99"}}, false},
      {"100.01 %", {{1, "90"}, {2, "7"}, {3, "3,01"}}, false},
      {"99.97 %", {{1, "90"}, {2, "7"}, {3, "2,97"}}, true},
  };
  for (const Case& c : cases) {
    TestPoint p;
    mixture(p, 2, c.rows);
    p.settle();
    EXPECT_FALSE(p.raised(2)) << c.what << ": " << joined(p.memo2());
    EXPECT_EQ(p.raised(88), c.message88) << c.what;
    EXPECT_NE(p.line(kDensity), "") << c.what;
  }

  // 99.99 % is the mixture normalised: the same printed density as its
  // contents scaled to 100 % and typed with ten decimals.
  TestPoint entered;
  mixture(entered, 2, {{1, "90"}, {2, "7"}, {3, "2,99"}});
  entered.settle();
  TestPoint normalised;
  mixture(normalised, 2, {{1, "90,0090009001"}, {2, "7,0007000700"}, {3, "2,9902990299"}});
  normalised.settle();
  EXPECT_EQ(entered.line(kDensity), normalised.line(kDensity));
  EXPECT_EQ(entered.line("Коэффициент сжимаемости "), normalised.line("Коэффициент сжимаемости "));
}

// Runs action at the n-th processing of pending events from now on.
void atEventPoint(testing::TestPoint& p, int n, std::function<void()> action) {
  if (n <= 1) {
    p.pump.post(std::move(action));
    return;
  }
  p.pump.post([&p, n, action = std::move(action)]() mutable { atEventPoint(p, n - 1, std::move(action)); });
}

// The window lets pending events in between the method's evaluations: two
// keys typed into the grid while MR 113-03 or MR 135-07 computes restart the
// pass at once, and the pass then completes with the new contents. The keys
// arrive at the first and at the third look of the method.
TEST(MixturePass, TypingIntoTheGridDuringTheMethodRestartsThePass) {
  for (int method : {0, 2}) {
    for (int look : {1, 3}) {
      SCOPED_TRACE(std::string(method == 0 ? "MR 113-03" : "MR 135-07") + ", look " + std::to_string(look));
      const std::vector<Row> before = {{1, "90"}, {2, "7"}, {3, "3"}};
      const std::vector<Row> after = {{1, "89"}, {2, "8"}, {3, "3"}};

      // The same point computed with the new contents from the start.
      TestPoint clean;
      mixture(clean, method, after);
      const int cleanStart = clean.pump.calls();
      clean.timer.runOut();
      const int cleanPassCalls = clean.pump.calls() - cleanStart;
      const std::vector<std::string> cleanMemo1 = clean.memo1();
      ASSERT_NE(clean.line(kDensity), "");

      TestPoint p;
      mixture(p, method, before);
      StringGrid& grid = method == 0 ? p.s.in.sost_113 : p.s.in.sost_135;
      // The driver's first event point comes before the properties; the
      // method's looks follow it.
      bool typed = false;
      bool densityShownWhenTyped = true;
      int callsAtTyping = 0;
      atEventPoint(p, 1 + look, [&] {
        typed = true;
        densityShownWhenTyped = !p.line(kDensity).empty();
        callsAtTyping = p.pump.calls();
        p.cell(grid, 1, 1, "89");
        p.cell(grid, 1, 2, "8");
      });
      p.timer.runOut();
      ASSERT_TRUE(typed);
      // The keys arrived inside the method, before its result lines.
      EXPECT_FALSE(densityShownWhenTyped);
      // The method answered the restart at once: what follows the keys is
      // one clean pass with the new contents, with no further look at the
      // events from the abandoned calculation.
      EXPECT_EQ(p.pump.calls() - callsAtTyping, cleanPassCalls);
      EXPECT_EQ(p.memo1(), cleanMemo1);
      // The keys restarted TimerProv as well: the next pass agrees.
      EXPECT_TRUE(p.timer.running());
      p.settle();
      EXPECT_EQ(p.memo1(), cleanMemo1);
    }
  }
}

}  // namespace
}  // namespace velmar
