#include "measuring_point/validation.h"

#include <string>

#include "core/message_sets.h"
#include "measuring_point/session.h"
#include "uncertainty/error_fields.h"

namespace velmar {

namespace {

bool instrumentsPage(const InputRecord& in) { return in.TabSheet6.visible(); }
// The page of the pressure instruments, hidden exactly when pr_Rab is on.
bool pressurePage(const InputRecord& in) { return in.TabSheet8.visible(); }

void clearPressurePageMessages(FailureFlags& f) {
  f.clearRange(1, 4);
  f.clear(6);
  f.clear(8);
  f.clearRange(11, 26);
  f.clearRange(31, 35);
  f.clearRange(39, 42);
  f.clearRange(45, 71);
  f.clearRange(75, 85);
  f.clearRange(93, 97);
  f.clear(100);
}

}  // namespace

void phase1Checks(Session& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  // 1. Errors of the gas parameters.
  if (in.NepolnBox.shown() && instrumentsPage(in)) {
    if (in.rstsisstr.value < 0) f.raise(161);
    if (in.n2sisstr.value < 0) f.raise(162);
    if (in.co2sisstr.value < 0) f.raise(163);
  }
  // 2. Atmospheric pressure.
  if (!in.pr_Pbar.checked()) {
    in.PbarStr.value = 0;
    f.clear(56);
  }
  if (!(in.PbarStr.value > 0)) f.raise(56);
  // 3. With a density meter the mixture sum does not matter.
  if (in.pr_Rab.checked()) f.clear(88);
  // 4.
  if (!(in.TauStr.value > 0)) f.raise(36);
  if (!(in.rrab_Str.value > 0)) f.raise(115);
  if (!(in.rst_str.value > 0)) f.raise(116);
  // 5.
  if (!instrumentsPage(in)) {
    f.clear(120);
    f.clear(121);
  }
  // 6. Limits of the instruments and their errors.
  if (in.TminStr.value < -273.15) f.raise(79);
  if (in.TmaxStr.value < -273.15) f.raise(80);
  if (in.T1sisstr.value < 0) f.raise(81);
  if (in.T2sisstr.value < 0) f.raise(82);
  if (in.T3sisstr.value < 0) f.raise(83);
  if (in.T11str.value < 0) f.raise(84);
  if (in.T12str.value < 0) f.raise(85);
  if (in.PizbprednStr.value < 0) f.raise(95);
  if (in.P1sisstr.value < 0) f.raise(75);
  if (in.P2sisstr.value < 0) f.raise(76);
  if (in.P3sisstr.value < 0) f.raise(77);
  if (in.PbarPogrStr.value < 0) f.raise(78);
  // 7.
  f.clear(2);
}

bool phase2Rules(Session& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  const int raschet = in.Raschet.index();
  const int medium = in.sreda.index();
  const int method = in.metod.index();
  const bool naturalGas = medium == 0;
  // 1.
  f.clear(53);
  f.clear(1);
  f.clear(4);
  // 2.
  if (!(naturalGas && method == 0)) f.clearRange(57, 70);
  // 3. The error formulas.
  evalErrorFields(s);
  // 4.
  if (raschet == 0) f.clear(71);
  if (medium != 2) f.clear(88);
  if (naturalGas && method == 0) {
    f.clear(88);
  } else if (naturalGas && method >= 1 && method <= 4) {
    f.clear(88);
    f.clear(71);
  } else if (medium == 1) {
    f.clear(88);
    f.clear(71);
  } else if (medium == 2) {
    f.clear(71);
  } else if (medium >= 3 && medium <= 10) {
    f.clear(88);
    f.clear(71);
  }
  // 5.
  if (!(raschet == 1 && in.pr_IK.checked() && in.TipIK.index() == 2)) f.clearRange(91, 94);
  // 6.
  for (int n : {1, 3, 4, 37, 38, 47, 49, 51, 54, 55, 87, 96, 98, 103, 106}) f.clear(n);
  f.clearRange(kRGazpromGridMessages);
  // 7. Density meters, checked while their page is shown (an error
  // calculation with pr_Rab on). A diameter calculation with measured
  // densities asks for its own two densities (messages 158, 159) instead.
  if (!in.TabSheet3.shown()) {
    f.clearRange(101, 125);
  } else {
    if (!(in.rrabMinStr.value < in.rrabMaxStr.value)) f.raise(103);
    if (in.pr_St.checked()) {
      if (!(in.rstMinStr.value < in.rstMaxStr.value)) f.raise(106);
    } else {
      for (int n : {104, 105, 106, 110, 111, 112, 114}) f.clear(n);
    }
  }
  // 8.
  if (!pressurePage(in)) clearPressurePageMessages(f);
  // 9.
  if (!((naturalGas && (method == 3 || method == 4)) || medium == 2)) f.clear(71);
  // 10.
  if (raschet == 0) {
    f.clear(9);
    f.clearRange(21, 27);
    f.clearRange(31, 37);
    f.clear(52);
    f.clearRange(72, 86);
    f.clearRange(89, 95);
  }
  // 11.
  if (raschet == 1 && !(in.pr_IK.checked() && in.TipIK.index() == 2)) f.clearRange(91, 94);
  // 12.
  if (!in.pr_Pbar.checked()) f.clear(94);
  // 13.
  if (!in.PrSredPanel.shown()) {
    f.clearRange(39, 46);
  } else if (!in.rPrSredPogrSisStr.shown()) {
    for (int n : {40, 41, 42, 47}) f.clear(n);
  }
  // 14.
  if (raschet == 2) {
    for (int n : {9, 38, 47, 56, 116, 118, 119}) f.clear(n);
    f.clearRange(122, 125);
  }
  // 15.
  if (raschet == 0) f.clear(30);
  // 16.
  for (int n : {5, 6, 7, 8, 10, 25, 26}) f.clear(n);
  f.clearRange(30, 35);
  if (!in.PanelTau.shown()) f.clear(36);
  // The range conditions of the control-point tables, which set them again.
  for (int n : {99, 100, 120, 121}) f.clear(n);
  // 17. Measuring ranges of the instruments.
  if (instrumentsPage(in) && pressurePage(in)) {
    if (in.PbarBox.shown()) {
      if (in.pr_Pbar.checked() &&
          (in.PbarStr.value < in.PbarMinStr.value || in.PbarStr.value > in.PbarMaxStr.value)) {
        f.raise(33);
      }
    } else {
      in.PbarStr.value = 0;
    }
    if (in.PizbStr.value > in.PizbPredstr.value) f.raise(34);
    if (in.pr_IK.checked()) {
      if (in.PizbStr.value < in.PizbprednStr.value) f.raise(34);
      if (!(in.PizbprednStr.value < in.PizbPredstr.value)) f.raise(35);
    }
    if (in.Tstr.value < in.TminStr.value || in.Tstr.value > in.TmaxStr.value) f.raise(31);
    if (!(in.TminStr.value < in.TmaxStr.value)) f.raise(32);
  }
  // 18.
  if (!instrumentsPage(in)) f.clear(28);
  f.clear(29);
  // 19. Name of another medium.
  f.clear(10);
  if (medium == 1) {
    const std::string& name = in.NamePrSred.text();
    const size_t first = name.find_first_not_of(' ');
    in.NamePrSred.setText(first == std::string::npos ? std::string() : name.substr(first));
    if (in.NamePrSred.text().empty()) f.raise(10);
  }
  // 20. Gauge pressure.
  f.clear(2);
  if (!(raschet == 2 || (in.pr_Rab.checked() && raschet != 0))) {
    if (!(in.PizbStr.value > 0)) f.raise(in.pr_Pbar.checked() ? 47 : 96);
    if (!in.pr_Rab.checked() && (f.raised(47) || f.raised(96))) f.raise(2);
  }
  // 21.
  if (!in.pr_Pbar.checked()) f.clear(56);
  // 22. Density of natural gas at standard conditions for GOST 30319.2.
  f.clear(97);
  if (!in.pr_Rab.checked() && naturalGas && (method == 1 || method == 2) &&
      (in.rststr.value < 0.66 || in.rststr.value > 1.05)) {
    f.raise(97);
  }
  // 23.
  return !(f.raised(2) || f.raised(97));
}

void averageFlowCheck(Session& s) {
  InputRecord& in = s.in;
  if (in.Raschet.index() == 1 && in.Qstr.shown() && in.PanelTau.shown() && !s.flags.raised(36)) {
    s.Qavg = in.Qstr.value / in.TauStr.value;
    // Compared as entered, whatever unit QpredMaxEd says.
    if (s.Qavg > in.QpredMaxStr.value) s.flags.raise(37);
  }
}

void measuredVolumeCheck(Session& s) {
  InputRecord& in = s.in;
  s.flags.clear(38);
  if (in.Raschet.index() != 2 && in.Qstr.shown() && !(in.Qstr.value > 0)) s.flags.raise(38);
}

void pressurePageCheck(Session& s) {
  if (!pressurePage(s.in)) clearPressurePageMessages(s.flags);
}

void measuredDensityChecks(Session& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  f.clear(115);
  f.clear(116);
  // The two densities of the measuring point, shown with pr_Rab on in a
  // volume or error calculation.
  if (!in.rrab_Str.shown()) return;
  if (!(in.rrab_Str.value > 0)) f.raise(115);
  if (!(in.rst_str.value > 0)) f.raise(116);
  if (!(in.rrab_Str.value > in.rst_str.value)) {
    f.raise(115);
    f.raise(116);
  }
}

void controlRangeChecks(Session& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  if (in.pr_Rab.checked()) {
    if (!(in.KTrrabminStr.value < in.KTrrabMaxStr.value)) f.raise(118);
    if (!(in.KTrstMinStr.value < in.KTrstMaxStr.value)) f.raise(119);
  } else {
    if (!(in.KTTminStr.value < in.KTTmaxStr.value)) f.raise(25);
    if (!(in.KTPminStr.value < in.KTPmaxStr.value)) f.raise(26);
  }
}

void ShowMessages(Session& s) {
  InputRecord& in = s.in;
  std::vector<std::string> lines;
  bool any = false;
  for (int n = 1; n <= kMessageCount; ++n) {
    if (!s.flags.raised(n)) continue;
    any = true;
    std::string line = "[";
    line += std::to_string(n);
    line += "]  ";
    line += messageText(n);
    lines.push_back(std::move(line));
    if (!s.notes.note(n).empty()) lines.push_back(s.notes.note(n));
  }
  in.Memo2.setLines(std::move(lines));
  in.N2_.setEnabled(!any);
  in.N9.setEnabled(!any);
  in.MenuReportPdf.setEnabled(!any);
}

}  // namespace velmar
