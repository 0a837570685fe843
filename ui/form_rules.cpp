#include "ui/form_rules.h"

#include <initializer_list>

#include "core/form_events.h"
#include "core/parse_value.h"
#include "measuring_point/calculation_driver.h"
#include "measuring_point/composition_grids.h"
#include "measuring_point/diameter.h"
#include "measuring_point/session.h"
#include "persistence/reference_lists.h"
#include "report/report_pages.h"
#include "ui/error_input_panels.h"
#include "ui/rule_slot.h"
#include "uncertainty/control_point_tables.h"

namespace velmar {

namespace {

void setVisible(std::initializer_list<Control*> controls, bool visible) {
  for (Control* c : controls) c->setVisible(visible);
}

// Runs follow-up rules only when this rule is not itself somebody's
// follow-up (and no load, reset or control-point run is under way).
template <typename F>
void guarded(Session& s, F&& followUps) {
  if (!s.in.CalcIdle) return;
  s.in.CalcIdle = false;
  followUps();
  s.in.CalcIdle = true;
}

void reparse(Session& s, std::initializer_list<Edit*> edits) {
  for (Edit* e : edits) ParseValue(s, *e);
}

// Setting a box from a rule is a click on it: its own rule follows.
void setBox(CheckBox& box, bool checked) {
  if (box.checked() == checked) return;
  box.setChecked(checked);
  if (box.onClick) box.onClick();
}

bool naturalGas(const Session& s) { return s.in.sreda.index() == 0; }

// While the densities are measured neither the method nor the composition
// nor the other medium's properties apply, whatever the medium.
void hideForMeasuredDensities(Session& s) {
  InputRecord& in = s.in;
  if (!in.pr_Rab.checked()) return;
  setVisible({&in.metod, &in.PrSredPanel, &in.PolnBox, &in.NepolnBox, &in.Metod_s, &in.Memo_113, &in.Memo_118,
              &in.Memo_135},
             false);
}

StringGrid* visibleGrid(InputRecord& in) {
  for (StringGrid* g : {&in.sostav, &in.sost_rgaz, &in.sost_iso, &in.Sost_118, &in.sost_135}) {
    if (g->visible()) return g;
  }
  if (in.PanelMR113.visible()) return &in.sost_113;
  return nullptr;
}

}  // namespace

// --- Kind of calculation -------------------------------------------------------

void RaschetClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const int r = in.Raschet.index();
  in.GroupBox4.setVisible(r != 2);
  in.GroupBox13.setVisible(r == 2);
  setVisible({&in.TabSheet6, &in.TabSheet11, &in.TabSheet15}, r == 1);
  in.TabSheet5.setVisible(r == 2);
  in.TipPogr.setEnabled(r == 1);
  in.TipPogrMetan.setVisible(r == 1);
  // The methane panel belongs with the automatic uncertainty of composition.
  in.PanelMetan.setVisible(r == 1 && in.TipPogrMetan.checked());
  in.Raschet.setWidth(r == 0 ? 505 : 337);
  if (r == 0) {
    in.VlTip.show();
    in.TabSheet14.setVisible(in.VlTip.index() == 1);
    setVisible({&in.PanelTau, &in.PanelQmax, &in.rst_Pogrpanel, &in.pr_St}, false);
    in.Qstr.show();
    if (naturalGas(s)) metodClick(s);
  } else if (r == 1) {
    setVisible({&in.VlTip, &in.TabSheet14}, false);
    in.PanelTau.show();
    ParseValue(s, in.TauStr);
    in.PanelQmax.show();
    in.Qstr.show();
    in.rst_Pogrpanel.setVisible(!in.pr_St.checked() && in.pr_Rab.checked());
    in.pr_St.setVisible(in.pr_Rab.checked());
  } else {
    setVisible({&in.VlTip, &in.TabSheet14, &in.pr_St}, false);
  }
  pr_pogrClick(s);
}

// --- Error-mode rules --------------------------------------------------------------

