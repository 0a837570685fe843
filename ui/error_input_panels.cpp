#include "ui/error_input_panels.h"
#include "core/form_events.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "core/parse_value.h"
#include "measuring_point/calculation_driver.h"
#include "measuring_point/session.h"
#include "ui/rule_slot.h"
#include "uncertainty/control_point_tables.h"

namespace velmar {

namespace {

void setVisible(std::initializer_list<Control*> controls, bool visible) {
  for (Control* c : controls) c->setVisible(visible);
}

// What stands beside an error value for an absolute kind: the item list of a
// limit box (pressures) or one fixed unit.
struct UnitFollow {
  Choice* kind;
  ComboBox* unit;
  Edit* value;
  const Choice* limits;    // pressure: the limit box whose items and item are taken
  const char* fixedUnit;   // otherwise
};

std::vector<UnitFollow> unitFollows(InputRecord& in) {
  return {
      {&in.P1tipPogr, &in.P1Ed, &in.P1sisstr, &in.PizbPredEd, nullptr},
      {&in.P2tipPogr, &in.P2Ed, &in.P2sisstr, &in.PizbPredEd, nullptr},
      {&in.P3tipPogr, &in.P3ed, &in.P3sisstr, &in.PizbPredEd, nullptr},
      {&in.P1tipdopPogr, &in.P1dopEd, &in.P1dopStr, &in.PizbPredEd, nullptr},
      {&in.P2tipdopPogr, &in.P2dopEd, &in.P2dopStr, &in.PizbPredEd, nullptr},
      {&in.P3tipdopPogr, &in.P3dopEd, &in.P3dopStr, &in.PizbPredEd, nullptr},
      {&in.PbarTipPogr, &in.PbarPogrEd, &in.PbarPogrStr, &in.PbarPredEd, nullptr},
      {&in.PbarTipdopPogr, &in.PbardopPogrEd, &in.PbarDopPogrStr, &in.PbarPredEd, nullptr},
      {&in.TipPogrKanalP, &in.PogrKanalPEd, &in.PogrKanalPStr, &in.PizbPredEd, nullptr},
      {&in.TipPogrKanalPdop, &in.PogrKanalPdopEd, &in.PogrKanalPdopStr, &in.PizbPredEd, nullptr},
      {&in.TipPogrKanalPbar, &in.PogrKanalPbarEd, &in.PogrKanalPbarStr, &in.PbarPredEd, nullptr},
      {&in.TipPogrKanalPbardop, &in.PogrKanalPbardopEd, &in.PogrKanalPbardopStr, &in.PbarPredEd, nullptr},
      {&in.T1tipPogr, &in.T1ed, &in.T1sisstr, nullptr, "°C"},
      {&in.T2tipPogr, &in.T2ed, &in.T2sisstr, nullptr, "°C"},
      {&in.T3tipPogr, &in.T3ed, &in.T3sisstr, nullptr, "°C"},
      {&in.T1tipdopPogr, &in.T1dopEd, &in.T1dopStr, nullptr, "°C"},
      {&in.T2tipdopPogr, &in.T2dopEd, &in.T2dopStr, nullptr, "°C"},
      {&in.T3tipdopPogr, &in.T3dopEd, &in.T3dopStr, nullptr, "°C"},
      {&in.TipPogrKanalT, &in.PogrKanalTEd, &in.PogrKanalTStr, nullptr, "°С"},
      {&in.TipPogrKanalTdop, &in.PogrKanalTdopEd, &in.PogrKanalTdopStr, nullptr, "°С"},
      {&in.rrab1TipPogr, &in.rrab1Ed, &in.rrab1pogrStr, nullptr, "кг/м3"},
      {&in.rrab2TipPogr, &in.rrab2Ed, &in.rrab2PogrStr, nullptr, "кг/м3"},
      {&in.rrab3TipPogr, &in.rrab3Ed, &in.rrab3PogrStr, nullptr, "кг/м3"},
      {&in.rrab1tipdopPogr, &in.rrab1dopEd, &in.rrab1dopPogrStr, nullptr, "кг/м3"},
      {&in.rrab2tipdopPogr, &in.rrab2dopEd, &in.rrab2dopPogrStr, nullptr, "кг/м3"},
      {&in.rrab3tipdopPogr, &in.rrab3dopEd, &in.rrab3doppogrStr, nullptr, "кг/м3"},
      {&in.rst1TipPogr, &in.rst1Ed, &in.rst1PogrStr, nullptr, "кг/м3"},
      {&in.rst2TipPogr, &in.rst2ed, &in.rst2PogrStr, nullptr, "кг/м3"},
      {&in.rst3TipPogr, &in.rst3Ed, &in.rst3PogrStr, nullptr, "кг/м3"},
      {&in.rst1tipdopPogr, &in.rst1dopEd, &in.rst1dopPogrStr, nullptr, "кг/м3"},
      {&in.rst2tipdopPogr, &in.rst2dopEd, &in.rst2dopPogrStr, nullptr, "кг/м3"},
      {&in.rst3tipdopPogr, &in.rst3dopEd, &in.rst3dopPogrStr, nullptr, "кг/м3"},
      {&in.TipPogrKanalrrab, &in.PogrKanalrrabEd, &in.PogrKanalrrabStr, nullptr, "кг/м3"},
      {&in.TipPogrKanalrrabdop, &in.PogrKanalrrabdopEd, &in.PogrKanalrrabdopStr, nullptr, "кг/м3"},
      {&in.TipPogrKanalrst, &in.PogrKanalrstEd, &in.PogrKanalrstStr, nullptr, "кг/м3"},
      {&in.TipPogrKanalrstdop, &in.PogrKanalrstdopEd, &in.PogrKanalrstdopStr, nullptr, "кг/м3"},
  };
}

bool isFlowKind(const InputRecord& in, const Choice& kind) {
  for (const Choice* c : {&in.dP1tipPogr, &in.dP2tipPogr, &in.dP3tipPogr, &in.dp1tipdopPogr, &in.dP2tipdopPogr,
                          &in.dP3tipdopPogr, &in.dP1dopdiapTipPogr, &in.TipPogrKanaldP, &in.TipPogrKanaldPdop}) {
    if (c == &kind) return true;
  }
  return false;
}

void keepChecked(Session& s, CheckBox& box) {
  scheduleCalculation(s);
  box.setChecked(true);
}

void secondTransducer(Session& s, CheckBox& second, CheckBox& third, std::initializer_list<Control*> row) {
  scheduleCalculation(s);
  setVisible(row, second.checked());
  third.setVisible(second.checked());
  if (third.checked()) {
    third.setChecked(false);
    if (third.onClick) third.onClick();
  }
}

void thirdTransducer(Session& s, CheckBox& third, std::initializer_list<Control*> row) {
  scheduleCalculation(s);
  setVisible(row, third.checked() && third.visible());
}

void T11checkClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool rt = in.T11check.checked();
  setVisible({&in.Tclass, &in.T11str, &in.T12str, &in.LabelTclass}, rt);
  setVisible({&in.T1tipPogr, &in.T1sisstr, &in.T1ed, &in.T1tipdopPogr, &in.T1dopStr, &in.T1dopEd, &in.TipAddT1,
              &in.T1sisstrFx, &in.T1dopStrFx, &in.LabelTMain, &in.LabelTDop},
             !rt);
}

// Class tolerances of resistance thermometers, Δt = a + b·|t|.
void TclassChange(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  static constexpr const char* kCoefficients[4][2] = {
      {"0,1", "0,0017"}, {"0,15", "0,002"}, {"0,3", "0,005"}, {"0,6", "0,01"}};
  const int c = in.Tclass.index();
  const bool individual = c == 4;
  in.T11str.setReadOnly(!individual);
  in.T12str.setReadOnly(!individual);
  if (c >= 0 && c < 4) {
    // The coefficients are written with the system's decimal separator, so
    // that they read back as numbers.
    for (int k = 0; k < 2; ++k) {
      std::string text = kCoefficients[c][k];
      for (char& ch : text) {
        if (ch == ',') ch = s.decimalSeparator;
      }
      (k == 0 ? in.T11str : in.T12str).setText(text);
    }
  }
  ParseValue(s, in.T11str);
  ParseValue(s, in.T12str);
}

void dP1dopcheckClick(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool on = in.dP1dopcheck.checked();
  setVisible({&in.Diap2minStr, &in.Diap2maxStr, &in.Diap2Ed, &in.dP1dopdiapTipPogr, &in.dP1dopsisStr,
              &in.dP1dopsisStrFx, &in.LabelDiap2},
             on);
  if (on) {
    in.Diap1minStr.setReadOnly(false);
    in.Diap1minStr.setText("10");
    in.Diap1maxStr.setText("100");
    in.Diap1Ed.show();
    in.Diap1Ed.setIndex(0);
    in.Diap2minStr.setText("Qн");
    in.Diap2minStr.setReadOnly(true);
  } else {
    in.Diap1minStr.setText("Qн");
    in.Diap1minStr.setReadOnly(true);
    in.Diap1maxStr.setText("Qв");
    in.Diap1Ed.hide();
  }
  in.Diap2Ed.setIndex(in.Diap1Ed.index());
}

void ambientRule(Session& s, CheckBox& box, Edit& edit) {
  scheduleCalculation(s);
  edit.setVisible(box.checked() && box.visible());
  ParseValue(s, edit);
}

}  // namespace

