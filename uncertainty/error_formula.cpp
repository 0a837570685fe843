#include "uncertainty/error_formula.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace velmar {
namespace {

// ---------------------------------------------------------------------------
// Characters. The text is decoded into code points; every character outside
// the language becomes kInvalid.

constexpr char32_t kInvalid = 0xFFFFFFFF;
constexpr char32_t kBar = U'\x05';
constexpr char32_t kCyrB = U'б';
constexpr char32_t kCyrV = U'в';
constexpr char32_t kCyrN = U'н';
constexpr char32_t kCyrS = U'с';

struct Char {
  char32_t c;
  std::uint32_t offset;  // byte offset in the formula part
};

constexpr bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool isOperator(char32_t c) {
  return c == U'+' || c == U'-' || c == U'*' || c == U'/' || c == U'^';
}
constexpr bool isIn(char32_t c, std::u32string_view set) { return set.find(c) != set.npos; }

// Letters that start a variable name (c and n stand alone for co2 and n2).
constexpr bool startsName(char32_t c) { return isIn(c, U"PQcnrt"); }

constexpr bool isLanguageChar(char32_t c) {
  return isDigit(c) || isOperator(c) || isIn(c, U",()\x05PQcnort") || c == kCyrB || c == kCyrV ||
         c == kCyrN || c == kCyrS;
}

// Decodes UTF-8; only the four Cyrillic letters of the variable names are
// recognised beyond ASCII.
std::vector<Char> decode(std::string_view s) {
  std::vector<Char> out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    char32_t c = kInvalid;
    std::size_t len = 1;
    if (b < 0x80) {
      c = b;
    } else if (i + 1 < s.size() && (b == 0xD0 || b == 0xD1)) {
      const auto b2 = static_cast<unsigned char>(s[i + 1]);
      if ((b2 & 0xC0) == 0x80) {
        c = (char32_t(b & 0x1F) << 6) | (b2 & 0x3F);
        len = 2;
      }
    }
    if (!isLanguageChar(c)) c = kInvalid;
    out.push_back({c, static_cast<std::uint32_t>(i)});
    i += len;
  }
  return out;
}

// A forbidden pair of neighbouring characters: no empty or signed group, no
// implicit multiplication, no two operators in a row, no comma before an
// operator or a bracket, "o" only in to1..to4.
constexpr bool forbiddenPair(char32_t a, char32_t b) {
  if (a == U'(') return isIn(b, U")*+-/^");
  if (a == U')') return isDigit(b) || isIn(b, U"PQcnrt") || b == kCyrB || b == kCyrV || b == kCyrN;
  if (isOperator(a)) return b == U')' || isOperator(b);
  if (a == U',') return isIn(b, U"()*+,-/^PQcnrt");
  if (isDigit(a) || isIn(a, U"PQt") || a == kCyrB || a == kCyrV || a == kCyrN)
    return isIn(b, U"(PQrt");
  if (a == U'o') return !isIn(b, U"1234");
  return false;
}

bool syntaxValid(const std::vector<Char>& chars) {
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i].c == kInvalid) return false;
    if (i + 1 < chars.size() && forbiddenPair(chars[i].c, chars[i + 1].c)) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Variables.

enum class Var : std::uint8_t {
  Q, Qn, Qv, t, tn, tv, P, Pn, Pv, Pb, Pbn, Pbv, r, rn, rv, rc, rsn, rsv, n2, co2, to1, to2, to3, to4
};

struct VarName {
  std::u32string_view name;
  Var var;
};

// Longest names first: three letters, then two, then one.
constexpr VarName kVarNames[] = {
    {U"Pбн", Var::Pbn}, {U"Pбв", Var::Pbv}, {U"rсн", Var::rsn}, {U"rсв", Var::rsv},
    {U"co2", Var::co2}, {U"to1", Var::to1}, {U"to2", Var::to2}, {U"to3", Var::to3},
    {U"to4", Var::to4}, {U"Qн", Var::Qn},   {U"Qв", Var::Qv},   {U"tн", Var::tn},
    {U"tв", Var::tv},   {U"Pн", Var::Pn},   {U"Pв", Var::Pv},   {U"Pб", Var::Pb},
    {U"rн", Var::rn},   {U"rв", Var::rv},   {U"rc", Var::rc},   {U"n2", Var::n2},
    {U"Q", Var::Q},     {U"t", Var::t},     {U"P", Var::P},     {U"r", Var::r},
    {U"c", Var::co2},   {U"n", Var::n2},
};

