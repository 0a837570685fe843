#include "measuring_point/composition_grids.h"
#include "core/form_events.h"

#include <cmath>
#include <vector>

#include "core/message_sets.h"
#include "core/units.h"
#include "gasprops/RGazprom2008.h"
#include "measuring_point/session.h"
#include "uncertainty/composition_uncertainty.h"

namespace velmar {

namespace {

using C = CompositionUncertaintyClass;
// The class of every row, rows 1.. of each grid (sostav: row 12 "прочие" too).
constexpr C kSostavClasses[] = {C::Methane,       C::Ethane, C::Hydrocarbon, C::Hydrocarbon,
                                C::Hydrocarbon,   C::Nitrogen, C::CarbonDioxide, C::Typed,
                                C::Typed,         C::Typed,  C::Hydrocarbon, C::Typed};
constexpr C kRgazClasses[] = {C::Methane,     C::Ethane,      C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon,
                              C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon, C::Nitrogen,    C::CarbonDioxide};
constexpr C kIsoClasses[] = {C::Nitrogen,    C::CarbonDioxide, C::Methane,     C::Ethane,       C::Hydrocarbon,
                             C::Hydrocarbon, C::Hydrocarbon,   C::Hydrocarbon, C::Hydrocarbon,  C::Hydrocarbon,
                             C::Hydrocarbon, C::NOctane,       C::Typed,       C::Typed,        C::Hydrocarbon,
                             C::CarbonDioxide, C::Typed,       C::Typed,       C::Typed,        C::Hydrocarbon,
                             C::CarbonDioxide};
constexpr C k113Classes[] = {C::Methane,     C::Ethane,      C::Hydrocarbon, C::Hydrocarbon,   C::Hydrocarbon,
                             C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon,   C::CarbonDioxide,
                             C::Nitrogen,    C::CarbonDioxide, C::Typed};
constexpr C k118Classes[] = {C::Methane,       C::Ethane,        C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon,
                             C::Nitrogen,      C::CarbonDioxide, C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon,
                             C::Hydrocarbon,   C::CarbonDioxide, C::CarbonDioxide, C::Typed,     C::Typed,
                             C::Typed,         C::Hydrocarbon,   C::Typed};
constexpr C k135Classes[] = {C::Methane,       C::Ethane,        C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon,
                             C::Nitrogen,      C::CarbonDioxide, C::Hydrocarbon, C::Hydrocarbon, C::Hydrocarbon,
                             C::Hydrocarbon,   C::CarbonDioxide, C::CarbonDioxide, C::Typed,     C::Typed,
                             C::Typed};

// What a grid feeds and how it is checked.
struct GridRule {
  std::span<double> x;
  std::span<double> dx;
  std::span<const C> classes;  // one per row with an uncertainty
  int contentRows;             // rows read as contents
  bool fillsEmpty;             // an empty content cell becomes "0"
  int uncertaintyMessage;      // a relative uncertainty above 100 %
  int sumMessage;              // |remainder| above 0.02 (mixtures), or 0
  bool active;                 // a natural-gas grid works only while its method is chosen
};

GridRule ruleOf(Session& s, const StringGrid& g) {
  InputRecord& in = s.in;
  CompositionVectors& c = s.comp;
  const int method = in.metod.index();
  if (&g == &in.sostav) return {c.vnic.x, c.vnic.dx, kSostavClasses, 11, false, 71, 0, method == 0};
  if (&g == &in.sost_rgaz) return {c.rgaz.x, c.rgaz.dx, kRgazClasses, 10, false, 89, 0, method == 3};
  if (&g == &in.sost_iso) return {c.iso.x, c.iso.dx, kIsoClasses, 21, true, 89, 0, method == 4};
  if (&g == &in.sost_113) return {c.mr113.x, c.mr113.dx, k113Classes, 13, true, 89, 88, true};
  if (&g == &in.Sost_118) return {c.mr118.x, c.mr118.dx, k118Classes, 18, true, 89, 88, true};
  if (&g == &in.sost_135) return {c.mr135.x, c.mr135.dx, k135Classes, 16, false, 89, 88, true};
  return {{}, {}, {}, 0, false, 0, 0, false};
}

double roundTo10Decimals(double v) { return std::round(v * 1e10) / 1e10; }

// R Gazprom 5.3 limits of the composition, checked as it is typed: message
// 11 + k for limit k of the method (a row that does not convert is not
// checked), message 19 for a remainder outside 0 to 0.2.
void checkRGazpromComposition(Session& s, const std::vector<bool>& converted, double remainder) {
  const std::span<const double, rgaz::kComponentCount> x = s.comp.rgaz.x;
  FailureFlags& f = s.flags;
  for (std::size_t k = 0; k < rgaz::kCompositionLimits.size(); ++k) {
    const rgaz::CompositionLimit& limit = rgaz::kCompositionLimits[k];
    bool read = true;
    for (std::size_t c = limit.first; c <= limit.last; ++c) read = read && converted[c + 1];
    if (read && !rgaz::withinLimit(rgaz::limitedContent(x, limit), limit)) f.raise(11 + static_cast<int>(k));
  }
  if (remainder < 0 || remainder > 0.2) f.raise(19);
}

}  // namespace

void runGridRule(Session& s, StringGrid& g) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  GridRule rule = ruleOf(s, g);
  if (!rule.active) return;
  FailureFlags& f = s.flags;
  const bool sostav = &g == &in.sostav;
  if (sostav) f.clearRange(kSostavGridMessages);
  if (&g == &in.sost_rgaz) f.clearRange(kRGazpromGridMessages);
  f.clear(rule.uncertaintyMessage);
  if (rule.sumMessage != 0) f.clear(rule.sumMessage);

