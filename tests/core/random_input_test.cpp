// Whatever a user types or chooses, a pass ends, nothing crashes and neither
// pane nor table shows nan, inf or a number that could not be formatted.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

class RandomUser {
 public:
  explicit RandomUser(unsigned seed) : rng_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

  static std::string comma(double v) {
    std::string t = std::to_string(v);
    for (char& c : t) {
      if (c == '.') c = ',';
    }
    return t;
  }
  std::string number(double a, double b) { return comma(uniform(a, b)); }

  // Texts a user may type: numbers in and far out of range, separators of
  // both kinds, letters, a lone minus, huge exponents, empty texts, formulas.
  std::string text() {
    static const std::vector<std::string> odd = {"",      "-",      ",",      ".",     "0",       "-0",
                                                 "1e308", "-1e308", "1e-320", "9e999", "12a",     "0.5",
                                                 "1,2,3", "abc",    "Qн",     "Qв",    "0,5+0,01*\x05t\x05",
                                                 "2/(1-1)", "((",   "t^t^t",  "-273,15", "-273,16", "1000000"};
    switch (below(4)) {
      case 0: return odd[static_cast<size_t>(below(static_cast<int>(odd.size())))];
      case 1: return number(-1e6, 1e6);
      case 2: return number(-300, 300);
      default: return number(0, 2);
    }
  }

 private:
  std::mt19937 rng_;
};

// A realistic point now and then, so that passes also reach the methods.
void plausiblePoint(TestPoint& p, RandomUser& u) {
  auto& in = p.s.in;
  p.type(in.Tstr, u.number(-60, 80));
  p.type(in.PizbStr, u.number(0, 2e7));
  p.type(in.PbarStr, u.number(9e4, 1.1e5));
  p.type(in.Qstr, u.number(0, 1e5));
  p.type(in.TauStr, u.number(0, 100));
  p.type(in.rststr, u.number(0.6, 1.1));
  p.type(in.n2str, u.number(-1, 20));
  p.type(in.co2str, u.number(-1, 20));
  p.type(in.VlStr, u.below(10) == 0 ? "1000000" : u.number(0, 150));
  for (StringGrid* g : {&in.sostav, &in.sost_iso, &in.sost_rgaz, &in.sost_113, &in.Sost_118, &in.sost_135}) {
    if (!g->shown()) continue;
    double left = 100;
    for (int r = 1; r + 1 < g->rowCount(); ++r) {
      const double x = r == 1 ? u.uniform(50, 100) : u.uniform(0, left / 4);
      left -= x;
      p.cell(*g, 1, r, u.below(20) == 0 ? u.text() : RandomUser::comma(x));
    }
  }
}

void expectCleanPanes(const TestPoint& p, int step) {
  for (const auto* pane : {&p.memo1(), &p.memo2()}) {
    for (const std::string& line : *pane) {
      ASSERT_EQ(line.find("nan"), std::string::npos) << "step " << step << ": " << line;
      ASSERT_EQ(line.find("inf"), std::string::npos) << "step " << step << ": " << line;
    }
  }
  // Nor do the cells of the control-point tables.
  for (const StringGrid* g : {&p.s.in.TablPogr, &p.s.in.TablPogrk}) {
    for (int r = 0; r < g->rowCount(); ++r) {
      for (int c = 0; c < g->colCount(); ++c) {
        const std::string& cell = g->cell(c, r);
        ASSERT_EQ(cell.find("nan"), std::string::npos) << "step " << step << ": " << cell;
        ASSERT_EQ(cell.find("inf"), std::string::npos) << "step " << step << ": " << cell;
      }
    }
  }
  for (const std::string& line : p.memo1()) {
    ASSERT_NE(line.back(), '-') << "step " << step << ": " << line;
    ASSERT_EQ(line.find(" - "), std::string::npos) << "step " << step << ": " << line;
  }
}

TEST(RandomInput, TenThousandPassesOfRandomTypingAndChoices) {
  RandomUser u(20261209);
  TestPoint p;
  std::vector<Edit*> edits;
  std::vector<Choice*> choices;
  std::vector<CheckBox*> boxes;
  std::vector<StringGrid*> grids;
  for (Control* c : p.s.in.registry.all()) {
    switch (c->kind()) {
      case ControlKind::Edit:
        if (static_cast<Edit*>(c)->isValueEdit()) edits.push_back(static_cast<Edit*>(c));
        break;
      case ControlKind::ComboBox:
      case ControlKind::RadioGroup: choices.push_back(static_cast<Choice*>(c)); break;
      case ControlKind::CheckBox: boxes.push_back(static_cast<CheckBox*>(c)); break;
      case ControlKind::StringGrid: grids.push_back(static_cast<StringGrid*>(c)); break;
      default: break;
    }
  }
  ASSERT_GT(edits.size(), 100u);
  int withResults = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int step = 0; step < 10000; ++step) {
    const int inputs = 1 + u.below(4);
    for (int k = 0; k < inputs; ++k) {
      switch (u.below(10)) {
        case 0:
        case 1:
        case 2:
        case 3: p.type(*edits[static_cast<size_t>(u.below(static_cast<int>(edits.size())))], u.text()); break;
        case 4:
        case 5: {
          Choice& c = *choices[static_cast<size_t>(u.below(static_cast<int>(choices.size())))];
          if (c.count() > 0) p.choose(c, u.below(c.count()));
          break;
        }
        case 6: {
          CheckBox& b = *boxes[static_cast<size_t>(u.below(static_cast<int>(boxes.size())))];
          p.check(b, !b.checked());
          break;
        }
        case 7: {
          StringGrid& g = *grids[static_cast<size_t>(u.below(static_cast<int>(grids.size())))];
          p.cell(g, 1 + u.below(2), 1 + u.below(g.rowCount() - 1), u.text());
          break;
        }
        default: plausiblePoint(p, u); break;
      }
    }
    p.settle();
    ASSERT_FALSE(p.timer.running()) << "step " << step << ": passes keep scheduling further passes";
    ASSERT_TRUE(p.s.in.CalcIdle) << "step " << step;
    expectCleanPanes(p, step);
    if (!p.memo1().empty()) ++withResults;
  }
  // The random inputs also reach the methods, not only the input checks.
  EXPECT_GT(withResults, 1000);
  RecordProperty("passes with results", withResults);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("seconds", std::to_string(seconds));
}

}  // namespace
}  // namespace velmar
