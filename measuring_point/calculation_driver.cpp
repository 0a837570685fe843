#include "measuring_point/calculation_driver.h"
#include "core/form_events.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "core/message_sets.h"
#include "core/parse_value.h"
#include "measuring_point/composition_grids.h"
#include "measuring_point/diameter.h"
#include "measuring_point/dispatcher.h"
#include "measuring_point/session.h"
#include "measuring_point/validation.h"
#include "measuring_point/volume.h"
#include "uncertainty/control_point_tables.h"

namespace velmar {

namespace {

void reparse(Session& s, std::initializer_list<Edit*> edits) {
  for (Edit* e : edits) ParseValue(s, *e);
}

// Phase 1: bring every value field that applies up to date with its edit and
// run the value checks.
void refreshInputs(Session& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  // 1. The messages this phase recomputes.
  for (int n : {48, 50, 52, 113, 114, 150}) f.clear(n);
  for (auto [from, to] : {std::pair{171, 174}, {72, 74}, {132, 134}, {75, 78}, {138, 141}, {81, 83}, {135, 137},
                          {107, 112}, {142, 147}, {91, 94}, {126, 131},
                          {kGasParameterErrors.first, kGasParameterErrors.last}}) {
    f.clearRange(from, to);
  }
  // 2. The measuring point.
  reparse(s, {&in.Tstr, &in.PizbStr, &in.PbarStr, &in.Qstr, &in.TauStr, &in.rrab_Str, &in.rst_str, &in.rst_pogrStr});
  // 3. Another medium.
  if (in.PrSredPanel.shown()) {
    reparse(s, {&in.rPrSredStr, &in.rPrSredPogrSisStr, &in.KoefTPrSredStr, &in.KoefPPrSredStr, &in.rstPrSredStr,
                &in.rstPrSredPogrSisStr});
  }
  // 4. Parameters of natural gas.
  if (in.NepolnBox.shown()) {
    reparse(s, {&in.rststr, &in.rstsisstr, &in.n2str, &in.n2sisstr, &in.co2str, &in.co2sisstr});
    if (in.TabSheet6.visible()) {
      if (in.rstsisstr.value < 0) f.raise(161);
      if (in.n2sisstr.value < 0) f.raise(162);
      if (in.co2sisstr.value < 0) f.raise(163);
    }
  }
  // 5. Compositions.
  if (in.PanelMR113.shown()) {
    ParseValue(s, in.Vlag113Str);
    runGridRule(s, in.sost_113);
  }
  for (StringGrid* g : {&in.Sost_118, &in.sost_135, &in.sostav, &in.sost_rgaz, &in.sost_iso}) {
    if (g->shown()) runGridRule(s, *g);
  }
  s.TimerProv.stop();
  // 6. Pipeline.
  ParseValue(s, in.D20Str);
  if (in.MatTrBox.shown()) ParseValue(s, in.KlinTRStr);
  // 7. Environment.
  if (in.TabSheet15.visible()) reparse(s, {&in.dPoStr, &in.ToStr, &in.PizboStr, &in.PbaroStr});
  // 8. Instruments.
  if (in.TabSheet6.visible()) {
    if (in.pr_IK.checked()) {
      reparse(s, {&in.CompPogrStr, &in.CompVrStr});
      if (in.PanelIK.shown()) {
        reparse(s, {&in.PogrKanaldPStr, &in.PogrKanalTStr, &in.PogrKanalPStr, &in.PogrKanalPbarStr,
                    &in.PogrKanalrrabStr, &in.PogrKanalrstStr, &in.PogrKanaldPdopStr, &in.PogrKanalTdopStr,
                    &in.PogrKanalPdopStr, &in.PogrKanalPbardopStr, &in.PogrKanalrrabdopStr, &in.PogrKanalrstdopStr});
      }
    }
    if (in.TabSheet10.shown()) {
      reparse(s, {&in.QpredMaxStr, &in.QpredMinStr, &in.Diap1minStr, &in.Diap1maxStr, &in.Diap2minStr,
                  &in.dP1sisstr, &in.dP1dopsisStr, &in.dP2sisstr, &in.dP3sisstr, &in.dp1dopStr, &in.dp2dopStr,
                  &in.dp3dopStr});
    }
    if (in.TabSheet9.shown()) {
      reparse(s, {&in.TminStr, &in.TmaxStr, &in.T1sisstr, &in.T11str, &in.T12str, &in.T2sisstr, &in.T3sisstr,
                  &in.T1dopStr, &in.T2dopStr, &in.T3dopStr});
    }
    if (in.TabSheet8.shown()) {
      reparse(s, {&in.PizbprednStr, &in.PizbPredstr, &in.P1sisstr, &in.P2sisstr, &in.P3sisstr, &in.P1dopStr,
                  &in.P2dopStr, &in.P3dopStr});
      if (in.PbarBox.shown()) reparse(s, {&in.PbarMinStr, &in.PbarMaxStr, &in.PbarPogrStr, &in.PbarDopPogrStr});
    }
    if (in.TabSheet3.shown()) {
      if (in.rrabPanel.shown()) {
        reparse(s, {&in.rrabMinStr, &in.rrabMaxStr, &in.rrab1pogrStr, &in.rrab2PogrStr, &in.rrab3PogrStr,
                    &in.rrab1dopPogrStr, &in.rrab2dopPogrStr, &in.rrab3doppogrStr});
      }
      if (in.rstPanel.shown()) {
        reparse(s, {&in.rstMinStr, &in.rstMaxStr, &in.rst1PogrStr, &in.rst2PogrStr, &in.rst3PogrStr,
                    &in.rst1dopPogrStr, &in.rst2dopPogrStr, &in.rst3dopPogrStr});
      }
    }
  }
  // 9. Control points.
  if (in.TabSheet11.visible()) {
    reparse(s, {&in.KT1str, &in.KT2str, &in.KT3str, &in.KT4str, &in.KT5str, &in.KT6str, &in.KTrrabminStr,
                &in.KTrrabMaxStr, &in.KTTminStr, &in.KTTmaxStr, &in.KTrstMinStr, &in.KTrstMaxStr, &in.KTPminStr,
                &in.KTPmaxStr});
  }
  // 10. Diameter inputs.
  f.clearRange(148, 150);
  f.clearRange(156, 159);
  if (in.GroupBox13.shown()) {
    ParseValue(s, in.Q_Str);
    if (in.pr_Rab.checked()) {
      ParseValue(s, in.r_rab_str);
      // The standard density is asked for only with the flow at standard
      // conditions; hidden, it is not checked (message 159).
      if (in.r_st_str.shown()) ParseValue(s, in.r_st_str);
    } else {
      reparse(s, {&in.T_str, &in.Pbar_str, &in.Pizb_str});
      if (!in.pr_Pbar_.checked()) f.clear(156);
    }
    reparse(s, {&in.uMaxStr, &in.uMaxDstr});
    OrderDiameterSeries(s);
  } else {
    f.clearRange(kDiameterInputs);
  }
  // 11. Humidity, while its tab is shown.
  f.clear(160);
  if (in.Raschet.index() == 0) {
    if (in.VlStr.shown()) ParseValue(s, in.VlStr);
    scheduleCalculation(s);  // the rule of the humidity basis restarts the calculation
    s.TimerProv.stop();
  }
  // 12.
  if (!in.pr_Pbar.checked()) {
    in.PbarStr.value = 0;
    f.clear(56);
  }
  // 13.
  phase1Checks(s);
  // 14. The channel errors of the previous pass; the gas properties read them.
  s.channels.dQ = 0;
  s.channels.dPizb = 0;
  s.channels.dPabs = 0;
  f.clear(2);
}

void emptyErrorTables(InputRecord& in) {
  for (StringGrid* g : {&in.TablPogr, &in.TablPogrk}) {
    for (int c = 2; c <= 6; ++c) {
      for (int r = 3; r <= 8; ++r) g->setCell(c, r, "");
    }
  }
}

// Copies the inputs of a diameter calculation into the value fields of the
// measuring point: the properties are computed at the maximum temperature and
// the minimum pressure (absolute while pr_Pbar_ is off).
void copyDiameterInputs(InputRecord& in) {
  in.Tstr.value = in.T_str.value;
  in.PbarStr.value = in.pr_Pbar_.checked() ? in.Pbar_str.value : 0;
  in.PizbStr.value = in.Pizb_str.value;
  in.rrab_Str.value = in.r_rab_str.value;
  in.rst_str.value = in.r_st_str.value;
}

// A pass restarts at phase 2 this many times at most; every restart comes
// from an input event, which also started TimerProv, so a pass that gives up
// is followed by another one second later.
constexpr int kMaxRestarts = 10000;

}  // namespace

void RunCalculation(Session& s) {
  InputRecord& in = s.in;
  FailureFlags& f = s.flags;
  if (s.TimerProv.running() || !in.CalcIdle) return;

  refreshInputs(s);

  bool restart = false;
  for (int round = 0; round <= kMaxRestarts; ++round, restart = true) {
    // Phase 2: start of a pass.
    if (restart) {
      in.InputChanged = false;
      f.clear(7);
      in.CalcIdle = true;
    }
    if (!phase2Rules(s)) {
      ShowMessages(s);
      return;
    }
    in.InputChecked = true;

    // Phase 3: computing.
    in.Memo1.clear();
    if (in.InputChanged) continue;
    const int raschet = in.Raschet.index();
    averageFlowCheck(s);
    measuredVolumeCheck(s);
    pressurePageCheck(s);
    measuredDensityChecks(s);

    // The flow channel and the computing device are computed, with their
    // lines, just before the volume error (step 13); here the channels that
    // the gas properties need.
    const bool instruments = in.TabSheet6.visible();
    if (instruments) {
      if (!in.pr_Rab.checked()) {
        if (!f.anyRaisedOf(kPressureChannelInputs)) calcPressureChannelErrors(s);
        if (!f.anyRaisedOf(kTemperatureChannelInputs)) calcTemperatureChannelError(s, in.Tstr.value);
      } else {
        if (!f.anyRaisedOf(kWorkingDensityChannelInputs)) calcDensityChannelError(s, in.rrab_Str.value);
        if (!f.anyRaisedOf(kStandardDensityChannelInputs)) calcStdDensityChannelError(s, in.rst_str.value);
      }
    }
    if (in.InputChanged) continue;
    s.pump.processPendingEvents();

    if (raschet == 2) copyDiameterInputs(in);
    // A refused or failed state leaves no properties for the volume and the
    // diameter of this pass.
    const bool computed = calcGasProperties(s, in.Tstr.value, in.PizbStr.value);
    if (in.InputChanged) continue;
    s.pump.processPendingEvents();

    f.clear(17);
    f.clear(18);
    if (in.InputChanged) continue;
    f.clear(7);
    if (raschet == 1 || raschet == 2) f.clear(41);

    // The measured volume belongs to a volume or error calculation; a
    // diameter calculation hides it and computes no volume.
    if (in.Qstr.shown() && in.Qstr.value > 0 && !f.raised(2) && computed) {
      s.pump.processPendingEvents();
      ComputeVolume(s);
      if (in.InputChanged) continue;
    }

    f.clear(118);
    f.clear(119);
    if (raschet == 2 && !f.anyRaisedIn(kDiameterInputs) && computed) SelectDiameter(s);

    if (raschet == 1 && !f.raised(7) && !f.raised(2)) {
      in.CalcIdle = false;
      controlRangeChecks(s);
      in.CalcIdle = true;
      if (in.InputChanged) continue;
    }

    if (instruments) {
      if (!f.anyRaisedOf(kFlowChannelInputs)) calcFlowChannelError(s, s.Qavg);
      calcComputingDeviceError(s);
      // The volume error combines the errors of the gas properties and of
      // the volume: without either it would be a figure of the channels alone.
      if (computed && !f.raised(2) && !f.raised(7)) calcVolumeError(s);
    } else {
      f.clear(10);
    }
    if (in.InputChanged) continue;

    f.clear(9);
    if (raschet == 1 && !f.anyRaisedOf(kControlPointTableInputs)) {
      in.CalcIdle = false;
      std::vector<double> points = sortControlPoints(s);
      if (!f.anyRaisedOf(kControlPointInputs) && !f.anyRaisedIn(kControlPointRanges)) {
        ControlPointRun run = prepareTableCells(s, std::move(points));
        fillErrorTables(s, run);
      }
      in.CalcIdle = true;
      if (in.InputChanged) continue;
    }

    if (raschet == 1) {
      f.clear(29);
      f.clear(40);
      f.clear(32);
    }
    if (f.raised(7)) emptyErrorTables(in);
    ShowMessages(s);
    return;
  }
  // Inputs kept arriving; the pass ends with the messages of its last round.
  ShowMessages(s);
}

void calculateNow(Session& s) {
  s.TimerProv.stop();
  RunCalculation(s);
  scheduleCalculation(s);
}

void TimerProvTimer(Session& s) { RunCalculation(s); }

}  // namespace velmar