std::optional<double> variableValue(const FormulaVariables& v, Var var) {
  switch (var) {
    case Var::Q: return v.Q;
    case Var::Qn: return v.Qn;
    case Var::Qv: return v.Qv;
    case Var::t: return v.t;
    case Var::tn: return v.tn;
    case Var::tv: return v.tv;
    case Var::P: return v.P;
    case Var::Pn: return v.Pn;
    case Var::Pv: return v.Pv;
    case Var::Pb: return v.Pb;
    case Var::Pbn: return v.Pbn;
    case Var::Pbv: return v.Pbv;
    case Var::r: return v.r;
    case Var::rn: return v.rn;
    case Var::rv: return v.rv;
    case Var::rc: return v.rc;
    case Var::rsn: return v.rsn;
    case Var::rsv: return v.rsv;
    case Var::n2: return v.n2;
    case Var::co2: return v.co2;
    case Var::to1: return v.to1;
    case Var::to2: return v.to2;
    case Var::to3: return v.to3;
    case Var::to4: return v.to4;
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// Evaluation slots.

enum class Mark : std::uint8_t { None, Plus, Minus, Mul, Div, Pow, Open, Close, Bar };

struct Slot {
  double value = 0.0;
  Mark mark = Mark::None;
  int priority = 0;
  int var = -1;           // index into Var when the operand is a variable
  bool overflow = false;  // the number does not fit a double
};

Mark operatorMark(char32_t c) {
  switch (c) {
    case U'+': return Mark::Plus;
    case U'-': return Mark::Minus;
    case U'*': return Mark::Mul;
    case U'/': return Mark::Div;
    default: return Mark::Pow;
  }
}

bool isOperatorMark(Mark m) { return m >= Mark::Plus && m <= Mark::Pow; }

// Reads a number written with the decimal comma (digits, at most one comma).
void readNumber(std::string_view digits, Slot& slot) {
  std::string text(digits);
  for (char& ch : text)
    if (ch == ',') ch = '.';
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Out of range is either an overflow (a non-zero digit before the comma) or
    // an underflow to zero.
    const auto comma = text.find('.');
    const auto whole = text.substr(0, comma);
    slot.overflow = whole.find_first_not_of('0') != std::string::npos;
    v = 0.0;
  }
  slot.value = v;
}

struct Reading {
  int code = kFormulaOk;
  std::array<Slot, kFormulaSlots> slots{};
  int count = 0;  // slots needed, may exceed kFormulaSlots
};

// Reads the characters into slots, alternating between "operand expected" and
// "operator expected". Brackets are tracked on a stack so that interleaved
// parentheses and bars and nested bar pairs are recognised.
Reading readSlots(const std::vector<Char>& chars, std::string_view text) {
  Reading rd;
  auto newSlot = [&rd]() -> Slot* {
    ++rd.count;
    if (rd.count > kFormulaSlots) return nullptr;
    rd.slots[rd.count - 1] = Slot{};
    return &rd.slots[rd.count - 1];
  };
  auto current = [&rd]() -> Slot* {
    return rd.count >= 1 && rd.count <= kFormulaSlots ? &rd.slots[rd.count - 1] : nullptr;
  };
  std::vector<char32_t> open;  // "(" and bars not yet closed
  bool mismatch = false;       // a closing bracket that does not match the last opening one
  int openBars = 0;            // bars among them
  bool nestedBars = false;
  bool operandExpected = true;
  const std::size_t n = chars.size();
  for (std::size_t i = 0; i < n;) {
    const char32_t c = chars[i].c;
    if (operandExpected) {
      if (isDigit(c)) {
        std::size_t j = i;
        int commas = 0;
        while (j < n && (isDigit(chars[j].c) || chars[j].c == U',')) {
          if (chars[j].c == U',' && ++commas == 2) {
            rd.code = kFormulaTwoSeparators;
            return rd;
          }
          ++j;
        }
        const std::size_t end = j < n ? chars[j].offset : text.size();
        Slot* s = newSlot();
        if (s) readNumber(text.substr(chars[i].offset, end - chars[i].offset), *s);
        i = j;
        operandExpected = false;
      } else if (c == U',') {
        rd.code = kFormulaSeparatorPosition;
        return rd;
      } else if (c == U'(' || c == kBar) {
        if (c == kBar) nestedBars = nestedBars || openBars > 0;
        openBars += c == kBar ? 1 : 0;
        open.push_back(c);
        if (Slot* s = newSlot()) s->mark = c == U'(' ? Mark::Open : Mark::Bar;
        ++i;
      } else if (startsName(c)) {
        for (const VarName& vn : kVarNames) {
          const std::size_t len = vn.name.size();
          if (i + len > n) continue;
          bool match = true;
          for (std::size_t k = 0; k < len && match; ++k) match = chars[i + k].c == vn.name[k];
          if (!match) continue;
          if (Slot* s = newSlot()) s->var = static_cast<int>(vn.var);
          i += len;
          break;
        }
        operandExpected = false;
      } else {
        rd.code = kFormulaExpressionError;
        return rd;
      }
    } else {
      if (isOperator(c)) {
        if (Slot* s = current()) s->mark = operatorMark(c);
        operandExpected = true;
      } else if (c == U')' || c == kBar) {
        const char32_t opening = c == U')' ? U'(' : kBar;
        if (open.empty() || open.back() != opening) {
          mismatch = true;
        } else {
          openBars -= open.back() == kBar ? 1 : 0;
          open.pop_back();
        }
        if (Slot* s = current()) s->mark = c == U')' ? Mark::Close : Mark::Bar;
        newSlot();
      } else {
        rd.code = kFormulaMissingOperation;
        return rd;
      }
      ++i;
    }
  }
  if (mismatch || !open.empty()) {
    rd.code = kFormulaBrackets;
  } else if (operandExpected) {
    rd.code = kFormulaMissingOperand;  // cannot follow the operand checks; kept as a guard
  } else if (nestedBars || rd.count > kFormulaSlots) {
    rd.code = kFormulaExpressionError;
  }
  return rd;
}

// Priority of every operator mark: 3·(d + b) + 1 for + -, + 2 for * /, + 3 for ^,
// with d the parenthesis depth and b = 1 between a pair of bars.
void assignPriorities(Slot* slots, int count) {
  int depth = 0;
  int bar = 0;
  for (int i = 0; i < count; ++i) {
    Slot& s = slots[i];
    s.priority = 0;
    switch (s.mark) {
      case Mark::Open: ++depth; break;
      case Mark::Close: --depth; break;
      case Mark::Bar: bar = 1 - bar; break;
      case Mark::Plus:
      case Mark::Minus: s.priority = 3 * (depth + bar) + 1; break;
      case Mark::Mul:
      case Mark::Div: s.priority = 3 * (depth + bar) + 2; break;
      case Mark::Pow: s.priority = 3 * (depth + bar) + 3; break;
      case Mark::None: break;
    }
  }
}

// Removes slots first+1 and first+2, keeping slot `first` with the mark and
// priority of the old slot first+2.
void mergeGroup(Slot* slots, int& count, int first, double value) {
  slots[first].value = value;
  slots[first].mark = slots[first + 2].mark;
  slots[first].priority = slots[first + 2].priority;
  for (int k = first + 1; k + 2 < count; ++k) slots[k] = slots[k + 2];
  count -= 2;
}

// Collapses every "(" slot followed by a ")" slot and every pair of bar slots
// (the value becoming its absolute value) until none is left.
void collapseGroups(Slot* slots, int& count) {
  bool changed = true;
  while (changed) {
    changed = false;
    for (int i = 0; i + 2 < count; ++i) {
      if (slots[i].mark == Mark::Open && slots[i + 1].mark == Mark::Close) {
        mergeGroup(slots, count, i, slots[i + 1].value);
        changed = true;
      } else if (slots[i].mark == Mark::Bar && slots[i + 1].mark == Mark::Bar) {
        mergeGroup(slots, count, i, std::fabs(slots[i + 1].value));
        changed = true;
      }
    }
  }
}

int applyOperator(Mark op, double a, double b, double& out) {
  switch (op) {
    case Mark::Plus: out = a + b; break;
    case Mark::Minus: out = a - b; break;
    case Mark::Mul: out = a * b; break;
    case Mark::Div:
      if (b == 0.0) return kFormulaDivisionByZero;
      out = a / b;
      break;
    default:  // Mark::Pow
      if (a == 0.0 && b < 0.0) return kFormulaDivisionByZero;
      if (a < 0.0 && std::trunc(b) != b) return kFormulaExpressionError;
      out = std::pow(a, b);
      break;
  }
  return std::isfinite(out) ? kFormulaOk : kFormulaExpressionError;
}

// Reduces the slots to one value: groups collapse, then the operator with the
// highest priority (the leftmost on ties) joins its slot with the next one.
int reduce(Slot* slots, int count, double& value) {
  collapseGroups(slots, count);
  while (count >= 2) {
    int best = -1;
    for (int i = 0; i + 1 < count; ++i) {
      if (isOperatorMark(slots[i].mark) && (best < 0 || slots[i].priority > slots[best].priority))
        best = i;
    }
    if (best < 0) return kFormulaExpressionError;  // no operator joins the remaining slots
    double out = 0.0;
    if (const int code = applyOperator(slots[best].mark, slots[best].value, slots[best + 1].value, out))
      return code;
    slots[best].value = out;
    slots[best].mark = slots[best + 1].mark;
    slots[best].priority = slots[best + 1].priority;
    for (int k = best + 1; k + 1 < count; ++k) slots[k] = slots[k + 1];
    --count;
    collapseGroups(slots, count);
  }
  value = slots[0].value;
  return kFormulaOk;
}

// A plain number: an optional leading minus, digits, optionally a comma and digits.
bool isPlainNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && s[i] == '-') ++i;
  const std::size_t digitsStart = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  if (i == digitsStart) return false;
  if (i < s.size() && s[i] == ',') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  }
  return i == s.size();
}

