#pragma once
// The long-lived records of one measuring point and the services they need,
// bundled for the routines of a calculation pass: the input record (with the
// two result panes), the failure flags and their notes, the gas properties,
// the composition vectors, the channel and volume errors, the report record
// and the diameter selection. One Session per main window; nothing global.
#include <string>

#include "core/diameter.h"
#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "gasprops/gas_properties.h"
#include "report/report_record.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/volume_error.h"

namespace velmar {

struct Session {
  // Creates the window's state as the main window is created and installs the
  // handlers of its controls (parsing, form rules, the timer).
  Session(OneShotTimer& timer, EventPump& pump, char decimalSeparator);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  InputRecord in;
  FailureFlags flags;
  MessageNotes notes;
  GasPropertyResult gas;
  CompositionVectors comp;
  ChannelErrors channels;
  VolumeErrors volumeErrors;
  ReportRecord toOtchet;
  DiameterSelection diameter;

  double Qavg = 0;                // average flow over the period, Qср = V/τ, m3/h
  std::string proposedSaveName;   // file name the save dialog proposes

  OneShotTimer& TimerProv;
  EventPump& pump;
  const char decimalSeparator;    // the system's decimal separator
};

// Stops and starts TimerProv and sets InputChanged: the calculation runs one
// second after the last input event.
void scheduleCalculation(Session& s);

}  // namespace velmar
