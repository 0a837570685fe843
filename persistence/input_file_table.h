#pragma once
// The lines of the input-data file (.vdt), in order: which control each line
// stores and how. One table serves the writer, the reader and the tests.
#include <string_view>
#include <vector>

namespace velmar {

enum class LineKind {
  Index,      // item index of a combo box or radio group, -1 for none
  Check,      // 1 checked, 0 unchecked
  Text,       // the text of an edit (or of the editable medium-name box)
  ComboText,  // the text a combo box shows
  Cell,       // one cell of a string grid
  CellCopy,   // a cell stored a second time: written, read and not used
  Kept,       // a line kept by the program and written back unchanged
};

struct FileLine {
  LineKind kind;
  std::string_view control;  // its name in the registry (empty for the kept line)
  int col = 0;               // grid cells
  int row = 0;
  // 'A'..'J': lines added to the format later; an older file may end before
  // any of these blocks, and then the block keeps the window's values.
  char block = 0;
  // The window rules run after a load may change this value (a unit list is
  // rebuilt, the third transducer is cleared with the second): the value read
  // is given back after them.
  bool givenBack = false;
};

// The 585 lines, line 1 first.
const std::vector<FileLine>& inputFileLines();

}  // namespace velmar
