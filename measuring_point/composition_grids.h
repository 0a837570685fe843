#pragma once
// The rule of the composition grids of the tab "Измеряемая среда", run on
// every key release in a grid: it reads the rows into the method's
// composition vectors, shows what is left to 100 %, checks the contents and
// computes their uncertainties.
#include "core/composition_grid_texts.h"

namespace velmar {

struct Session;
class StringGrid;
class Edit;

// The rule of a grid, run on every key release in it, by the method rules and
// by the error-mode rules: reads the rows into the method's composition
// vectors, shows the remainder, checks the contents and computes the
// uncertainties.
void runGridRule(Session& s, StringGrid& grid);

// Copies the text of n2str or co2str into the nitrogen or carbon-dioxide cell
// of every composition grid, and runs the rule of the grid that is shown.
void mirrorGasParameter(Session& s, const Edit& parameter);

}  // namespace velmar