void pr_pogrClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool error = in.Raschet.index() == 1;
  setVisible({&in.TabSheet11, &in.TabSheet6}, error);
  if (!in.pr_Rab.checked()) {
    in.TabSheet8.show();
    in.GroupBox6.show();
  }
  setVisible({&in.Label57, &in.rstsisstr, &in.n2sisstr, &in.co2sisstr, &in.rstTipPogr, &in.n2TipPogr,
              &in.co2TipPogr, &in.rstsisstrFx, &in.n2sisstrFx, &in.co2sisstrFx},
             error);
  for (StringGrid* g : {&in.sostav, &in.sost_rgaz, &in.sost_iso, &in.sost_113, &in.Sost_118, &in.sost_135}) {
    g->setColCount(error ? 3 : 2);
    const bool narrow = g == &in.sostav || g == &in.sost_rgaz;
    g->setWidth(error ? (narrow ? 249 : 265) : (narrow ? 189 : 205));
  }
  in.PanelMR113.setWidth(in.sost_113.width() + 8);
  if (error) {
    in.PolnBox.setWidth(393);
  } else if (StringGrid* g = visibleGrid(in)) {
    in.PolnBox.setWidth(g->width() + 32);
  }
  setVisible({&in.rPrSredPogrSisStr, &in.rPrSredTipPogr, &in.rLabel, &in.KoefTPrSredStr, &in.KoefPPrSredStr,
              &in.rstPrSredPogrSisStr, &in.rstPrSredTipPogr, &in.rstLabel, &in.PanelTau},
             error);
  in.KTpanel.setVisible(error);
  if (error) {
    in.KTTed.setIndex(in.Ted.index());
    in.KTPed.setIndex(in.PizbEd.index());
  }
  guarded(s, [&] {
    reparse(s, {&in.Tstr, &in.PbarStr, &in.PizbStr});
    if (in.sostav.visible()) runGridRule(s, in.sostav);
    reparse(s, {&in.KTPminStr, &in.KTPmaxStr});
    controlPointCaptions(s);
  });
}

// --- Medium ------------------------------------------------------------------------

void sredaChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  setVisible({&in.NamePrSredPanel, &in.PrSredPanel, &in.Koef_mu, &in.Metod_s, &in.Memo_113, &in.Memo_118,
              &in.Memo_135, &in.PanelMR113, &in.Sost_118, &in.sost_135, &in.pr_vlag, &in.VlagStr, &in.SostavBox},
             false);
  setVisible({&in.Label4, &in.PizbStr, &in.PizbEd}, true);
  setVisible({&in.PbarStr, &in.PbarEd}, in.pr_Pbar.checked());
  const int medium = in.sreda.index();
  if (medium == 0) {
    in.metod.show();
    metodClick(s);
    in.VlagStr.setVisible(in.pr_vlag.checked());
  } else if (medium == 1) {
    setVisible({&in.NamePrSredPanel, &in.PrSredPanel}, true);
    setVisible({&in.metod, &in.NepolnBox, &in.PolnBox}, false);
    LoadMediumNames(s);
  } else if (medium == 2) {
    setVisible({&in.PolnBox, &in.Metod_s}, true);
    if (in.Metod_s.index() < 0) in.Metod_s.setIndex(0);
    setVisible({&in.NepolnBox, &in.metod}, false);
    Metod_sClick(s);
  } else {
    setVisible({&in.metod, &in.NepolnBox, &in.PolnBox}, false);
  }
  hideForMeasuredDensities(s);
  guarded(s, [&] {
    reparse(s, {&in.Tstr, &in.PbarStr, &in.PizbStr, &in.rst_pogrStr});
    pr_pogrClick(s);
    if (medium == 1) {
      reparse(s, {&in.rPrSredStr, &in.rPrSredPogrSisStr, &in.KoefTPrSredStr, &in.KoefPPrSredStr, &in.rstPrSredStr,
                  &in.rstPrSredPogrSisStr});
      otherMediumErrorKindRule(s);
    }
  });
}

// --- Natural-gas method --------------------------------------------------------------

void metodClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  setVisible({&in.Sost_118, &in.sost_135, &in.Koef_mu}, false);
  StringGrid* grid = nullptr;
  switch (in.metod.index()) {
    case 0: grid = &in.sostav; break;
    case 3: grid = &in.sost_rgaz; break;
    case 4: grid = &in.sost_iso; break;
    default: break;
  }
  if (grid != nullptr) {
    in.PolnBox.show();
    in.NepolnBox.hide();
    for (StringGrid* g : {&in.sostav, &in.sost_rgaz, &in.sost_iso}) g->setVisible(g == grid);
    writeComponentNames(in, *grid);
    runGridRule(s, *grid);
  } else if (in.metod.index() == 1 || in.metod.index() == 2) {
    in.NepolnBox.show();
    in.PolnBox.hide();
    ParseValue(s, in.rststr);
  }
  hideForMeasuredDensities(s);
  // GOST R 8.662 carries the water in its composition; a method hidden by
  // measured densities does not apply.
  if (in.VlTip.shown() && in.VlTip.index() == 1) {
    in.TabSheet14.setVisible(in.metod.index() != 4 || !in.metod.visible());
  }
}

// --- Mixture method ------------------------------------------------------------------

void Metod_sClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  setVisible({&in.sostav, &in.sost_rgaz, &in.sost_iso, &in.Memo_113, &in.Memo_118, &in.Memo_135}, false);
  const int m = in.Metod_s.index();
  in.Memo_113.setVisible(m == 0);
  in.PanelMR113.setVisible(m == 0);
  in.Memo_118.setVisible(m == 1);
  in.Sost_118.setVisible(m == 1);
  in.Memo_135.setVisible(m == 2);
  in.sost_135.setVisible(m == 2);
  StringGrid* grid = m == 0 ? &in.sost_113 : m == 1 ? &in.Sost_118 : m == 2 ? &in.sost_135 : nullptr;
  if (grid != nullptr) {
    writeComponentNames(in, *grid);
    runGridRule(s, *grid);
  }
  hideForMeasuredDensities(s);
}

// --- Density meters ------------------------------------------------------------------

void pr_RabClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.pr_Rab.checked();
  in.pr_St.setVisible(in.Raschet.index() == 1 && on);
  setVisible({&in.TabSheet3, &in.rrab_panel, &in.rst_panel, &in.rst_Pogrpanel}, on);
  if (on) {
    setBox(in.pr_St, false);
    hideForMeasuredDensities(s);
    setVisible({&in.TabSheet8, &in.TabSheet9, &in.PanelTP, &in.PanelIKTP}, false);
    in.GroupBox3.setCaption("Изменение плотности при раб. условиях");
    in.GroupBox12.setCaption("Изменение плотности при ст. условиях");
    setVisible({&in.GroupBox3, &in.GroupBox12}, true);
    setVisible({&in.GroupBox5, &in.GroupBox6}, false);
    in.rrabIKpanel.show();
    setVisible({&in.KTTed, &in.KTPed}, false);
    pr_StClick(s);
    setVisible({&in.T_str, &in.T_ed, &in.pr_Pbar_, &in.Pbar_str, &in.Pbar_Ed, &in.Label61, &in.Pizb_str,
                &in.Pizb_ed},
               false);
    setVisible({&in.r_rab_str, &in.r_st_str}, true);
    in.pr_St.setVisible(!in.GroupBox13.visible());
  } else {
    setVisible({&in.TabSheet8, &in.TabSheet9, &in.PanelTP, &in.PanelIKTP}, true);
    in.GroupBox5.setCaption("Изменение температуры");
    in.GroupBox6.setCaption("Изменение давления");
    setVisible({&in.GroupBox5, &in.GroupBox6}, true);
    setVisible({&in.GroupBox3, &in.GroupBox12, &in.rrabIKpanel, &in.rstIkpanel}, false);
    setVisible({&in.KTTed, &in.KTPed}, true);
    setVisible({&in.T_str, &in.T_ed, &in.pr_Pbar_, &in.Label61, &in.Pizb_str, &in.Pizb_ed}, true);
    setVisible({&in.Pbar_str, &in.Pbar_Ed}, in.pr_Pbar_.checked());
    setVisible({&in.r_rab_str, &in.r_st_str}, false);
    sredaChange(s);
  }
  if (in.Raschet.index() == 2) Q_TipChange(s);
  // The tables vary the densities instead of the temperature and pressure.
  controlPointCaptions(s);
}

