#pragma once
// The start of a measuring point as the main window is shown, and the end of
// a load or a reset of the input data: the form's rules are applied to its
// choices, every value edit is parsed, a pass runs at once and a second one is
// scheduled.
#include <functional>

namespace velmar {

struct Session;

// afterRules runs once the rules have run, before the parse (a load gives
// back there what the rules changed of the values it read).
void startUp(Session& s, const std::function<void()>& afterRules = {});

}  // namespace velmar
