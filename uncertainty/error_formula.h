#pragma once
// Error formulas: the small arithmetic language in which an instrument error may
// be written as a function of the quantities of the measuring point, for example
// 0,5+0,01*|t| or 0,2*Qв/Q, its evaluator and the texts shown for an evaluated
// field.
//
// Language: numbers with the decimal comma, + - * / ^, parentheses, the
// absolute-value bar (stored as the control character with code 5) and the
// variable names of FormulaVariables. No blanks, no implicit multiplication, no
// sign after "(" or an operator; a leading "-" reads as "0-". Usual precedence,
// every operator left-associative (2^3^2 = 64). Texts are UTF-8.
//
// A field text may carry a display part: everything from the character before the
// first "=" on (" = 0,7") is ignored by the evaluator.
//
// Outcomes beyond the message table, all reported with code 6 ("Ошибка в
// выражении") unless stated:
//  - more than kFormulaSlots evaluation slots (numbers, variables, brackets);
//  - a bar pair inside another bar pair (with or without parentheses between);
//  - Q named while the period has no positive value (Q has no value);
//  - a variable with a non-finite value;
//  - a number or an intermediate result that overflows the double range;
//  - "^" with a negative base and a non-integral exponent;
//  - "^" with a zero base and a negative exponent: code 7 ("Деление на ноль");
//  - parentheses and bars interleaved, such as (|t)|: code 4.
// No text yields nan or inf; a failed evaluation has the value 0.
#include "core/error_field_text.h"
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

// Values of the quantities an error formula may name, in the units the formula
// sees: pressures already converted from Pa into the unit of their limit box.
struct FormulaVariables {
  std::optional<double> Q;  // Q: working flow V/τ, m3/h; empty when τ is not positive
  double Qn = 0.0;          // Qн: lower measuring limit of the flowmeter
  double Qv = 0.0;          // Qв: upper measuring limit of the flowmeter
  double t = 0.0;           // t: temperature, °C
  double tn = 0.0;          // tн: lower limit of the temperature instrument, °C
  double tv = 0.0;          // tв: upper limit of the temperature instrument, °C
  double P = 0.0;           // P: gauge pressure
  double Pn = 0.0;          // Pн: lower limit of the pressure instrument
  double Pv = 0.0;          // Pв: upper limit of the pressure instrument
  double Pb = 0.0;          // Pб: atmospheric pressure
  double Pbn = 0.0;         // Pбн: lower limit of the barometer
  double Pbv = 0.0;         // Pбв: upper limit of the barometer
  double r = 0.0;           // r: density at working conditions, kg/m3
  double rn = 0.0;          // rн: lower limit of the working-density instrument
  double rv = 0.0;          // rв: upper limit of the working-density instrument
  double rc = 0.0;          // rc: density at standard conditions, kg/m3
  double rsn = 0.0;         // rсн: lower limit of the standard-density instrument
  double rsv = 0.0;         // rсв: upper limit of the standard-density instrument
  double n2 = 0.0;          // n2 (or a lone n): nitrogen content, %
  double co2 = 0.0;         // co2 (or a lone c): carbon dioxide content, %
  double to1 = 0.0;         // to1: ambient temperature at the computing device, °C
  double to2 = 0.0;         // to2: ambient temperature at the temperature instrument, °C
  double to3 = 0.0;         // to3: ambient temperature at the pressure instrument, °C
  double to4 = 0.0;         // to4: ambient temperature at the barometer, °C
};

inline constexpr int kFormulaSlots = 20;     // capacity of the evaluation

enum FormulaCode : int {
  kFormulaOk = 0,
  kFormulaTwoSeparators = 1,
  kFormulaMissingOperation = 2,
  kFormulaSeparatorPosition = 3,
  kFormulaBrackets = 4,
  kFormulaMissingOperand = 5,
  kFormulaExpressionError = 6,
  kFormulaDivisionByZero = 7,
};

// Message k for code k; the entry for code 0 is empty.
inline constexpr std::array<std::string_view, 8> kFormulaMessages = {
    "",
    "Два или более разделителя в числе",
    "Отсутствует операция",
    "Неправильная позиция разделителя в числе",
    "Не согласованы скобки",
    "Отсутствует операнд",
    "Ошибка в выражении",
    "Деление на ноль",
};

// The message of a code; empty for 0 and for codes outside the table.
std::string_view formulaMessage(int code);

struct FormulaResult {
  int code = kFormulaOk;   // 0 success, 1..7 the message of kFormulaMessages
  double value = 0.0;      // finite; 0 when code != 0
  std::string display;     // code 0: the value as formatFormulaValue; otherwise the message
  bool isFormula = false;  // the text is something other than a plain number
};

// The formula part of a field text: the display part (the character before the
// first "=" and everything after it) removed.
std::string_view prepareFormulaText(std::string_view text);

// Character and neighbour check of the formula part of `text`: false for a
// character outside the language or a forbidden pair such as "(-", "*+", "2(".
bool checkFormulaSyntax(std::string_view text);

// Evaluates the formula part of `text` with the given variable values.
// An empty formula part gives 0 with code 0.
FormulaResult evalFormula(std::string_view text, const FormulaVariables& vars);

// " = value" display of an evaluated formula: 3 significant digits (ties to even
// on the mantissa scaled into [0,1; 1)), fixed notation with at most 6 decimals,
// trailing zeros and a trailing comma removed.
std::string formatFormulaValue(double value);

// Value of a field hint: rounded to 10 decimals (ties to even), trailing zeros
// and a trailing comma removed.
std::string formatFormulaHintValue(double value);

// Result box of the formula editor: fixed notation with at most 8 significant
// digits, trailing zeros and a trailing comma removed.
std::string formatFormulaEditorValue(double value);

struct FormulaFieldTexts {
  std::string text;  // the new text of the field
  std::string hint;  // the new hint of the field
};

// Texts of an error field after its text changed and was evaluated (`result` is
// evalFormula of `fieldText`). A formula is written alone, followed in an error
// calculation after a successful evaluation by " = " and formatFormulaValue; a
// plain number stays as typed. The hint is the text before the last "=", "=" and
// formatFormulaHintValue, or the text itself when it holds no "=". The caller
// sets the text only when it differs from the current one.
FormulaFieldTexts formulaFieldTexts(std::string_view fieldText, const FormulaResult& result,
                                    bool errorCalculation);

}  // namespace velmar
