#pragma once
// Text to value: how an edit's text becomes its value field.
#include <optional>
#include <string>

namespace velmar {

struct FormContext;
class Edit;
class StringGrid;

// Converts the edit's text into its value field: a temperature-like edit
// reads "-" as 0; an error value goes through the formula evaluator; a
// pressure converts from its unit box into Pa; an absolute error of a gas
// parameter is stored relative to it; the field's check raises or clears its
// message. A text that does not convert leaves the value as it was and, unless
// the text is empty, brings back the edit's previous text.
void ParseValue(FormContext& s, Edit& edit);

// The number a text stands for in a number edit, before its unit conversion:
// "Qн" and "Qв" in the flowmeter's range edits are its limits, "-" alone in a
// temperature-like edit is 0, any other text a number with the system's
// decimal separator. Nothing for a text that does not convert, for a free
// text and for an error value (the formula evaluator reads those).
std::optional<double> numberOfText(const FormContext& s, const Edit& edit, const std::string& text);

// Whether the edit takes the text: false exactly where ParseValue brings the
// previous text back because the text does not convert.
bool editTakesText(const FormContext& s, const Edit& edit, const std::string& text);

// Whether a grid cell takes the text: a cell of the content or uncertainty
// column of a composition grid takes a number with the system's decimal
// separator or an empty text (the grid's rule reads its numbers), any other
// cell any text.
bool cellTakesText(const FormContext& s, const StringGrid& grid, int col, const std::string& text);

}  // namespace velmar
