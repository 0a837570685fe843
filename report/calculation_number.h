#pragma once
// The calculation number: a non-negative integer kept on the first line of
// "velmar\n.vdt" in the program's folder. Each generation of the report pages
// advances it, so consecutive reports carry 0, 1, 2, ... from a fresh folder.
#include "core/program_files.h"

namespace velmar {

// "velmar\n.vdt", the calculation number file.
inline constexpr std::string_view kCalculationNumberFile = "velmar\\n.vdt";

// The number stored in the file; 0 when the file is missing or its first line
// holds no number of at most 18 decimal digits (blanks around it allowed).
long long ReadCalculationNumber(const ProgramFiles& files);

struct AdvancedNumber {
  long long number = 0;  // the number now stored: the one read plus 1
  bool written = false;  // false: the file could not be written and keeps its previous number
};

// Reads N and rewrites the file so that it holds N + 1 on a single line,
// through a temporary file renamed over it, so that a crash while writing
// leaves the previous number.
AdvancedNumber AdvanceCalculationNumber(const ProgramFiles& files);

}  // namespace velmar