void errorKindRule(Session& s, Choice& kind) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  if (isFlowKind(in, kind)) {
    in.PanelQmax.show();
    in.PanelTau.setVisible(in.Raschet.index() != 0);
    return;
  }
  for (const UnitFollow& f : unitFollows(in)) {
    if (f.kind != &kind) continue;
    if (kind.index() == 2) {
      if (f.limits != nullptr) {
        f.unit->setItems(f.limits->items(), f.limits->index());
      } else {
        f.unit->setItems({f.fixedUnit}, 0);
      }
    } else {
      f.unit->setItems({"%"}, 0);
    }
    ParseValue(s, *f.value);
    return;
  }
}

void otherMediumErrorKindRule(Session& s) {
  InputRecord& in = s.in;
  in.rLabel.setCaption(in.rPrSredTipPogr.index() == 1 ? "кг/м3" : "%");
  in.rstLabel.setCaption(in.rstPrSredTipPogr.index() == 1 ? "кг/м3" : "%");
}

void channelModeRule(Session& s) {
  scheduleCalculation(s);
  InputRecord& in = s.in;
  const bool device = in.pr_IK.checked();
  const int mode = in.TipIK.index();
  setVisible({&in.PanelComp, &in.PizbprednStr, &in.Label119, &in.PizbPrednEd}, device);
  if (!device) {
    setVisible({&in.PanelT, &in.PanelP, &in.PaneldP}, true);
  } else if (mode == 0) {
    setVisible({&in.PanelT, &in.PanelP, &in.TipIkQ}, true);
    in.PaneldP.setVisible(in.TipIkQ.checked());
    setVisible({&in.PanelIK, &in.Panelrrab, &in.Panelrst}, false);
  } else if (mode == 1) {
    setVisible({&in.PanelT, &in.PanelP, &in.PaneldP, &in.Panelrrab, &in.Panelrst}, true);
    in.P1check.setChecked(true);
    in.T1check.setChecked(true);
    setVisible({&in.PanelIK, &in.TipIkQ}, false);
  } else {
    setVisible({&in.PanelT, &in.PanelP, &in.PaneldP, &in.PanelIK}, true);
    in.Panelrrab.setVisible(in.pr_Rab.checked());
    in.Panelrst.setVisible(in.pr_Rab.checked() && in.pr_St.checked());
    in.TipIkQ.hide();
  }
  // The temperature and pressure transducer panels also follow their first
  // transducer's box.
  if (!in.T1check.checked()) in.PanelT.hide();
  if (!in.P1check.checked()) in.PanelP.hide();
  in.rstIkpanel.setVisible(device && in.PanelIK.visible() && in.pr_St.checked() && in.pr_Rab.checked());
}