int evaluate(std::string_view formula, const FormulaVariables& vars, double& value) {
  if (formula.empty()) {
    value = 0.0;
    return kFormulaOk;
  }
  const std::vector<Char> original = decode(formula);
  if (!syntaxValid(original)) return kFormulaExpressionError;
  const char32_t first = original.front().c;
  const char32_t last = original.back().c;
  if (isOperator(last) || isIn(first, U"+*/^")) return kFormulaMissingOperand;
  for (std::size_t i = 0; i + 1 < original.size(); ++i)
    if (original[i].c == kBar && original[i + 1].c == kBar) return kFormulaMissingOperand;

  // A leading minus subtracts from 0.
  std::string withZero;
  std::string_view text = formula;
  std::vector<Char> chars;
  if (first == U'-') {
    withZero.reserve(formula.size() + 1);
    withZero.push_back('0');
    withZero.append(formula);
    text = withZero;
    chars.reserve(original.size() + 1);
    chars.push_back({U'0', 0});
    for (const Char& ch : original) chars.push_back({ch.c, ch.offset + 1});
  } else {
    chars = original;
  }

  Reading rd = readSlots(chars, text);
  if (rd.code != kFormulaOk) return rd.code;
  for (int i = 0; i < rd.count; ++i) {
    Slot& s = rd.slots[i];
    if (s.overflow) return kFormulaExpressionError;
    if (s.var >= 0) {
      const std::optional<double> v = variableValue(vars, static_cast<Var>(s.var));
      if (!v || !std::isfinite(*v)) return kFormulaExpressionError;
      s.value = *v;
    }
  }
  assignPriorities(rd.slots.data(), rd.count);
  return reduce(rd.slots.data(), rd.count, value);
}

