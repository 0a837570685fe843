#pragma once
// The two tables of the volume error over the control points of the flow and
// the extreme temperatures and pressures (or densities).
#include <vector>

namespace velmar {

struct Session;

// The control points KT1str..KT6str sorted in descending order; N of them
// are above 0. Raises message 9 when there is none.
std::vector<double> sortControlPoints(Session& s);
// The property part and the errors of every cell. Until the tables are
// computed by the program, they are left empty.
void prepareTableCells(Session& s);
void fillErrorTables(Session& s);

}  // namespace velmar