  // Contents.
  const char sep = s.decimalSeparator;
  std::vector<bool> converted(static_cast<size_t>(rule.contentRows) + 1, false);
  double remainder = 100;
  for (int row = 1; row <= rule.contentRows; ++row) {
    if (rule.fillsEmpty && g.cell(1, row).empty()) g.setCell(1, row, "0");
    if (const auto v = parseNumber(g.cell(1, row), sep)) {
      rule.x[static_cast<size_t>(row - 1)] = *v;
      remainder -= *v;
      converted[static_cast<size_t>(row)] = true;
    }
    if (sostav) remainder = roundTo10Decimals(remainder);
  }
  if (sostav) rule.x[11] = remainder;
  g.setCell(1, g.rowCount() - 1, formatFixed(remainder, 5, 5, sep));
  struct Mirror {
    const StringGrid* grid;
    int nitrogen;
    int carbonDioxide;
  };
  for (Mirror m : {Mirror{&in.sostav, 6, 7}, Mirror{&in.sost_rgaz, 9, 10}, Mirror{&in.sost_iso, 1, 2}}) {
    if (m.grid != &g) continue;
    // The mirrors copy back into the grids; this grid is being read already.
    const bool idle = in.CalcIdle;
    in.CalcIdle = false;
    in.n2str.setText(g.cell(1, m.nitrogen));
    in.co2str.setText(g.cell(1, m.carbonDioxide));
    in.CalcIdle = idle;
  }

  // Uncertainties, only in an error calculation.
  if (in.TabSheet6.visible()) {
    const bool automatic = in.TipPogrMetan.checked();
    const bool methaneDirect = in.TipMetan.index() == 1;
    const int rows = static_cast<int>(rule.classes.size());
    // A row of zero content has no uncertainty and is not checked; neither is
    // a row whose content does not convert (the remainder row of `sostav`
    // holds what the other rows leave).
    const auto checked = [&](int row) {
      return (row > rule.contentRows || converted[static_cast<size_t>(row)]) &&
             rule.x[static_cast<size_t>(row - 1)] > 1e-10;
    };
    for (int row = 1; row <= rows; ++row) {
      const size_t k = static_cast<size_t>(row - 1);
      const C cls = rule.classes[k];
      auto readTyped = [&] {
        if (rule.fillsEmpty && g.cell(2, row).empty()) g.setCell(2, row, "0");
        const auto v = parseNumber(g.cell(2, row), sep);
        if (!v) {
          g.setCell(2, row, "0");
          return;
        }
        if (*v < 0) g.setCell(2, row, "0");
        rule.dx[k] = *v;
      };
      if (!automatic) {
        rule.dx[k] = 0;
        readTyped();
        continue;
      }
      const double x = rule.x[k];
      if (!(x > 1e-10)) {
        rule.dx[k] = 0;
        g.setCell(2, row, "0");
        continue;
      }
      if (cls == C::Typed) {
        readTyped();
        continue;
      }
      const double relative = relativeCompositionUncertainty(cls, methaneDirect, x);
      rule.dx[k] = relative;
      g.setCell(2, row, formatFixed(relative, 7, 5, sep));
    }
    for (int row = 1; row <= rows; ++row) {
      if (checked(row) && rule.dx[static_cast<size_t>(row - 1)] > 100) f.raise(rule.uncertaintyMessage);
    }
  }

  // Water of GSSSD MR 113-03 comes from the humidity: the hydrogen-sulphide
  // row feeds element 14, element 13 is 0.
  if (&g == &in.sost_113) {
    rule.x[13] = rule.x[12];
    rule.x[12] = 0;
    rule.dx[13] = rule.dx[12];
    rule.dx[12] = 0;
  }

  // Checks.
  if (&g == &in.sost_rgaz) checkRGazpromComposition(s, converted, remainder);
  if (rule.sumMessage != 0 && std::fabs(remainder) > 0.02) f.raise(rule.sumMessage);
}

void mirrorGasParameter(Session& s, const Edit& parameter) {
  InputRecord& in = s.in;
  const bool nitrogen = &parameter == &in.n2str;
  const struct {
    StringGrid* grid;
    int nitrogenRow;
    int carbonDioxideRow;
  } rows[] = {{&in.sostav, 6, 7},   {&in.sost_rgaz, 9, 10}, {&in.sost_iso, 1, 2},
              {&in.sost_113, 11, 12}, {&in.Sost_118, 6, 7},  {&in.sost_135, 6, 7}};
  for (const auto& r : rows) r.grid->setCell(1, nitrogen ? r.nitrogenRow : r.carbonDioxideRow, parameter.text());
  // The grid on screen reads its cells at once, so that its remainder, its
  // checks and the method's vectors follow; a hidden grid is read when its
  // method is chosen. A rule that runs other rules holds CalcIdle false.
  if (!in.CalcIdle) return;
  in.CalcIdle = false;
  for (const auto& r : rows) {
    if (r.grid->shown()) runGridRule(s, *r.grid);
  }
  in.CalcIdle = true;
}

}  // namespace velmar
