#pragma once
// "Очистить окна ввода": the input form back to its defaults, also the
// fallback of the start-up when the session file cannot be read.
namespace velmar {

struct Session;

// Sets every default of the input form (edits, choices, check boxes, the
// composition grids), runs the form rules and the parse with CalcIdle false,
// then a pass, and schedules a second one. Leaves the mixture and humidity
// choices, the additional flowmeter range, the old mixture grid, the
// moisture of MR 113-03, the calculation number and the diameter series as
// they are.
void ResetInputs(Session& s);

}  // namespace velmar
