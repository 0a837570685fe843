#pragma once
// The input form of one measuring point as the foundation's routines see it:
// the input record with its two result panes, the message flags and their
// notes, the recalculation timer, the points where a long pass lets the
// window process pending events, and the decimal separator of the system.
// The records themselves are held by the measuring point (Session), which
// hands each subsystem a context of references to what it needs; this one is
// the part every subsystem shares.
#include <functional>
#include <optional>

namespace velmar {

struct InputRecord;
class FailureFlags;
class MessageNotes;
class OneShotTimer;
class EventPump;
class Edit;

// The value of an error field: its number, or its formula evaluated in the
// quantities of the measuring point (gas properties and channel values, which
// only the measuring point holds). Nothing for a rejected formula.
using ErrorFieldValue = std::function<std::optional<double>(Edit&)>;

struct FormContext {
  InputRecord& in;
  FailureFlags& flags;
  MessageNotes& notes;
  OneShotTimer& TimerProv;
  EventPump& pump;
  const char decimalSeparator;
  const ErrorFieldValue& errorFieldValue;
};

}  // namespace velmar
