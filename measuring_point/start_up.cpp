#include "measuring_point/start_up.h"

#include "core/parse_value.h"
#include "measuring_point/calculation_driver.h"
#include "measuring_point/session.h"

namespace velmar {

void applyInputsAndCalculate(Session& s, const std::function<void()>& afterRules) {
  s.in.CalcIdle = false;
  if (s.applyFormRules) s.applyFormRules();
  if (afterRules) afterRules();
  for (Control* c : s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto& e = static_cast<Edit&>(*c);
    if (e.isValueEdit()) ParseValue(s, e);
  }
  s.in.CalcIdle = true;
  calculateNow(s);
}

void startUp(Session& s) {
  s.in.InputChanged = false;
  applyInputsAndCalculate(s);
}

}  // namespace velmar
