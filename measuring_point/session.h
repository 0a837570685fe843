#pragma once
// One measuring point: the long-lived records of its calculation bundled with
// the services they need. The input record (with the two result panes), the
// failure flags and their notes, the gas properties, the composition vectors,
// the channel and volume errors, the report record, the diameter selection,
// the settings and the program's files. One Session per main window or batch
// run; nothing global.
//
// Each subsystem works on a context of references to the part of the records
// it needs (the form for the foundation, the errors for uncertainty, the
// files for persistence, the report's sources for the report); a Session
// converts to each of them, so that the driver, the form rules and the front
// ends pass the one Session to every routine.
#include <functional>
#include <optional>
#include <string>

#include "core/diameter_selection.h"
#include "core/form_context.h"
#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/program_files.h"
#include "core/report_record.h"
#include "gasprops/gas_properties.h"
#include "persistence/settings.h"
#include "persistence/storage_context.h"
#include "report/report_context.h"
#include "report/report_document.h"
#include "report/report_pages.h"
#include "uncertainty/channel_errors.h"
#include "uncertainty/error_context.h"
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

  operator FormContext&() { return form_; }
  operator const FormContext&() const { return form_; }
  operator ErrorContext&() { return errors_; }
  operator const ErrorContext&() const { return errors_; }
  operator StorageContext&() { return storage_; }
  operator const StorageContext&() const { return storage_; }
  operator ReportContext&() { return report_; }
  operator const ReportContext&() const { return report_; }

 private:
  // The two calculations that only the whole point can do, handed to the
  // subsystems that need them: an error field's value (the formula reads the
  // gas properties and the channel values) and the gas properties at another
  // state (the control-point tables).
  ErrorFieldValue errorFieldValue_;
  GasPropertiesAt gasPropertiesAt_;

  FormContext form_;
  ErrorContext errors_;
  StorageContext storage_;
  ReportContext report_;
};

// The numbering and the signer of the report, as the settings window has them.
ReportSettings reportSettingsOf(const Session& s);

}  // namespace velmar
