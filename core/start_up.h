#pragma once
// The start of a measuring point as the main window is shown: the form's
// rules are applied to its choices, a pass runs at once and a second one is
// scheduled.
namespace velmar {

struct Session;

void startUp(Session& s);

}  // namespace velmar
