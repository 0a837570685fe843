#pragma once
// Units and number formats: the conversion among the eight pressure units of
// every pressure unit box, rounding to significant digits, reading numbers
// from edits and the fixed-notation format (P, D) of every result line.
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

// Item indexes of every pressure unit box, in this order:
// "Па", "кПа", "МПа", "бар", "кгс/см2", "кгс/м2", "мм рт.ст.", "мм вод.ст.".
enum PressureUnit : int {
  kPa_Pa = 0,
  kPa_kPa = 1,
  kPa_MPa = 2,
  kPa_bar = 3,
  kPa_kgfcm2 = 4,
  kPa_kgfm2 = 5,
  kPa_mmHg = 6,
  kPa_mmH2O = 7,
};

// Converts value in place from unit `from` to unit `to` with the factors of
// the program's conversion table, applied as written (the factors are not
// derived from one another, so a conversion there and back need not return
// the starting value). A code outside 0..7 (a box with no selection) leaves
// the value unchanged.
void ConvertPressure(int from, int to, double& value);

// x rounded to n significant digits (ties to even); 0 for x = 0 or n <= 0;
// x itself for n >= 10 or a non-finite x.
double RoundSignificant(int n, double x);

// Reads a number written with the given decimal separator: optional blanks,
// an optional sign, digits with at most one separator, an optional exponent.
// A text with the other separator, a letter, an empty text or a number beyond
// the range of a double does not convert.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator);

// The result-line format (P, D): v rounded to P significant digits, or to D
// decimals when that gives fewer digits, written in fixed notation with
// exactly D decimals; scientific notation when the integer part has more than
// P digits. A non-finite v (which no result line may carry) gives "-".
std::string formatFixed(double v, int precision, int decimals, char decimalSeparator);

// General notation: v with up to 15 significant digits and no trailing
// zeros, in the exponent form ("1,5E+20", "2E-07") only for values of 1e15 and
// above or below 1e-4. A non-finite v gives "-".
std::string formatGeneral(double v, char decimalSeparator);

}  // namespace velmar
