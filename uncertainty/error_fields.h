#pragma once
// The error fields of the measuring instruments and channels: each holds a
// number or an error formula in the quantities of the measuring point.
#include <optional>

namespace velmar {

struct ErrorContext;
class Edit;
struct FormulaVariables;

// The values of the quantities an error formula may name, read from the
// current inputs and gas properties (pressures in the units of their limit
// boxes).
FormulaVariables formulaVariables(const ErrorContext& s);

// The quantities of a control-point cell that take the place of those of the
// measuring point: the working flow (m3/h), the temperature (°C), the
// pressure (Pa) and the two densities (kg/m3).
struct CellQuantities {
  std::optional<double> Q;
  double t = 0;
  double P = 0;
  double r = 0;
  double rc = 0;
};
FormulaVariables formulaVariables(const ErrorContext& s, const CellQuantities& cell);

// Evaluates the text of an error field (a number or a formula; the display
// part " = value" is ignored) with the current values of the variables. On
// success returns the value; a rejected formula returns nothing. Sets the
// field's hint and, for a formula, the field's text (with " = value" in an
// error calculation).
std::optional<double> evaluateErrorField(ErrorContext& s, Edit& field);

// Evaluates every formula field and CompPogrStr into the values the gas
// properties and the channel errors use: absolute pressure errors converted to
// pascals, absolute composition errors made relative. A rejected formula gives
// 0 and raises the field's message, as does a negative value.
void evalErrorFields(ErrorContext& s);

// The same values with the given variables, for a control-point cell: only
// the values change; the texts and hints keep showing the measuring point.
void evalErrorFieldValues(ErrorContext& s, const FormulaVariables& vars);

}  // namespace velmar
