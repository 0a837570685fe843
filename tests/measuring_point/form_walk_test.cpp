// Every calculation the window offers, walked as a new user would: every kind
// of calculation, medium and method with the density-meter, atmospheric-
// pressure, flow-type and humidity options, filling only the inputs the form
// rules show. Each state computes with no message and prints its result
// lines; no input the window hides changes what it prints or reports; and no
// state depends on the states calculated before it.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/composition_grid_texts.h"
#include "measuring_point/session_file.h"
#include "report/report_text.h"
#include "session_fixture.h"

namespace velmar {
namespace {

using testing::TestPoint;

// The choices a user makes, in the order of the window; each is walked over
// all its items wherever the choices before it leave it shown.
constexpr const char* kOptions[] = {"Raschet",  "pr_Rab",   "pr_St", "sreda", "metod", "Metod_s",  "pr_Pbar",
                                    "TipIzmBar", "pr_Pbar_", "Q_Tip", "KTtip", "VlTip", "TipVl", "TipAbsVl"};

using Choices = std::vector<std::pair<std::string, int>>;

// A text for every number edit a state may show, in the units the input form
// starts with (pressures in Pa, the diameter's in kPa, the manometer's range
// in kgf/cm2, the barometer's in mm Hg). One point that every method
// computes: 20 °C and 0,5 MPa. An empty text leaves the edit as it stands.
const std::map<std::string, std::string>& shownValues() {
  static const std::map<std::string, std::string> values = {
      // The measuring point.
      {"Qstr", "1000"}, {"TauStr", "10"}, {"Tstr", "20"}, {"PizbStr", "500000"}, {"PbarStr", "101325"},
      {"rrab_Str", "5"}, {"rst_str", "0,8"}, {"rst_pogrStr", "0,3"},
      // GOST 30319.2 and the mixture of GSSSD MR 113-03.
      {"rststr", "0,7"}, {"rstsisstr", "0,3"}, {"n2str", "1"}, {"n2sisstr", "2"}, {"co2str", "0,5"},
      {"co2sisstr", "2"}, {"Vlag113Str", "1"},
      // Another medium.
      {"rPrSredStr", "5"}, {"rPrSredPogrSisStr", "0,5"}, {"KoefTPrSredStr", "1"}, {"KoefPPrSredStr", "1"},
      {"rstPrSredStr", "1,2"}, {"rstPrSredPogrSisStr", "0,3"},
      // Humidity, in % or g/m3.
      {"VlStr", "5"},
      // The diameter.
      {"Q_Str", "1000"}, {"T_str", "20"}, {"Pbar_str", "101,325"}, {"Pizb_str", "500"}, {"r_rab_str", "5"},
      {"r_st_str", "0,8"}, {"uMaxStr", "20"}, {"uMaxDstr", "25"},
      // The computing device and the measuring channels.
      {"CompPogrStr", "0,05"}, {"CompVrStr", "0,01"}, {"PogrKanaldPStr", "0,3"}, {"PogrKanaldPdopStr", "0,1"},
      {"PogrKanalTStr", "0,2"}, {"PogrKanalTdopStr", "0,1"}, {"PogrKanalPStr", "0,2"}, {"PogrKanalPdopStr", "0,1"},
      {"PogrKanalPbarStr", "0,2"}, {"PogrKanalPbardopStr", "0,1"}, {"PogrKanalrrabStr", "0,2"},
      {"PogrKanalrrabdopStr", "0,1"}, {"PogrKanalrstStr", "0,2"}, {"PogrKanalrstdopStr", "0,1"},
      // The flowmeter; without an additional range its main range reads "Qн" to "Qв".
      {"QpredMaxStr", "160"}, {"QpredMinStr", "8"}, {"dP1sisstr", "1"}, {"dp1dopStr", "0,2"}, {"Diap1minStr", ""},
      {"Diap1maxStr", ""},
      // The thermometer.
      {"TminStr", "-40"}, {"TmaxStr", "60"}, {"T1sisstr", "0,2"}, {"T1dopStr", "0,1"}, {"T11str", "0,15"},
      {"T12str", "0,002"},
      // The manometer and the barometer.
      {"PizbPredstr", "10"}, {"PizbprednStr", "0"}, {"P1sisstr", "0,25"}, {"P1dopStr", "0,1"}, {"PbarMinStr", "600"},
      {"PbarMaxStr", "800"}, {"PbarPogrStr", "1,5"}, {"PbarDopPogrStr", "0,5"},
      // The density meters.
      {"rrabMinStr", "1"}, {"rrabMaxStr", "10"}, {"rrab1pogrStr", "0,02"}, {"rrab1dopPogrStr", "0,01"},
      {"rstMinStr", "0,5"}, {"rstMaxStr", "1"}, {"rst1PogrStr", "0,002"}, {"rst1dopPogrStr", "0,001"},
      // The control points and the ranges of change.
      {"KT1str", "100"}, {"KT2str", "50"}, {"KT3str", "20"}, {"KT4str", "0"}, {"KT5str", "0"}, {"KT6str", "0"},
      {"KTTminStr", "-10"}, {"KTTmaxStr", "30"}, {"KTPminStr", "300000"}, {"KTPmaxStr", "700000"},
      {"KTrrabminStr", "4"}, {"KTrrabMaxStr", "6"}, {"KTrstMinStr", "0,7"}, {"KTrstMaxStr", "0,9"},
  };
  return values;
}

// A composition for every grid a state may show: row and content, mol %;
// the other component rows hold 0.
const std::map<std::string, std::vector<std::pair<int, const char*>>>& shownCompositions() {
  static const std::map<std::string, std::vector<std::pair<int, const char*>>> grids = {
      {"sostav", {{1, "95"}, {2, "3"}, {6, "1"}, {7, "1"}}},
      {"sost_rgaz", {{1, "95"}, {2, "3"}, {9, "1"}, {10, "1"}}},
      {"sost_iso", {{3, "95"}, {4, "3"}, {1, "1"}, {2, "1"}}},
      {"sost_113", {{1, "90"}, {2, "7"}, {3, "3"}}},
      {"Sost_118", {{1, "90"}, {2, "7"}, {3, "3"}}},
      {"sost_135", {{1, "90"}, {2, "7"}, {3, "3"}}},
  };
  return grids;
}

std::string describe(const Choices& choices) {
  std::string text;
  for (const auto& [name, value] : choices) text += name + "=" + std::to_string(value) + " ";
  return text;
}

void choose(TestPoint& p, const Choices& choices) {
  for (const auto& [name, value] : choices) p.set(name, std::to_string(value));
}

// A fresh point as the window starts without a session file.
struct FreshPoint : TestPoint {
  FreshPoint() { startWithDefaults(s); }
};

// Every state the options lead to, each the list of choices that reaches it.
std::vector<Choices> states() {
  std::vector<Choices> all;
  std::function<void(const Choices&, size_t)> walk = [&](const Choices& prefix, size_t next) {
    FreshPoint p;
    choose(p, prefix);
    for (; next < std::size(kOptions); ++next) {
      const Control* c = p.s.in.registry.find(kOptions[next]);
      if (!c->shown()) continue;
      const int items = c->kind() == ControlKind::CheckBox ? 2 : static_cast<const Choice*>(c)->count();
      for (int i = 0; i < items; ++i) {
        Choices longer = prefix;
        longer.emplace_back(kOptions[next], i);
        walk(longer, next + 1);
      }
      return;
    }
    all.push_back(prefix);
  };
  walk({}, 0);
  return all;
}

// A number edit the user can type into.
bool typable(const Control& c) {
  if (c.kind() != ControlKind::Edit) return false;
  const auto& e = static_cast<const Edit&>(c);
  return e.isValueEdit() && !e.readOnly() && e.enabled();
}

// Types a text into every number edit the window shows and a composition
// into every composition grid it shows.
void fillShown(TestPoint& p, const std::string& state) {
  for (Control* c : p.s.in.registry.all()) {
    if (!c->shown()) continue;
    if (typable(*c)) {
      const auto it = shownValues().find(std::string(c->name()));
      if (it == shownValues().end()) {
        ADD_FAILURE() << "no text for the shown edit " << c->name() << " in " << state;
      } else if (!it->second.empty()) {
        p.type(static_cast<Edit&>(*c), it->second);
      }
    } else if (const auto it = shownCompositions().find(std::string(c->name())); it != shownCompositions().end()) {
      auto& grid = static_cast<StringGrid&>(*c);
      const int rows = static_cast<int>(gridComponents(p.s.in, grid).size());
      for (int row = 1; row <= rows; ++row) {
        std::string content = "0";
        for (const auto& [r, given] : it->second) {
          if (r == row) content = given;
        }
        p.cell(grid, 1, row, content);
      }
    }
  }
}

// Types another number into every number edit the window hides, as a
// session file or an earlier choice may have left it.
void fillHidden(TestPoint& p) {
  for (Control* c : p.s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit || c->shown()) continue;
    auto& e = static_cast<Edit&>(*c);
    if (e.isValueEdit()) p.type(e, e.text() == "7" ? "8" : "7");
  }
}

// What the user sees of a pass: both panes, the shown control-point tables
// and the report.
struct Panes {
  std::vector<std::string> memo1, memo2, tables, report;
  bool operator==(const Panes&) const = default;
};

Panes panesOf(const TestPoint& p) {
  Panes panes{p.memo1(), p.memo2(), {}, BuildReportText(p.s, {}, "01.02.2024").lines};
  for (const StringGrid* g : {&p.s.in.TablPogr, &p.s.in.TablPogrk}) {
    if (!g->shown()) continue;
    for (int r = 0; r < g->rowCount(); ++r) {
      for (int c = 0; c < g->colCount(); ++c) panes.tables.push_back(g->cell(c, r));
    }
  }
  return panes;
}

Panes computeState(const Choices& choices, bool hiddenChanged) {
  FreshPoint p;
  choose(p, choices);
  if (hiddenChanged) fillHidden(p);
  fillShown(p, describe(choices));
  p.settle();
  return panesOf(p);
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += "  " + l + "\n";
  return text;
}

std::string difference(const Panes& a, const Panes& b) {
  std::string text;
  if (a.memo1 != b.memo1 || a.memo2 != b.memo2) {
    text += joined(a.memo2) + joined(a.memo1) + "-- against:\n" + joined(b.memo2) + joined(b.memo1);
  }
  if (a.tables != b.tables) text += "  the control-point tables differ\n";
  for (size_t i = 0; i < std::max(a.report.size(), b.report.size()); ++i) {
    const std::string x = i < a.report.size() ? a.report[i] : "";
    const std::string y = i < b.report.size() ? b.report[i] : "";
    if (x != y) text += "  report line " + std::to_string(i) + ": '" + x + "' against '" + y + "'\n";
  }
  return text;
}

// The lines each kind of calculation prints once it has computed.
std::vector<std::string> resultLines(const Choices& choices) {
  std::map<std::string, int> chosen(choices.begin(), choices.end());
  switch (chosen["Raschet"]) {
    case 0:
      if (chosen["VlTip"] == 1) {
        return {"Объем сухой части влажного газа, приведенный к стандартным условиям ",
                "Объем влажного газа, приведенный к стандартным условиям "};
      }
      return {"Объем, приведенный к стандартным условиям  ", "Масса  "};
    case 1:
      return {"Объем, приведенный к стандартным условиям  ", "Масса  ",
              "Относительная погрешность измерения объема, приведенного к стандартным условиям  "};
    default:
      return {"Число измерительных линий ", "Диаметр измерительных линий "};
  }
}

TEST(FormWalk, EveryStateComputesFromWhatTheWindowShows) {
  const std::vector<Choices> all = states();
  EXPECT_GT(all.size(), 500u);
  for (const Choices& choices : all) {
    FreshPoint p;
    choose(p, choices);
    fillShown(p, describe(choices));
    p.settle();
    EXPECT_TRUE(p.memo2().empty()) << describe(choices) << "\n" << joined(p.memo2());
    EXPECT_TRUE(p.s.in.N2_.enabled()) << describe(choices);
    EXPECT_FALSE(p.line("Плотность при рабочих условиях  ").empty()) << describe(choices);
    for (const std::string& start : resultLines(choices)) {
      EXPECT_FALSE(p.line(start).empty()) << describe(choices) << "no line " << start << "\n" << joined(p.memo1());
    }
    // The tables of an error calculation: the first control point at every
    // combination of temperature and pressure.
    if (p.s.in.TabSheet11.shown()) {
      for (int c = 2; c <= 6; ++c) EXPECT_NE(p.s.in.TablPogrk.cell(c, 3), "") << describe(choices);
    }
  }
}

TEST(FormWalk, NoHiddenInputChangesAPaneOrTheReport) {
  for (const Choices& choices : states()) {
    const Panes shown = computeState(choices, false);
    const Panes hidden = computeState(choices, true);
    EXPECT_TRUE(shown == hidden) << describe(choices) << " with every hidden number changed:\n"
                                 << difference(shown, hidden);
  }
}

// One user goes through all the states in one window: each shows what it
// shows in a window just started.
TEST(FormWalk, NoStateDependsOnTheStatesBefore) {
  FreshPoint p;
  for (const Choices& choices : states()) {
    choose(p, choices);
    fillShown(p, describe(choices));
    p.settle();
    const Panes fresh = computeState(choices, false);
    const Panes after = panesOf(p);
    EXPECT_TRUE(fresh == after) << describe(choices) << " after the states before:\n" << difference(fresh, after);
  }
}

}  // namespace
}  // namespace velmar