void pr_StClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool st = in.pr_St.checked();
  in.rstPanel.setVisible(st);
  if (in.pr_IK.checked() && in.PanelIK.visible() && st && in.pr_Rab.checked()) {
    in.rstIkpanel.show();
    ParseValue(s, in.PogrKanalrstStr);
  } else {
    in.rstIkpanel.hide();
    in.Panelrst.show();
  }
  if (!in.pr_IK.checked() || in.TipIK.index() > 0) setVisible({&in.Panelrrab, &in.Panelrst}, true);
  in.rst_Pogrpanel.setVisible(!st && in.pr_Rab.checked() && in.Raschet.index() != 0);
  guarded(s, [&] {
    for (Choice* kind : {&in.rrab1TipPogr, &in.rrab2TipPogr, &in.rrab3TipPogr, &in.rrab1tipdopPogr,
                         &in.rrab2tipdopPogr, &in.rrab3tipdopPogr, &in.rst1TipPogr, &in.rst2TipPogr, &in.rst3TipPogr,
                         &in.rst1tipdopPogr, &in.rst2tipdopPogr, &in.rst3tipdopPogr, &in.TipPogrKanalrrab,
                         &in.TipPogrKanalrrabdop, &in.TipPogrKanalrst, &in.TipPogrKanalrstdop}) {
      errorKindRule(s, *kind);
    }
    reparse(s, {&in.rrabMinStr, &in.rrabMaxStr, &in.rstMinStr, &in.rstMaxStr, &in.rrab1pogrStr, &in.rrab2PogrStr,
                &in.rrab3PogrStr, &in.rrab1dopPogrStr, &in.rrab2dopPogrStr, &in.rrab3doppogrStr, &in.rst1PogrStr,
                &in.rst2PogrStr, &in.rst3PogrStr, &in.rst1dopPogrStr, &in.rst2dopPogrStr, &in.rst3dopPogrStr,
                &in.PogrKanalrrabStr, &in.PogrKanalrrabdopStr, &in.PogrKanalrstStr, &in.PogrKanalrstdopStr,
                &in.rrab_Str, &in.rst_str, &in.rst_pogrStr});
  });
}

// --- Atmospheric pressure ----------------------------------------------------------

void pr_PbarClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.pr_Pbar.checked();
  setVisible({&in.PbarStr, &in.PbarEd, &in.PbarBox}, on);
  if (on) {
    in.PizboCheck.setCaption("Температура окружающей среды в месте установки СИ избыточного давления (to3)");
    in.PbaroCheck.show();
    in.PbaroStr.setVisible(in.PbaroCheck.checked());
    in.Label4.setCaption("Избыточное давление (P)");
    in.GroupBox6.setCaption("Изменение изб. давления");
    in.Label118.setCaption("Избыточного давления");
    ParseValue(s, in.PbarStr);
    TipIzmBarChange(s);
  } else {
    in.PizboCheck.setCaption("Температура окружающей среды в месте установки СИ абсолютного давления (to3)");
    setVisible({&in.PbaroCheck, &in.PbaroStr}, false);
    in.Label4.setCaption("Абсолютное давление (P)");
    in.GroupBox6.setCaption("Изменение абс. давления");
    in.Label118.setCaption("Абсолютного давления");
    in.PbarStr.value = 0;
    in.PogrKanalPbarStr.value = 0;
    in.PanelIKPbar.hide();
  }
  in.PizbBox.setCaption(in.Label4.caption());
  in.TextP.setCaption(controlPointPressureCaption(in));
  in.TextPk.setCaption(in.TextP.caption());
}

void TipIzmBarChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool measured = in.TipIzmBar.index() != 1;
  setVisible({&in.LabelPbarErr, &in.PbarTipPogr, &in.PbarTipdopPogr, &in.PbarPogrStr, &in.PbarDopPogrStr,
              &in.PbarPogrEd, &in.PbardopPogrEd, &in.LabelPbarMain, &in.LabelPbarDop, &in.TipAddPbar,
              &in.PbarPogrStrFx, &in.PbarDopPogrStrFx, &in.Label47},
             measured);
  in.Label114.setVisible(!measured);
  if (measured && in.pr_Pbar.checked()) {
    in.PanelIKPbar.show();
    errorKindRule(s, in.TipPogrKanalPbar);
  } else {
    in.PanelIKPbar.hide();
  }
}

