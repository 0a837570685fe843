#include "core/start_up.h"

#include "core/calculation_driver.h"
#include "core/form_events.h"
#include "core/parse_value.h"
#include "core/session.h"
#include "ui/form_rules.h"

namespace velmar {

void startUp(Session& s) {
  s.in.InputChanged = false;
  applyAllFormRules(s);
  // As after a load of the input data: every value edit is parsed, so that
  // every field check has run before the first pass.
  const bool idle = s.in.CalcIdle;
  s.in.CalcIdle = false;
  for (Control* c : s.in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto& e = static_cast<Edit&>(*c);
    if (e.isValueEdit()) ParseValue(s, e);
  }
  s.in.CalcIdle = idle;
  s.TimerProv.stop();
  RunCalculation(s);
  scheduleCalculation(s);
}

}  // namespace velmar
