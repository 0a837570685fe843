#include "core/session.h"

#include "core/calculation_driver.h"
#include "core/parse_value.h"
#include "ui/form_rules.h"

namespace velmar {

Session::Session(OneShotTimer& timer, EventPump& eventPump, char separator)
    : TimerProv(timer), pump(eventPump), decimalSeparator(separator) {
  // Every value edit parses its text at every change.
  for (Control* c : in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto* e = static_cast<Edit*>(c);
    if (e->isValueEdit()) e->onChange = [this, e] { ParseValue(*this, *e); };
  }
  installFormRules(*this);
  TimerProv.onTimeout = [this] { TimerProvTimer(*this); };
  // As the main window is created: the flowmeter type starts at its first item.
  in.TipSU.setIndex(0);
}

}  // namespace velmar
