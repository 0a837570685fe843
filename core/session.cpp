#include "core/session.h"

#include "core/form_events.h"

namespace velmar {

Session::Session(OneShotTimer& timer, EventPump& eventPump, char separator)
    : TimerProv(timer), pump(eventPump), decimalSeparator(separator) {
  // Every edit has one change handler: a value edit parses its text at every
  // change, then the edit's form rule (if the form has one) follows.
  for (Control* c : in.registry.all()) {
    if (c->kind() != ControlKind::Edit) continue;
    auto* e = static_cast<Edit*>(c);
    e->onChange = [this, e] { editTextChanged(*this, *e); };
  }
  // As the main window is created: the flowmeter type starts at its first item.
  in.TipSU.setIndex(0);
}

}  // namespace velmar
