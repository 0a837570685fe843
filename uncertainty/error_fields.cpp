#include "uncertainty/error_fields.h"

#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/report_record.h"
#include "core/units.h"
#include "gasprops/gas_properties.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/error_context.h"
#include "uncertainty/error_formula.h"
#include "uncertainty/volume_error.h"

namespace velmar {

namespace {

// A pressure held in Pa, in the unit of a limit box, as the formula sees it.
double inUnit(double pa, const Choice& unit) {
  ConvertPressure(kPa_Pa, unit.index(), pa);
  return pa;
}

}  // namespace

FormulaVariables formulaVariables(const ErrorContext& s) {
  const InputRecord& in = s.in;
  FormulaVariables v;
  if (in.TauStr.value > 0) v.Q = in.Qstr.value / in.TauStr.value;
  v.Qn = in.QpredMinStr.value;
  v.Qv = in.QpredMaxStr.value;
  v.t = in.Tstr.value;
  v.tn = in.TminStr.value;
  v.tv = in.TmaxStr.value;
  v.P = inUnit(in.PizbStr.value, in.PizbPredEd);
  v.Pn = inUnit(in.PizbprednStr.value, in.PizbPredEd);
  v.Pv = inUnit(in.PizbPredstr.value, in.PizbPredEd);
  v.Pb = inUnit(in.PbarStr.value, in.PbarPredEd);
  v.Pbn = inUnit(in.PbarMinStr.value, in.PbarPredEd);
  v.Pbv = inUnit(in.PbarMaxStr.value, in.PbarPredEd);
  v.r = in.pr_Rab.checked() ? in.rrab_Str.value : s.gas.rho;
  v.rn = in.rrabMinStr.value;
  v.rv = in.rrabMaxStr.value;
  if (in.pr_Rab.checked()) {
    v.rc = in.rst_str.value;
  } else if (in.NepolnBox.shown()) {
    v.rc = in.rststr.value;
  } else {
    v.rc = s.gas.rhoSt;
  }
  v.rsn = in.rstMinStr.value;
  v.rsv = in.rstMaxStr.value;
  v.n2 = in.n2str.value;
  v.co2 = in.co2str.value;
  v.to1 = in.dPoStr.value;
  v.to2 = in.ToStr.value;
  v.to3 = in.PizboStr.value;
  v.to4 = in.PbaroStr.value;
  return v;
}

FormulaVariables formulaVariables(const ErrorContext& s, const CellQuantities& cell) {
  FormulaVariables v = formulaVariables(s);
  v.Q = cell.Q;
  v.t = cell.t;
  v.P = inUnit(cell.P, s.in.PizbPredEd);
  v.r = cell.r;
  v.rc = cell.rc;
  return v;
}

namespace {

// The unit an absolute pressure error is entered in: the gauge-pressure
// transducers use the limits of the overpressure instrument, the barometer
// those of the barometer, the channel pairs their own unit boxes.
const Choice* pressureUnitOf(const ErrorContext& s, const Edit& e) {
  const InputRecord& in = s.in;
  const Choice* u = e.traits().unit;
  if (u == nullptr) return nullptr;
  for (const Choice* p : {&in.P1Ed, &in.P2Ed, &in.P3ed, &in.P1dopEd, &in.P2dopEd, &in.P3dopEd}) {
    if (u == p) return &in.PizbPredEd;
  }
  if (u == &in.PbarPogrEd || u == &in.PbardopPogrEd) return &in.PbarPredEd;
  return u;
}

}  // namespace

std::optional<double> evaluateErrorField(ErrorContext& s, Edit& field) {
  const FormulaResult result = evalFormula(field.text(), formulaVariables(s));
  const FormulaFieldTexts texts = formulaFieldTexts(field.text(), result, s.in.Raschet.index() == 1);
  field.setHint(texts.hint);
  if (result.isFormula) field.setText(texts.text);  // a changed text is evaluated again
  if (result.code != kFormulaOk) return std::nullopt;
  return result.value;
}

namespace {

// Every error field, with the value its evaluation gave (nothing for a
// rejected formula).
template <typename Evaluate>
void storeErrorFieldValues(ErrorContext& s, Evaluate evaluate) {
  for (Control* c : s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto& e = static_cast<Edit&>(*c);
    const EditTraits& traits = e.traits();
    if (traits.kind != ValueKind::ErrorValue) continue;
    const std::optional<double> v = evaluate(e);
    double x = v.value_or(0.0);
    const bool absolute = traits.errorKind != nullptr && traits.errorKind->index() == 2;
    if (const Choice* unit = pressureUnitOf(s, e); unit != nullptr && absolute) {
      ConvertPressure(unit->index(), kPa_Pa, x);
    }
    if (traits.relativeBase != nullptr && traits.errorKind != nullptr && traits.errorKind->index() == 1) {
      x = traits.relativeBase->value > 0 ? x / traits.relativeBase->value * 100 : 0.0;
    }
    e.value = x;
    // A field the window does not show raises nothing: its value is not used.
    if ((!v || x < 0) && e.shown()) s.flags.raise(traits.check.message);
  }
}

}  // namespace

void evalErrorFields(ErrorContext& s) {
  storeErrorFieldValues(s, [&s](Edit& e) { return evaluateErrorField(s, e); });
}

void evalErrorFieldValues(ErrorContext& s, const FormulaVariables& vars) {
  storeErrorFieldValues(s, [&vars](const Edit& e) -> std::optional<double> {
    const FormulaResult result = evalFormula(e.text(), vars);
    if (result.code != kFormulaOk) return std::nullopt;
    return result.value;
  });
}

}  // namespace velmar
