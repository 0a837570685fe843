#pragma once
// The long-lived records of one measuring point and the services they need,
// bundled for the routines of a calculation pass: the input record (with the
// two result panes), the failure flags and their notes, the gas properties,
// the composition vectors, the channel and volume errors, the report record
// and the diameter selection. One Session per main window; nothing global.
#include <functional>
#include <string>

#include "core/diameter.h"
#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "gasprops/gas_properties.h"
#include "persistence/program_files.h"
#include "persistence/settings.h"
#include "report/report_pages.h"
#include "report/report_record.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/volume_error.h"

namespace velmar {

struct Session {
  // Creates the window's state as the main window is created and gives every
  // edit its change handler (the parse of its text). The form rules and the
  // timer handler are installed by whoever assembles a window or a batch run
  // (installFormRules).
  Session(OneShotTimer& timer, EventPump& pump, char decimalSeparator);
  // The timer outlives the session: it calls into it no longer.
  ~Session() { TimerProv.onTimeout = nullptr; }
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
  ReportPages reportPages;        // what the report page forms keep between builds
  DiameterSelection diameter;

  double Qavg = 0;                // average flow over the period, Qср = V/τ, m3/h
  std::string proposedSaveName;   // file name the save dialog proposes
  ProgramFiles files;             // the start folder and what the program keeps of its files
  // The settings window: the numbering of calculations, the current user,
  // the start-up file and the folders of the input-data dialogs.
  Settings settings;

  // Runs every form rule as a load of the input data runs them, with
  // CalcIdle false; installed with the form rules, empty without a form.
  std::function<void()> applyFormRules;

  OneShotTimer& TimerProv;
  EventPump& pump;
  const char decimalSeparator;    // the system's decimal separator
};

// Stops and starts TimerProv and sets InputChanged: the calculation runs one
// second after the last input event.
void scheduleCalculation(Session& s);

}  // namespace velmar
