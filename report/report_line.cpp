#include "report/report_line.h"

#include "core/error_field_text.h"

namespace velmar {

namespace {

bool isSeparator(char ch) { return ch == '.' || ch == ','; }

bool continuationByte(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) == 0x80; }

// The byte offset of the character at position n (0-based), or the size.
size_t byteOffset(std::string_view text, int n) {
  size_t i = 0;
  for (int k = 0; k < n && i < text.size(); ++k) {
    ++i;
    while (i < text.size() && continuationByte(text[i])) ++i;
  }
  return i;
}

// The character at position n is a blank.
bool blankAt(std::string_view text, int n) {
  const size_t at = byteOffset(text, n);
  return at < text.size() && text[at] == ' ';
}

// The blanks between the value and the unit: two after a value that ends in
// column 72, none on a line of the full width.
std::string unitGap(int b) {
  return std::string(static_cast<size_t>(b < kReportUnitStart - 1 ? kReportUnitStart - 1 - b : 0), ' ');
}

// A text as the window shows it: the stored absolute-value bar of an error
// formula as the broken bar "¦".
std::string shown(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if (ch == kFormulaBar) {
      out += "¦";
    } else {
      out += ch;
    }
  }
  return out;
}

void padTo(std::string& text, int width, char fill) {
  for (int n = utf8Length(text); n < width; ++n) text += fill;
}

}  // namespace

int utf8Length(std::string_view text) {
  int n = 0;
  for (char ch : text) {
    if (!continuationByte(ch)) ++n;
  }
  return n;
}

std::string cleanReportValue(std::string_view value) {
  std::string text(value);
  size_t last = std::string::npos;
  for (size_t i = 1; i < text.size(); ++i) {
    if (isSeparator(text[i])) last = i;
  }
  if (last == std::string::npos || isSeparator(text[last - 1])) return text;
  if (text.find_first_of("Ee") != std::string::npos) return text;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && isSeparator(text.back())) text += '0';
  return text;
}

void AddReportLine(std::vector<std::string>& lines, bool marked, std::string_view name, std::string_view value,
                   std::string_view unit) {
  const std::string v = cleanReportValue(shown(value));
  std::string n;
  if (marked) {
    n = "* " + shown(name);
  } else if (!name.empty()) {
    n = "  " + shown(name);
  }
  const int b = v.empty() && unit.empty() ? kReportWidth : kReportValueEnd;
  const int valueLength = utf8Length(v);
  std::string line;
  if (!n.empty()) {
    const int length = utf8Length(n);
    if (length > b - valueLength - 3) {
      // Split once: at the last blank at or before the start position that
      // is not the blank of the mark, else at the start position itself.
      const int start = length >= b - 3 ? b - 3 : length - 3;
      if (start >= 1) {
        int p = start;
        while (p > 2 && !blankAt(n, p - 1)) --p;
        if (p <= 2) p = start;
        const size_t cut = byteOffset(n, p);
        lines.push_back(n.substr(0, cut));
        n = "  " + n.substr(cut);
      }
    }
    if (!v.empty()) {
      padTo(n, b - valueLength - 2, '.');
      n += "  ";
    } else {
      padTo(n, b, ' ');
    }
    line = n + v + unitGap(b) + shown(unit);
  } else if (!v.empty()) {
    line = v;
    const int pad = b - valueLength;
    if (pad > 0) line.insert(0, static_cast<size_t>(pad), ' ');
    line += unitGap(b) + shown(unit);
  }
  lines.push_back(std::move(line));
}

}  // namespace velmar
