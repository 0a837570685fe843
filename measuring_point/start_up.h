#pragma once
// What follows the arrival of input data: at start-up, after a load of the
// input data and after a reset the window is brought in line with its
// choices, every value is parsed and a pass runs at once.
#include <functional>

namespace velmar {

struct Session;

// With CalcIdle false: the form rules (Session::applyFormRules), then
// afterRules when given (a load gives back there the values it read that the
// rules changed), then the parse of every value edit, so that the window and
// the record end up as if the user had entered the data by hand and every
// field check has run. Then CalcIdle is set, a pass runs at once, and
// TimerProv is restarted with InputChanged set, so that a second pass follows
// one second later. A load calls it after reading the file.
void applyInputsAndCalculate(Session& s, const std::function<void()>& afterRules = {});

// The start of a measuring point as the main window is shown.
void startUp(Session& s);

}  // namespace velmar
