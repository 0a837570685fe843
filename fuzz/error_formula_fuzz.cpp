// libFuzzer target: any byte string as an error-field text. The evaluation must
// end with a code of the message table and a finite value, and the field texts
// show numbers only, never nan or inf.
#include "uncertainty/error_formula.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  velmar::FormulaVariables v;
  if (size % 3 != 0) v.Q = 125.0;
  v.t = -20.0;
  v.P = 1e300;
  v.Pb = 101.325;
  v.r = 0.0;
  v.to1 = 25.0;
  const velmar::FormulaResult r = velmar::evalFormula(text, v);
  if (r.code < 0 || r.code > 7 || !std::isfinite(r.value)) std::abort();
  if (r.code != 0 && (r.value != 0.0 || r.display != velmar::formulaMessage(r.code))) std::abort();
  if (!velmar::checkFormulaSyntax(text) && r.code != velmar::kFormulaExpressionError) std::abort();
  // The number texts hold only digits, a comma and a leading minus.
  auto numberText = [](std::string_view s) {
    return !s.empty() && s.find_first_not_of("-0123456789,") == s.npos;
  };
  if (r.code == 0 && !numberText(r.display)) std::abort();
  if (!numberText(velmar::formatFormulaEditorValue(r.value))) std::abort();
  const velmar::FormulaFieldTexts f = velmar::formulaFieldTexts(text, r, size % 2 == 0);
  const auto eq = f.hint.rfind('=');
  if (eq != f.hint.npos && !numberText(std::string_view(f.hint).substr(eq + 1))) std::abort();
  return 0;
}
