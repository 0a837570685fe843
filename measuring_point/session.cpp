#include "measuring_point/session.h"

#include "core/form_events.h"
#include "measuring_point/dispatcher.h"
#include "uncertainty/error_fields.h"

namespace velmar {

Session::Session(OneShotTimer& timer, EventPump& eventPump, char separator)
    : TimerProv(timer),
      pump(eventPump),
      decimalSeparator(separator),
      errorFieldValue_([this](Edit& field) { return evaluateErrorField(*this, field); }),
      gasPropertiesAt_([this](double t, double pGauge) { return calcGasProperties(*this, t, pGauge); }),
      form_{in, flags, notes, TimerProv, pump, decimalSeparator, errorFieldValue_},
      errors_{form_, gas, channels, volumeErrors, toOtchet, gasPropertiesAt_},
      storage_{form_, files, settings, proposedSaveName},
      report_{form_, toOtchet, comp, diameter, reportPages, files} {
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

ReportSettings reportSettingsOf(const Session& s) {
  return {automaticNumbering(s.settings) ? 0 : 1, currentUser(s.settings)};
}

}  // namespace velmar