// ---------------------------------------------------------------------------
// Number texts.

double scaleByPow10(double x, int k) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (k >= 0) {
    for (; k > 22; k -= 22) x *= 1e22;
    return x * kPow10[k];
  }
  k = -k;
  for (; k > 22; k -= 22) x /= 1e22;
  return x / kPow10[k];
}

// The text of ±digits·10^exponent in fixed notation with the decimal comma,
// trailing zeros and a trailing comma removed; "0" when every digit is zero.
std::string fixedText(bool negative, const std::string& digits, int exponent) {
  std::string whole;
  std::string fraction;
  if (exponent >= 0) {
    whole = digits + std::string(static_cast<std::size_t>(exponent), '0');
  } else {
    const auto decimals = static_cast<std::size_t>(-exponent);
    const std::string padded =
        digits.size() <= decimals ? std::string(decimals - digits.size() + 1, '0') + digits : digits;
    whole = padded.substr(0, padded.size() - decimals);
    fraction = padded.substr(padded.size() - decimals);
  }
  fraction.erase(fraction.find_last_not_of('0') + 1);  // all of it when every digit is 0
  const std::size_t lead = whole.find_first_not_of('0');
  whole = lead == std::string::npos ? "0" : whole.substr(lead);
  std::string out = negative && (whole != "0" || !fraction.empty()) ? "-" : "";
  out += whole;
  if (!fraction.empty()) out += "," + fraction;
  return out;
}

}  // namespace