// --- Diameter inputs ---------------------------------------------------------------

void Q_TipChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  in.r_st_str.setVisible(in.Q_Tip.index() == 1);
  in.Panel8.setVisible(!in.pr_Rab.checked());
  in.Panel6.setVisible(in.pr_Rab.checked());
}

void pr_Pbar_Click(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.pr_Pbar_.checked();
  setVisible({&in.Pbar_str, &in.Pbar_Ed}, on);
  if (on) {
    in.Label61.setCaption("Минимальное избыточное давление");
    ParseValue(s, in.Pbar_str);
  } else {
    in.Label61.setCaption("Минимальное абсолютное давление");
    in.Pbar_str.value = 0;
  }
}

// --- Humidity ------------------------------------------------------------------------

void VlTipChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  if (in.Raschet.index() == 0) {
    in.TabSheet14.setVisible(in.VlTip.index() == 1);
    if (naturalGas(s)) metodClick(s);
  }
}

void TipVlChange(Session& s) {
  scheduleCalculation(s);
  s.in.TipAbsVl.setVisible(s.in.TipVl.index() == 1);
}

// --- Transducers of the instruments --------------------------------------------------

void dP2checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.dP2check.checked();
  setVisible({&in.dP2tipPogr, &in.dP2sisstr, &in.dP2tipdopPogr, &in.dp2dopStr, &in.TipAdddP2, &in.dP2sisstrFx,
              &in.dp2dopStrFx, &in.LabeldPErr, &in.LabeldPDop, &in.LabeldPMain},
             on);
  in.dP3check.setVisible(on);
  setBox(in.dP3check, false);
  dP3checkClick(s);
}

void dP3checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  setVisible({&in.dP3tipPogr, &in.dP3sisstr, &in.dP3tipdopPogr, &in.dp3dopStr, &in.TipAdddP3, &in.dP3sisstrFx,
              &in.dp3dopStrFx},
             in.dP3check.checked() && in.dP3check.visible());
}

void P1checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  if (in.pr_IK.checked() && in.TipIK.index() > 0) in.P1check.setChecked(true);
  in.PanelP.setVisible(in.P1check.checked());
}

void P2checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.P2check.checked();
  setVisible({&in.P2tipPogr, &in.P2sisstr, &in.P2Ed, &in.P2tipdopPogr, &in.P2dopStr, &in.P2dopEd, &in.TipAddP2,
              &in.P2sisstrFx, &in.P2dopStrFx},
             on);
  in.P3check.setVisible(on);
  setBox(in.P3check, false);
  P3checkClick(s);
  guarded(s, [&] {
    errorKindRule(s, in.P2tipPogr);
    errorKindRule(s, in.P2tipdopPogr);
  });
}

void P3checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  setVisible({&in.P3tipPogr, &in.P3sisstr, &in.P3ed, &in.P3tipdopPogr, &in.P3dopStr, &in.P3dopEd, &in.TipAddP3,
              &in.P3sisstrFx, &in.P3dopStrFx},
             in.P3check.checked() && in.P3check.visible());
  guarded(s, [&] {
    errorKindRule(s, in.P3tipPogr);
    errorKindRule(s, in.P3tipdopPogr);
  });
}

void T2checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.T2check.checked();
  setVisible({&in.T2tipPogr, &in.T2sisstr, &in.T2ed, &in.T2tipdopPogr, &in.T2dopStr, &in.T2dopEd, &in.TipAddT2,
              &in.T2sisstrFx, &in.T2dopStrFx},
             on);
  setBox(in.T3check, false);
  in.T3check.setVisible(on);
  T3checkClick(s);
  guarded(s, [&] {
    errorKindRule(s, in.T2tipPogr);
    errorKindRule(s, in.T2tipdopPogr);
  });
}

void T3checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  setVisible({&in.T3tipPogr, &in.T3sisstr, &in.T3ed, &in.T3tipdopPogr, &in.T3dopStr, &in.T3dopEd, &in.TipAddT3,
              &in.T3sisstrFx, &in.T3dopStrFx},
             in.T3check.checked() && in.T3check.visible());
  guarded(s, [&] {
    errorKindRule(s, in.T3tipPogr);
    errorKindRule(s, in.T3tipdopPogr);
  });
}

