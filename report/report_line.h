#pragma once
// One line of the calculation report: a mark (plain, or "* " for a value the
// program computed), a name, a value and a unit laid out in a fixed-pitch
// line of 80 characters, the value ending in column 72 and the unit starting
// in column 75. Widths count characters, not bytes (the texts are UTF-8).
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

inline constexpr int kReportValueEnd = 72;   // the value column ends here
inline constexpr int kReportUnitStart = 75;  // two blanks after the value
inline constexpr int kReportWidth = 80;      // a line with a name only

// The value clean-up: a text with a decimal separator ("." or ",") after its
// first character, whose last separator does not follow another separator,
// loses the trailing zeros of its fraction ("2,500" → "2,5", "7,000" → "7,0")
// unless it is a number in exponent form. Every other text stays as it is.
std::string cleanReportValue(std::string_view value);

// Appends one line, or two when a long name is split once: the name goes up
// to its last blank that leaves room for the value, and its rest, indented
// by two blanks, carries the dots and the value. A name with no blank there
// is split at the position itself.
void AddReportLine(std::vector<std::string>& lines, bool marked, std::string_view name, std::string_view value,
                   std::string_view unit);

// Characters (code points) of a UTF-8 text.
int utf8Length(std::string_view text);

}  // namespace velmar