void controlPointUnitRule(Session& s, bool keepSelection) {
  InputRecord& in = s.in;
  const int selected = in.KT1ed.index();
  if (in.KTtip.index() == 1) {
    in.KT1ed.setItems({"м3/ч"}, 0);
  } else {
    in.KT1ed.setItems({"м3/ч", "%"}, keepSelection && selected >= 0 && selected < 2 ? selected : 1);
  }
  for (ComboBox* c : {&in.KT2ed, &in.KT3ed, &in.KT4ed, &in.KT5ed, &in.KT6ed}) {
    c->setItems(in.KT1ed.items(), in.KT1ed.index());
    c->setText(in.KT1ed.text());
  }
  const bool idle = in.CalcIdle;
  in.CalcIdle = false;
  for (Edit* e : {&in.KT1str, &in.KT2str, &in.KT3str, &in.KT4str, &in.KT5str, &in.KT6str}) ParseValue(s, *e);
  in.CalcIdle = idle;
}

void installErrorInputRules(Session& s) {
  InputRecord& in = s.in;
  for (const UnitFollow& f : unitFollows(in)) {
    Choice* kind = f.kind;
    installRule(kind->onChange, [&s, kind] { errorKindRule(s, *kind); });
    Edit* value = f.value;
    installRule(f.unit->onChange, [&s, value] {
      scheduleCalculation(s);
      ParseValue(s, *value);
    });
  }
  for (Choice* kind : {&in.dP1tipPogr, &in.dP2tipPogr, &in.dP3tipPogr, &in.dp1tipdopPogr, &in.dP2tipdopPogr,
                       &in.dP3tipdopPogr, &in.dP1dopdiapTipPogr, &in.TipPogrKanaldP, &in.TipPogrKanaldPdop}) {
    Choice* k = kind;
    installRule(k->onChange, [&s, k] { errorKindRule(s, *k); });
  }
  for (Choice* kind : {&in.rstTipPogr, &in.n2TipPogr, &in.co2TipPogr}) {
    Edit* value = kind == &in.rstTipPogr ? &in.rstsisstr : kind == &in.n2TipPogr ? &in.n2sisstr : &in.co2sisstr;
    installRule(kind->onChange, [&s, value] {
      scheduleCalculation(s);
      ParseValue(s, *value);
    });
  }
  for (Choice* kind : {&in.rPrSredTipPogr, &in.rstPrSredTipPogr}) {
    installRule(kind->onChange, [&s] {
      scheduleCalculation(s);
      otherMediumErrorKindRule(s);
    });
  }
  installRule(in.rst_pogrTip.onChange, [&s] {
    scheduleCalculation(s);
    ParseValue(s, s.in.rst_pogrStr);
  });
  installRule(in.pr_IK.onClick, [&s] { channelModeRule(s); });
  installRule(in.TipIK.onChange, [&s] { channelModeRule(s); });
  // A click on TipIkQ runs the calculation at once, although the click has
  // just restarted TimerProv.
  installRule(in.TipIkQ.onClick, [&s] {
    channelModeRule(s);
    calculateNow(s);
  });
  installRule(in.dP1check.onClick, [&s] { keepChecked(s, s.in.dP1check); });
  installRule(in.rrab1Check.onClick, [&s] { keepChecked(s, s.in.rrab1Check); });
  installRule(in.rst1Check.onClick, [&s] { keepChecked(s, s.in.rst1Check); });
  installRule(in.T1check.onClick, [&s] {
    scheduleCalculation(s);
    InputRecord& r = s.in;
    if (r.pr_IK.checked() && (r.TipIK.index() == 1 || r.TipIK.index() == 2)) r.T1check.setChecked(true);
    r.PanelT.setVisible(r.T1check.checked());
  });
  installRule(in.rrab2Check.onClick, [&s] {
    InputRecord& r = s.in;
    secondTransducer(s, r.rrab2Check, r.rrab3check,
                     {&r.rrab2TipPogr, &r.rrab2PogrStr, &r.rrab2Ed, &r.rrab2tipdopPogr, &r.rrab2dopPogrStr,
                      &r.rrab2dopEd, &r.TipAddrrab2, &r.rrab2PogrStrFx, &r.rrab2dopPogrStrFx});
  });
  installRule(in.rrab3check.onClick, [&s] {
    InputRecord& r = s.in;
    thirdTransducer(s, r.rrab3check,
                    {&r.rrab3TipPogr, &r.rrab3PogrStr, &r.rrab3Ed, &r.rrab3tipdopPogr, &r.rrab3doppogrStr,
                     &r.rrab3dopEd, &r.TipAddrrab3, &r.rrab3PogrStrFx, &r.rrab3doppogrStrFx});
  });
  installRule(in.rst2Check.onClick, [&s] {
    InputRecord& r = s.in;
    secondTransducer(s, r.rst2Check, r.rst3Check,
                     {&r.rst2TipPogr, &r.rst2PogrStr, &r.rst2ed, &r.rst2tipdopPogr, &r.rst2dopPogrStr,
                      &r.rst2dopEd, &r.TipAddrst2, &r.rst2PogrStrFx, &r.rst2dopPogrStrFx});
  });
  installRule(in.rst3Check.onClick, [&s] {
    InputRecord& r = s.in;
    thirdTransducer(s, r.rst3Check,
                    {&r.rst3TipPogr, &r.rst3PogrStr, &r.rst3Ed, &r.rst3tipdopPogr, &r.rst3dopPogrStr, &r.rst3dopEd,
                     &r.TipAddrst3, &r.rst3PogrStrFx, &r.rst3dopPogrStrFx});
  });
  installRule(in.T11check.onClick, [&s] { T11checkClick(s); });
  installRule(in.Tclass.onChange, [&s] { TclassChange(s); });
  installRule(in.dP1dopcheck.onClick, [&s] { dP1dopcheckClick(s); });
  // The additional range ends where the main range starts.
  installRule(in.Diap1minStr.changeRule, [&s] { s.in.Diap2maxStr.setText(s.in.Diap1minStr.text()); });
  installRule(in.Diap1Ed.onChange, [&s] {
    scheduleCalculation(s);
    s.in.Diap2Ed.setIndex(s.in.Diap1Ed.index());
    ParseValue(s, s.in.Diap1minStr);
    ParseValue(s, s.in.Diap1maxStr);
  });
  struct Ambient {
    CheckBox* box;
    Edit* edit;
  };
  for (Ambient a : {Ambient{&in.dPoCheck, &in.dPoStr}, Ambient{&in.ToCheck, &in.ToStr},
                    Ambient{&in.PizboCheck, &in.PizboStr}, Ambient{&in.PbaroCheck, &in.PbaroStr}}) {
    installRule(a.box->onClick, [&s, a] { ambientRule(s, *a.box, *a.edit); });
  }
  installRule(in.KTtip.onChange, [&s] {
    scheduleCalculation(s);
    controlPointUnitRule(s, false);
    setTableCaptions(s.in);  // what the control points are
  });
  installRule(in.KT1ed.onChange, [&s] {
    scheduleCalculation(s);
    controlPointUnitRule(s, true);
  });
  installRule(in.KTPed.onChange, [&s] {
    scheduleCalculation(s);
    ParseValue(s, s.in.KTPminStr);
    ParseValue(s, s.in.KTPmaxStr);
    setTableCaptions(s.in);  // the pressure unit of the heading
  });
  installRule(in.PizbPredEd.onChange, [&s] {
    scheduleCalculation(s);
    ParseValue(s, s.in.PizbPredstr);
  });
  installRule(in.PizbPrednEd.onChange, [&s] {
    scheduleCalculation(s);
    ParseValue(s, s.in.PizbprednStr);
  });
}

void applyErrorInputRules(Session& s) {
  InputRecord& in = s.in;
  T11checkClick(s);
  TclassChange(s);
  channelModeRule(s);
  for (const UnitFollow& f : unitFollows(in)) errorKindRule(s, *f.kind);
  otherMediumErrorKindRule(s);
  for (auto* box : {&in.rrab2Check, &in.rst2Check, &in.dPoCheck, &in.ToCheck, &in.PizboCheck, &in.PbaroCheck}) {
    if (box->onClick) box->onClick();
  }
  controlPointUnitRule(s, true);
}

}  // namespace velmar