std::string_view formulaMessage(int code) {
  return code >= 0 && code < static_cast<int>(kFormulaMessages.size()) ? kFormulaMessages[code]
                                                                        : std::string_view{};
}

std::string_view prepareFormulaText(std::string_view text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return text;
  std::size_t cut = eq;
  if (cut > 0) {
    --cut;  // back to the first byte of the character before "="
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  }
  return text.substr(0, cut);
}

bool checkFormulaSyntax(std::string_view text) { return syntaxValid(decode(prepareFormulaText(text))); }

FormulaResult evalFormula(std::string_view text, const FormulaVariables& vars) {
  const std::string_view formula = prepareFormulaText(text);
  FormulaResult r;
  r.isFormula = !formula.empty() && !isPlainNumber(formula);
  double value = 0.0;
  r.code = evaluate(formula, vars, value);
  if (r.code == kFormulaOk) {
    r.value = value == 0.0 ? 0.0 : value;  // no negative zero
    r.display = formatFormulaValue(r.value);
  } else {
    r.value = 0.0;
    r.display = std::string(formulaMessage(r.code));
  }
  return r;
}

std::string formatFormulaValue(double value) {
  if (!std::isfinite(value) || value == 0.0) return "0";
  const double a = std::fabs(value);
  // Mantissa m = a / 10^e in [0,1; 1), rounded to 3 decimals, ties to even.
  int e = static_cast<int>(std::floor(std::log10(a))) + 1;
  double m = scaleByPow10(a, -e);
  if (m >= 1.0) {
    ++e;
    m = scaleByPow10(a, -e);
  } else if (m < 0.1) {
    --e;
    m = scaleByPow10(a, -e);
  }
  auto digits = static_cast<long long>(std::nearbyint(m * 1000.0));  // 100..1000
  int exponent = e - 3;
  if (exponent < -6) {
    // At most 6 decimals: round the exact decimal digits again, ties to even.
    const int drop = -6 - exponent;
    if (drop > 4) return "0";
    long long unit = 1;
    for (int k = 0; k < drop; ++k) unit *= 10;
    long long q = digits / unit;
    const long long rest = digits % unit;
    if (2 * rest > unit || (2 * rest == unit && q % 2 == 1)) ++q;
    digits = q;
    exponent = -6;
  }
  return fixedText(value < 0.0, std::to_string(digits), exponent);
}

std::string formatFormulaHintValue(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, 10);
  if (res.ec != std::errc()) return "0";
  std::string s(buf, res.ptr);
  const auto point = s.find('.');
  std::string digits = s.substr(0, point) + s.substr(point + 1);
  return fixedText(value < 0.0, digits, -10);
}

std::string formatFormulaEditorValue(double value) {
  if (!std::isfinite(value) || value == 0.0) return "0";
  char buf[64];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 7);
  if (res.ec != std::errc()) return "0";
  const std::string s(buf, res.ptr);  // d.ddddddde±XX
  const auto ePos = s.find('e');
  const std::string digits = s.substr(0, 1) + s.substr(2, ePos - 2);
  const int exp10 = std::stoi(s.substr(ePos + 1));
  return fixedText(value < 0.0, digits, exp10 - 7);
}

FormulaFieldTexts formulaFieldTexts(std::string_view fieldText, const FormulaResult& result,
                                    bool errorCalculation) {
  FormulaFieldTexts out;
  if (result.isFormula) {
    out.text = std::string(prepareFormulaText(fieldText));
    if (errorCalculation && result.code == kFormulaOk) out.text += " = " + formatFormulaValue(result.value);
  } else {
    out.text = std::string(fieldText);
  }
  const std::size_t eq = out.text.rfind('=');
  out.hint = eq == std::string::npos ? out.text
                                     : out.text.substr(0, eq) + "=" + formatFormulaHintValue(result.value);
  return out;
}

}  // namespace velmar
