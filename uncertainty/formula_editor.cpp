#include "uncertainty/formula_editor.h"

#include <charconv>

#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/report_record.h"
#include "gasprops/gas_properties.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/error_context.h"
#include "uncertainty/error_fields.h"
#include "uncertainty/error_formula.h"
#include "uncertainty/volume_error.h"

namespace velmar {

namespace {

// v in fixed notation with one decimal and the given separator.
std::string fixedOneDecimal(double v, char separator) {
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
  if (res.ec != std::errc()) return "0";
  std::string s(buf, res.ptr);
  for (char& ch : s) {
    if (ch == '.') ch = separator;
  }
  return s;
}

std::string valueAndUnit(const std::string& value, std::string_view unit) {
  return value + " " + std::string(unit);
}

std::string ambient(const Edit& edit, const CheckBox& box) {
  return valueAndUnit(edit.text(), "°C") + " (" + box.caption() + ")";
}

}  // namespace

int formulaEditorButtonIndex(std::string_view caption) {
  for (size_t i = 0; i < kFormulaEditorButtons.size(); ++i) {
    if (kFormulaEditorButtons[i].caption == caption) return static_cast<int>(i);
  }
  return -1;
}

std::vector<FormulaEditorButtonState> formulaEditorButtonStates(const ErrorContext& s) {
  const InputRecord& in = s.in;
  std::vector<FormulaEditorButtonState> states(kFormulaEditorButtons.size());
  auto set = [&](std::string_view caption, bool enabled, std::string hint = {}) {
    const int i = formulaEditorButtonIndex(caption);
    if (i < 0) return;
    states[static_cast<size_t>(i)].enabled = enabled;
    states[static_cast<size_t>(i)].hint = std::move(hint);
  };

  const bool pbar = in.pr_Pbar.checked();
  const bool rab = in.pr_Rab.checked();
  const bool st = in.pr_St.checked();
  const bool measuredTP = !rab;  // temperature and pressure are measured without a density meter

  set("Q", true,
      in.TauStr.value > 0 ? fixedOneDecimal(in.Qstr.value / in.TauStr.value, s.decimalSeparator) + " м3/ч" : "");
  set("Q\u043d", true, valueAndUnit(in.QpredMinStr.text(), in.QpredMinEd.text()));
  set("Q\u0432", true, valueAndUnit(in.QpredMaxStr.text(), in.QpredMaxEd.text()));

  set("t", measuredTP, valueAndUnit(in.Tstr.text(), "°C"));
  set("t\u043d", measuredTP, valueAndUnit(in.TminStr.text(), "°C"));
  set("t\u0432", measuredTP, valueAndUnit(in.TmaxStr.text(), "°C"));
  set("P", measuredTP, valueAndUnit(in.PizbStr.text(), in.PizbEd.text()));
  set("P\u043d", measuredTP, valueAndUnit(in.PizbprednStr.text(), in.PizbPrednEd.text()));
  set("P\u0432", measuredTP, valueAndUnit(in.PizbPredstr.text(), in.PizbPredEd.text()));
  set("P\u0431", measuredTP && pbar, valueAndUnit(in.PbarStr.text(), in.PbarEd.text()));
  set("P\u0431\u043d", measuredTP && pbar, valueAndUnit(in.PbarMinStr.text(), in.PbarPredEd.text()));
  set("P\u0431\u0432", measuredTP && pbar, valueAndUnit(in.PbarMaxStr.text(), in.PbarPredEd.text()));

  set("r", rab);
  set("r\u043d", rab, valueAndUnit(in.rrabMinStr.text(), "кг/м3"));
  set("r\u0432", rab, valueAndUnit(in.rrabMaxStr.text(), "кг/м3"));
  set("r\u0441", rab && st);
  set("r\u0441\u043d", rab && st, valueAndUnit(in.rstMinStr.text(), "кг/м3"));
  set("r\u0441\u0432", rab && st, valueAndUnit(in.rstMaxStr.text(), "кг/м3"));

  set("to1", in.dPoCheck.checked(), ambient(in.dPoStr, in.dPoCheck));
  set("to2", in.ToCheck.checked(), ambient(in.ToStr, in.ToCheck));
  set("to3", in.PizboCheck.checked(), ambient(in.PizboStr, in.PizboCheck));
  set("to4", pbar && in.PbaroCheck.checked(), ambient(in.PbaroStr, in.PbaroCheck));
  return states;
}

std::string formulaEditorInitialText(std::string_view fieldText) {
  return std::string(prepareFormulaText(fieldText));
}

FormulaEditorEvaluation evaluateFormulaEditorText(const ErrorContext& s, std::string_view text) {
  const FormulaResult r = evalFormula(text, formulaVariables(s));
  FormulaEditorEvaluation out;
  if (r.code == kFormulaOk) {
    out.result = formatFormulaEditorValue(r.value);
    out.canRemember = true;
  } else {
    out.message = std::string(formulaMessage(r.code));
  }
  return out;
}

std::string formulaEditorFieldText(const ErrorContext& s, std::string_view text) {
  const FormulaResult r = evalFormula(text, formulaVariables(s));
  return formulaFieldTexts(text, r, s.in.Raschet.index() == 1).text;
}

}  // namespace velmar