// --- Unit boxes that follow one another ----------------------------------------------

void QmaxEdChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  in.QpredMinEd.setIndex(in.QpredMaxEd.index());
  if (in.KTtip.index() == 1) controlPointUnitRule(s, true);
}

// A unit box of an error value holds the pressure units only while its kind
// is "абсолютная"; then it takes the unit of the instrument's limits.
static void followPressureUnit(ComboBox& box, const Choice& limits) {
  if (box.count() == limits.count()) box.setIndex(limits.index());
}

void PbarPredEdChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  followPressureUnit(in.PbarPogrEd, in.PbarPredEd);
  in.PbarEd.setIndex(in.PbarPredEd.index());
  reparse(s, {&in.PbarMinStr, &in.PbarMaxStr, &in.PbarPogrStr, &in.PbarStr});
}

void PbarEdChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  in.PbarPredEd.setIndex(in.PbarEd.index());
  followPressureUnit(in.PbarPogrEd, in.PbarEd);
  ParseValue(s, in.PbarStr);
  if (in.Raschet.index() == 1) reparse(s, {&in.PbarMinStr, &in.PbarMaxStr});
}

void PizbEdChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  for (Choice* c : {static_cast<Choice*>(&in.PizbPredEd), static_cast<Choice*>(&in.PizbPrednEd),
                    static_cast<Choice*>(&in.KTPed)}) {
    c->setIndex(in.PizbEd.index());
  }
  reparse(s, {&in.PizbPredstr, &in.PizbprednStr, &in.KTPminStr, &in.KTPmaxStr, &in.PizbStr});
  controlPointCaptions(s);
}

// --- Control-point captions ------------------------------------------------------------

std::string controlPointPressureCaption(const InputRecord& in) { return tablePressureCaption(in); }

void controlPointCaptions(Session& s) { setTableCaptions(s.in); }

// --- Installation ----------------------------------------------------------------------

namespace {

// A rule of a choice that only restarts the calculation.
void scheduleOnly(Session& s, Choice& c) {
  installRule(c.onChange, [&s] { scheduleCalculation(s); });
}

}  // namespace

