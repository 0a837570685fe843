#include "core/start_up.h"

#include "core/calculation_driver.h"
#include "core/form_events.h"
#include "core/parse_value.h"
#include "core/session.h"
#include "ui/form_rules.h"

namespace velmar {

void startUp(Session& s, const std::function<void()>& afterRules) {
  s.in.InputChanged = false;
  s.in.CalcIdle = false;
  applyAllFormRules(s);
  if (afterRules) afterRules();
  // As after a load of the input data: every value edit is parsed, so that
  // every field check has run before the first pass.
  for (Control* c : s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto& e = static_cast<Edit&>(*c);
    if (e.isValueEdit()) ParseValue(s, e);
  }
  s.in.CalcIdle = true;
  s.TimerProv.stop();
  RunCalculation(s);
  scheduleCalculation(s);
}

}  // namespace velmar
