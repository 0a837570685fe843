#pragma once
// Flowmeter diameter selection: the standard series of nominal internal
// diameters and the number of measuring lines.
#include "core/diameter_selection.h"

namespace velmar {

struct Session;

// Orders the grid `strad` into DiameterSeries (messages 151, 152).
void OrderDiameterSeries(Session& s);
// Picks the number of lines and the diameter; appends its two lines.
void SelectDiameter(Session& s);

}  // namespace velmar