void installFormRules(Session& s) {
  InputRecord& in = s.in;
  auto rule = [&s](void (*f)(Session&)) { return [&s, f] { f(s); }; };
  installRule(in.Raschet.onChange, rule(RaschetClick));
  installRule(in.sreda.onChange, rule(sredaChange));
  installRule(in.metod.onChange, rule(metodClick));
  installRule(in.Metod_s.onChange, rule(Metod_sClick));
  installRule(in.pr_Rab.onClick, rule(pr_RabClick));
  installRule(in.pr_St.onClick, rule(pr_StClick));
  installRule(in.pr_Pbar.onClick, rule(pr_PbarClick));
  installRule(in.Q_Tip.onChange, rule(Q_TipChange));
  installRule(in.pr_Pbar_.onClick, rule(pr_Pbar_Click));
  installRule(in.TipIzmBar.onChange, rule(TipIzmBarChange));
  installRule(in.VlTip.onChange, rule(VlTipChange));
  installRule(in.TipVl.onChange, rule(TipVlChange));
  installRule(in.dP2check.onClick, rule(dP2checkClick));
  installRule(in.dP3check.onClick, rule(dP3checkClick));
  installRule(in.P1check.onClick, rule(P1checkClick));
  installRule(in.P2check.onClick, rule(P2checkClick));
  installRule(in.P3check.onClick, rule(P3checkClick));
  installRule(in.T2check.onClick, rule(T2checkClick));
  installRule(in.T3check.onClick, rule(T3checkClick));
  installRule(in.QpredMaxEd.onChange, rule(QmaxEdChange));
  installRule(in.PbarPredEd.onChange, rule(PbarPredEdChange));
  installRule(in.PbarEd.onChange, rule(PbarEdChange));
  installRule(in.PizbEd.onChange, rule(PizbEdChange));
  installRule(in.Ted.onChange, [&s] {
    scheduleCalculation(s);
    ParseValue(s, s.in.Tstr);
  });
  for (ComboBox* unit : {&in.Q_Ed, &in.Pbar_Ed, &in.Pizb_ed}) {
    Edit* edit = unit == &in.Q_Ed ? &in.Q_Str : unit == &in.Pbar_Ed ? &in.Pbar_str : &in.Pizb_str;
    installRule(unit->onChange, [&s, edit] {
      scheduleCalculation(s);
      ParseValue(s, *edit);
    });
  }
  installRule(in.TipPogr.onChange, [&s] {
    scheduleCalculation(s);
    controlPointCaptions(s);
  });
  installRule(in.TipSU.onChange, [&s] {
    scheduleCalculation(s);
    TipSUChange(s);
  });
  for (Choice* c : {static_cast<Choice*>(&in.TipAbsVl), static_cast<Choice*>(&in.Koef_mu),
                    static_cast<Choice*>(&in.NamePrSred)}) {
    scheduleOnly(s, *c);
  }
  installRule(in.pr_vlag.onClick, [&s] {
    scheduleCalculation(s);
    s.in.VlagStr.setVisible(s.in.pr_vlag.checked() && s.in.sreda.index() == 0);
  });
  // The calculation name proposes the file name of the save dialog.
  installRule(in.NameIzmTrub.changeRule, [&s] {
    std::string name = s.in.NameIzmTrub.text();
    for (char& ch : name) {
      if (ch == ':' || ch == '"' || ch == '.' || ch == ',' || ch == ';') ch = ' ';
    }
    s.proposedSaveName = name;
  });
  // A change of nitrogen or carbon dioxide is copied into every composition grid.
  installRule(in.n2str.changeRule, [&s] { mirrorGasParameter(s, s.in.n2str); });
  installRule(in.co2str.changeRule, [&s] { mirrorGasParameter(s, s.in.co2str); });
  for (StringGrid* g : {&in.sostav, &in.sost_rgaz, &in.sost_iso, &in.sost_113, &in.Sost_118, &in.sost_135}) {
    installRule(g->onKeyUp, [&s, g] { runGridRule(s, *g); });
  }
  // The automatic uncertainty of composition and the way methane is found.
  for (auto* c : {static_cast<Control*>(&in.TipPogrMetan), static_cast<Control*>(&in.TipMetan)}) {
    auto rule = [&s] {
      scheduleCalculation(s);
      InputRecord& r = s.in;
      if (r.TipPogrMetan.checked()) {
        for (StringGrid* g : {&r.sostav, &r.sost_rgaz, &r.sost_iso, &r.sost_113, &r.Sost_118, &r.sost_135}) {
          if (g->shown()) runGridRule(s, *g);
        }
      }
      r.PanelMetan.setVisible(r.TipPogrMetan.checked());
    };
    if (c == &in.TipPogrMetan) {
      installRule(in.TipPogrMetan.onClick, rule);
    } else {
      installRule(in.TipMetan.onChange, rule);
    }
  }
  installRule(in.Button46.onClick, [&s] {
    OrderDiameterSeries(s);
    scheduleCalculation(s);
  });
  installErrorInputRules(s);
  // The timer belongs to the window or the batch run and may have served an
  // earlier session; it calls this one now.
  s.TimerProv.onTimeout = [&s] { TimerProvTimer(s); };
  installRule(s.applyFormRules, [&s] { applyAllFormRules(s); });
}

void applyAllFormRules(Session& s) {
  InputRecord& in = s.in;
  const bool idle = in.CalcIdle;
  in.CalcIdle = false;
  pr_pogrClick(s);
  QmaxEdChange(s);
  metodClick(s);
  sredaChange(s);
  Metod_sClick(s);
  RaschetClick(s);
  pr_PbarClick(s);
  applyErrorInputRules(s);
  dP2checkClick(s);
  P2checkClick(s);
  T2checkClick(s);
  RaschetClick(s);
  const bool st = in.pr_St.checked();
  pr_RabClick(s);
  in.pr_St.setChecked(st);
  pr_StClick(s);
  Q_TipChange(s);
  pr_Pbar_Click(s);
  VlTipChange(s);
  TipVlChange(s);
  TipIzmBarChange(s);
  controlPointCaptions(s);
  in.CalcIdle = idle;
}

}  // namespace velmar
