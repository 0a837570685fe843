#pragma once
// "Очистить окна ввода": the input form back to its defaults, also the
// fallback of the start-up when the session file cannot be read.
namespace velmar {

struct StorageContext;

// Sets every default of the input form (edits, choices, check boxes, the
// composition grids) with CalcIdle false; the measuring point then runs the
// form rules, the parse and a pass (ResetInputs). Leaves the mixture and humidity
// choices, the additional flowmeter range, the old mixture grid, the
// moisture of MR 113-03, the calculation number and the diameter series as
// they are.
void resetInputValues(StorageContext& s);

}  // namespace velmar
