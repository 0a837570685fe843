#pragma once
// Input validation of a calculation pass: which messages apply to the
// current choices, the cross-checks between inputs, and the message list.
namespace velmar {

struct Session;

// The checks after the re-parse of the inputs (phase 1).
void phase1Checks(Session& s);
// The rules at the start of every pass and of every restart (phase 2),
// the error formulas evaluated among them. Returns false when the pass must
// end here (message 2 or 97 raised).
bool phase2Rules(Session& s);

// Rules of the computing phase, at the driver's steps.
void averageFlowCheck(Session& s);        // 37
void measuredVolumeCheck(Session& s);     // 38
void pressurePageCheck(Session& s);       // clears what a hidden pressure page makes irrelevant
void measuredDensityChecks(Session& s);   // 115, 116
void controlRangeChecks(Session& s);      // 118, 119, 25, 26

// The message pane: "[n]  text" for every raised message, its note on the
// next line; the report commands are enabled only when none is raised.
void ShowMessages(Session& s);

}  // namespace velmar
